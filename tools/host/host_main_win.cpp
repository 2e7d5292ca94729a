// dsv_host: a small stand-in for the darts application. It loads a display
// plug-in, lists the plug-in's views in its Views menu, keeps a match record and
// leg table at the host's offsets, answers the plug-in's query message, and plays
// a simulated match, telling the views after every visit. Headless options let
// scripts open views, play a number of visits, take screenshots and exit.
//
// This file reads the command line and sets the run up; the plug-in client, the
// console, the main window, the match clock and the screenshots are modules of
// their own, all handed the one host_app that WinMain owns.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/module_path_win.h"
#include "host_app_win.h"
#include "host_match_win.h"
#include "host_window_win.h"
#include "match/match_state.h"
#include "plugin/host_protocol.h"
#include "screen_capture_win.h"
#include "settings/profile_platform.h"
#include "settings_check.h"

namespace {

constexpr std::size_t record_alloc_size = 4096;
constexpr LCID japanese_locale = 0x411;

// Zeroed memory below 4 GB: the record holds the leg table's address in 32 bits,
// and the host_block holds the record's.
unsigned char* low_alloc(std::size_t size) {
  if (sizeof(void*) == 4) {
    return static_cast<unsigned char*>(VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  }
  for (uintptr_t at = 0x10000000; at < 0xF0000000u; at += 0x10000) {
    void* p = VirtualAlloc(reinterpret_cast<void*>(at), size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (p != nullptr) return static_cast<unsigned char*>(p);
  }
  return nullptr;
}

uint32_t address32(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

std::string program_dir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

// Opens the views of --open; a view that shows no new window is an error.
void open_requested_views(host_app& app) {
  for (const std::string& name : app.options.open) {
    const plugin_entry_info* found = plugin_find(app.plugin, name);
    if (found == nullptr || found->call == nullptr) {
      report_error(app.console, "--open: the plug-in has no view " + name);
      app.exit_code = host_exit::usage;
      continue;
    }
    const std::vector<HWND> before = plugin_view_windows(app.window);
    plugin_call(*found, app.window, app.host_block.data(), host_event::open);
    HWND opened = nullptr;
    for (HWND window : plugin_view_windows(app.window)) {
      if (std::find(before.begin(), before.end(), window) == before.end()) opened = window;
    }
    if (opened == nullptr) {
      report_error(app.console, "view " + name + " did not open a window");
      app.exit_code = host_exit::run_failed;
    } else {
      app.opened.emplace_back(name, opened);
    }
  }
}

// --check-settings: the report on standard output, the reason for an unreadable
// file as an error; the checker's exit code.
int check_settings_file(const host_app& app, const std::string& given) {
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(given.c_str(), MAX_PATH, full, nullptr);
  const std::string path = length > 0 && length < MAX_PATH ? std::string(full) : given;
  std::vector<std::string> lines;
  const int code = settings_check(path, profile_platform_files, ansi_lead_byte, lines);
  if (code == settings_check_exit::unreadable) {
    for (const std::string& line : lines) report_error(app.console, line);
  } else {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    if (!text.empty()) write_stdout(text);
  }
  return code;
}

// The match record and leg table below 4 GB and the blocks that point at them;
// false when there is no such memory.
bool set_up_match(host_app& app) {
  sim_config config;
  config.seed = app.options.seed;
  config.sets_to_win = app.options.sets_to_win;
  config.legs_to_win = app.options.legs_to_win;
  if (!app.options.names[0].empty()) {
    config.names[0] = app.options.names[0].c_str();
    config.names[1] = app.options.names[1].c_str();
  }
  const std::size_t capacity = sim_leg_capacity(config);
  app.record = low_alloc(record_alloc_size);
  app.legs = low_alloc(capacity * match_layout::leg_entry_size);
  if (app.record == nullptr || app.legs == nullptr) return false;
  app.sim = std::make_unique<match_sim>(app.record, app.legs, capacity, address32(app.legs), config);
  const uint32_t record_address = address32(app.record);
  std::memcpy(&app.host_block[host_layout::match_pointer], &record_address, sizeof record_address);
  std::memcpy(&app.query_block[host_layout::average_mode], &app.options.average_mode, sizeof app.options.average_mode);
  return true;
}

int run(host_app& app, HINSTANCE instance, const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--exit" || arg == "--list" || arg == "--help" || arg == "--checkout" || arg == "--checkout-table" ||
        arg == "--check-settings") {
      app.console.headless = true;
    }
  }
  std::string error;
  if (!parse_host_options(args, app.options, error)) {
    report_error(app.console, error + "\n" + host_usage());
    return host_exit::usage;
  }
  if (app.options.help) {
    if (!write_stdout(host_usage())) report_error(app.console, host_usage());
    return host_exit::ok;
  }
  if (app.options.checkout_given || app.options.checkout_table) {
    // The large view's own table, built into this program: no plug-in needed.
    if (app.options.checkout_given) report_info(host_checkout_line(app.options.checkout_score));
    if (app.options.checkout_table) write_stdout(host_checkout_table());
    return host_exit::ok;
  }
  if (!app.options.check_settings.empty()) return check_settings_file(app, app.options.check_settings);
  if (!app.options.seed_given) app.options.seed = GetTickCount();
  if (app.options.japanese) {
    // The plug-in picks its menu and dialog language from the thread locale,
    // also when it names its views, so this comes before the library loads.
    SetThreadLocale(japanese_locale);
    if (GetACP() != 932) {
      report_error(app.console, "--japanese: the ANSI code page is " + std::to_string(GetACP()) +
                                    ", not 932, so Japanese texts will not show right (under Wine, set LC_ALL=ja_JP.UTF-8)");
    }
  }
  const std::string path = app.options.plugin_path.empty() ? program_dir() + "dsv_view.dsv" : app.options.plugin_path;
  if (!plugin_load(app.plugin, path, app.console, error)) {
    report_error(app.console, error);
    return host_exit::plugin;
  }

  if (app.options.list) {
    for (std::size_t i = 0; i < app.plugin.entries.size(); ++i) {
      const plugin_entry_info& entry = app.plugin.entries[i];
      report_info(std::to_string(i) + "\t" + entry.entry_name + "\t" + std::to_string(entry.mask) + "\t" +
                  entry.menu_text);
    }
    return host_exit::ok;
  }

  if (!set_up_match(app)) {
    report_error(app.console, "no memory below 4 GB for the match record");
    return host_exit::run_failed;
  }
  match_follow_start(app);
  if (!create_main_window(app, instance)) {
    report_error(app.console, "cannot create the main window: " + last_error_text(GetLastError()));
    return host_exit::run_failed;
  }
  ShowWindow(app.window, SW_SHOWNORMAL);
  UpdateWindow(app.window);
  open_requested_views(app);

  int visits = app.options.visits;
  if (visits < 0 && (app.options.exit_at_end || !app.options.screenshot_dir.empty())) visits = 0;
  if (visits == 0) {
    match_finish(app);
  } else if (visits > 0) {
    app.visits_left = visits;
    match_start(app);
  }
  match_show_state(app);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return app.exit_code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  host_app app;
  std::vector<std::string> args;
  int code = host_exit::run_failed;
  try {
    for (int i = 1; i < __argc; ++i) args.push_back(__argv[i]);
    code = run(app, instance, args);
  } catch (...) {
    report_error(app.console, "out of memory");
  }
  plugin_unload(app.plugin, app.window);
  return code;
}
