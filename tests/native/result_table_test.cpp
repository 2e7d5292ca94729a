// The result table without a window: its geometry and the texts of its rows.
#include "views/result/result_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

void expect_box(const table_box& box, int32_t l, int32_t t, int32_t r, int32_t b, const char* what) {
  EXPECT_EQ(box.left, l) << what;
  EXPECT_EQ(box.top, t) << what;
  EXPECT_EQ(box.right, r) << what;
  EXPECT_EQ(box.bottom, b) << what;
}

TEST(ResultLayout, WorkedExample) {
  // 437 x 357 client, line width 2, table font 24 high and 10 wide on average.
  const result_layout l = result_table_layout(437, 357, 2, 24, 10);
  EXPECT_EQ(l.row_height, 28);
  EXPECT_EQ(l.gap, 60);
  expect_box(l.client, 0, 0, 437, 357, "client");
  expect_box(l.header, 2, 2, 435, 28, "header");  // bottom at H itself, not T + H
  expect_box(l.body, 2, 30, 435, 355, "body");
  expect_box(l.names[0], 12, 2, 218, 28, "name 0");
  expect_box(l.names[1], 218, 2, 425, 28, "name 1");
  expect_box(result_label_box(l, 0), 2, 30, 435, 58, "row 1 label");
  expect_box(result_label_box(l, 9), 2, 282, 435, 310, "row 10 label");
  // R / 2 = 217 is the inset right edge halved, one left of the midpoint of L and R.
  for (int row = 0; row < result_row_count; ++row) {
    const int32_t y = 30 + 28 * row;
    expect_box(result_value_box(l, row, 0), 2, y, 157, y + 28, "player 0 value");
    expect_box(result_value_box(l, row, 1), 277, y, 435, y + 28, "player 1 value");
  }
}

TEST(ResultLayout, NoLineLeavesNoStrip) {
  const result_layout l = result_table_layout(437, 357, 0, 24, 10);
  expect_box(l.header, 0, 0, 437, 28, "header");
  expect_box(l.body, 0, 28, 437, 357, "body");  // touches the header band
  EXPECT_EQ(result_label_box(l, 0).top, 28);
}

TEST(ResultLayout, AbsurdLineWidthStaysInRange) {
  // A hand-edited settings file may hold any integer; the arithmetic must not overflow.
  const struct {
    int32_t lw, inset_right;
  } rows[] = {{INT32_MAX, 437 - INT32_MAX}, {INT32_MIN, INT32_MAX}, {-1000000000, 1000000437}};
  for (const auto& r : rows) {
    const int32_t lw = r.lw;
    SCOPED_TRACE(lw);
    const result_layout l = result_table_layout(437, 357, lw, 24, 10);
    EXPECT_EQ(l.client.right, 437);
    EXPECT_EQ(l.header.left, lw);
    EXPECT_EQ(l.inset_right, r.inset_right);
    for (int row = 0; row < result_row_count; ++row) {
      const table_box label = result_label_box(l, row);
      EXPECT_LE(label.top, label.bottom);
      result_value_box(l, row, 0);
      result_value_box(l, row, 1);
    }
  }
  // Metrics of a font asked for at an absurd size.
  const result_layout huge = result_table_layout(437, 357, 2, INT32_MAX, INT32_MAX);
  EXPECT_EQ(result_label_box(huge, 9).bottom, INT32_MAX);
  EXPECT_EQ(result_value_box(huge, 0, 1).left, INT32_MAX);
}

TEST(ResultFit, ElevenRowsLessTwoLinesMustBeBelowTheHeight) {
  EXPECT_TRUE(result_rows_fit(28, 2, 357));   // 11 * 32 - 4 = 348 < 357
  EXPECT_FALSE(result_rows_fit(29, 2, 357));  // 11 * 33 - 4 = 359
  EXPECT_FALSE(result_rows_fit(28, 2, 348));  // strictly less
  EXPECT_TRUE(result_rows_fit(28, 2, 349));
  EXPECT_FALSE(result_rows_fit(1000, -2000000000, 100));  // no overflow either way
  EXPECT_TRUE(result_rows_fit(1000, 2000000000, 100));
}

