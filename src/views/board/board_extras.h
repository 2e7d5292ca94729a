// What the large view's options (show_checkout, show_average, show_first_mark)
// add to the board, without a window: what each shows for the match as it
// stands, and where it goes, in text mode beside the boxes of board_layout.h,
// in bitmap mode inside each player's rectangle of the skin. With every option
// off all of it is empty, and the painter draws nothing more than before.
#pragma once

#include <cstdint>

#include "settings/settings_table.h"
#include "views/board/board_layout.h"

struct match_state;

constexpr int board_extra_text_size = 16;  // "-6442450944.00" and the NUL

// What the options show. Only 32-bit fields and whole byte arrays (no padding):
// it is compared whole as part of the bitmap mode's picture key.
struct board_extras_content {
  char route[2][board_extra_text_size];    // the checkout route of the player to throw; "" otherwise
  char average[2][board_extra_text_size];  // the three-dart average, "0.00" with no darts; "" when off
  int32_t first_mark[2];                   // 1 beside the player who threw first in the leg
};

// `first_player` and `current_player` are those of the current leg entry, -1
// when the record has none; values other than 0 and 1 name nobody.
board_extras_content board_extras_content_of(const view_window_extras& options, const match_state* match,
                                             int32_t first_player, int32_t current_player);

// True when any option is on: only then are fonts and brushes made for them.
bool board_extras_any(const view_window_extras& options);

// Text mode, for the boxes of a client `width` pixels wide.
struct board_extras_text_layout {
  board_box route[2];    // a band across the bottom sixth of each score box
  board_box average[2];  // a band under each name box, over two thirds of the gap to the score box
  board_box mark[2];     // the circle's square, in the margin beside each name box (left of the
                         // left player's, right of the right player's)
  int32_t route_height;    // pixel height of the route font: four fifths of its band
  int32_t average_height;  // likewise for the average
};
board_extras_text_layout board_extras_layout_text(const board_text_layout& boxes, int32_t width);

// Bitmap mode, inside one player's rectangle (background pixels): the circle
// in a column at the left (a quarter of the width at most, as wide as the
// rectangle is tall at most), then the average and the route in the rest, one
// above the other, or side by side (average first) where the rest is at least
// eight times as wide as it is tall. Options that are off take no room; an
// empty rectangle gives all boxes empty.
struct board_extras_skin_layout {
  board_box route;
  board_box average;
  board_box mark;
  int32_t route_height;
  int32_t average_height;
};
board_extras_skin_layout board_extras_layout_skin(const view_window_extras& options, int player);

// The bitmap mode's key of what the options draw: content, rectangles and colours.
struct board_extras_key {
  board_extras_content content;
  int32_t flags;  // the three switches, one bit each
  int32_t rects[2][4];
  uint32_t mark_colour;
  uint32_t route_colour;
};
board_extras_key board_extras_key_of(const view_window_extras& options, const view_window_settings& settings,
                                     const board_extras_content& content);
