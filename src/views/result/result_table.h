// The result view's table without a window: where the header, body, names and
// the ten rows go for a client size, line width and font metrics; the label and
// value texts of each row from a player's statistics; and the search for the
// largest font size whose eleven rows fit the client height.
// The window side (result_window_win.cpp) only fills and draws what these return.
#pragma once

#include <cstdint>

#include "draw/pixel_box.h"
#include "match/match_state.h"

constexpr int result_row_count = 10;

// The row labels, top to bottom; English on every system.
extern const char* const result_row_labels[result_row_count];

// A rectangle in client pixels.
using table_box = pixel_box;

// Height of one table row for a font of the given cell height: tm + tm / 6.
int32_t result_row_height(int32_t tm_height);

// The table's geometry for a client area of `width` x `height` (top-left at 0, 0).
// The whole client is first filled in the line colour; header and body are
// filled inside it, so the strips left between them and around them are the lines.
// Absurd inputs (a line width in the billions) give edges clamped to the 32-bit
// range instead of overflowing; so do the row boxes below.
struct result_layout {
  table_box client;
  table_box header;     // head band; its bottom is the row height itself, not inset
  table_box body;       // from one line width below the header to the inset bottom
  table_box names[2];   // player 0 left-aligned, player 1 right-aligned
  int32_t row_height;   // H
  int32_t first_row_top;
  int32_t gap;          // half the distance between the two value columns
  int32_t inset_left;
  int32_t inset_right;  // R: the client's right edge less the line width
};
result_layout result_table_layout(int32_t width, int32_t height, int32_t line_width, int32_t tm_height,
                                  int32_t ave_char_width);

// Row `row` (0..9) spans the full inset width: the label is centred in it.
table_box result_label_box(const result_layout& layout, int row);
// Player `player`'s value box of row `row`: left of R/2 - gap for player 0,
// right of R/2 + gap for player 1 (R/2 is the inset right edge halved).
table_box result_value_box(const result_layout& layout, int row, int player);

// One player's figures as the table shows them.
struct result_player_figures {
  int32_t sets;
  int32_t legs;
  match_stats a;
  match_stats b;
};
result_player_figures result_player_figures_of(const match_state* match, int player);

// The combined best leg: 0 means "no such leg" and never beats a real one.
int32_t result_best_leg(int32_t a, int32_t b);

constexpr int result_text_size = 256;

// The text of row `row` (0..9) for a player; `average_mode` 1 gives the Score
// and First 9 averages per three darts. Returns the length written to `text`.
int result_value_text(const result_player_figures& figures, int row, int32_t average_mode,
                      char (&text)[result_text_size]);

// Font fitting. The eleven rows (header and ten rows) fit a client height h
// with line width lw when 11 * H - 2 * lw < h.
bool result_rows_fit(int32_t tm_height, int32_t line_width, int32_t client_height);

// Below this size the search does not go: it is the smallest size that still
// asks for a character height. Smaller sizes ask for the default height or for
// cell heights that grow again, so a search continuing there would never end.
constexpr int32_t result_min_font_size = 1;

// The cell height (tmHeight) of the table font at a point size, as measured.
struct result_font_probe {
  int32_t (*tm_height)(void* context, int32_t points);
  void* context;
};

struct result_font_fit {
  int32_t font_size;
  int32_t trials;  // trial fonts measured
};

// The reference search: from `start` (the smaller client side) down one point at
// a time to the first size whose rows fit, stopping at result_min_font_size.
result_font_fit result_fit_font_walk(int32_t start, int32_t client_height, int32_t line_width,
                                     const result_font_probe& probe);

// The same size as the walk, for cell heights that do not shrink as the size
// grows, measured with a handful of trial fonts: the first trial estimates the
// size from the cell height per point, further trials narrow the bracket between
// a fitting and a non-fitting size until they are neighbours.
result_font_fit result_fit_font_fast(int32_t start, int32_t client_height, int32_t line_width,
                                     const result_font_probe& probe);
