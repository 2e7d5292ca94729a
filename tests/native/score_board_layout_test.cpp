// The small score board's geometry: the default 460 x 114 window box by box,
// the hidden sets column, tiny and narrow clients, and the buffer's sizes.
#include "views/score/score_board_layout.h"

#include <gtest/gtest.h>

namespace {

void expect_box(const score_box& b, int32_t left, int32_t top, int32_t right, int32_t bottom, const char* what) {
  EXPECT_EQ(b.left, left) << what;
  EXPECT_EQ(b.top, top) << what;
  EXPECT_EQ(b.right, right) << what;
  EXPECT_EQ(b.bottom, bottom) << what;
}

TEST(ScoreBoardLayout, DefaultWindowWithSets) {
  const score_board_boxes b = score_board_layout(460, 114, 2, 1);
  EXPECT_EQ(b.first_mark_size, 11);
  EXPECT_EQ(b.current_mark_size, 22);
  EXPECT_TRUE(b.sets_shown);
  expect_box(b.client, 0, 0, 460, 114, "client");
  expect_box(b.title_band, 2, 2, 458, 28, "title band");
  expect_box(b.title_text, 5, 2, 221, 28, "title text");
  expect_box(b.sets_head, 223, 2, 283, 28, "Sets head");
  expect_box(b.legs_head, 285, 2, 345, 28, "Legs head");

  const int32_t tops[2] = {30, 73};
  const int32_t bottoms[2] = {71, 112};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const score_row_boxes& r = b.rows[i];
    expect_box(r.name, 2, tops[i], 221, bottoms[i], "name");
    expect_box(r.sets, 223, tops[i], 283, bottoms[i], "sets");
    expect_box(r.legs, 285, tops[i], 345, bottoms[i], "legs");
    expect_box(r.score, 347, tops[i], 419, bottoms[i], "score");
    expect_box(r.mark, 421, tops[i], 458, bottoms[i], "mark");
    expect_box(r.name_text, 5, tops[i], 205, bottoms[i], "name text");
  }
  // The circle of row 1 and the triangle of row 0.
  expect_box(b.rows[1].first_mark, 205, 87, 216, 98, "circle, row 1");
  expect_box(b.rows[0].current_mark, 428, 39, 450, 61, "triangle, row 0");
  // Row 0 is taller by the truncation, so its marks sit differently.
  expect_box(b.rows[0].first_mark, 205, 45, 216, 56, "circle, row 0");
  expect_box(b.rows[1].current_mark, 428, 81, 450, 103, "triangle, row 1");

  EXPECT_EQ(b.triangle[0].x, 44);
  EXPECT_EQ(b.triangle[0].y, 0);
  EXPECT_EQ(b.triangle[1].x, 44);
  EXPECT_EQ(b.triangle[1].y, 44);
  EXPECT_EQ(b.triangle[2].x, 0);
  EXPECT_EQ(b.triangle[2].y, 22);
}

TEST(ScoreBoardLayout, HiddenSetsGiveTheirWidthToTheName) {
  const score_board_boxes b = score_board_layout(460, 114, 2, 0);
  EXPECT_FALSE(b.sets_shown);
  expect_box(b.sets_head, 0, 0, 0, 0, "no Sets head");
  expect_box(b.legs_head, 285, 2, 345, 28, "Legs head");
  expect_box(b.title_text, 5, 2, 283, 28, "title text");
  for (const score_row_boxes& r : b.rows) {
    expect_box(r.sets, 0, 0, 0, 0, "no sets cell");
    EXPECT_EQ(r.name.right, 283);
    EXPECT_EQ(r.name_text.right, 267);
    EXPECT_EQ(r.first_mark.left, 267);
    EXPECT_EQ(r.legs.left, 285);
  }
  // Any non-zero switch shows the column.
  EXPECT_TRUE(score_board_layout(460, 114, 2, 7).sets_shown);
}

