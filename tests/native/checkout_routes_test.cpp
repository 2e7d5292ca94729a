// The checkout table checked whole: every score from below 0 to above 170 holds
// exactly the route that the preferences of checkout_routes.h pick among all
// routes of up to three darts, and every route reads back as darts that add up
// to the score and end on a double or the bull. DSV_PRINT_CHECKOUTS=1 prints the
// table as the source holds it, for when the preferences change.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "match/checkout_routes.h"

namespace {

// One dart of the board with its place in the preferences.
struct dart {
  std::string text;
  int value;
  bool finishes;     // a double or the bull
  bool for_finish;   // a double, 25 or the bull: counted against a setup
  int setup_rank;    // preference 4, lower is better
  int finish_group;  // preference 3
  int finish_rank;   // preference 5
};

std::vector<dart> board_darts() {
  static const int even_doubles[] = {18, 12, 10, 14, 6, 4, 2};
  std::vector<dart> darts;
  for (int n = 1; n <= 20; ++n) {
    const std::string number = std::to_string(n);
    darts.push_back({number, n, false, false, 2, 0, 0});
    const int treble_rank = n == 20 ? 0 : n == 19 ? 1 : 3 + (18 - n);
    darts.push_back({"T" + number, 3 * n, false, false, treble_rank, 0, 0});
    int group = 2;
    int rank = (19 - n) / 2;
    if (n == 20 || n == 16 || n == 8) {
      group = 0;
      rank = n == 20 ? 0 : n == 16 ? 1 : 2;
    } else if (n % 2 == 0) {
      group = 1;
      for (int i = 0; i < 7; ++i) {
        if (even_doubles[i] == n) rank = i;
      }
    }
    darts.push_back({"D" + number, 2 * n, true, true, 30 + (20 - n), group, rank});
  }
  darts.push_back({"25", 25, false, true, 60, 0, 0});
  darts.push_back({"BULL", 50, true, true, 61, 3, 0});
  return darts;
}

// The preferred route of every score up to 180 from the preferences alone
// ("" for none), from one pass over all routes of one, two and three darts.
const std::vector<std::string>& generated_routes() {
  static const std::vector<std::string> table = [] {
    const std::vector<dart> darts = board_darts();
    const int n_darts = static_cast<int>(darts.size());
    std::vector<std::string> routes(181);
    std::vector<int> fewest(181, 4);
    std::vector<std::vector<int>> best_key(181);
    for (int count = 1; count <= 3; ++count) {
      std::vector<int> pick(count, 0);
      int combinations = 1;
      for (int i = 0; i < count; ++i) combinations *= n_darts;
      for (int c = 0; c < combinations; ++c) {
        for (int i = 0, rest = c; i < count; ++i, rest /= n_darts) pick[i] = rest % n_darts;
        const dart& last = darts[pick[count - 1]];
        if (!last.finishes) continue;
        int score = 0;
        int setup_for_finish = 0;
        for (int i = 0; i < count; ++i) {
          score += darts[pick[i]].value;
          if (i + 1 < count && darts[pick[i]].for_finish) ++setup_for_finish;
        }
        if (fewest[score] < count) continue;  // preference 1
        std::vector<int> key = {setup_for_finish, last.finish_group};
        for (int i = 0; i + 1 < count; ++i) key.push_back(darts[pick[i]].setup_rank);
        key.push_back(last.finish_rank);
        if (fewest[score] == count && key >= best_key[score]) continue;
        fewest[score] = count;
        best_key[score] = key;
        routes[score].clear();
        for (int i : pick) routes[score] += (routes[score].empty() ? "" : " ") + darts[i].text;
      }
    }
    return routes;
  }();
  return table;
}

std::string generated_route(int score) {
  return score >= 0 && score < static_cast<int>(generated_routes().size()) ? generated_routes()[score] : "";
}

// What a route's text scores, dart by dart; false for a token that is no dart.
bool read_route(const std::string& text, std::vector<int>& values, bool& ends_on_double) {
  std::istringstream in(text);
  std::string token;
  values.clear();
  ends_on_double = false;
  while (in >> token) {
    int multiplier = 1;
    std::string number = token;
    if (token == "BULL") {
      values.push_back(50);
      ends_on_double = true;
      continue;
    }
    if (token[0] == 'T' || token[0] == 'D') {
      multiplier = token[0] == 'T' ? 3 : 2;
      number = token.substr(1);
    }
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos || number[0] == '0') return false;
    const int n = std::atoi(number.c_str());
    if (!((n >= 1 && n <= 20) || (n == 25 && multiplier == 1))) return false;
    values.push_back(n * multiplier);
    ends_on_double = multiplier == 2;
  }
  return true;
}

