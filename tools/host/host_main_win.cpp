// dsv_host: a small stand-in for the darts application. It loads a display
// plug-in, lists the plug-in's views in its Views menu, keeps a match record and
// leg table at the host's offsets, answers the plug-in's query message, and plays
// a simulated match, telling the views after every visit. Headless options let
// scripts open views, play a number of visits, take screenshots and exit.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "host_options.h"
#include "match/match_state.h"
#include "match_sim.h"
#include "plugin/host_protocol.h"
#include "popup_shots_win.h"
#include "screen_capture_win.h"
#include "settings/profile_platform.h"
#include "settings_check.h"

namespace {

using info_fn = int(__stdcall*)(uint32_t, uint32_t, char*);
using entry_fn = int(__stdcall*)(HWND, uint32_t, const void*, uint32_t);
using small_fn = int(__stdcall*)(uint32_t, uint32_t);

constexpr uint32_t all_codes = 0xFFFFFFFFu;
constexpr std::size_t info_size = 4096;   // the plug-in fills at least 517 bytes
constexpr std::size_t host_block_size = 1024;
constexpr std::size_t query_block_size = 8192;
constexpr std::size_t record_alloc_size = 4096;
constexpr unsigned next_visit_message = WM_APP + 1;  // delay 0: the next visit, posted
constexpr unsigned shot_done_message = WM_APP + 2;   // a menu or dialog picture is done
constexpr UINT_PTR visit_timer = 1;
constexpr UINT_PTR finish_timer = 2;
constexpr UINT finish_delay_ms = 200;  // lets the views' one-shot redraw timers fire first
constexpr const char* small_view_entry = "dsv_socre";
constexpr int edit_title_item = 3;     // the small view's menu item that opens Edit Title
constexpr LCID japanese_locale = 0x411;

// Menu commands.
constexpr int cmd_start_pause = 100;
constexpr int cmd_step = 101;
constexpr int cmd_new_match = 102;
constexpr int cmd_average = 103;
constexpr int cmd_exit = 104;
constexpr int cmd_entry_base = 1000;  // + entry * 8 + index into entry_codes
constexpr uint32_t entry_codes[] = {host_event::open, host_event::close, host_event::change, host_event::change_twice,
                                    host_event::result_change};
constexpr const char* entry_code_labels[] = {"&Open / toggle (4)", "&Close (2)", "&Redraw (128)",
                                             "Redraw &twice (512)", "Result c&hange (32)"};

struct plugin_entry_info {
  std::string menu_text;
  std::string entry_name;
  entry_fn call = nullptr;
  uint32_t mask = all_codes;  // what its _initialize export reports
};

struct host_app {
  host_options options;
  bool headless = false;
  std::string plugin_path;
  HMODULE module = nullptr;
  std::vector<plugin_entry_info> entries;
  unsigned char* record = nullptr;
  unsigned char* legs = nullptr;
  std::unique_ptr<match_sim> sim;
  std::vector<unsigned char> host_block = std::vector<unsigned char>(host_block_size, 0);
  std::vector<unsigned char> query_block = std::vector<unsigned char>(query_block_size, 0);
  int queries = 0;
  HWND window = nullptr;
  HMENU match_menu = nullptr;
  bool running = false;
  int visits_left = -1;  // -1: no limit
  bool finishing = false;
  int exit_code = host_exit::ok;
  std::string last_visit;
  std::vector<std::pair<std::string, HWND>> opened;  // entry name, the window it opened
  std::vector<popup_shot> shots;                      // menu and dialog pictures still to take
  popup_shot current_shot;                            // the one being taken
};

host_app app;

// ---- Messages to the user --------------------------------------------------

HANDLE error_handle() {
  HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
  if (h != nullptr && h != INVALID_HANDLE_VALUE) return h;
  // A GUI program started from a console: write to that console.
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    h = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) return h;
  }
  return nullptr;
}

