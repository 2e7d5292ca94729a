// The checkout routes of the large view: for a remaining score, the darts that
// finish it on a double (or the bull) in at most three, as the board writes
// them. The table is data; tests/native/checkout_routes_test.cpp regenerates it
// from the preferences below and checks it whole.
//
// Among the routes of a score the table holds the one that
//   1. uses the fewest darts;
//   2. sets up with the fewest doubles and bulls (those are for finishing);
//   3. finishes on D20, D16 or D8 if it can, else on another even double, else
//      on an odd double, else on the bull;
//   4. sets up, dart by dart in the order thrown, with T20, then T19, then any
//      single, then the other trebles (higher first), then doubles (higher
//      first), then 25, then the bull;
//   5. finishes on the better double of its group: D20, D16, D8; D18, D12, D10,
//      D14, D6, D4, D2; D19, D17, ... D1.
#pragma once

#include <cstdint>

// No route goes above this score; 169, 168, 166, 165, 163, 162 and 159 below it
// have none, and neither has 1.
constexpr int32_t checkout_highest = 170;

// Bytes of the longest route text ("T20 T20 BULL") with its NUL.
constexpr int checkout_text_size = 13;

// The route for a remaining score as the board shows it: darts separated by one
// blank, a single as its number ("20"), "T" and "D" before trebles and doubles,
// "25" for the outer bull and "BULL" for the bull; for example "T20 T20 BULL",
// "T19 D12", "D16". Null when the score has no route (also for 1, 0, negative
// scores and scores above 170).
const char* checkout_route(int32_t score) noexcept;
