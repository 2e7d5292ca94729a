// The large score view: its description, the skin bitmaps it loads at creation,
// and the board it paints in text mode or, when the skin's background loaded,
// in bitmap mode. The window state owns every GDI object below; the frame
// (view_frame_win.h) drives it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "draw/gdi_handles_win.h"
#include "draw/view_frame_win.h"
#include "match/match_tracker.h"
#include "views/board/board_banner_win.h"
#include "views/board/board_callout.h"
#include "views/board/board_extras_win.h"
#include "views/board/stretch_cache_win.h"

struct match_state;

// Everything a bitmap-mode picture is made of besides the skin bitmaps and the
// fonts, which change only with a buffer rebuild. The same key means the buffer
// already holds the picture. Only 32-bit fields and whole byte arrays: no padding.
struct view_skin_key {
  char names[2][68];
  int32_t numbers[2][3];  // score, sets, legs
  int32_t name_box[2][4];
  int32_t positions[2][6];
  uint32_t name_colour;
  int32_t width, height;
  board_extras_key extras;  // what the options draw; all zero while they are off
};

struct view_window_state : frame_state_head {
  // Loaded once at creation when all three skin names are set; live as long as
  // the window. A non-null skin_back means bitmap mode.
  unique_hbitmap skin_back;
  unique_hbitmap skin_num_l;
  unique_hbitmap skin_num_s;
  // Rebuilt with the buffer, and only for the skin bitmaps that loaded.
  // Transparent background; owns a bitmap of the background's size, where
  // bitmap mode composes.
  memory_dc compose_dc;
  memory_dc back_dc;      // skin_back selected, borrowed
  BITMAP back_info = {};  // the background's width and height; zero in text mode
  memory_dc num_l_dc;     // skin_num_l selected, borrowed
  BITMAP num_l_info = {};
  int32_t num_l_cell = 0;  // width of one digit of the large strip; 0 draws nothing
  memory_dc num_s_dc;      // skin_num_s selected, borrowed
  BITMAP num_s_info = {};
  int32_t num_s_cell = 0;
  // Rebuilt with the buffer: sizes follow the client width.
  unique_hfont label_font;   // "SCORE", "LEGS", "SETS"
  unique_hfont name_font;    // player names, from the menu font
  unique_hfont score_font;   // scores in text mode
  unique_hfont number_font;  // sets and legs in text mode
  // Made once at creation from the colour settings.
  unique_hbrush back_brush;  // color_line_color, the whole client behind the boxes
  unique_hbrush name_brush;
  unique_hbrush sets_brush;
  unique_hbrush legs_brush;
  unique_hbrush score_brush;
  // The options' fonts, brush and pen; rebuilt with the buffer, none while the options are off.
  board_extras_gdi extras;
  // The match from notice to notice, followed while show_last_visit or
  // show_callout is on; the banner up now, and its pixels.
  match_tracker tracker;
  board_callout callout;
  uint32_t callout_deadline = 0;  // GetTickCount() when the banner's time is up
  bool callout_timer_running = false;
  board_banner_gdi banner;
  const match_state* match = nullptr;
  // What the buffer shows in bitmap mode; forgotten with every buffer rebuild.
  view_skin_key shown_key = {};
  bool shown_key_valid = false;
  // The composition the buffer shows and what re-stretching its changes needs;
  // released with the buffer.
  stretch_cache stretch;
};

// The view's class, title, settings and operations. Its window opens maximised
// when "full_screen" is on.
extern const view_description board_description;
extern HWND view_hwnd;  // the open window, null when none

// The buffer at the client's size, the skin's device contexts and the four
// fonts; and their release, which leaves mem_dc, the skin bitmaps, the brushes
// and the match pointer alone.
void view_create_buffer(HWND window, view_window_state* state) noexcept;
void view_release_buffer(HWND window, view_window_state* state) noexcept;

// Draws the whole board into mem_dc from the match record: bitmap mode when the
// skin's background is loaded, text mode otherwise. With show_last_visit,
// show_callout, the caller or the stream feed on, first feeds the record to the
// match tracker, which raises or takes down the banner (laid over the buffer
// when the window is painted) and tells the caller and the feed what happened.
void view_paint_board(HWND window, view_window_state* state) noexcept;
// Bitmap mode: composes at the background's size, then stretches to the
// client where the composition changed since the last paint, with the pixels a
// stretch of the whole would give; skipped when the buffer already shows the
// same board at the same size.
void view_paint_skin(HWND window, view_window_state* state) noexcept;
// Shows the last paint on the screen: in bitmap mode only the window pixels it
// changed (and where a banner came or went), the whole client in text mode or
// when the whole buffer changed.
void view_show_changes(HWND window, view_window_state* state) noexcept;

// WM_PAINT: the buffer, with the banner laid over it where one is shown.
void view_copy_to_window(HWND window, frame_state_head* state, HDC window_dc, const RECT& area) noexcept;

// The banner's timer: its time is up, and it goes; only what it covered is shown again.
void view_callout_timer(HWND window, view_window_state* state, uintptr_t id) noexcept;
