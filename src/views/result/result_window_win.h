// The result view: its description (which the plug-in's exports and start-up
// read), its window state, buffer builder and table painter. The window owns
// every GDI object in its state; the match record is the host's.
#pragma once

#include <windows.h>

#include <cstdint>

#include "draw/view_frame_win.h"
#include "views/result/result_table.h"

struct match_state;

struct result_window_state : frame_state_head {
  unique_hfont name_font;   // system menu font, bold, at font_size: the player names
  unique_hfont table_font;  // "font_name", bold, at font_size: labels and values
  int32_t font_size = 0;    // fitted at every rebuild, never saved
  // The table font's height and average width on the buffer, measured with the font.
  int32_t table_height = 0;
  int32_t table_ave_width = 0;
  unique_hbrush line_brush;
  unique_hbrush head_brush;
  unique_hbrush body_brush;
  const match_state* match = nullptr;
};

// The view's class, title, settings and operations. Its window opens maximised
// when "reslut_full_screen" is on.
extern const view_description result_description;
extern HWND result_hwnd;  // the open window, null when none

// The host's averaging mode, asked as the view opens: 1 averages per three darts.
extern int32_t average_mode;

// Builds the client-size buffer and the two fonts at the largest size whose
// eleven rows fit the client height.
void result_create_buffer(HWND window, result_window_state* state) noexcept;
// Puts the saved bitmap back, deletes the buffer and the fonts.
void result_release_buffer(HWND window, result_window_state* state) noexcept;
// Draws the whole table into the buffer from the match record.
void result_paint_table(HWND window, result_window_state* state) noexcept;

// The builder with a chosen font-size search (the window's own builder uses
// result_fit_font_fast); returns what the search found.
using result_font_search = result_font_fit (*)(int32_t start, int32_t client_height, int32_t line_width,
                                               const result_font_probe& probe);
result_font_fit result_build_buffer(HWND window, result_window_state* state, result_font_search search) noexcept;

// Cell height (tmHeight) of the bold table font of `face` at `points`, measured
// with a trial font selected into `dc` and deleted again.
int32_t result_measure_tm_height(HDC dc, const char* face, int32_t points) noexcept;

// The search's view of the font mapper: trial fonts of `face` measured in `dc`.
struct result_dc_probe {
  HDC dc;
  const char* face;
  // Valid as long as this object lives.
  result_font_probe probe() noexcept;
};