TEST(ScoreBoardLayout, ZeroLineWidthMakesCellsTouch) {
  const score_board_boxes b = score_board_layout(460, 114, 0, 1);
  const score_row_boxes& r0 = b.rows[0];
  const score_row_boxes& r1 = b.rows[1];
  EXPECT_EQ(b.title_band.left, 0);
  EXPECT_EQ(b.title_band.bottom, r0.name.top);
  EXPECT_EQ(r0.name.bottom, r1.name.top);
  EXPECT_EQ(r1.name.bottom, 114);
  EXPECT_EQ(r0.name.right, r0.sets.left);
  EXPECT_EQ(r0.sets.right, r0.legs.left);
  EXPECT_EQ(r0.legs.right, r0.score.left);
  EXPECT_EQ(r0.score.right, r0.mark.left);
  EXPECT_EQ(r0.mark.right, 460);
}

TEST(ScoreBoardLayout, FixedColumnsKeepTheirWidthsInANarrowWindow) {
  const score_board_boxes wide_board = score_board_layout(460, 114, 2, 1);
  const score_board_boxes narrow_board = score_board_layout(150, 114, 2, 1);
  const score_row_boxes& w = wide_board.rows[0];
  const score_row_boxes& n = narrow_board.rows[0];
  EXPECT_EQ(n.mark.right - n.mark.left, w.mark.right - w.mark.left);
  EXPECT_EQ(n.score.right - n.score.left, w.score.right - w.score.left);
  EXPECT_EQ(n.legs.right - n.legs.left, w.legs.right - w.legs.left);
  EXPECT_EQ(n.sets.right - n.sets.left, w.sets.right - w.sets.left);
  // Nothing is left for the name: its cell is empty (right of it is left of its left).
  EXPECT_EQ(n.name.left, 2);
  EXPECT_LT(n.name.right, n.name.left);
}

struct sizes_row {
  int32_t height;
  score_buffer_sizes expected;
};

TEST(ScoreBoardLayout, BufferSizesFollowTheHeight) {
  const sizes_row rows[] = {
      {114, {22, 44, 16, 16, 22, 22}},
      {0, {0, 0, 0, 0, 0, 0}},
      {4, {0, 0, 0, 0, 0, 0}},
      {5, {0, 2, 0, 0, 1, 1}},
      {10, {2, 4, 1, 1, 2, 2}},
      {1080, {216, 432, 154, 154, 216, 216}},
  };
  for (const sizes_row& row : rows) {
    SCOPED_TRACE(row.height);
    const score_buffer_sizes s = score_buffer_sizes_for(row.height);
    EXPECT_EQ(s.first_mark_side, row.expected.first_mark_side);
    EXPECT_EQ(s.current_mark_side, row.expected.current_mark_side);
    EXPECT_EQ(s.header_points, row.expected.header_points);
    EXPECT_EQ(s.title_points, row.expected.title_points);
    EXPECT_EQ(s.name_points, row.expected.name_points);
    EXPECT_EQ(s.number_points, row.expected.number_points);
  }
}

TEST(ScoreBoardLayout, TinyClientsHaveEmptyMarks) {
  for (int32_t h = 0; h < 5; ++h) {
    SCOPED_TRACE(h);
    const score_board_boxes b = score_board_layout(40, h, 2, 1);
    EXPECT_EQ(b.current_mark_size, 0);
    EXPECT_EQ(b.first_mark_size, 0);
    for (const score_row_boxes& r : b.rows) {
      EXPECT_EQ(r.first_mark.right, r.first_mark.left);
      EXPECT_EQ(r.current_mark.bottom, r.current_mark.top);
    }
  }
}

TEST(ScoreBoardLayout, AbsurdLineWidthStaysInRange) {
  // A hand-edited settings file may hold any integer; the arithmetic must not overflow.
  for (int32_t lw : {INT32_MAX, INT32_MIN, -1000000000}) {
    SCOPED_TRACE(lw);
    const score_board_boxes b = score_board_layout(460, 114, lw, 1);
    EXPECT_EQ(b.client.right, 460);
    EXPECT_EQ(b.title_band.left, lw);
  }
}

}  // namespace