bool write_handle(HANDLE h, const std::string& text) {
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  return WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

// A problem the user must see: on standard error, or in a message box when the
// program has no console and is not running headless.
void report_error(const std::string& text) {
  if (write_handle(error_handle(), "dsv_host: " + text + "\n")) return;
  if (!app.headless) MessageBoxA(nullptr, text.c_str(), "dsv_host", MB_ICONERROR | MB_OK);
}

void report_info(const std::string& text) {
  HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  write_handle(h, text + "\n");
}

// ---- Memory the record's 32-bit pointers reach -----------------------------

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

// ---- The plug-in -----------------------------------------------------------

std::string program_dir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

std::string bounded_text(const char* at, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && at[n] != 0) ++n;
  return std::string(at, n);
}

// Loads the plug-in and enumerates its views; on failure returns false with the reason.
bool load_plugin(const std::string& requested, std::string& error) {
  char full[MAX_PATH] = {};
  if (GetFullPathNameA(requested.c_str(), MAX_PATH, full, nullptr) == 0) {
    error = "bad plug-in path: " + requested;
    return false;
  }
  app.plugin_path = full;
  const DWORD attributes = GetFileAttributesA(full);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    error = "plug-in not found: " + app.plugin_path;
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    error = "plug-in path is a directory: " + app.plugin_path;
    return false;
  }
  app.module = LoadLibraryExA(full, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (app.module == nullptr) {
    const DWORD code = GetLastError();
    error = "cannot load " + app.plugin_path + ": " +
            (code == ERROR_BAD_EXE_FORMAT ? "not a DLL this host can load (" + last_error_text(code) + ")"
                                          : last_error_text(code));
    return false;
  }
  auto info = reinterpret_cast<info_fn>(reinterpret_cast<void*>(GetProcAddress(app.module, "get_plugin_info")));
  if (info == nullptr) {
    error = app.plugin_path + " is not a display plug-in: it has no get_plugin_info export";
    return false;
  }
  std::vector<char> record(info_size);
  for (uint32_t index = 0; index < 64; ++index) {
    std::fill(record.begin(), record.end(), 0);
    if (info(0, index, record.data()) != 1) break;
    plugin_entry_info entry;
    entry.menu_text = bounded_text(record.data() + host_layout::plugin_info_menu_text, 256);
    entry.entry_name = bounded_text(record.data() + host_layout::plugin_info_entry_name, 256);
    entry.call = reinterpret_cast<entry_fn>(reinterpret_cast<void*>(GetProcAddress(app.module, entry.entry_name.c_str())));
    auto initialize = reinterpret_cast<small_fn>(
        reinterpret_cast<void*>(GetProcAddress(app.module, (entry.entry_name + "_initialize").c_str())));
    if (initialize != nullptr) entry.mask = static_cast<uint32_t>(initialize(0, 0));
    if (entry.call == nullptr) report_error("entry " + entry.entry_name + " has no export of that name; it stays disabled");
    app.entries.push_back(entry);
  }
  if (app.entries.empty()) {
    error = app.plugin_path + " offers no views: get_plugin_info refused index 0";
    return false;
  }
  return true;
}

// Calls one entry with an event code, as the application does.
void call_entry(const plugin_entry_info& entry, uint32_t code) {
  if (entry.call != nullptr) entry.call(app.window, code, app.host_block.data(), 0);
}

// Tells every view that acts on `code`.
void notify_views(uint32_t code) {
  for (const plugin_entry_info& entry : app.entries) {
    if ((entry.mask & code) != 0) call_entry(entry, code);
  }
}

// ---- Windows of this thread --------------------------------------------------

