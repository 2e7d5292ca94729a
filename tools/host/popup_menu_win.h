// Finding and working an open popup menu from inside its modal loop, for what
// pictures a view's context menu (the simulated host) and what drives one (the
// Wine tests). Menus and the plug-in's dialogs belong to the thread that opened
// them, so only this thread's windows are looked at.
#pragma once

#include <windows.h>

constexpr const char* popup_menu_class = "#32768";  // the system's class of popup menu windows
constexpr const char* dialog_class = "#32770";      // and of dialog boxes

namespace popup_menu_detail {
struct window_search {
  const char* class_name;
  HWND found;
};
inline BOOL CALLBACK match_visible_class(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<window_search*>(lparam);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (IsWindowVisible(window) && lstrcmpA(name, search->class_name) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace popup_menu_detail

// A visible top-level window of this thread with the class name, or null.
inline HWND visible_thread_window(const char* class_name) {
  popup_menu_detail::window_search search = {class_name, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), popup_menu_detail::match_visible_class, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The menu an open popup menu window shows, or null.
inline HMENU menu_of_popup(HWND popup) { return reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)); }

// Posts the keys that move the popup's highlight down to the item at 0-based
// `position` and choose it. The highlight skips separators, so only the other
// items up to `position` take a key each.
inline void choose_popup_item(HWND popup, HMENU menu, int position) {
  int steps = 0;
  const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i <= position && i < count; ++i) {
    if (GetMenuItemID(menu, i) != 0) ++steps;
  }
  for (int k = 0; k < steps; ++k) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
}
