// Module-wide state of the plug-in boundary: the library's instance handle and
// the views it offers. Each view's open window and the result view's averaging
// mode are kept by the view (its header, included here).
#pragma once

#include <windows.h>

#include "views/board/view_window_win.h"
#include "views/result/result_window_win.h"
#include "views/score/score_window_win.h"

extern HINSTANCE module_instance;

// The views in the host's enumeration order (large, small, result): start-up
// registers their classes, unload closes their windows and unregisters them.
constexpr int plugin_view_count = 3;
extern const view_description* const plugin_views[plugin_view_count];

// The window-exists test: non-null and IsWindow returns exactly 1.
bool window_exists(HWND window) noexcept;