// --- statistics -------------------------------------------------------------

struct stats_pair {
  match_stats a;
  match_stats b;
};

std::vector<std::string> texts(const result_player_figures& f, int32_t average_mode) {
  std::vector<std::string> out;
  char text[result_text_size];
  for (int row = 0; row < result_row_count; ++row) {
    const int length = result_value_text(f, row, average_mode, text);
    EXPECT_EQ(length, static_cast<int>(std::strlen(text)));
    out.emplace_back(text);
  }
  return out;
}

std::string row_text(const result_player_figures& f, const char* label, int32_t average_mode) {
  for (int row = 0; row < result_row_count; ++row) {
    if (std::strcmp(result_row_labels[row], label) == 0) return texts(f, average_mode)[static_cast<size_t>(row)];
  }
  ADD_FAILURE() << "no row " << label;
  return {};
}

TEST(ResultStatistics, LabelsInOrder) {
  const char* expected[] = {"Sets", "Legs", "100+", "140+", "180's", "High Out", "Best Leg", "Darts", "Score", "First 9"};
  for (int row = 0; row < result_row_count; ++row) EXPECT_STREQ(result_row_labels[row], expected[row]);
}

TEST(ResultStatistics, AllZeroPlayer) {
  const result_player_figures f{};
  const std::vector<std::string> want = {"0", "0", "0", "0", "0", "0", "0", "0.00", "0.00", "0.00"};
  EXPECT_EQ(texts(f, 0), want);
  EXPECT_EQ(texts(f, 1), want);
}

TEST(ResultStatistics, SumsAndCountsOfBothBlocks) {
  result_player_figures f{};
  f.sets = 2;
  f.legs = -1;
  f.a.count_100_plus = 7;
  f.b.count_100_plus = 5;
  f.a.count_140_plus = 1;
  f.b.count_140_plus = 2;
  f.a.count_180 = 0;
  f.b.count_180 = 3;
  const std::vector<std::string> t = texts(f, 0);
  EXPECT_EQ(t[0], "2");
  EXPECT_EQ(t[1], "-1");
  EXPECT_EQ(t[2], "12");
  EXPECT_EQ(t[3], "3");
  EXPECT_EQ(t[4], "3");
}

TEST(ResultStatistics, BestLegIgnoresAMissingLeg) {
  struct row {
    int32_t a, b, shown;
  } rows[] = {
      {0, 15, 15}, {15, 0, 15}, {18, 15, 15}, {15, 18, 15}, {0, 0, 0}, {12, 12, 12},
      {-3, 0, -3},  // not a leg count the host keeps; the smaller one wins
      {0, -3, -3},
  };
  for (const row& r : rows) {
    EXPECT_EQ(result_best_leg(r.a, r.b), r.shown) << r.a << " / " << r.b;
    result_player_figures f{};
    f.a.best_leg = r.a;
    f.b.best_leg = r.b;
    EXPECT_EQ(row_text(f, "Best Leg", 0), std::to_string(r.shown));
  }
}

TEST(ResultStatistics, HighOutIsTheLargerSigned16BitValue) {
  struct row {
    int16_t a, b;
    const char* shown;
  } rows[] = {{0, 121, "121"}, {121, 0, "121"}, {170, 121, "170"}, {-5, 0, "0"}, {-5, -2, "-2"}};
  for (const row& r : rows) {
    result_player_figures f{};
    f.a.high_out = r.a;
    f.b.high_out = r.b;
    EXPECT_EQ(row_text(f, "High Out", 0), r.shown) << r.a << " / " << r.b;
  }
}

