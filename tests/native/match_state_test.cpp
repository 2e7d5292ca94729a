#include "match/match_state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

void put_i32(std::vector<unsigned char>& b, std::size_t at, int32_t v) { std::memcpy(&b[at], &v, 4); }

TEST(MatchState, PlayerOneLiesOneStrideAfterPlayerZero) {
  std::vector<unsigned char> rec(match_layout::record_size + 1, 0);
  std::memcpy(&rec[56], "Alice", 6);
  std::memcpy(&rec[364], "Bob", 4);
  put_i32(rec, 124, 501);
  put_i32(rec, 432, 321);
  auto* m = reinterpret_cast<const match_state*>(rec.data() + 0);
  EXPECT_STREQ(match_player_name(m, 0).text, "Alice");
  EXPECT_STREQ(match_player_name(m, 1).text, "Bob");
  EXPECT_EQ(match_player_score(m, 0), 501);
  EXPECT_EQ(match_player_score(m, 1), 321);
}
}  // namespace
