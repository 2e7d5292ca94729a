// Helpers of the small score view's tests: driving its context menu and its
// modal Edit Title dialog from inside their modal loops, on this thread only.
#pragma once

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "test_host.h"

namespace score_test {

inline std::string class_name_of(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

inline std::string text_of(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The context menu: a thread timer reads the open popup (this thread's "#32768"),
// records its items, runs `during`, then picks the item at 1-based position
// `pick` with the arrow keys and Enter (0 dismisses the menu).
struct menu_run {
  std::vector<std::pair<UINT, std::string>> items;  // id, text; separators id 0
  int pick = 0;
  std::function<void()> during;
  bool seen = false;
};

inline menu_run& current_menu() {
  static menu_run run;
  return run;
}

inline void CALLBACK menu_timer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND popup = find_thread_window("#32768");
  if (popup == nullptr || !IsWindowVisible(popup)) return;
  KillTimer(nullptr, id);
  menu_run& run = current_menu();
  run.seen = true;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    run.items.emplace_back(GetMenuItemID(menu, i), text);
  }
  if (run.during) run.during();
  if (run.pick == 0) {
    EndMenu();
    return;
  }
  int steps = 0;
  for (int i = 0; i < run.pick && i < static_cast<int>(run.items.size()); ++i) {
    if (run.items[static_cast<std::size_t>(i)].first != 0) ++steps;
  }
  for (int i = 0; i < steps; ++i) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
}

// Opens the window's context menu as a right click does and returns when the
// menu and whatever its command started (the dialog) are over.
inline const menu_run& run_menu(HWND window, int pick, std::function<void()> during = nullptr) {
  menu_run& run = current_menu();
  run = menu_run{};
  run.pick = pick;
  run.during = std::move(during);
  SetTimer(nullptr, 0, 10, menu_timer);
  SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  return run;
}

// The Edit Title dialog: a thread-local CBT hook sees the dialog ("#32770")
// activated; a thread timer then hands it to `act` inside the dialog's loop.
struct dialog_run {
  std::function<void(HWND dialog)> act;
  HWND dialog = nullptr;
  int opened = 0;
};

inline dialog_run& current_dialog() {
  static dialog_run run;
  return run;
}

inline void CALLBACK dialog_timer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  dialog_run& run = current_dialog();
  if (run.act && IsWindow(run.dialog)) run.act(run.dialog);
}

inline LRESULT CALLBACK dialog_hook_proc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wparam);
    dialog_run& run = current_dialog();
    if (class_name_of(window) == "#32770" && window != run.dialog) {
      run.dialog = window;
      ++run.opened;
      SetTimer(nullptr, 0, 10, dialog_timer);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Arms the hook for the dialogs opened while it lives.
class dialog_driver {
 public:
  explicit dialog_driver(std::function<void(HWND dialog)> act) {
    current_dialog() = dialog_run{};
    current_dialog().act = std::move(act);
    hook_ = SetWindowsHookExA(WH_CBT, dialog_hook_proc, nullptr, GetCurrentThreadId());
  }
  ~dialog_driver() {
    UnhookWindowsHookEx(hook_);
    current_dialog() = dialog_run{};
  }
  dialog_driver(const dialog_driver&) = delete;
  dialog_driver& operator=(const dialog_driver&) = delete;
  int opened() const { return current_dialog().opened; }

 private:
  HHOOK hook_ = nullptr;
};

// Children of the dialog in template order (the order they were created).
inline std::vector<HWND> controls_of(HWND dialog) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

// The control's place in dialog units, measured back from pixels with the
// dialog's own base units (MapDialogRect of a known rectangle).
inline RECT pixels_of_units(HWND dialog, int x, int y, int w, int h) {
  RECT r = {x, y, x + w, y + h};
  MapDialogRect(dialog, &r);
  return r;
}

inline RECT client_rect_of(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace score_test
