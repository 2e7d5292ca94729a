#include "views/result/result_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "draw/clamp_int32.h"
#include "match/match_figures.h"

const char* const result_row_labels[result_row_count] = {"Sets",     "Legs",     "100+",  "140+",  "180's",
                                                         "High Out", "Best Leg", "Darts", "Score", "First 9"};

namespace {

enum result_row { row_sets, row_legs, row_100, row_140, row_180, row_high_out, row_best_leg, row_darts, row_score, row_first9 };

int format_int(int32_t value, char (&text)[result_text_size]) {
  return std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
}

// The geometry is worked in 64 bits: for every client a screen can hold the
// results are the 32-bit ones, and an absurd line width in the settings file
// gives edges clamped to the 32-bit range instead of overflowing.
using wide = int64_t;

table_box box_of(wide left, wide top, wide right, wide bottom) {
  return {clamp_int32(left), clamp_int32(top), clamp_int32(right), clamp_int32(bottom)};
}

wide row_height_wide(int32_t tm_height) { return wide{tm_height} + tm_height / 6; }

}  // namespace

int32_t result_row_height(int32_t tm_height) { return clamp_int32(row_height_wide(tm_height)); }

result_layout result_table_layout(int32_t width, int32_t height, int32_t line_width, int32_t tm_height,
                                  int32_t ave_char_width) {
  const wide lw = line_width;
  const wide l = lw;
  const wide t = lw;
  const wide r = wide{width} - lw;
  const wide b = wide{height} - lw;
  const wide h = row_height_wide(tm_height);
  const wide ach = ave_char_width;

  result_layout out{};
  out.client = {0, 0, width, height};
  out.header = box_of(l, t, r, h);
  out.body = box_of(l, h + lw, r, b);
  const wide text_left = l + ach;
  const wide text_right = r - ach;
  const wide half = (text_right - text_left) / 2;
  out.names[0] = box_of(text_left, t, text_left + half, h);
  out.names[1] = box_of(text_left + half, t, text_right, h);
  out.row_height = clamp_int32(h);
  out.first_row_top = clamp_int32(h + lw);
  out.gap = clamp_int32(6 * ach);
  out.inset_left = clamp_int32(l);
  out.inset_right = clamp_int32(r);
  return out;
}

table_box result_label_box(const result_layout& layout, int row) {
  const wide top = wide{layout.first_row_top} + wide{layout.row_height} * row;
  return box_of(layout.inset_left, top, layout.inset_right, top + layout.row_height);
}

table_box result_value_box(const result_layout& layout, int row, int player) {
  table_box box = result_label_box(layout, row);
  const wide half = layout.inset_right / 2;
  if (player == 0) {
    box.right = clamp_int32(half - layout.gap);
  } else {
    box.left = clamp_int32(half + layout.gap);
  }
  return box;
}

result_player_figures result_player_figures_of(const match_state* match, int player) {
  result_player_figures f{};
  f.sets = match_player_sets(match, player);
  f.legs = match_player_legs(match, player);
  f.a = match_player_stats(match, player, stats_block::a);
  f.b = match_player_stats(match, player, stats_block::b);
  return f;
}

int32_t result_best_leg(int32_t a, int32_t b) {
  if (a == 0 && b > 0) return b;
  if (b == 0 && a > 0) return a;
  return a < b ? a : b;
}

int result_value_text(const result_player_figures& f, int row, int32_t average_mode,
                      char (&text)[result_text_size]) {
  const match_stats& a = f.a;
  const match_stats& b = f.b;
  const bool per_three = average_mode == 1;
  switch (row) {
    case row_sets: return format_int(f.sets, text);
    case row_legs: return format_int(f.legs, text);
    case row_100: return format_int(match_sum32(a.count_100_plus, b.count_100_plus), text);
    case row_140: return format_int(match_sum32(a.count_140_plus, b.count_140_plus), text);
    case row_180: return format_int(match_sum32(a.count_180, b.count_180), text);
    case row_high_out: return format_int(std::max(a.high_out, b.high_out), text);
    case row_best_leg: return format_int(result_best_leg(a.best_leg, b.best_leg), text);
    case row_darts:
      return match_format_average(match_sum32(a.leg_darts, b.leg_darts), match_sum32(a.leg_count, b.leg_count),
                                  false, text, result_text_size);
    case row_score:
      return match_format_average(match_sum32(a.score_total, b.score_total),
                                  match_sum32(a.score_darts, b.score_darts), per_three, text, result_text_size);
    case row_first9:
      return match_format_average(match_sum32(a.first9_score, b.first9_score),
                                  match_sum32(a.first9_darts, b.first9_darts), per_three, text, result_text_size);
    default: break;
  }
  text[0] = 0;
  return 0;
}

