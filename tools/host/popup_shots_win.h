// Pictures of the plug-in's context menus and dialogs. A shot opens a view's
// menu as a right click does, pictures the view with the open menu over it, and
// then closes the menu, or picks an item, pictures the dialog that item opens
// and cancels it. Menus and dialogs run their own message loops on the host's
// thread, so the shot is driven by a thread timer that fires inside them.
#pragma once

#include <windows.h>

#include <string>

struct popup_shot {
  HWND view = nullptr;
  POINT at = {0, 0};        // client point of the right click (the menu opens there)
  std::string menu_path;    // the view with its open menu, as a .bmp; empty: no picture
  int pick_id = 0;          // 0: close the menu; otherwise pick the item of this id...
  std::string dialog_path;  // ...picture the dialog it opens here, and cancel it
};

// Starts a shot; false when one is already running or the view is gone. When the
// shot is over, `done_message` is posted to `notify` with wParam 1 on success
// and 0 on failure (the reason is then in popup_shot_error()).
bool start_popup_shot(const popup_shot& shot, HWND notify, UINT done_message);

// Why the last shot failed.
std::string popup_shot_error();
