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

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool is_drive_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char upper_ascii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool lead_at(const char* text, std::size_t i, bool (*is_lead_byte)(unsigned char)) {
  return is_lead_byte != nullptr && is_lead_byte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0';
}

// Length of the root of a directory: "X:" for a drive, "\\server\share" for a
// share; 0 when it has neither.
std::size_t root_length(const char* dir, bool (*is_lead_byte)(unsigned char)) {
  if (is_drive_letter(dir[0]) && dir[1] == ':') return 2;
  if (!(is_separator(dir[0]) && is_separator(dir[1]))) return 0;
  std::size_t i = 2;
  for (int part = 0; part < 2; ++part) {
    while (dir[i] != '\0' && !is_separator(dir[i])) i += lead_at(dir, i, is_lead_byte) ? 2 : 1;
    if (part == 0 && dir[i] != '\0') ++i;  // the separator between server and share
  }
  return i;
}

// Appends bytes to a bounded NUL-terminated text; false when they do not fit.
struct path_builder {
  char* out;
  std::size_t size;
  std::size_t length = 0;

  bool append(const char* text, std::size_t count) {
    if (count >= size - length) return false;
    std::memcpy(out + length, text, count);
    length += count;
    out[length] = '\0';
    return true;
  }
  bool append(const char* text) { return append(text, std::strlen(text)); }
};

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
  if (out_size == 0) return false;
  out[0] = '\0';
  path_builder path{out, out_size};
  bool fits = true;
  if (library_dir[0] == '\0' || (is_separator(name[0]) && is_separator(name[1]))) {
    fits = path.append(name);  // no directory known, or a share or device path
  } else if (is_drive_letter(name[0]) && name[1] == ':') {
    if (is_separator(name[2])) {
      fits = path.append(name);
    } else if (is_drive_letter(library_dir[0]) && library_dir[1] == ':' &&
               upper_ascii(library_dir[0]) == upper_ascii(name[0])) {
      // Relative to the current directory of the library's own drive.
      fits = path.append(library_dir) && path.append("\\") && path.append(name + 2);
    } else {
      fits = path.append(name);  // another drive's current directory: the system resolves it
    }
  } else if (is_separator(name[0])) {
    const std::size_t root = root_length(library_dir, is_lead_byte);
    fits = path.append(library_dir, root) && path.append(name);
  } else {
    fits = path.append(library_dir) && path.append("\\") && path.append(name);
  }
  if (!fits) out[0] = '\0';
  return fits;
}
