#include "views/score/score_board_layout.h"

#include "draw/clamp_int32.h"

namespace {

// Worked in 64 bits: for every client a screen can hold the results are the
// 32-bit ones, and a settings file with an absurd line width cannot overflow.
using wide = int64_t;

score_box box(wide left, wide top, wide right, wide bottom) {
  return {clamp_int32(left), clamp_int32(top), clamp_int32(right), clamp_int32(bottom)};
}

// A side x side square whose top-left corner is (x, y).
score_box square(wide x, wide y, wide side) { return box(x, y, x + side, y + side); }

}  // namespace

score_board_boxes score_board_layout(int32_t width, int32_t height, int32_t line_width, int32_t visible_set) {
  score_board_boxes out = {};
  const wide lw = line_width;

  // The client inset by the line width; every gap shows the line colour.
  const wide left = lw;
  const wide top = lw;
  const wide right = wide{width} - lw;
  const wide bottom = wide{height} - lw;

  const wide band_bottom = bottom / 4;  // an absolute coordinate, not a height
  const wide first_row_top = band_bottom + lw;
  const wide split = first_row_top + (bottom - first_row_top) / 2;
  const wide row_top[2] = {first_row_top, split + lw};
  const wide row_bottom[2] = {split, bottom};

  // Fixed columns from right to left, their widths from the height.
  const wide mark_left = right - bottom * 10 / 30;
  const wide score_left = mark_left - bottom * 10 / 15;
  const wide legs_left = score_left - bottom * 10 / 18;
  const wide sets_left = legs_left - bottom * 10 / 18;
  const bool shown = visible_set != 0;
  const wide name_right = (shown ? sets_left : legs_left) - lw;

  const wide d = bottom / 10;
  const wide t = bottom / 5;
  const wide text_inset = bottom / 30;
  // The circle sits d / 2 inside the name cell's right edge; the name stops at it.
  const wide circle_left = name_right - d / 2 - d;

  out.client = box(0, 0, width, height);
  out.title_band = box(left, top, right, band_bottom);
  out.title_text = box(left + text_inset, top, name_right, band_bottom);
  out.sets_shown = shown;
  if (shown) out.sets_head = box(sets_left, top, legs_left - lw, band_bottom);
  out.legs_head = box(legs_left, top, score_left - lw, band_bottom);

  for (int i = 0; i < 2; ++i) {
    const wide y0 = row_top[i];
    const wide y1 = row_bottom[i];
    score_row_boxes& row = out.rows[i];
    row.mark = box(mark_left, y0, right, y1);
    row.score = box(score_left, y0, mark_left - lw, y1);
    row.legs = box(legs_left, y0, score_left - lw, y1);
    if (shown) row.sets = box(sets_left, y0, legs_left - lw, y1);
    row.name = box(left, y0, name_right, y1);
    row.name_text = box(left + text_inset, y0, circle_left, y1);
    row.first_mark = square(circle_left, y0 + (y1 - y0 - d) / 2, d);
    row.current_mark = square(mark_left + (right - mark_left) / 2 - t / 2, y0 + (y1 - y0) / 2 - t / 2, t);
  }

  out.first_mark_size = clamp_int32(d);
  out.current_mark_size = clamp_int32(t);
  out.triangle[0] = {clamp_int32(2 * t), 0};
  out.triangle[1] = {clamp_int32(2 * t), clamp_int32(2 * t)};
  out.triangle[2] = {0, clamp_int32(t)};
  return out;
}

score_buffer_sizes score_buffer_sizes_for(int32_t client_height) {
  const int32_t h = client_height;
  return {2 * (h / 10), 2 * (h / 5), h / 7, h / 7, h / 5, h / 5};
}
