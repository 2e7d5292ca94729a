// Module-wide state of the plug-in boundary: the library's instance handle and
// the three view windows, plus the host's averaging mode for the result view.
#pragma once

#include <windows.h>

#include <cstdint>

extern HINSTANCE module_instance;
extern HWND view_hwnd;    // large score view
extern HWND score_hwnd;   // small score view
extern HWND result_hwnd;  // result view
extern int32_t average_mode;  // 1: averages per three darts

// The window-exists test: non-null and IsWindow returns exactly 1.
bool window_exists(HWND window) noexcept;

// Clears the view handle that holds `window`. Called as a view's window is
// destroyed, however it closes (its own menu, Alt+F4, the host), so that a
// later window with the same handle value is never taken for the view.
void forget_view_window(HWND window) noexcept;
