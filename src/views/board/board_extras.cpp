#include "views/board/board_extras.h"

#include <algorithm>
#include <cstring>

#include "draw/text_layout.h"
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

// `value` * `times` / `over`, widened; 0 when `over` is 0 or less.
int32_t scaled(int64_t value, int64_t times, int64_t over) {
  if (over <= 0) return 0;
  const int64_t r = value * times / over;
  return static_cast<int32_t>(std::clamp<int64_t>(r, INT32_MIN, INT32_MAX));
}

int32_t height_of(const board_box& b) { return b.bottom - b.top; }
int32_t width_of(const board_box& b) { return b.right - b.left; }

// The largest character height whose text fits `band`: its digits' height
// (from the score font's proportions) within the band less a pixel above and
// below, and `text_width` (measured in the score font) within `room`.
int32_t em_fitting(const board_score_font& f, const board_box& band, int64_t text_width, int32_t room) {
  const int32_t digits = f.ascent - f.ink_top;
  const int32_t by_height = scaled(height_of(band) - 2, f.em, digits);
  const int32_t by_width = text_width > 0 ? scaled(room, f.em, text_width) : by_height;
  return std::max(0, std::min(by_height, by_width));
}

}  // namespace

bool board_extras_any(const view_window_extras& o) {
  return o.show_checkout != 0 || o.show_average != 0 || o.show_first_mark != 0 || o.show_last_visit != 0 ||
         o.show_turn != 0;
}

board_extras_content board_extras_content_of(const view_window_extras& options, const match_state* match,
                                             int32_t first_player, int32_t current_player,
                                             const int32_t (&last_visit)[2]) {
  board_extras_content content;
  std::memset(&content, 0, sizeof content);
  const bool both_routes = options.show_checkout == 2;
  for (int p = 0; p < 2; ++p) {
    const bool to_throw = current_player == p;
    if ((options.show_checkout != 0 && to_throw) || both_routes) {
      const char* route = checkout_route(match_player_score(match, p));
      if (route != nullptr) {
        copy_text(content.route[p], route);
        content.route_waiting[p] = to_throw ? 0 : 1;
      }
    }
    if (options.show_average != 0) {
      char text[match_average_text_size];
      match_three_dart_average_text(match, p, text);
      copy_text(content.average[p], text);
    }
    content.first_mark[p] = options.show_first_mark != 0 && first_player == p ? 1 : 0;
    if (options.show_last_visit != 0) {
      char text[match_visit_text_size];
      match_visit_text(last_visit[p], text);
      copy_text(content.visit[p], text);
    }
    content.turn[p] = options.show_turn != 0 && to_throw ? 1 : 0;
  }
  return content;
}

board_extras_text_layout board_extras_layout_text(const view_window_extras& o, const board_text_layout& boxes,
                                                  int32_t width, const board_score_font& f) {
  board_extras_text_layout layout = {};
  // The frame of the player to throw lies in the gap around the name box, a
  // fifth of the gap under it thick; text keeps clear of it.
  // The circle beside it leaves a sixth of the margin free.
  const int32_t gap = boxes.score[0].top - boxes.name[0].bottom;
  const int32_t t = std::max(2, std::min(gap / 5, boxes.name[0].left / 6 - 1));
  layout.turn_width = t;
  const int32_t keep = t + 2;
  for (int p = 0; p < 2; ++p) {
    const board_box& name = boxes.name[p];
    const int32_t margin = p == 0 ? name.left : width - name.right;
    const int32_t side = std::max(0, std::min(margin * 2 / 3, (name.bottom - name.top) / 2));
    const int32_t left = (p == 0 ? 0 : name.right) + (margin - side) / 2;
    const int32_t top = name.top + (name.bottom - name.top - side) / 2;
    layout.mark[p] = box_of(left, top, left + side, top + side);
    layout.turn[p] = box_of(name.left - t, name.top - t, name.right + t, name.bottom + t);
  }
  const bool lower = o.show_checkout != 0 || o.show_last_visit != 0;
  const bool upper = o.show_average != 0;
  if (f.em <= 0 || f.ascent <= f.ink_top || (!lower && !upper)) return layout;

  const int32_t pad = std::max(2, f.em / 30);
  const int64_t lower_width = (o.show_checkout != 0 ? int64_t{f.route_width} : 0) +
                              (o.show_last_visit != 0 ? int64_t{f.visit_width} : 0);
  int32_t em = f.em * 9 / 20;  // at most 0.45 of the score's: the score stays the largest
  for (int p = 0; p < 2; ++p) {
    const board_box& score = boxes.score[p];
    const text_origin at = centered_text_origin(score.left, score.top, score.right, score.bottom, 0, f.cell);
    if (lower) {
      const int32_t top = at.y + f.ascent + pad;
      const int32_t bottom = boxes.legs[p].top - keep;
      layout.lower_band[p] = p == 0 ? box_of(score.left, top, width / 2 - keep, bottom)
                                    : box_of(width / 2 + keep, top, score.right, bottom);
      const int32_t room = width_of(layout.lower_band[p]) - 4 * pad;
      em = std::min(em, em_fitting(f, layout.lower_band[p], lower_width, room));
    }
    if (upper) {
      layout.average[p] = box_of(score.left, boxes.name[p].bottom + keep, score.right, at.y + f.ink_top - pad);
      em = std::min(em, em_fitting(f, layout.average[p], f.average_width, width_of(score) - 2 * pad));
    }
  }
  layout.text_em = std::max(0, em);
  layout.text_raise = scaled(int64_t{f.ink_top} + f.ascent, layout.text_em, 2 * int64_t{f.em});
  if (!lower) return layout;
  const int32_t visit_w = o.show_last_visit != 0 ? scaled(f.visit_width, layout.text_em, f.em) + 2 * pad : 0;
  for (int p = 0; p < 2; ++p) {
    const board_box& band = layout.lower_band[p];
    if (pixel_box_empty(band)) {
      layout.lower_band[p] = board_box{};
      continue;
    }
    if (o.show_last_visit != 0) {
      layout.visit[p] = p == 0 ? box_of(band.left, band.top, band.left + visit_w, band.bottom)
                               : box_of(band.right - visit_w, band.top, band.right, band.bottom);
    }
    if (o.show_checkout != 0) {
      layout.route[p] = p == 0 ? box_of(band.left + visit_w, band.top, band.right, band.bottom)
                               : box_of(band.left, band.top, band.right - visit_w, band.bottom);
    }
  }
  return layout;
}

