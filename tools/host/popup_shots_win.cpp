#include "popup_shots_win.h"

#include <vector>

#include "picture.h"
#include "popup_menu_win.h"
#include "screen_capture_win.h"

namespace {

constexpr UINT tick_ms = 50;
constexpr int timeout_ticks = 100;  // five seconds for a menu or dialog to come or go
constexpr int paint_ticks = 2;      // ticks between a window's first sight and its picture

enum class phase { idle, wait_cursor, wait_menu, wait_menu_closed, wait_dialog, wait_dialog_closed };

struct shot_run {
  popup_shot shot;
  HWND notify = nullptr;
  UINT done_message = 0;
  UINT_PTR timer = 0;
  phase now = phase::idle;
  int ticks = 0;       // ticks in this phase
  int seen_ticks = 0;  // ticks since the awaited window appeared
  HWND dialog = nullptr;
  POINT cursor = {0, 0};  // where the right click happens, on the screen
  std::string error;
};

shot_run run;

uint32_t desktop_colour() {
  const COLORREF c = GetSysColor(COLOR_BACKGROUND);
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

void finish(bool ok) {
  KillTimer(nullptr, run.timer);
  run.timer = 0;
  run.now = phase::idle;
  PostMessageA(run.notify, run.done_message, ok ? 1 : 0, 0);
}

// Ends the shot with `reason`, closing whatever it left open.
void fail(const std::string& reason) {
  run.error = reason;
  if (visible_thread_window(popup_menu_class) != nullptr) EndMenu();
  if (run.dialog != nullptr && IsWindow(run.dialog)) PostMessageA(run.dialog, WM_COMMAND, IDCANCEL, 0);
  finish(false);
}

void enter(phase next) {
  run.now = next;
  run.ticks = 0;
  run.seen_ticks = 0;
}

// The awaited window once it has had time to paint, or null for now.
HWND settled(const char* class_name, const char* what) {
  HWND window = visible_thread_window(class_name);
  if (window == nullptr) {
    if (++run.ticks > timeout_ticks) fail(std::string("no ") + what + " appeared");
    return nullptr;
  }
  if (++run.seen_ticks <= paint_ticks) return nullptr;
  UpdateWindow(window);
  return window;
}

bool write(const std::vector<picture>& parts, const std::string& path) {
  std::string error;
  if (!write_picture(compose_pictures(parts, desktop_colour()), path, error)) {
    fail(error);
    return false;
  }
  return true;
}

// Posts the keys that choose the menu's item `id`; false when it has none.
bool pick_item(HWND popup, int id) {
  HMENU menu = menu_of_popup(popup);
  const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    if (GetMenuItemID(menu, i) == static_cast<UINT>(id)) {
      choose_popup_item(popup, menu, i);
      return true;
    }
  }
  return false;
}

// The view's menu opens at the cursor, and the cursor's new place can take a
// moment to show in GetCursorPos: click once it has (or after a while anyway).
void on_cursor() {
  POINT now = {};
  GetCursorPos(&now);
  if ((now.x != run.cursor.x || now.y != run.cursor.y) && ++run.ticks <= paint_ticks * 5) return;
  enter(phase::wait_menu);
  PostMessageA(run.shot.view, WM_RBUTTONUP, 0, MAKELPARAM(run.shot.at.x, run.shot.at.y));
}

void on_menu() {
  HWND popup = settled(popup_menu_class, "menu");
  if (popup == nullptr) return;
  if (!run.shot.menu_path.empty()) {
    picture view;
    picture menu;
    if (!capture_window(run.shot.view, true, view) || !capture_window(popup, true, menu)) {
      fail("cannot read the view or its menu");
      return;
    }
    if (!write({view, menu}, run.shot.menu_path)) return;
  }
  if (run.shot.pick_id == 0) {
    EndMenu();
    enter(phase::wait_menu_closed);
  } else if (pick_item(popup, run.shot.pick_id)) {
    enter(phase::wait_dialog);
  } else {
    fail("the menu has no item " + std::to_string(run.shot.pick_id));
  }
}

void on_dialog() {
  HWND dialog = settled(dialog_class, "dialog");
  if (dialog == nullptr) return;
  run.dialog = dialog;
  picture p;
  if (!capture_window(dialog, true, p)) {
    fail("cannot read the dialog");
    return;
  }
  if (!write({p}, run.shot.dialog_path)) return;
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  enter(phase::wait_dialog_closed);
}

void on_closed(bool gone, const char* what) {
  if (gone) {
    finish(true);
  } else if (++run.ticks > timeout_ticks) {
    fail(std::string("the ") + what + " did not close");
  }
}

void CALLBACK on_tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
  try {
    switch (run.now) {
      case phase::wait_cursor: on_cursor(); break;
      case phase::wait_menu: on_menu(); break;
      case phase::wait_menu_closed: on_closed(visible_thread_window(popup_menu_class) == nullptr, "menu"); break;
      case phase::wait_dialog: on_dialog(); break;
      case phase::wait_dialog_closed: on_closed(!IsWindow(run.dialog), "dialog"); break;
      case phase::idle: break;
    }
  } catch (...) {
    fail("out of memory");
  }
}

}  // namespace

bool start_popup_shot(const popup_shot& shot, HWND notify, UINT done_message) {
  if (run.now != phase::idle || !IsWindow(shot.view)) return false;
  run.shot = shot;
  run.notify = notify;
  run.done_message = done_message;
  run.dialog = nullptr;
  run.error.clear();
  run.timer = SetTimer(nullptr, 0, tick_ms, on_tick);
  if (run.timer == 0) return false;
  run.cursor = shot.at;
  ClientToScreen(shot.view, &run.cursor);
  SetCursorPos(run.cursor.x, run.cursor.y);
  enter(phase::wait_cursor);
  return true;
}

std::string popup_shot_error() { return run.error; }
