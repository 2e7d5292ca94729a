// The large view's options drawn with GDI: the fonts, brush and pen they need
// (made with the buffer, and only while an option is on), and the painting of
// board_extras.h's content into the text-mode buffer or the skin's composition.
#pragma once

#include <windows.h>

#include "draw/gdi_handles_win.h"
#include "views/board/board_extras.h"

struct match_state;

struct board_extras_gdi {
  unique_hfont route_font[2];
  unique_hfont average_font[2];
  unique_hbrush mark_brush;  // color_first_mark, fill and outline of the circle
  unique_hpen mark_pen;
};

// What the options show for the record now (its current leg entry read once).
board_extras_content board_extras_content_now(const match_state* match) noexcept;

// Fonts for the client's text-mode bands or, in bitmap mode, for each player's
// rectangle; the mark's brush and pen. Nothing while every option is off.
void board_extras_create(board_extras_gdi& gdi, const SIZE& client, bool bitmap_mode) noexcept;
void board_extras_release(board_extras_gdi& gdi) noexcept;

// Text mode, after the board: the average bands (filled with `name_brush`),
// the routes and the circles. Draws nothing while every option is off.
void board_extras_paint_text(HDC dc, const board_extras_gdi& gdi, const board_text_layout& boxes, int32_t width,
                             HBRUSH name_brush, const board_extras_content& content) noexcept;

// Bitmap mode, into the composition before the stretch.
void board_extras_paint_skin(HDC compose, const board_extras_gdi& gdi, const board_extras_content& content) noexcept;
