// The simulated host's command line: which plug-in to load, which views to open,
// how to play the match, and what to do at the end. Window-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct host_options {
  std::string plugin_path;          // empty: dsv_view.dsv beside the program
  std::vector<std::string> open;    // entry names to open at start, in order
  int visits = -1;                  // visits to play, then stop; -1: play on demand
  uint32_t seed = 0;
  bool seed_given = false;
  int delay_ms = 300;               // pause between two visits (two darts with notify_per_dart)
  bool notify_per_dart = false;     // --notify dart: the record changes and the views hear of it dart by dart
  int undo_every = 0;               // after every this many visits, take the last one back; 0: never
  std::string screenshot_dir;       // empty: no screenshots
  bool exit_at_end = false;         // close the views, unload the plug-in and exit
  int32_t average_mode = 1;         // the host_query_block value
  int sets_to_win = 3;
  int legs_to_win = 3;
  std::string names[2];             // the players, in the host's code page; empty: the simulation's own
  bool japanese = false;            // a Japanese thread locale on the host's thread
  std::vector<std::string> shot_menus;  // entry names whose views' menus are pictured at the end
  bool shot_title_dialog = false;   // picture the small view's Edit Title dialog at the end
  bool shot_desktop = false;        // picture the whole screen at the end
  bool help = false;
  bool list = false;                // print the plug-in's views and exit
  // Answered without loading the plug-in, then exit.
  bool checkout_given = false;      // print the route the large view shows for checkout_score
  int32_t checkout_score = 0;
  bool checkout_table = false;      // print the route of every score from 2 to 170
  std::string check_settings;       // a settings file to check; empty: none
};

// Longest player name in bytes: the host's record keeps 67 and a NUL.
constexpr std::size_t host_name_limit = 67;

// Parses the arguments after the program name. Returns true on success; on
// failure returns false with a one-line reason in `error` (an unknown option, a
// missing or malformed value, a picture asked for without --screenshot).
bool parse_host_options(const std::vector<std::string>& args, host_options& options, std::string& error);

// Entry names of the views `--open` names: "all", "large", "small", "result"
// stand for the plug-in's three entry points; anything else is taken as an
// entry name as the plug-in reports it.
std::vector<std::string> host_open_names(const std::string& value);

// The --checkout line of a score: its route as the large view shows it, or "none".
std::string host_checkout_line(int32_t score);
// The --checkout-table lines: "<score>: <route or none>" for 2 to 170, each ending in a newline.
std::string host_checkout_table();

// The usage text of --help and of a bad command line.
const char* host_usage();

// Exit codes.
namespace host_exit {
constexpr int ok = 0;
constexpr int usage = 2;       // bad command line
constexpr int plugin = 3;      // the plug-in cannot be loaded or is not a plug-in
constexpr int run_failed = 4;  // a view would not open or a screenshot could not be written
}  // namespace host_exit