BOOL CALLBACK collect_window(HWND window, LPARAM lparam) {
  if (window != app.window && IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(lparam)->push_back(window);
  return TRUE;
}

// The visible top-level windows of this thread other than the host's own.
std::vector<HWND> view_windows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), collect_window, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string class_of(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Writes the window's client area as DIR\<class name>.bmp; returns the file's
// name, or an empty string with the reason in `error`.
std::string write_screenshot(HWND window, const std::string& dir, std::string& error) {
  picture p;
  if (!capture_window(window, false, p)) {
    error = "window " + class_of(window) + " cannot be read: " +
            (p.width <= 0 || p.height <= 0 ? "its client area is empty (" : "no memory for its picture (") +
            std::to_string(p.width) + " x " + std::to_string(p.height) + ")";
    return "";
  }
  const std::string path = dir + "\\" + class_of(window) + ".bmp";
  return write_picture(p, path, error) ? path : "";
}

void take_screenshots() {
  const std::string& dir = app.options.screenshot_dir;
  CreateDirectoryA(dir.c_str(), nullptr);
  const DWORD attributes = GetFileAttributesA(dir.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    report_error("cannot create the screenshot directory " + dir);
    app.exit_code = host_exit::run_failed;
    return;
  }
  for (HWND window : view_windows()) {
    std::string error;
    const std::string written = write_screenshot(window, dir, error);
    if (!written.empty()) {
      report_info("screenshot " + written);
    } else {
      report_error("no screenshot: " + error);
      app.exit_code = host_exit::run_failed;
    }
  }
  if (app.options.shot_desktop) {
    picture screen;
    std::string error;
    const std::string path = dir + "\\desktop.bmp";
    if (capture_screen(screen) && write_picture(screen, path, error)) {
      report_info("screenshot " + path);
    } else {
      report_error("no picture of the screen" + (error.empty() ? std::string() : ": " + error));
      app.exit_code = host_exit::run_failed;
    }
  }
}

// The window `entry` opened at start, or null when it did not open one or it is gone.
HWND opened_view(const std::string& entry) {
  for (const auto& [name, window] : app.opened) {
    if (name == entry && IsWindow(window)) return window;
  }
  return nullptr;
}

// The middle of the view's client area, where the pictured menus open.
POINT middle_of(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  return {r.right / 2, r.bottom / 2};
}

// The menu and dialog pictures of --shot-menu and --shot-title-dialog, in order.
void queue_popup_shots() {
  const std::string& dir = app.options.screenshot_dir;
  for (const std::string& entry : app.options.shot_menus) {
    HWND view = opened_view(entry);
    if (view == nullptr) {
      report_error("--shot-menu: view " + entry + " is not open");
      app.exit_code = host_exit::run_failed;
      continue;
    }
    popup_shot shot;
    shot.view = view;
    shot.at = middle_of(view);
    shot.menu_path = dir + "\\" + class_of(view) + "_menu.bmp";
    app.shots.push_back(shot);
  }
  if (app.options.shot_title_dialog) {
    HWND view = opened_view(small_view_entry);
    if (view == nullptr) {
      report_error("--shot-title-dialog: the small view (" + std::string(small_view_entry) + ") is not open");
      app.exit_code = host_exit::run_failed;
      return;
    }
    popup_shot shot;
    shot.view = view;
    shot.at = middle_of(view);
    shot.pick_id = edit_title_item;
    shot.dialog_path = dir + "\\title_dialog.bmp";
    app.shots.push_back(shot);
  }
}

void end_of_run() {
  if (app.options.exit_at_end) {
    report_info("played " + std::to_string(app.sim->visits_played()) + " visits");
    SendMessageA(app.window, WM_CLOSE, 0, 0);
  }
}

// Takes the next queued picture, or ends the run when none is left.
void next_popup_shot() {
  while (!app.shots.empty()) {
    app.current_shot = app.shots.front();
    app.shots.erase(app.shots.begin());
    if (start_popup_shot(app.current_shot, app.window, shot_done_message)) return;
    report_error("no picture of a menu: its view has closed");
    app.exit_code = host_exit::run_failed;
  }
  end_of_run();
}

void on_popup_shot_done(bool ok) {
  if (ok) {
    for (const std::string& path : {app.current_shot.menu_path, app.current_shot.dialog_path}) {
      if (!path.empty()) report_info("screenshot " + path);
    }
  } else {
    report_error("no picture of the " + std::string(app.current_shot.pick_id != 0 ? "dialog" : "menu") + " of " +
                 class_of(app.current_shot.view) + ": " + popup_shot_error());
    app.exit_code = host_exit::run_failed;
  }
  next_popup_shot();
}

// ---- The match -------------------------------------------------------------

std::string dart_text(const dart& d) {
  if (d.number == 0) return "miss";
  if (d.number == 25) return d.multiplier == 2 ? "Bull" : "25";
  const char prefix = d.multiplier == 3 ? 'T' : d.multiplier == 2 ? 'D' : 'S';
  return prefix + std::to_string(d.number);
}

void update_title_and_menu() {
  if (app.match_menu != nullptr) {
    ModifyMenuA(app.match_menu, cmd_start_pause, MF_BYCOMMAND | MF_STRING, cmd_start_pause,
                app.running ? "&Pause\tSpace" : "&Start\tSpace");
    CheckMenuItem(app.match_menu, cmd_average,
                  MF_BYCOMMAND | (app.options.average_mode == 1 ? MF_CHECKED : MF_UNCHECKED));
  }
  InvalidateRect(app.window, nullptr, TRUE);
}

void start_visit_clock();

void finish_run() {
  app.running = false;
  app.finishing = true;
  KillTimer(app.window, visit_timer);
  SetTimer(app.window, finish_timer, finish_delay_ms, nullptr);
}

void play_one_visit() {
  if (app.sim->match_over()) {
    app.sim->new_match();
    notify_views(host_event::change);
    notify_views(host_event::change_twice);
  }
  const visit_report report = app.sim->play_visit();
  std::string text = app.sim->name(report.player) + ":";
  for (int i = 0; i < report.darts; ++i) text += " " + dart_text(report.thrown[i]);
  if (report.bust) {
    text += ", bust";
  } else {
    text += " = " + std::to_string(report.scored) + ", " + std::to_string(report.remaining) + " left";
  }
  if (report.match_won) {
    text += ", wins the match";
  } else if (report.set_won) {
    text += ", wins the set";
  } else if (report.leg_won) {
    text += ", wins the leg";
  }
  app.last_visit = text;
  notify_views(host_event::change);
  if (report.leg_won) {
    notify_views(host_event::change_twice);
    notify_views(host_event::result_change);
  }
  if (app.visits_left > 0) --app.visits_left;
  update_title_and_menu();
}

void on_visit_clock() {
  if (!app.running) return;
  play_one_visit();
  if (app.visits_left == 0) {
    finish_run();
    update_title_and_menu();
    return;
  }
  if (app.options.delay_ms == 0) PostMessageA(app.window, next_visit_message, 0, 0);
}

void start_visit_clock() {
  app.running = true;
  if (app.options.delay_ms == 0) {
    PostMessageA(app.window, next_visit_message, 0, 0);
  } else {
    SetTimer(app.window, visit_timer, static_cast<UINT>(app.options.delay_ms), nullptr);
  }
  update_title_and_menu();
}

void pause_visit_clock() {
  app.running = false;
  KillTimer(app.window, visit_timer);
  update_title_and_menu();
}

// Sends code 2 to every view, so that no plug-in window outlives the library.
void close_views() {
  notify_views(host_event::close);
  for (HWND window : view_windows()) DestroyWindow(window);
}

// ---- The main window ---------------------------------------------------------

void paint_main(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  int y = 10;
  auto line = [dc, &y](int x, const std::string& text, bool next_line = true) {
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    if (next_line) y += 18;
  };
  line(10, "Plug-in: " + app.plugin_path);
  y += 8;
  for (int p = 0; p < 2; ++p) {
    line(10, p == app.sim->player_to_throw() && !app.sim->match_over() ? ">" : "", false);
    line(24, app.sim->name(p), false);
    line(220, "sets " + std::to_string(app.sim->sets(p)), false);
    line(290, "legs " + std::to_string(app.sim->legs(p)), false);
    line(360, "score " + std::to_string(app.sim->score(p)));
  }
  y += 8;
  line(10, "Leg " + std::to_string(app.sim->current_leg() + 1) + ", visits played: " +
               std::to_string(app.sim->visits_played()) + (app.sim->match_over() ? ", match over" : ""));
  line(10, "Last visit: " + (app.last_visit.empty() ? std::string("none") : app.last_visit));
  line(10, "Match: " + std::string(app.running ? "running" : "paused") + ", " + std::to_string(app.options.delay_ms) +
               " ms between visits, seed " + std::to_string(app.options.seed));
  line(10, "Average mode reported to the plug-in: " + std::to_string(app.options.average_mode) +
               (app.options.average_mode == 1 ? " (per three darts)" : " (per dart)") +
               ", queries answered: " + std::to_string(app.queries));
  y += 8;
  line(10, "Views menu: open, close and notify each view. Match menu: start or pause (Space), one visit (V).");
  SelectObject(dc, old_font);
  EndPaint(window, &ps);
}

void on_command(int id) {
  if (id >= cmd_entry_base) {
    const std::size_t entry = static_cast<std::size_t>(id - cmd_entry_base) / 8;
    const std::size_t code = static_cast<std::size_t>(id - cmd_entry_base) % 8;
    if (entry < app.entries.size() && code < sizeof entry_codes / sizeof entry_codes[0]) {
      call_entry(app.entries[entry], entry_codes[code]);
      InvalidateRect(app.window, nullptr, TRUE);
    }
    return;
  }
  switch (id) {
    case cmd_start_pause:
      if (app.running) {
        pause_visit_clock();
      } else {
        app.visits_left = -1;
        start_visit_clock();
      }
      break;
    case cmd_step:
      if (!app.running) play_one_visit();
      break;
    case cmd_new_match:
      app.sim->new_match();
      app.last_visit.clear();
      notify_views(host_event::change);
      notify_views(host_event::change_twice);
      update_title_and_menu();
      break;
    case cmd_average: {
      app.options.average_mode = app.options.average_mode == 1 ? 0 : 1;
      const int32_t mode = app.options.average_mode;
      std::memcpy(&app.query_block[host_layout::average_mode], &mode, sizeof mode);
      update_title_and_menu();
      break;
    }
    case cmd_exit:
      SendMessageA(app.window, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

HMENU build_menu() {
  HMENU bar = CreateMenu();
  HMENU views = CreatePopupMenu();
  for (std::size_t i = 0; i < app.entries.size(); ++i) {
    const plugin_entry_info& entry = app.entries[i];
    HMENU sub = CreatePopupMenu();
    for (std::size_t k = 0; k < sizeof entry_codes / sizeof entry_codes[0]; ++k) {
      UINT flags = MF_STRING;
      if (entry.call == nullptr) flags |= MF_GRAYED;
      AppendMenuA(sub, flags, static_cast<UINT_PTR>(cmd_entry_base + 8 * i + k), entry_code_labels[k]);
    }
    AppendMenuA(views, MF_POPUP | (entry.call == nullptr ? MF_GRAYED : 0u), reinterpret_cast<UINT_PTR>(sub),
                entry.menu_text.c_str());
  }
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(views), "&Views");
  app.match_menu = CreatePopupMenu();
  AppendMenuA(app.match_menu, MF_STRING, cmd_start_pause, "&Start\tSpace");
  AppendMenuA(app.match_menu, MF_STRING, cmd_step, "Step one &visit\tV");
  AppendMenuA(app.match_menu, MF_STRING, cmd_new_match, "&New match");
  AppendMenuA(app.match_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(app.match_menu, MF_STRING, cmd_average, "&Averages per three darts (next opening of a result view)");
  AppendMenuA(app.match_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(app.match_menu, MF_STRING, cmd_exit, "E&xit");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(app.match_menu), "&Match");
  return bar;
}

LRESULT CALLBACK host_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  try {
    switch (message) {
      case view_message::host_query:
        ++app.queries;
        InvalidateRect(window, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(app.query_block.data());
      case next_visit_message:
        on_visit_clock();
        return 0;
      case WM_TIMER:
        if (wparam == visit_timer) {
          on_visit_clock();
        } else if (wparam == finish_timer) {
          KillTimer(window, finish_timer);
          if (!app.options.screenshot_dir.empty()) {
            take_screenshots();
            queue_popup_shots();
          }
          next_popup_shot();
        }
        return 0;
      case shot_done_message:
        on_popup_shot_done(wparam != 0);
        return 0;
      case WM_COMMAND:
        on_command(LOWORD(wparam));
        return 0;
      case WM_KEYDOWN:
        if (wparam == VK_SPACE) on_command(cmd_start_pause);
        if (wparam == 'V') on_command(cmd_step);
        return 0;
      case WM_PAINT:
        paint_main(window);
        return 0;
      case WM_CLOSE:
        close_views();
        DestroyWindow(window);
        return 0;
      case WM_DESTROY:
        PostQuitMessage(app.exit_code);
        return 0;
      default:
        break;
    }
  } catch (...) {
    report_error("out of memory");
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool create_main_window(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = host_wnd_proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  wc.lpszClassName = "dsv_host_wnd";
  if (RegisterClassA(&wc) == 0) return false;
  const std::string title = "dsv_host - " + app.plugin_path.substr(app.plugin_path.find_last_of("\\/") + 1);
  // Bottom right of the work area, out of the way of the views' usual places.
  constexpr int width = 640;
  constexpr int height = 300;
  RECT work = {0, 0, 1024, 768};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.right - width - 16 > work.left ? work.right - width - 16 : work.left;
  const int y = work.bottom - height - 16 > work.top ? work.bottom - height - 16 : work.top;
  app.window = CreateWindowExA(0, "dsv_host_wnd", title.c_str(), WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                               build_menu(), instance, nullptr);
  return app.window != nullptr;
}

// Opens the views of --open; a view that shows no new window is an error.
void open_requested_views() {
  for (const std::string& name : app.options.open) {
    const plugin_entry_info* found = nullptr;
    for (const plugin_entry_info& entry : app.entries) {
      if (entry.entry_name == name) found = &entry;
    }
    if (found == nullptr || found->call == nullptr) {
      report_error("--open: the plug-in has no view " + name);
      app.exit_code = host_exit::usage;
      continue;
    }
    const std::vector<HWND> before = view_windows();
    call_entry(*found, host_event::open);
    HWND opened = nullptr;
    for (HWND window : view_windows()) {
      if (std::find(before.begin(), before.end(), window) == before.end()) opened = window;
    }
    if (opened == nullptr) {
      report_error("view " + name + " did not open a window");
      app.exit_code = host_exit::run_failed;
    } else {
      app.opened.emplace_back(name, opened);
    }
  }
}

bool is_lead_byte(unsigned char c) { return IsDBCSLeadByte(c) != 0; }

// --check-settings: the report on standard output, the reason for an unreadable
// file as an error; the checker's exit code.
int check_settings_file(const std::string& given) {
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(given.c_str(), MAX_PATH, full, nullptr);
  const std::string path = length > 0 && length < MAX_PATH ? std::string(full) : given;
  std::vector<std::string> lines;
  const int code = settings_check(path, profile_platform_files, is_lead_byte, lines);
  if (code == settings_check_exit::unreadable) {
    for (const std::string& line : lines) report_error(line);
  } else {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    if (!text.empty()) write_handle(GetStdHandle(STD_OUTPUT_HANDLE), text);
  }
  return code;
}

int run(HINSTANCE instance, const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--exit" || arg == "--list" || arg == "--help" || arg == "--checkout" || arg == "--checkout-table" ||
        arg == "--check-settings") {
      app.headless = true;
    }
  }
  std::string error;
  if (!parse_host_options(args, app.options, error)) {
    report_error(error + "\n" + host_usage());
    return host_exit::usage;
  }
  if (app.options.help) {
    if (!write_handle(GetStdHandle(STD_OUTPUT_HANDLE), host_usage())) report_error(host_usage());
    return host_exit::ok;
  }
  if (app.options.checkout_given || app.options.checkout_table) {
    // The large view's own table, built into this program: no plug-in needed.
    if (app.options.checkout_given) report_info(host_checkout_line(app.options.checkout_score));
    if (app.options.checkout_table) write_handle(GetStdHandle(STD_OUTPUT_HANDLE), host_checkout_table());
    return host_exit::ok;
  }
  if (!app.options.check_settings.empty()) return check_settings_file(app.options.check_settings);
  if (!app.options.seed_given) app.options.seed = GetTickCount();
  if (app.options.japanese) {
    // The plug-in picks its menu and dialog language from the thread locale,
    // also when it names its views, so this comes before the library loads.
    SetThreadLocale(japanese_locale);
    if (GetACP() != 932) {
      report_error("--japanese: the ANSI code page is " + std::to_string(GetACP()) +
                   ", not 932, so Japanese texts will not show right (under Wine, set LC_ALL=ja_JP.UTF-8)");
    }
  }
  const std::string path = app.options.plugin_path.empty() ? program_dir() + "dsv_view.dsv" : app.options.plugin_path;
  if (!load_plugin(path, error)) {
    report_error(error);
    return host_exit::plugin;
  }

  if (app.options.list) {
    for (std::size_t i = 0; i < app.entries.size(); ++i) {
      const plugin_entry_info& entry = app.entries[i];
      report_info(std::to_string(i) + "\t" + entry.entry_name + "\t" + std::to_string(entry.mask) + "\t" +
                  entry.menu_text);
    }
    return host_exit::ok;
  }

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
  if (app.record == nullptr || app.legs == nullptr) {
    report_error("no memory below 4 GB for the match record");
    return host_exit::run_failed;
  }
  app.sim = std::make_unique<match_sim>(app.record, app.legs, capacity, address32(app.legs), config);
  const uint32_t record_address = address32(app.record);
  std::memcpy(&app.host_block[host_layout::match_pointer], &record_address, sizeof record_address);
  std::memcpy(&app.query_block[host_layout::average_mode], &app.options.average_mode, sizeof app.options.average_mode);

  if (!create_main_window(instance)) {
    report_error("cannot create the main window: " + last_error_text(GetLastError()));
    return host_exit::run_failed;
  }
  ShowWindow(app.window, SW_SHOWNORMAL);
  UpdateWindow(app.window);
  open_requested_views();

  int visits = app.options.visits;
  if (visits < 0 && (app.options.exit_at_end || !app.options.screenshot_dir.empty())) visits = 0;
  if (visits == 0) {
    finish_run();
  } else if (visits > 0) {
    app.visits_left = visits;
    start_visit_clock();
  }
  update_title_and_menu();

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return app.exit_code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.push_back(__argv[i]);
  int code = host_exit::run_failed;
  try {
    code = run(instance, args);
  } catch (...) {
    report_error("out of memory");
  }
  if (app.module != nullptr) {
    // Views still open (the window closed another way) must go before the library.
    for (HWND window : view_windows()) DestroyWindow(window);
    FreeLibrary(app.module);
  }
  return code;
}
