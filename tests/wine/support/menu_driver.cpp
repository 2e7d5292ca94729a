#include "menu_driver.h"

#include "popup_menu_win.h"

namespace {

struct menu_script {
  menu_run run;
  int pick = 0;
  std::function<void()> during;
};

menu_script& current() {
  static menu_script script;
  return script;
}

void CALLBACK menu_timer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND popup = visible_thread_window(popup_menu_class);
  if (popup == nullptr) return;
  KillTimer(nullptr, id);
  menu_script& script = current();
  script.run.seen = true;
  HMENU menu = menu_of_popup(popup);
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const UINT item = GetMenuItemID(menu, i);
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    script.run.items.emplace_back(item, text);
    wchar_t wide[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), wide, 128, MF_BYPOSITION);
    script.run.wide_items.emplace_back(item, wide);
  }
  if (script.during) script.during();
  if (script.pick == 0) {
    EndMenu();
  } else {
    choose_popup_item(popup, menu, script.pick - 1);
  }
}

}  // namespace

menu_run run_menu(HWND window, int pick, std::function<void()> during, POINT at) {
  menu_script& script = current();
  script = menu_script{};
  script.pick = pick;
  script.during = std::move(during);
  SetTimer(nullptr, 0, 10, menu_timer);
  SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  return script.run;
}

std::wstring menu_listing(const menu_run& run) {
  std::wstring s;
  for (const auto& [id, text] : run.wide_items) s += std::to_wstring(id) + L":" + text + L"|";
  return s;
}
