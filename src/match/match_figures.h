// Arithmetic on the match record that more than one reader needs: the
// counters and averages as the players know them, with the two statistics
// blocks of a player combined. One computation, so that the result view's
// table, the large view and anything else that shows a figure agree to the byte.
#pragma once

#include <cstdint>

#include "match/match_state.h"

// Two of the host's 32-bit counters added as 32-bit numbers add (wrapping).
int32_t match_sum32(int32_t a, int32_t b);

// Writes "%.2f" of dividend / divisor (times 3 when `per_three_darts`) into
// `text` of `size` bytes, or "0.00" when the divisor is 0 or less. Returns the
// length written.
int match_format_average(int32_t dividend, int32_t divisor, bool per_three_darts, char* text, int size);

// "-6442450944.00" and its NUL: the longest average text there can be.
constexpr int match_average_text_size = 16;

// A player's three-dart match average: both blocks' score total over both
// blocks' darts, times three; 0.0 with no darts (a total of 0 or less).
double match_three_dart_average(const match_state* match, int player);

// The same as the result view's "Score" row shows it per three darts ("62.47",
// "0.00" with no darts). Returns the length.
int match_three_dart_average_text(const match_state* match, int player, char (&text)[match_average_text_size]);
