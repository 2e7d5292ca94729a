// The large view's options drawn with GDI: the fonts, brushes and pen they need
// (made with the buffer, and only while an option is on), and the painting of
// board_extras.h's content into the text-mode buffer or the skin's composition.
#pragma once

#include <windows.h>

#include "draw/gdi_handles_win.h"
#include "views/board/board_extras.h"

struct match_state;

struct board_extras_gdi {
  unique_hfont text_font;  // text mode: every option's text
  board_score_font score;  // text mode: the score font as measured in the buffer
  unique_hfont route_font[2];  // bitmap mode, per player's rectangle
  unique_hfont average_font[2];
  unique_hfont visit_font[2];
  unique_hbrush mark_brush;  // color_first_mark, fill and outline of the circle
  unique_hpen mark_pen;
  unique_hbrush turn_brush;  // color_turn
};

// The score font's proportions as `dc` draws it (board_score_font), all zero
// when it cannot be measured.
board_score_font board_measure_score_font(HDC dc, HFONT font) noexcept;

// What the options show for the record now (its current leg entry read once),
// with each player's last visit as the match's tracker keeps it.
board_extras_content board_extras_content_now(const match_state* match, const int32_t (&last_visit)[2]) noexcept;

// Fonts for the client's text-mode bands or, in bitmap mode, for each player's
// rectangle; the brushes and pen. In text mode the score font is measured in
// `buffer` first. Nothing while every option is off.
void board_extras_create(board_extras_gdi& gdi, HDC buffer, HFONT score_font, const SIZE& client,
                         bool bitmap_mode) noexcept;
void board_extras_release(board_extras_gdi& gdi) noexcept;

// Text mode, after the board: the bands under the names and the scores
// (filled with `band_brush`), their texts, the circles and the frames.
// Draws nothing while every option is off.
void board_extras_paint_text(HDC dc, const board_extras_gdi& gdi, const board_text_layout& boxes, int32_t width,
                             HBRUSH band_brush, const board_extras_content& content) noexcept;

// Bitmap mode, into the composition before the stretch.
void board_extras_paint_skin(HDC compose, const board_extras_gdi& gdi, const board_extras_content& content) noexcept;
