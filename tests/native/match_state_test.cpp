#include "match/match_state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

void put_i32(std::vector<unsigned char>& b, std::size_t at, int32_t v) { std::memcpy(&b[at], &v, 4); }

const match_state* as_match(const std::vector<unsigned char>& b, std::size_t skew = 0) {
  return reinterpret_cast<const match_state*>(b.data() + skew);
}

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

// Every field at the record offset the host writes it to, for both players, read
// from a record that starts at an odd address (the accessors must not assume alignment).
TEST(MatchState, EveryFieldAtItsRecordOffsetForBothPlayers) {
  struct field {
    std::size_t player0_offset;
    int32_t (*read)(const match_state*, int);
  };
  const field fields[] = {
      {124, match_player_score},
      {128, match_player_sets},
      {132, match_player_legs},
      {140, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::a).count_100_plus; }},
      {148, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::a).count_140_plus; }},
      {152, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::a).count_180; }},
      {160, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::a).best_leg; }},
      {168, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::a).score_total; }},
      {172, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::a).score_darts; }},
      {176, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::a).leg_darts; }},
      {180, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::a).leg_count; }},
      {184, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::a).first9_score; }},
      {188, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::a).first9_darts; }},
      {244, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::b).count_100_plus; }},
      {252, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::b).count_140_plus; }},
      {256, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::b).count_180; }},
      {264, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::b).best_leg; }},
      {272, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::b).score_total; }},
      {276, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::b).score_darts; }},
      {280, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::b).leg_darts; }},
      {284, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::b).leg_count; }},
      {288, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::b).first9_score; }},
      {292, [](const match_state* m, int p) { return match_player_stats(m, p, stats_block::b).first9_darts; }},
  };
  constexpr std::size_t skew = 1;
  for (const field& f : fields) {
    // Gap bytes hold a pattern, so a field read from a wrong offset shows.
    std::vector<unsigned char> rec(match_layout::record_size + skew, 0xCD);
    put_i32(rec, skew + f.player0_offset, 0x01020304);
    put_i32(rec, skew + f.player0_offset + 308, -123456);
    EXPECT_EQ(f.read(as_match(rec, skew), 0), 0x01020304) << "offset " << f.player0_offset;
    EXPECT_EQ(f.read(as_match(rec, skew), 1), -123456) << "offset " << f.player0_offset + 308;
  }
}

TEST(MatchState, HighOutIsSixteenBitsWithOtherDataAfterIt) {
  struct row {
    std::size_t offset;
    int player;
    stats_block block;
  };
  for (const row& r : {row{156, 0, stats_block::a}, row{260, 0, stats_block::b}, row{464, 1, stats_block::a},
                       row{568, 1, stats_block::b}}) {
    std::vector<unsigned char> rec(match_layout::record_size, 0);
    rec[r.offset] = 170;
    rec[r.offset + 1] = 0;
    rec[r.offset + 2] = 0xFF;  // the two bytes after it belong to something else
    rec[r.offset + 3] = 0x7F;
    EXPECT_EQ(match_player_stats(as_match(rec), r.player, r.block).high_out, 170) << r.offset;
  }
}

TEST(MatchState, CurrentLegAndLegTableField) {
  std::vector<unsigned char> rec(match_layout::record_size, 0);
  put_i32(rec, 16, 7);
  put_i32(rec, 672, 0x12345678);
  EXPECT_EQ(match_current_leg(as_match(rec)), 7);
  EXPECT_EQ(match_leg_table_address(as_match(rec)), 0x12345678u);
}

