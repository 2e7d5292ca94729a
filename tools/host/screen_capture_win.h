// Reads back what windows and the screen show, for the simulated host's
// screenshots, and writes pictures as .bmp files.
#pragma once

#include <windows.h>

#include <string>

#include "picture.h"

// The window's client area (whole_window false) or the whole window with its
// frame (true), as the window shows it, at its screen position. False when the
// area is empty or no memory is left for the pixels; `out` then has the area's
// size and no pixels.
bool capture_window(HWND window, bool whole_window, picture& out);

// The whole virtual screen (every monitor, or Wine's virtual desktop).
bool capture_screen(picture& out);

// Writes `p` as a 24-bit .bmp file; false with the reason in `error`.
bool write_picture(const picture& p, const std::string& path, std::string& error);

// Text for a Windows error code: "error N (message)".
std::string last_error_text(DWORD code);
