// The large view for the Wine tests: a window of the real library opened with a
// settings file of its own and fed change notices, and the pictures its
// options should give, drawn here with the settings that file gives.
#pragma once

#include <windows.h>

#include <string>

#include "test_host.h"
#include "views/board/board_extras.h"

// Opens the large view of `dll` for `host`: its window, or null when it did
// not open.
HWND open_large_view(plugin_dll& dll, fake_host& host);

// The large view of a library loaded with `ini`, left open for notices.
struct large_view_window {
  plugin_dll dll;
  fake_host host;
  HWND window = nullptr;

  large_view_window(const std::string& ini, fake_match& match, bool with_skin = false);
  ~large_view_window();
  large_view_window(const large_view_window&) = delete;
  large_view_window& operator=(const large_view_window&) = delete;
  client_pixels shot() const { return capture_client(window); }
  void notice();
};

// The large view's settings globals of this program as the library reads
// `ini` (a whole file's text).
void load_view_settings(const std::string& ini);

// Text mode, with the settings of load_view_settings: where the options go in
// a `width` x `height` client, measured with the score font as the view makes it.
board_extras_text_layout text_mode_bands(int width, int height);

// Text mode: `board` (a picture of the view with the options off) with
// `content` drawn over it as the view draws the options.
client_pixels with_options_drawn(const client_pixels& board, const board_extras_content& content);

// `board` with the call-out banner `text` drawn over it as the view draws it.
client_pixels with_banner_drawn(const client_pixels& board, const char* text);

// The first pixel where two pictures differ, or success.
::testing::AssertionResult same_pixels(const client_pixels& got, const client_pixels& want);
