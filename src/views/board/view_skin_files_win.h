// The large view's skin files: the three bitmaps the settings name, loaded
// once when the window is created, in the screen's format with the files' own
// colours. The window state owns what is loaded.
#pragma once

#include <windows.h>

#include "views/board/view_window_win.h"

// Loads the three skin bitmaps into `state` when all three names are set; a
// file that does not load leaves its handle null. Relative names are looked up
// beside the library; the process's current directory is never touched.
void view_load_skin(HWND window, view_window_state& state) noexcept;
