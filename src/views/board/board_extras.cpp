#include "views/board/board_extras.h"

#include <algorithm>
#include <cstring>

#include "match/checkout_routes.h"
#include "match/match_figures.h"
#include "match/match_state.h"

namespace {

void copy_text(char (&to)[board_extra_text_size], const char* from) {
  std::size_t n = 0;
  while (n + 1 < sizeof to && from[n] != '\0') {
    to[n] = from[n];
    ++n;
  }
  to[n] = '\0';
}

board_box box_of(int32_t left, int32_t top, int32_t right, int32_t bottom) { return {left, top, right, bottom}; }

int32_t font_height_for(const board_box& band) { return (band.bottom - band.top) * 4 / 5; }

}  // namespace

bool board_extras_any(const view_window_extras& o) {
  return o.show_checkout != 0 || o.show_average != 0 || o.show_first_mark != 0;
}

board_extras_content board_extras_content_of(const view_window_extras& options, const match_state* match,
                                             int32_t first_player, int32_t current_player) {
  board_extras_content content;
  std::memset(&content, 0, sizeof content);
  for (int p = 0; p < 2; ++p) {
    if (options.show_checkout != 0 && current_player == p) {
      const char* route = checkout_route(match_player_score(match, p));
      if (route != nullptr) copy_text(content.route[p], route);
    }
    if (options.show_average != 0) {
      char text[match_average_text_size];
      match_three_dart_average_text(match, p, text);
      copy_text(content.average[p], text);
    }
    content.first_mark[p] = options.show_first_mark != 0 && first_player == p ? 1 : 0;
  }
  return content;
}

board_extras_text_layout board_extras_layout_text(const board_text_layout& boxes, int32_t width) {
  board_extras_text_layout layout = {};
  for (int p = 0; p < 2; ++p) {
    const board_box& score = boxes.score[p];
    const board_box& name = boxes.name[p];
    layout.route[p] = box_of(score.left, score.bottom - (score.bottom - score.top) / 6, score.right, score.bottom);
    layout.average[p] = box_of(name.left, name.bottom, name.right, name.bottom + (score.top - name.bottom) * 2 / 3);
    const int32_t margin = p == 0 ? name.left : width - name.right;
    const int32_t side = std::max(0, std::min(margin * 2 / 3, (name.bottom - name.top) / 2));
    const int32_t left = (p == 0 ? 0 : name.right) + (margin - side) / 2;
    const int32_t top = name.top + (name.bottom - name.top - side) / 2;
    layout.mark[p] = box_of(left, top, left + side, top + side);
  }
  layout.route_height = font_height_for(layout.route[0]);
  layout.average_height = font_height_for(layout.average[0]);
  return layout;
}

board_extras_skin_layout board_extras_layout_skin(const view_window_extras& o, int player) {
  board_extras_skin_layout layout = {};
  const board_box rect = {o.bmp_extra_left[player], o.bmp_extra_top[player], o.bmp_extra_right[player],
                          o.bmp_extra_bottom[player]};
  // Widened: the rectangle comes from the file and may be anything.
  const int64_t w = static_cast<int64_t>(rect.right) - rect.left;
  const int64_t h = static_cast<int64_t>(rect.bottom) - rect.top;
  if (w <= 0 || h <= 0) return layout;
  int32_t text_left = rect.left;
  if (o.show_first_mark != 0) {
    const int32_t column = static_cast<int32_t>(std::min(w / 4, h));
    const int32_t side = column * 2 / 3;
    const int32_t left = rect.left + (column - side) / 2;
    const int32_t top = rect.top + static_cast<int32_t>((h - side) / 2);
    layout.mark = box_of(left, top, left + side, top + side);
    text_left = rect.left + column;
  }
  const int lines = (o.show_average != 0 ? 1 : 0) + (o.show_checkout != 0 ? 1 : 0);
  if (lines == 0) return layout;
  // Both texts: side by side in a strip at least eight times as wide as it is
  // tall, one above the other otherwise.
  const int64_t text_w = rect.right - static_cast<int64_t>(text_left);
  const bool side_by_side = lines == 2 && text_w >= 8 * h;
  const int32_t line_h = static_cast<int32_t>(side_by_side ? h : h / lines);
  const int32_t line_w = static_cast<int32_t>(side_by_side ? text_w / 2 : text_w);
  board_box next = box_of(text_left, rect.top, text_left + line_w, rect.top + line_h);
  if (o.show_average != 0) {
    layout.average = next;
    layout.average_height = font_height_for(next);
    next = side_by_side ? box_of(next.right, next.top, rect.right, next.bottom)
                        : box_of(next.left, next.bottom, next.right, next.bottom + line_h);
  }
  if (o.show_checkout != 0) {
    layout.route = next;
    layout.route_height = font_height_for(next);
  }
  return layout;
}

board_extras_key board_extras_key_of(const view_window_extras& o, const view_window_settings& s,
                                     const board_extras_content& content) {
  board_extras_key key;
  std::memset(&key, 0, sizeof key);
  key.content = content;
  key.flags = (o.show_checkout != 0 ? 1 : 0) | (o.show_average != 0 ? 2 : 0) | (o.show_first_mark != 0 ? 4 : 0);
  for (int p = 0; p < 2; ++p) {
    key.rects[p][0] = o.bmp_extra_left[p];
    key.rects[p][1] = o.bmp_extra_top[p];
    key.rects[p][2] = o.bmp_extra_right[p];
    key.rects[p][3] = o.bmp_extra_bottom[p];
  }
  key.mark_colour = static_cast<uint32_t>(o.color_first_mark);
  key.route_colour = static_cast<uint32_t>(s.color_score_text);
  return key;
}
