#include "host_screenshots_win.h"

#include "host_match_win.h"

#include "screen_capture_win.h"

namespace {

constexpr const char* small_view_entry = "dsv_socre";
constexpr int edit_title_item = 3;  // the small view's menu item that opens Edit Title

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

// The window `entry` opened at start, or null when it did not open one or it is gone.
HWND opened_view(const host_app& app, const std::string& entry) {
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

void end_of_run(host_app& app) {
  if (app.options.exit_at_end) {
    report_info("played " + std::to_string(app.sim->visits_played()) + " visits");
    if (match_shows_board(app)) {
      const std::string names[2] = {app.sim->name(0), app.sim->name(1)};
      report_info(board_status_line(app.board, names));
    }
    SendMessageA(app.window, WM_CLOSE, 0, 0);
  }
}

}  // namespace

void take_screenshots(host_app& app) {
  const std::string& dir = app.options.screenshot_dir;
  CreateDirectoryA(dir.c_str(), nullptr);
  const DWORD attributes = GetFileAttributesA(dir.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    report_error(app.console, "cannot create the screenshot directory " + dir);
    app.exit_code = host_exit::run_failed;
    return;
  }
  for (HWND window : plugin_view_windows(app.window)) {
    std::string error;
    const std::string written = write_screenshot(window, dir, error);
    if (!written.empty()) {
      report_info("screenshot " + written);
    } else {
      report_error(app.console, "no screenshot: " + error);
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
      report_error(app.console, "no picture of the screen" + (error.empty() ? std::string() : ": " + error));
      app.exit_code = host_exit::run_failed;
    }
  }
}

void queue_popup_shots(host_app& app) {
  const std::string& dir = app.options.screenshot_dir;
  for (const std::string& entry : app.options.shot_menus) {
    HWND view = opened_view(app, entry);
    if (view == nullptr) {
      report_error(app.console, "--shot-menu: view " + entry + " is not open");
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
    HWND view = opened_view(app, small_view_entry);
    if (view == nullptr) {
      report_error(app.console,
                   "--shot-title-dialog: the small view (" + std::string(small_view_entry) + ") is not open");
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

void next_popup_shot(host_app& app) {
  while (!app.shots.empty()) {
    app.current_shot = app.shots.front();
    app.shots.erase(app.shots.begin());
    if (start_popup_shot(app.current_shot, app.window, shot_done_message)) return;
    report_error(app.console, "no picture of a menu: its view has closed");
    app.exit_code = host_exit::run_failed;
  }
  end_of_run(app);
}

void on_popup_shot_done(host_app& app, bool ok) {
  if (ok) {
    for (const std::string& path : {app.current_shot.menu_path, app.current_shot.dialog_path}) {
      if (!path.empty()) report_info("screenshot " + path);
    }
  } else {
    report_error(app.console, "no picture of the " + std::string(app.current_shot.pick_id != 0 ? "dialog" : "menu") +
                                  " of " + class_of(app.current_shot.view) + ": " + popup_shot_error());
    app.exit_code = host_exit::run_failed;
  }
  next_popup_shot(app);
}
