// Geometry of the small score board: every box the painter fills or writes
// into, where the two player marks land, and the sizes of the buffer's mark
// surfaces and fonts. Pure arithmetic on the client size and the settings; the
// painter only fills and draws what it is given.
//
// The fixed columns (sets, legs, score, mark) take their widths from the
// client height, not its width; the name cell gets whatever is left.
#pragma once

#include <cstdint>

#include "draw/pixel_box.h"

// Edges in client pixels; right and bottom are exclusive, as GDI fills them.
using score_box = pixel_box;

struct score_point {
  int32_t x;
  int32_t y;
};

// One player's row.
struct score_row_boxes {
  score_box name;
  score_box sets;  // all zero when the sets column is hidden
  score_box legs;
  score_box score;
  score_box mark;          // the cell both marks share, filled with the mark background
  score_box name_text;     // the name is drawn here, left-aligned with an ellipsis
  score_box first_mark;    // where the shrunk circle lands: a first_mark_size square
  score_box current_mark;  // where the shrunk triangle lands: a current_mark_size square
};

struct score_board_boxes {
  score_box client;
  score_box title_band;
  score_box title_text;
  bool sets_shown;
  score_box sets_head;  // all zero when the sets column is hidden
  score_box legs_head;
  score_row_boxes rows[2];
  int32_t first_mark_size;    // d: the circle is drawn 2d wide and shrunk to d
  int32_t current_mark_size;  // t: the triangle is drawn 2t wide and shrunk to t
  // The triangle's outline on its 2t x 2t surface: right top, right bottom,
  // middle left; it points left, towards the score.
  score_point triangle[3];
};

// The board of a width x height client with lines `line_width` wide; the sets
// column is shown when `visible_set` is non-zero. Divisions truncate toward
// zero and products come before divisions. Absurd inputs (a line width in the
// millions) give boxes clamped to the 32-bit range instead of overflowing.
score_board_boxes score_board_layout(int32_t width, int32_t height, int32_t line_width, int32_t visible_set);

// What the buffer builder makes for a client height h: the square mark
// surfaces and the font sizes in points. Heights below 5 give surfaces of
// side 0 and fonts of 0 points.
struct score_buffer_sizes {
  int32_t first_mark_side;    // 2 * (h / 10)
  int32_t current_mark_side;  // 2 * (h / 5)
  int32_t header_points;      // h / 7, the column heads
  int32_t title_points;       // h / 7, the title line
  int32_t name_points;        // h / 5, the player names
  int32_t number_points;      // h / 5, sets, legs and score
};
score_buffer_sizes score_buffer_sizes_for(int32_t client_height);