TEST(ResultStatistics, HighOutFromTheRecordIgnoresTheNextTwoBytes) {
  std::vector<unsigned char> record(match_layout::record_size, 0);
  const std::size_t player1 = match_layout::players + match_layout::player_stride;
  const std::size_t a = player1 + match_layout::stats_a + match_layout::high_out;
  const std::size_t b = player1 + match_layout::stats_b + match_layout::high_out;
  record[a] = 121;  // 121, then 0x7F 0x7F of other data
  record[a + 2] = 0x7F;
  record[a + 3] = 0x7F;
  record[b] = 0x10;  // 0x8010 as 16 bits is negative, whatever follows
  record[b + 1] = 0x80;
  record[b + 2] = 0x01;
  const result_player_figures f = result_player_figures_of(reinterpret_cast<const match_state*>(record.data()), 1);
  EXPECT_EQ(row_text(f, "High Out", 0), "121");
}

TEST(ResultStatistics, Averages) {
  struct row {
    const char* label;
    int32_t dividend, divisor, average_mode;
    const char* shown;
  } rows[] = {
      {"Score", 501, 27, 0, "18.56"},  {"Score", 501, 27, 1, "55.67"},
      {"First 9", 501, 27, 0, "18.56"}, {"First 9", 501, 27, 1, "55.67"},
      {"Score", 501, 27, 2, "18.56"},  // only 1 means per three darts
      {"Darts", 45, 3, 0, "15.00"},     {"Darts", 45, 3, 1, "15.00"},  // never multiplied
      {"Score", 100, 0, 1, "0.00"},     {"Score", 100, -4, 1, "0.00"},
      {"Darts", 45, -3, 0, "0.00"},     {"First 9", -90, 9, 0, "-10.00"},
  };
  for (const row& r : rows) {
    result_player_figures f{};
    // Split each sum over the two blocks, so the test also proves they are added.
    match_stats* blocks[] = {&f.a, &f.b};
    for (int i = 0; i < 2; ++i) {
      const int32_t dividend = i == 0 ? r.dividend / 2 : r.dividend - r.dividend / 2;
      const int32_t divisor = i == 0 ? r.divisor / 3 : r.divisor - r.divisor / 3;
      if (std::strcmp(r.label, "Darts") == 0) {
        blocks[i]->leg_darts = dividend;
        blocks[i]->leg_count = divisor;
      } else if (std::strcmp(r.label, "Score") == 0) {
        blocks[i]->score_total = dividend;
        blocks[i]->score_darts = divisor;
      } else {
        blocks[i]->first9_score = dividend;
        blocks[i]->first9_darts = divisor;
      }
    }
    EXPECT_EQ(row_text(f, r.label, r.average_mode), r.shown) << r.label << " " << r.dividend << "/" << r.divisor;
  }
}

TEST(ResultStatistics, FiguresComeFromBothBlocksOfTheRightPlayer) {
  std::vector<unsigned char> record(match_layout::record_size, 0);
  auto put = [&](std::size_t at, int32_t v) { std::memcpy(&record[at], &v, 4); };
  const std::size_t p0 = match_layout::players;
  const std::size_t p1 = p0 + match_layout::player_stride;
  put(p0 + match_layout::sets, 3);
  put(p1 + match_layout::legs, 4);
  put(p1 + match_layout::stats_a + match_layout::score_total, 501);
  put(p1 + match_layout::stats_b + match_layout::score_darts, 27);
  const auto* m = reinterpret_cast<const match_state*>(record.data());
  EXPECT_EQ(row_text(result_player_figures_of(m, 0), "Sets", 0), "3");
  EXPECT_EQ(row_text(result_player_figures_of(m, 1), "Legs", 0), "4");
  EXPECT_EQ(row_text(result_player_figures_of(m, 1), "Score", 1), "55.67");
  EXPECT_EQ(row_text(result_player_figures_of(m, 0), "Score", 1), "0.00");
}

}  // namespace
