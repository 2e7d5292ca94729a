#include "views/board/board_layout.h"

#include <charconv>
#include <cstring>

#include "draw/clamp_int32.h"

namespace {

// Percentages of the text-mode boxes: left %, width %, then top % and height %
// with sets shown and with sets hidden.
struct box_percent {
  int32_t left;
  int32_t width;
  int32_t top_shown;
  int32_t height_shown;
  int32_t top_hidden;
  int32_t height_hidden;
};

constexpr box_percent name_percent[2] = {{6, 40, 6, 15, 12, 15}, {54, 40, 6, 15, 12, 15}};
constexpr box_percent score_percent[2] = {{6, 30, 27, 25, 39, 22}, {64, 30, 27, 25, 39, 22}};
constexpr box_percent legs_percent[2] = {{6, 30, 58, 15, 73, 15}, {64, 30, 58, 15, 73, 15}};
constexpr box_percent sets_percent[2] = {{6, 30, 79, 15, 0, 0}, {64, 30, 79, 15, 0, 0}};

// Each term truncated on its own: right is left + pct(width), not pct(left + width).
board_box box_at(const box_percent& p, int32_t w, int32_t h, bool sets_shown) {
  const int32_t top = sets_shown ? p.top_shown : p.top_hidden;
  const int32_t height = sets_shown ? p.height_shown : p.height_hidden;
  board_box box;
  box.left = board_pct(w, p.left);
  box.right = box.left + board_pct(w, p.width);
  box.top = board_pct(h, top);
  box.bottom = box.top + board_pct(h, height);
  return box;
}

board_box label_between(const board_box& left_player, const board_box& right_player) {
  return {left_player.right, left_player.top, right_player.left, left_player.bottom};
}

}  // namespace

int32_t board_pct(int32_t x, int32_t p) {
  // Widened so that no client size can overflow the product.
  return static_cast<int32_t>(static_cast<int64_t>(x) * p / 100);
}

board_text_layout board_layout_text(int32_t width, int32_t height, bool sets_shown) {
  board_text_layout layout = {};
  layout.sets_shown = sets_shown;
  for (int player = 0; player < 2; ++player) {
    layout.name[player] = box_at(name_percent[player], width, height, sets_shown);
    layout.score[player] = box_at(score_percent[player], width, height, sets_shown);
    layout.legs[player] = box_at(legs_percent[player], width, height, sets_shown);
    if (sets_shown) layout.sets[player] = box_at(sets_percent[player], width, height, sets_shown);
  }
  layout.score_label = label_between(layout.score[0], layout.score[1]);
  layout.legs_label = label_between(layout.legs[0], layout.legs[1]);
  if (sets_shown) layout.sets_label = label_between(layout.sets[0], layout.sets[1]);
  return layout;
}

board_font_sizes board_font_sizes_for(int32_t client_width, int32_t name_surface_width, int32_t name_font_size) {
  board_font_sizes sizes;
  sizes.label = client_width / 22;
  sizes.name = name_font_size > 0 ? name_font_size : name_surface_width / 22;
  sizes.score = client_width / 11;
  sizes.number = client_width / 17;
  return sizes;
}

int32_t board_cell_width(int32_t strip_width) { return strip_width / 10; }

int board_number_text(int32_t value, char (&text)[board_number_text_size]) {
  const std::to_chars_result r = std::to_chars(text, text + board_number_text_size - 1, value);
  *r.ptr = '\0';
  return static_cast<int>(r.ptr - text);
}

board_digit_run board_digit_cells(int32_t value, int32_t x, int32_t cell) {
  board_digit_run run = {};
  if (cell <= 0) return run;
  char text[board_number_text_size];
  const int n = board_number_text(value, text);
  // Widened: skin positions come from a file and may be anything.
  const int64_t c = cell;
  const int64_t start = static_cast<int64_t>(x) + (3 * c) / 2 - (n * c) / 2;
  for (int k = 0; k < n; ++k) {
    board_digit_cell& out = run.cells[k];
    out.source_x = text[k] == '-' ? -1 : static_cast<int32_t>((text[k] - '0') * c);
    out.dest_x = clamp_int32(start + k * c);
  }
  run.count = n;
  return run;
}

bool board_skin_path(char* out, std::size_t out_size, const char* library_dir, const char* name,
                     lead_byte_test is_lead_byte) {
  return module_relative_path(out, out_size, library_dir, name, is_lead_byte);
}