TEST(MatchState, LegEntryIsFoundAtCurrentLegTimes148) {
  std::vector<unsigned char> table(148 * 4, 0xCD);
  for (int leg = 0; leg < 4; ++leg) {
    put_i32(table, 148 * leg + 0, leg % 2);      // first player
    put_i32(table, 148 * leg + 4, 99);           // gap
    put_i32(table, 148 * leg + 8, 1 - leg % 2);  // current player
  }
  for (int leg = 0; leg < 4; ++leg) {
    int32_t first = -5, current = -5;
    match_leg_players(table.data(), leg, &first, &current);
    EXPECT_EQ(first, leg % 2) << leg;
    EXPECT_EQ(current, 1 - leg % 2) << leg;
  }
}

bool never_readable(const void*, std::size_t) { return false; }
int readable_asked = 0;
bool count_asks(const void*, std::size_t size) {
  ++readable_asked;
  EXPECT_EQ(size, 12u);  // first and current player, nothing beyond
  return false;
}

TEST(MatchState, NullLegTableYieldsNoLegEntry) {
  std::vector<unsigned char> rec(match_layout::record_size, 0);
  put_i32(rec, 16, 3);
  int32_t first = 0, current = 0;
  EXPECT_EQ(match_current_players(as_match(rec), never_readable, &first, &current), 0);
  EXPECT_EQ(first, -1);
  EXPECT_EQ(current, -1);
}

// A current leg outside any 32-bit table, or one whose entry cannot be read,
// names no player: the memory is not even asked about in the first case.
TEST(MatchState, LegEntryOutsideTheAddressSpaceOrUnreadableNamesNoPlayer) {
  struct row {
    uint32_t table;
    int32_t leg;
    bool exists;
    uint64_t entry;
  };
  const row rows[] = {
      {0x20010000u, 0, true, 0x20010000u},
      {0x20010000u, 3, true, 0x20010000u + 3 * 148},
      {0x20010000u, -1, false, 0},
      {0x20010000u, INT32_MIN, false, 0},
      {0x20010000u, INT32_MAX, false, 0},  // 148 times it is far past 4 GB
      {0xFFFFFFF4u, 0, true, 0xFFFFFFF4u},  // the 12 bytes read end at 4 GB
      {0xFFFFFFF5u, 0, false, 0},
      {0xFFFFFF00u, 2, false, 0},
      {0, 0, false, 0},
  };
  for (const row& r : rows) {
    uint64_t entry = 0;
    EXPECT_EQ(match_leg_entry_address(r.table, r.leg, &entry), r.exists ? 1 : 0) << r.table << " leg " << r.leg;
    if (r.exists) EXPECT_EQ(entry, r.entry) << r.table << " leg " << r.leg;

    std::vector<unsigned char> rec(match_layout::record_size, 0);
    put_i32(rec, 16, r.leg);
    put_i32(rec, 672, static_cast<int32_t>(r.table));
    readable_asked = 0;
    int32_t first = 0, current = 0;
    EXPECT_EQ(match_current_players(as_match(rec), count_asks, &first, &current), 0);
    EXPECT_EQ(readable_asked, r.exists ? 1 : 0);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(current, -1);
  }
}

// Player 1's name block ends the allocation: a reader that runs past byte 67 of
// it is caught by AddressSanitizer.
TEST(MatchState, NameWithoutNulIsCutTo67BytesAndNeverReadPastItsBlock) {
  std::vector<unsigned char> rec(364 + 68, 0);
  std::memset(&rec[56], 'a', 68);
  std::memset(&rec[364], 'b', 68);
  EXPECT_EQ(std::strlen(match_player_name(as_match(rec), 0).text), 67u);
  EXPECT_EQ(std::string(match_player_name(as_match(rec), 1).text), std::string(67, 'b'));
}

TEST(MatchState, NameEndsAtItsFirstNul) {
  std::vector<unsigned char> rec(match_layout::record_size, 0xCD);
  std::memcpy(&rec[56], "\0Ghost", 6);
  std::memcpy(&rec[364], "Eve\0tail", 8);
  EXPECT_STREQ(match_player_name(as_match(rec), 0).text, "");
  EXPECT_STREQ(match_player_name(as_match(rec), 1).text, "Eve");
}

}  // namespace
