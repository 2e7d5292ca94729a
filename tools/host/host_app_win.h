// The simulated host's state for one run, handed to each of its modules: what
// the command line asked, the loaded plug-in, the match record and blocks the
// plug-in reads, the main window, and the menu and dialog pictures still to
// take. WinMain owns the one instance.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "board_status.h"
#include "host_console_win.h"
#include "host_options.h"
#include "match_sim.h"
#include "plugin_client_win.h"
#include "popup_shots_win.h"

constexpr std::size_t host_block_size = 1024;
constexpr std::size_t query_block_size = 8192;

// Messages and timers of the main window.
constexpr unsigned next_visit_message = WM_APP + 1;  // delay 0: the next visit, posted
constexpr unsigned shot_done_message = WM_APP + 2;   // a menu or dialog picture is done
constexpr UINT_PTR visit_timer = 1;
constexpr UINT_PTR finish_timer = 2;

// Commands of the main window's Match menu.
constexpr int cmd_start_pause = 100;
constexpr int cmd_step = 101;
constexpr int cmd_new_match = 102;
constexpr int cmd_average = 103;
constexpr int cmd_exit = 104;
constexpr int cmd_undo = 105;
constexpr int cmd_step_dart = 106;

struct host_app {
  host_options options;
  host_console console;
  plugin_client plugin;
  unsigned char* record = nullptr;
  unsigned char* legs = nullptr;
  std::unique_ptr<match_sim> sim;
  std::vector<unsigned char> host_block = std::vector<unsigned char>(host_block_size, 0);
  std::vector<unsigned char> query_block = std::vector<unsigned char>(query_block_size, 0);
  int queries = 0;  // query messages answered
  HWND window = nullptr;
  HMENU match_menu = nullptr;
  bool running = false;
  int visits_left = -1;  // -1: no limit
  int visits_since_undo = 0;  // for --undo-every
  bool undone = false;        // a visit was taken back: the status line tells what the board shows
  bool finishing = false;
  int exit_code = host_exit::ok;
  std::string last_visit;
  board_status board;  // what the large view should show, followed notice by notice
  std::vector<std::pair<std::string, HWND>> opened;  // entry name, the window it opened
  std::vector<popup_shot> shots;                      // menu and dialog pictures still to take
  popup_shot current_shot;                            // the one being taken
};

// Tells every view of the plug-in that acts on `code`, with this host's window and block.
inline void notify_views(host_app& app, uint32_t code) {
  plugin_notify(app.plugin, app.window, app.host_block.data(), code);
}
