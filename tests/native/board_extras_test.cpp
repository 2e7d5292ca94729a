// The large view's options without a window: what they show for a record and
// where it goes, in text mode at the 1000 x 500 example and in a skin's rectangle.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "board_test_support.h"
#include "match/match_state.h"
#include "views/board/board_extras.h"

namespace {

struct record {
  std::vector<unsigned char> bytes = std::vector<unsigned char>(match_layout::record_size, 0);
  const match_state* get() const { return reinterpret_cast<const match_state*>(bytes.data()); }
  void set(int player, std::size_t field, int32_t value) {
    std::memcpy(&bytes[match_layout::players + match_layout::player_stride * player + field], &value, 4);
  }
};

view_window_extras all_on() {
  view_window_extras o = {};
  o.show_checkout = 1;
  o.show_average = 7;  // any value but 0 is on
  o.show_first_mark = 1;
  return o;
}

TEST(BoardExtras, WhatTheOptionsShow) {
  record m;
  m.set(0, match_layout::score, 170);
  m.set(1, match_layout::score, 169);
  // Player 1: 501 in 27 darts over the two blocks, the result view's 55.67 per three darts.
  m.set(1, match_layout::stats_a + match_layout::score_total, 301);
  m.set(1, match_layout::stats_b + match_layout::score_total, 200);
  m.set(1, match_layout::stats_a + match_layout::score_darts, 27);
  const struct {
    const char* what;
    view_window_extras options;
    int32_t first, current;
    const char* route0;
    const char* route1;
    const char* average0;
    const char* average1;
    int32_t mark0, mark1;
  } rows[] = {
      {"all on, player 0 to throw", all_on(), 1, 0, "T20 T20 BULL", "", "0.00", "55.67", 0, 1},
      {"player 1 to throw on a bogey number", all_on(), 0, 1, "", "", "0.00", "55.67", 1, 0},
      {"no leg table", all_on(), -1, -1, "", "", "0.00", "55.67", 0, 0},
      {"players out of range", all_on(), 2, -7, "", "", "0.00", "55.67", 0, 0},
      {"all off", view_window_extras{}, 0, 0, "", "", "", "", 0, 0},
  };
  for (const auto& r : rows) {
    const board_extras_content c = board_extras_content_of(r.options, m.get(), r.first, r.current);
    EXPECT_STREQ(c.route[0], r.route0) << r.what;
    EXPECT_STREQ(c.route[1], r.route1) << r.what;
    EXPECT_STREQ(c.average[0], r.average0) << r.what;
    EXPECT_STREQ(c.average[1], r.average1) << r.what;
    EXPECT_EQ(c.first_mark[0], r.mark0) << r.what;
    EXPECT_EQ(c.first_mark[1], r.mark1) << r.what;
  }
  // Off, the content is all zero bytes: the bitmap mode's key is as without the options.
  const board_extras_content off = board_extras_content_of(view_window_extras{}, m.get(), 0, 0);
  EXPECT_EQ(std::vector<unsigned char>(reinterpret_cast<const unsigned char*>(&off),
                                       reinterpret_cast<const unsigned char*>(&off) + sizeof off),
            std::vector<unsigned char>(sizeof off, 0));
}

TEST(BoardExtras, TextModeBandsBesideTheBoxes) {
  // Sets shown: score boxes 135..260, names 30..105, the name box of player 1 ends at 940.
  const board_extras_text_layout shown = board_extras_layout_text(board_layout_text(1000, 500, true), 1000);
  expect_box(shown.route[0], 60, 240, 360, 260, "route 0: the bottom sixth of the score box");
  expect_box(shown.route[1], 640, 240, 940, 260, "route 1");
  expect_box(shown.average[0], 60, 105, 460, 125, "average 0: two thirds of the gap under the name");
  expect_box(shown.average[1], 540, 105, 940, 125, "average 1");
  expect_box(shown.mark[0], 11, 49, 48, 86, "mark 0: in the left margin");
  expect_box(shown.mark[1], 951, 49, 988, 86, "mark 1: in the right margin");
  EXPECT_EQ(shown.route_height, 16);
  EXPECT_EQ(shown.average_height, 16);
  // Sets hidden: names 60..135, scores 195..305.
  const board_extras_text_layout hidden = board_extras_layout_text(board_layout_text(1000, 500, false), 1000);
  expect_box(hidden.route[0], 60, 287, 360, 305, "route 0, sets hidden");
  expect_box(hidden.average[0], 60, 135, 460, 175, "average 0, sets hidden");
  EXPECT_EQ(hidden.average_height, 32);
}

TEST(BoardExtras, SkinRectangleSharedByWhatIsOn) {
  view_window_extras o = all_on();
  o.bmp_extra_left[1] = 100;
  o.bmp_extra_top[1] = 200;
  o.bmp_extra_right[1] = 300;
  o.bmp_extra_bottom[1] = 240;
  board_extras_skin_layout l = board_extras_layout_skin(o, 1);
  expect_box(l.mark, 107, 207, 133, 233, "mark: two thirds of a 40-pixel column");
  expect_box(l.average, 140, 200, 300, 220, "average: the upper line");
  expect_box(l.route, 140, 220, 300, 240, "route: the lower line");
  EXPECT_EQ(l.route_height, 16);
  o.show_average = 0;
  o.show_first_mark = 0;
  l = board_extras_layout_skin(o, 1);
  expect_box(l.route, 100, 200, 300, 240, "the route alone fills the rectangle");
  expect_box(l.mark, 0, 0, 0, 0, "no mark");
  EXPECT_EQ(l.route_height, 32);
  // A wide strip: the two texts side by side after the circle's column.
  o = all_on();
  o.bmp_extra_left[0] = 64;
  o.bmp_extra_top[0] = 111;
  o.bmp_extra_right[0] = 436;
  o.bmp_extra_bottom[0] = 139;
  l = board_extras_layout_skin(o, 0);
  expect_box(l.mark, 69, 116, 87, 134, "mark in a 28-pixel column");
  expect_box(l.average, 92, 111, 264, 139, "average on the left");
  expect_box(l.route, 264, 111, 436, 139, "route on the right");
  EXPECT_EQ(l.average_height, 22);
  // All-zero keys give an empty rectangle, and so do corners swapped.
  l = board_extras_layout_skin(all_on(), 0);
  expect_box(l.route, 0, 0, 0, 0, "empty rectangle");
  std::swap(o.bmp_extra_left[0], o.bmp_extra_right[0]);
  l = board_extras_layout_skin(o, 0);
  expect_box(l.route, 0, 0, 0, 0, "swapped corners");
}

}  // namespace
