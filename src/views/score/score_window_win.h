// The small score view: a compact board with a free title line, a first-player
// circle and a current-player triangle. Its description is read by the plug-in's
// start-up and exports; the rest is the window's own machinery, declared here so
// that tests can drive it piece by piece.
#pragma once

#include <windows.h>

#include "draw/view_frame_win.h"

struct match_state;

// The view's class, title, settings and operations.
extern const view_description score_description;
extern HWND score_hwnd;  // the open window, null when none

// One per window, owned by the window from WM_CREATE to WM_DESTROY. The marks
// are drawn at twice their size on their own surfaces and shrunk onto the
// buffer, which the halftone stretch mode of mem_dc smooths.
struct score_window_state : frame_state_head {
  memory_dc first_mark_dc;    // holds a 2 * (client height / 10) square
  memory_dc current_mark_dc;  // holds a 2 * (client height / 5) square
  unique_hfont header_font;  // "font_name", height / 7 points: column heads
  unique_hfont title_font;   // menu font, height / 7 points: the title line
  unique_hfont name_font;    // menu font, height / 5 points: player names
  unique_hfont number_font;  // "font_name", height / 5 points: sets, legs, score
  int32_t client_height = 0;  // at the last buffer build
  unique_hbrush line_brush;
  unique_hbrush head_brush;
  unique_hbrush name_brush;
  unique_hbrush sets_brush;
  unique_hbrush legs_brush;
  unique_hbrush score_brush;
  unique_hbrush current_mark_brush;
  unique_hbrush current_back_brush;
  unique_hbrush first_mark_brush;
  unique_hpen first_mark_pen;
  const match_state* match = nullptr;
};

// Builds the client-size buffer, the two mark surfaces and the four fonts for
// the current client size.
void score_create_buffer(HWND window, score_window_state* state) noexcept;

// Puts back the bitmaps the three DCs held and deletes the buffer, the mark
// bitmaps and the fonts; the DCs, brushes and pen stay.
void score_release_buffer(HWND window, score_window_state* state) noexcept;

// Draws the whole board into mem_dc from the match record and the settings as
// they stand. Creates nothing.
void score_paint_board(HWND window, score_window_state* state) noexcept;

// The Edit Title command: runs the modal dialog owned by `window` and repaints
// the board unless it was cancelled. The host may close the window while the
// dialog is open; then nothing of `state` is touched afterwards.
void score_edit_title(HWND window, const score_window_state* state) noexcept;

// Procedure of the Edit Title dialog (template 101): shows the title, stores
// at most 254 characters of the edit text on OK and ends with 1; Cancel, Escape
// and the close box end it with 0 and change nothing.
INT_PTR CALLBACK score_title_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