board_extras_skin_layout board_extras_layout_skin(const view_window_extras& o, int player) {
  board_extras_skin_layout layout = {};
  board_box rect = {o.bmp_extra_left[player], o.bmp_extra_top[player], o.bmp_extra_right[player],
                    o.bmp_extra_bottom[player]};
  // Widened: the rectangle comes from the file and may be anything.
  int64_t w = static_cast<int64_t>(rect.right) - rect.left;
  int64_t h = static_cast<int64_t>(rect.bottom) - rect.top;
  if (w <= 0 || h <= 0) return layout;
  if (o.show_turn != 0) {
    const int32_t t = static_cast<int32_t>(std::max<int64_t>(1, std::min(w, h) / 12));
    layout.turn = rect;
    layout.turn_width = t;
    if (w <= 2 * t || h <= 2 * t) return layout;
    rect = box_of(rect.left + t, rect.top + t, rect.right - t, rect.bottom - t);
    w -= 2 * t;
    h -= 2 * t;
  }
  int32_t text_left = rect.left;
  if (o.show_first_mark != 0) {
    const int32_t column = static_cast<int32_t>(std::min(w / 4, h));
    const int32_t side = column * 2 / 3;
    const int32_t left = rect.left + (column - side) / 2;
    const int32_t top = rect.top + static_cast<int32_t>((h - side) / 2);
    layout.mark = box_of(left, top, left + side, top + side);
    text_left = rect.left + column;
  }
  const int lines = (o.show_average != 0 ? 1 : 0) + (o.show_checkout != 0 ? 1 : 0) + (o.show_last_visit != 0 ? 1 : 0);
  if (lines == 0) return layout;
  // Side by side in a strip at least four times as wide as it is tall for
  // each text, one above the other otherwise.
  const int64_t text_w = rect.right - static_cast<int64_t>(text_left);
  const bool side_by_side = lines >= 2 && text_w >= 4 * lines * h;
  const int32_t line_h = static_cast<int32_t>(side_by_side ? h : h / lines);
  const int32_t line_w = static_cast<int32_t>(side_by_side ? text_w / lines : text_w);
  board_box next = box_of(text_left, rect.top, text_left + line_w, rect.top + line_h);
  int left_to_place = lines;
  auto place = [&](board_box& box, int32_t& height) {
    box = next;
    height = font_height_for(next);
    if (--left_to_place == 0) return;
    const int32_t right = left_to_place == 1 && side_by_side ? rect.right : next.right + line_w;
    next = side_by_side ? box_of(next.right, next.top, right, next.bottom)
                        : box_of(next.left, next.bottom, next.right, next.bottom + line_h);
  };
  if (o.show_average != 0) place(layout.average, layout.average_height);
  if (o.show_checkout != 0) place(layout.route, layout.route_height);
  if (o.show_last_visit != 0) place(layout.visit, layout.visit_height);
  return layout;
}

board_extras_key board_extras_key_of(const view_window_extras& o, const view_window_settings& s,
                                     const board_extras_content& content) {
  board_extras_key key;
  std::memset(&key, 0, sizeof key);
  key.content = content;
  key.flags = (o.show_checkout != 0 ? 1 : 0) | (o.show_average != 0 ? 2 : 0) | (o.show_first_mark != 0 ? 4 : 0) |
              (o.show_last_visit != 0 ? 8 : 0) | (o.show_turn != 0 ? 16 : 0) | (o.show_checkout == 2 ? 32 : 0);
  for (int p = 0; p < 2; ++p) {
    key.rects[p][0] = o.bmp_extra_left[p];
    key.rects[p][1] = o.bmp_extra_top[p];
    key.rects[p][2] = o.bmp_extra_right[p];
    key.rects[p][3] = o.bmp_extra_bottom[p];
  }
  key.mark_colour = static_cast<uint32_t>(o.color_first_mark);
  key.route_colour = static_cast<uint32_t>(s.color_score_text);
  key.turn_colour = static_cast<uint32_t>(o.color_turn);
  key.waiting_colour = static_cast<uint32_t>(o.color_checkout_waiting);
  key.name_colour = static_cast<uint32_t>(s.color_name_text);
  key.visit_colour = static_cast<uint32_t>(s.color_head_text);
  return key;
}
