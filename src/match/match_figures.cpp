#include "match/match_figures.h"

#include <cstdio>

namespace {

struct dividend_divisor {
  int32_t dividend;
  int32_t divisor;
};

dividend_divisor score_figures(const match_state* match, int player) {
  const match_stats a = match_player_stats(match, player, stats_block::a);
  const match_stats b = match_player_stats(match, player, stats_block::b);
  return {match_sum32(a.score_total, b.score_total), match_sum32(a.score_darts, b.score_darts)};
}

double average_of(int32_t dividend, int32_t divisor, bool per_three_darts) {
  if (divisor <= 0) return 0.0;
  double quotient = static_cast<double>(dividend) / static_cast<double>(divisor);
  if (per_three_darts) quotient *= 3.0;
  return quotient;
}

}  // namespace

int32_t match_sum32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int match_format_average(int32_t dividend, int32_t divisor, bool per_three_darts, char* text, int size) {
  if (divisor <= 0) return std::snprintf(text, static_cast<std::size_t>(size), "0.00");
  return std::snprintf(text, static_cast<std::size_t>(size), "%.2f", average_of(dividend, divisor, per_three_darts));
}

double match_three_dart_average(const match_state* match, int player) {
  const dividend_divisor f = score_figures(match, player);
  return average_of(f.dividend, f.divisor, true);
}

int match_three_dart_average_text(const match_state* match, int player, char (&text)[match_average_text_size]) {
  const dividend_divisor f = score_figures(match, player);
  return match_format_average(f.dividend, f.divisor, true, text, match_average_text_size);
}
