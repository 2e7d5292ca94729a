// Geometry of the large score board without a window: the boxes of text mode in
// percentages of the client area, the font sizes that follow the client width,
// where each digit of a number goes when it is copied from a digit strip, and
// which file a skin name stands for. The painter only fills and draws what
// these return.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/module_path.h"
#include "draw/pixel_box.h"

// A rectangle in client (text mode) or background (bitmap mode) pixels.
using board_box = pixel_box;

// (x * p) / 100, truncated toward zero.
int32_t board_pct(int32_t x, int32_t p);

// The text-mode boxes of a W x H client. Index 0 is the left player, 1 the right.
// With sets hidden the sets boxes and their label box are all zero and the
// other rows move down.
struct board_text_layout {
  board_box name[2];
  board_box score[2];
  board_box legs[2];
  board_box sets[2];
  // Between the two players' boxes of a row, with the left player's top and bottom.
  board_box score_label;
  board_box legs_label;
  board_box sets_label;
  bool sets_shown;
};
board_text_layout board_layout_text(int32_t width, int32_t height, bool sets_shown);

// Point sizes of the four fonts for a client width. `name_font_size` above 0
// fixes the name font; otherwise it is the width of the surface the names are
// drawn on / 22, like the labels: the client's in text mode, the background's in
// bitmap mode, where the names are stretched to the client with the background.
struct board_font_sizes {
  int32_t name;
  int32_t label;
  int32_t score;
  int32_t number;
};
board_font_sizes board_font_sizes_for(int32_t client_width, int32_t name_surface_width, int32_t name_font_size);

// Width of one of the ten cells of a digit strip `strip_width` pixels wide.
int32_t board_cell_width(int32_t strip_width);

// Plain signed decimal of `value` into `text` (NUL-terminated); returns its length.
constexpr std::size_t board_number_text_size = 12;  // "-2147483648" and the NUL
int board_number_text(int32_t value, char (&text)[board_number_text_size]);

// One cell of a number drawn from a digit strip: copy `cell` pixels wide from
// strip x `source_x` to background x `dest_x`. A "-" has no cell in a strip: it
// keeps its place in the centring but copies nothing (source_x is -1), so the
// background shows through where it stands.
struct board_digit_cell {
  int32_t source_x;
  int32_t dest_x;
};
struct board_digit_run {
  int count;
  board_digit_cell cells[board_number_text_size];
};
// The cells of `value` centred on a field three cells wide whose left edge is x:
// three digits start at x, one sits in the middle cell, four start half a cell
// left of x. A cell width of 0 or less gives no cells at all.
board_digit_run board_digit_cells(int32_t value, int32_t x, int32_t cell);

// The file that skin name `name` stands for, as if it were opened with the
// library's directory `library_dir` (no trailing separator; empty when unknown)
// as the current directory: an absolute name ("C:\...", "\\server\...") is kept
// as it is, a name starting at the root ("\skin.bmp") goes to the library's
// drive or share, "X:name" with the library's drive letter and any other
// relative name go beside the library (module_directory_length finds a
// library's directory). With an empty `library_dir` every name is
// kept. Writes a NUL-terminated path into `out`; returns false (and writes an
// empty text) when it does not fit in `out_size` bytes.
bool board_skin_path(char* out, std::size_t out_size, const char* library_dir, const char* name,
                     lead_byte_test is_lead_byte);