bool result_rows_fit(int32_t tm_height, int32_t line_width, int32_t client_height) {
  // 64-bit, so that no setting or metric can overflow the comparison.
  const int64_t rows = 11 * static_cast<int64_t>(result_row_height(tm_height));
  return rows - 2 * static_cast<int64_t>(line_width) < client_height;
}

result_font_fit result_fit_font_walk(int32_t start, int32_t client_height, int32_t line_width,
                                     const result_font_probe& probe) {
  result_font_fit fit{std::max(start, result_min_font_size), 0};
  for (;;) {
    ++fit.trials;
    const int32_t tm = probe.tm_height(probe.context, fit.font_size);
    if (result_rows_fit(tm, line_width, client_height) || fit.font_size <= result_min_font_size) return fit;
    --fit.font_size;
  }
}

namespace {

// The largest cell height whose rows fit, or -1 when not even 0 does.
int64_t largest_fitting_tm(int32_t line_width, int32_t client_height) {
  auto fits = [&](int64_t tm) { return 11 * (tm + tm / 6) - 2 * static_cast<int64_t>(line_width) < client_height; };
  if (!fits(0)) return -1;
  // H is about 7/6 of tm, so the limit lies close to (h + 2 lw) * 6 / 77.
  int64_t tm = std::max<int64_t>(0, (static_cast<int64_t>(client_height) + 2 * static_cast<int64_t>(line_width)) * 6 / 77);
  while (tm > 0 && !fits(tm)) --tm;
  while (fits(tm + 1)) ++tm;
  return tm;
}

}  // namespace

result_font_fit result_fit_font_fast(int32_t start, int32_t client_height, int32_t line_width,
                                     const result_font_probe& probe) {
  result_font_fit fit{std::max(start, result_min_font_size), 0};
  auto measure = [&](int32_t points) {
    ++fit.trials;
    return probe.tm_height(probe.context, points);
  };
  auto fits = [&](int32_t tm) { return result_rows_fit(tm, line_width, client_height); };

  // The bracket: sizes up to lo fit (lo below the floor stands for "none found
  // yet"); hi does not fit. The walk's answer is the largest fitting size.
  int32_t hi = fit.font_size;
  int32_t tm_hi = measure(hi);
  if (fits(tm_hi)) return fit;
  int32_t lo = result_min_font_size - 1;
  int32_t tm_lo = 0;
  bool have_lo = false;
  // A cell height measured in whole pixels fits up to `limit`; aim half a pixel
  // above it so that a rounded measurement still lands on the fitting side.
  const double target = static_cast<double>(largest_fitting_tm(line_width, client_height)) + 0.5;
  int same_side = 0;
  bool last_fit = false;

  while (hi - lo > 1) {
    int64_t guess;
    if (same_side >= 3) {
      guess = lo + (hi - lo) / 2;  // interpolation creeping along one side: halve instead
    } else if (have_lo && tm_hi > tm_lo) {
      guess = lo + static_cast<int64_t>(std::floor((target - tm_lo) * (hi - lo) / (tm_hi - tm_lo)));
    } else if (tm_hi > 0) {
      guess = static_cast<int64_t>(std::floor(target * hi / tm_hi));
    } else {
      guess = lo + (hi - lo) / 2;
    }
    guess = std::clamp<int64_t>(guess, static_cast<int64_t>(lo) + 1, static_cast<int64_t>(hi) - 1);
    const int32_t size = static_cast<int32_t>(guess);
    const int32_t tm = measure(size);
    const bool fit_here = fits(tm);
    same_side = (fit.trials > 2 && fit_here == last_fit) ? same_side + 1 : 1;
    last_fit = fit_here;
    if (fit_here) {
      lo = size;
      tm_lo = tm;
      have_lo = true;
    } else {
      hi = size;
      tm_hi = tm;
    }
  }
  fit.font_size = std::max(lo, result_min_font_size);
  return fit;
}
