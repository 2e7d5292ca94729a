#include "host_window_win.h"

#include <cstring>

#include "host_match_win.h"
#include "host_screenshots_win.h"
#include "plugin/host_protocol.h"

namespace {

constexpr const char* window_class = "dsv_host_wnd";

// The Views menu: one submenu per entry, an item per event code.
constexpr int cmd_entry_base = 1000;  // + entry * 8 + index into entry_codes
constexpr uint32_t entry_codes[] = {host_event::open, host_event::close, host_event::change, host_event::change_twice,
                                    host_event::result_change};
constexpr const char* entry_code_labels[] = {"&Open / toggle (4)", "&Close (2)", "&Redraw (128)",
                                             "Redraw &twice (512)", "Result c&hange (32)"};

void paint_main(host_app& app, HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  int y = 10;
  auto line = [dc, &y](int x, const std::string& text, bool next_line = true) {
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    if (next_line) y += 18;
  };
  const match_sim& sim = *app.sim;
  line(10, "Plug-in: " + app.plugin.path);
  y += 8;
  for (int p = 0; p < 2; ++p) {
    line(10, p == sim.player_to_throw() && !sim.match_over() ? ">" : "", false);
    line(24, sim.name(p), false);
    line(220, "sets " + std::to_string(sim.sets(p)), false);
    line(290, "legs " + std::to_string(sim.legs(p)), false);
    line(360, "score " + std::to_string(sim.score(p)));
  }
  y += 8;
  line(10, "Leg " + std::to_string(sim.current_leg() + 1) + ", visits played: " + std::to_string(sim.visits_played()) +
               (sim.match_over() ? ", match over" : ""));
  line(10, "Last visit: " + (app.last_visit.empty() ? std::string("none") : app.last_visit));
  if (match_shows_board(app)) {
    const std::string names[2] = {sim.name(0), sim.name(1)};
    line(10, board_status_line(app.board, names));
  }
  line(10, "Match: " + std::string(app.running ? "running" : "paused") + ", " + std::to_string(app.options.delay_ms) +
               " ms between visits, seed " + std::to_string(app.options.seed));
  line(10, "Average mode reported to the plug-in: " + std::to_string(app.options.average_mode) +
               (app.options.average_mode == 1 ? " (per three darts)" : " (per dart)") +
               ", queries answered: " + std::to_string(app.queries));
  y += 8;
  line(10, "Views menu: open, close and notify each view. Match menu: start or pause (Space), one visit (V)" +
               std::string(match_shows_board(app) ? ", one dart (D), take a visit back (U)." : "."));
  SelectObject(dc, old_font);
  EndPaint(window, &ps);
}

void on_command(host_app& app, int id) {
  if (id >= cmd_entry_base) {
    const std::size_t entry = static_cast<std::size_t>(id - cmd_entry_base) / 8;
    const std::size_t code = static_cast<std::size_t>(id - cmd_entry_base) % 8;
    if (entry < app.plugin.entries.size() && code < sizeof entry_codes / sizeof entry_codes[0]) {
      plugin_call(app.plugin.entries[entry], app.window, app.host_block.data(), entry_codes[code]);
      InvalidateRect(app.window, nullptr, TRUE);
    }
    return;
  }
  switch (id) {
    case cmd_start_pause:
      if (app.running) {
        match_pause(app);
      } else {
        app.visits_left = -1;
        match_start(app);
      }
      break;
    case cmd_step:
      if (!app.running) match_play_visit(app);
      break;
    case cmd_step_dart:
      if (!app.running) match_play_dart(app);
      break;
    case cmd_undo:
      match_undo(app);
      break;
    case cmd_new_match:
      match_restart(app);
      break;
    case cmd_average: {
      app.options.average_mode = app.options.average_mode == 1 ? 0 : 1;
      const int32_t mode = app.options.average_mode;
      std::memcpy(&app.query_block[host_layout::average_mode], &mode, sizeof mode);
      match_show_state(app);
      break;
    }
    case cmd_exit:
      SendMessageA(app.window, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

HMENU build_menu(host_app& app) {
  HMENU bar = CreateMenu();
  HMENU views = CreatePopupMenu();
  for (std::size_t i = 0; i < app.plugin.entries.size(); ++i) {
    const plugin_entry_info& entry = app.plugin.entries[i];
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
  AppendMenuA(app.match_menu, MF_STRING, cmd_step_dart, "Step one &dart\tD");
  AppendMenuA(app.match_menu, MF_STRING, cmd_undo, "&Take back the last visit\tU");
  AppendMenuA(app.match_menu, MF_STRING, cmd_new_match, "&New match");
  AppendMenuA(app.match_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(app.match_menu, MF_STRING, cmd_average, "&Averages per three darts (next opening of a result view)");
  AppendMenuA(app.match_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(app.match_menu, MF_STRING, cmd_exit, "E&xit");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(app.match_menu), "&Match");
  return bar;
}

LRESULT on_message(host_app& app, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case view_message::host_query:
      ++app.queries;
      InvalidateRect(window, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(app.query_block.data());
    case next_visit_message:
      match_on_clock(app);
      return 0;
    case WM_TIMER:
      if (wparam == visit_timer) {
        match_on_clock(app);
      } else if (wparam == finish_timer) {
        KillTimer(window, finish_timer);
        if (!app.options.screenshot_dir.empty()) {
          take_screenshots(app);
          queue_popup_shots(app);
        }
        next_popup_shot(app);
      }
      return 0;
    case shot_done_message:
      on_popup_shot_done(app, wparam != 0);
      return 0;
    case WM_COMMAND:
      on_command(app, LOWORD(wparam));
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_SPACE) on_command(app, cmd_start_pause);
      if (wparam == 'V') on_command(app, cmd_step);
      if (wparam == 'D') on_command(app, cmd_step_dart);
      if (wparam == 'U') on_command(app, cmd_undo);
      return 0;
    case WM_PAINT:
      paint_main(app, window);
      return 0;
    case WM_CLOSE:
      plugin_close_views(app.plugin, app.window, app.host_block.data());
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(app.exit_code);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// The window's host_app rides in its user data from the first message that carries it.
LRESULT CALLBACK host_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* app = reinterpret_cast<host_app*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (app == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  try {
    return on_message(*app, window, message, wparam, lparam);
  } catch (...) {
    report_error(app->console, "out of memory");
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

bool create_main_window(host_app& app, HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = host_wnd_proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  wc.lpszClassName = window_class;
  if (RegisterClassA(&wc) == 0) return false;
  const std::string title = "dsv_host - " + app.plugin.path.substr(app.plugin.path.find_last_of("\\/") + 1);
  // Bottom right of the work area, out of the way of the views' usual places.
  constexpr int width = 640;
  constexpr int height = 300;
  RECT work = {0, 0, 1024, 768};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.right - width - 16 > work.left ? work.right - width - 16 : work.left;
  const int y = work.bottom - height - 16 > work.top ? work.bottom - height - 16 : work.top;
  app.window = CreateWindowExA(0, window_class, title.c_str(), WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                               build_menu(app), instance, &app);
  return app.window != nullptr;
}
