// A view's context menu driven from inside the menu's modal loop, on this
// thread: a thread timer finds the open popup, records its items, runs a
// callback, then chooses an item with the arrow keys and Enter or dismisses it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct menu_run {
  std::vector<std::pair<UINT, std::string>> items;        // id, text in the ANSI code page; separators id 0
  std::vector<std::pair<UINT, std::wstring>> wide_items;  // the same items, their texts as UTF-16
  bool seen = false;                                      // the menu opened
};

// Opens the window's context menu as a right click at client point `at` does
// and returns when the menu and whatever its command started (a dialog) are
// over. `pick` is the 1-based position of the item to choose, separators
// counted; 0 dismisses the menu. `during` runs while the menu is open. Returns
// what was seen, a copy of its own that later menus leave as it is.
menu_run run_menu(HWND window, int pick, std::function<void()> during = nullptr, POINT at = {5, 5});

// The items as "id:text|" in UTF-16: L"3:&Fullscreen|0:|1:&Close|".
std::wstring menu_listing(const menu_run& run);