TEST(CheckoutRoutes, TableIsWhatThePreferencesGive) {
  std::ostringstream printed;
  int mismatches = 0;
  for (int score = -3; score <= checkout_highest + 20; ++score) {
    const std::string expected = generated_route(score);
    const char* route = checkout_route(score);
    const std::string held = route != nullptr ? route : "";
    if (held != expected) ++mismatches;
    EXPECT_EQ(held, expected) << "score " << score;
    if (route != nullptr) EXPECT_NE(held, "") << "score " << score << ": an empty route stands for none";
    if (score >= 0 && score <= checkout_highest) {
      if (score % 10 == 0) printed << "    /* " << (score < 100 ? score < 10 ? "  " : " " : "") << score << " */";
      printed << " " << (expected.empty() ? "nullptr" : "\"" + expected + "\"") << ",";
      if (score % 10 == 9) printed << "\n";
    }
  }
  if (mismatches > 0 || std::getenv("DSV_PRINT_CHECKOUTS") != nullptr) std::printf("%s\n", printed.str().c_str());
  EXPECT_EQ(checkout_route(INT_MIN), nullptr);
  EXPECT_EQ(checkout_route(INT_MAX), nullptr);
}

TEST(CheckoutRoutes, EveryRouteFinishesItsScoreInTheFewestDarts) {
  std::vector<int> none;
  for (int score = 1; score <= checkout_highest; ++score) {
    const char* route = checkout_route(score);
    if (route == nullptr) {
      none.push_back(score);
      continue;
    }
    std::vector<int> values;
    bool ends_on_double = false;
    ASSERT_TRUE(read_route(route, values, ends_on_double)) << score << ": " << route;
    EXPECT_EQ(std::string(route).find("  "), std::string::npos) << route;
    EXPECT_LT(std::string(route).size(), static_cast<std::size_t>(checkout_text_size)) << route;
    ASSERT_GE(values.size(), 1u);
    ASSERT_LE(values.size(), 3u);
    int sum = 0;
    for (int v : values) sum += v;
    EXPECT_EQ(sum, score) << route;
    EXPECT_TRUE(ends_on_double) << route;
    // Fewest darts: one dart finishes exactly the doubles and 50; two darts
    // exactly what one scoring dart leaves for a finishing one.
    const bool one = (score <= 40 && score % 2 == 0) || score == 50;
    bool two = false;
    for (int first = 1; first <= 60 && !two; ++first) {
      const bool scores = first <= 20 || first == 25 || first == 50 || (first <= 40 && first % 2 == 0) ||
                          (first % 3 == 0);
      const int rest = score - first;
      two = scores && ((rest >= 2 && rest <= 40 && rest % 2 == 0) || rest == 50);
    }
    const std::size_t fewest = one ? 1 : two ? 2 : 3;
    EXPECT_EQ(values.size(), fewest) << score << ": " << route;
  }
  EXPECT_EQ(none, (std::vector<int>{1, 159, 162, 163, 165, 166, 168, 169}));
}

TEST(CheckoutRoutes, TheBoardsKnownFinishes) {
  const struct {
    int score;
    const char* route;
  } rows[] = {{170, "T20 T20 BULL"}, {167, "T20 T19 BULL"}, {160, "T20 T20 D20"}, {121, "T20 T15 D8"},
              {110, "T20 BULL"},     {100, "T20 D20"},      {81, "T19 D12"},      {60, "20 D20"},
              {50, "BULL"},          {41, "1 D20"},         {32, "D16"},          {3, "1 D1"},
              {2, "D1"}};
  for (const auto& r : rows) EXPECT_STREQ(checkout_route(r.score), r.route) << r.score;
}

}  // namespace
