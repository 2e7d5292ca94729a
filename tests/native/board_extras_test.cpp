// The large view's options without a window: what they show for a record and
// where it goes, in text mode at the 1000 x 500 example and in a skin's rectangle.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
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

// A player's bmp_extra_* rectangle.
void set_rectangle(view_window_extras& o, int player, const board_box& r) {
  o.bmp_extra_left[player] = r.left;
  o.bmp_extra_top[player] = r.top;
  o.bmp_extra_right[player] = r.right;
  o.bmp_extra_bottom[player] = r.bottom;
}

constexpr int32_t no_visits[2] = {match_visit_unknown, match_visit_unknown};

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
    const board_extras_content c = board_extras_content_of(r.options, m.get(), r.first, r.current, no_visits);
    EXPECT_STREQ(c.route[0], r.route0) << r.what;
    EXPECT_STREQ(c.route[1], r.route1) << r.what;
    EXPECT_STREQ(c.average[0], r.average0) << r.what;
    EXPECT_STREQ(c.average[1], r.average1) << r.what;
    EXPECT_EQ(c.first_mark[0], r.mark0) << r.what;
    EXPECT_EQ(c.first_mark[1], r.mark1) << r.what;
  }
  // Off, the content is all zero bytes: the bitmap mode's key is as without the options.
  const board_extras_content off = board_extras_content_of(view_window_extras{}, m.get(), 0, 0, no_visits);
  EXPECT_EQ(std::vector<unsigned char>(reinterpret_cast<const unsigned char*>(&off),
                                       reinterpret_cast<const unsigned char*>(&off) + sizeof off),
            std::vector<unsigned char>(sizeof off, 0));
}

// The score font of a client `width` wide as Arial (Liberation Sans) bold
// draws it: width / 11 points at 96 dpi, with its proportions.
board_score_font arial_score(int32_t width) {
  const int32_t em = width / 11 * 96 / 72;
  return {em, em * 1117 / 1000, em * 905 / 1000, em * 190 / 1000, em * 6668 / 1000, em * 1668 / 1000,
          em * 3058 / 1000};
}

bool overlap(const board_box& a, const board_box& b) {
  return !pixel_box_empty(a) && !pixel_box_empty(b) && a.left < b.right && b.left < a.right && a.top < b.bottom &&
         b.top < a.bottom;
}

bool inside(const board_box& inner, int32_t w, int32_t h) {
  return inner.left >= 0 && inner.top >= 0 && inner.right <= w && inner.bottom <= h;
}

// Where each player's score digits are inked, as the painter centres the score.
board_box score_digits(const board_box& score, const board_score_font& f) {
  const int32_t top = score.top + (score.bottom - score.top - f.cell) / 2;
  return {score.left, top + f.ink_top, score.right, top + f.ascent};
}

// From 2:1 to 1:1, with the sets shown and hidden: every option's text is at
// least a third of the score digits' height, fits its box, and covers no name,
// score, legs or sets; the circle and the frame stay in the margins and gaps.
// Both routes (show_checkout 2, the waiting player's marked), the last visits
// and the mark of the player to throw.
TEST(BoardExtras, BothRoutesLastVisitsAndTurn) {
  record m;
  m.set(0, match_layout::score, 121);
  m.set(1, match_layout::score, 40);
  view_window_extras o = {};
  o.show_checkout = 2;
  o.show_last_visit = 1;
  o.show_turn = 1;
  const int32_t visits[2] = {140, match_visit_unknown};
  board_extras_content c = board_extras_content_of(o, m.get(), 0, 1, visits);
  EXPECT_STREQ(c.route[0], "T20 T15 D8");
  EXPECT_STREQ(c.route[1], "D20");
  EXPECT_EQ(c.route_waiting[0], 1) << "player 0 waits";
  EXPECT_EQ(c.route_waiting[1], 0);
  EXPECT_STREQ(c.visit[0], "140");
  EXPECT_STREQ(c.visit[1], "-") << "no visit yet in the leg";
  EXPECT_EQ(c.turn[0], 0);
  EXPECT_EQ(c.turn[1], 1);
  // Without a readable leg entry: both routes as waiting ones, no mark.
  c = board_extras_content_of(o, m.get(), -1, -1, visits);
  EXPECT_EQ(c.route_waiting[0] + c.route_waiting[1], 2);
  EXPECT_EQ(c.turn[0] + c.turn[1], 0);
  // show_checkout 1 keeps its meaning: the route of the player to throw alone.
  o.show_checkout = 1;
  c = board_extras_content_of(o, m.get(), 0, 1, visits);
  EXPECT_STREQ(c.route[0], "");
  EXPECT_STREQ(c.route[1], "D20");
  EXPECT_EQ(c.route_waiting[1], 0);
}

TEST(BoardExtras, TextModeReadableFromTheBackOfTheRoom) {
  view_window_extras o = all_on();
  o.show_last_visit = 1;
  o.show_turn = 1;
  const struct {
    int32_t w, h;
    bool readable;  // a third of the digits' height is required; wider than 2:1 it need not be
  } shapes[] = {{1000, 500, true},  {1000, 600, true},   {1000, 750, true},   {1000, 1000, true},
                {1920, 1080, true}, {3840, 2160, true},  {960, 540, true},    {1280, 1024, true},
                {800, 400, true},   {1200, 500, false},  {1600, 500, false},  {2000, 400, false}};
  for (const auto& z : shapes) {
    for (bool sets : {true, false}) {
      const std::string what = std::to_string(z.w) + " x " + std::to_string(z.h) + (sets ? "" : ", sets hidden");
      const board_text_layout boxes = board_layout_text(z.w, z.h, sets);
      const board_score_font f = arial_score(z.w);
      const board_extras_text_layout l = board_extras_layout_text(o, boxes, z.w, f);
      if (z.readable) {
        EXPECT_GE(3 * l.text_em, f.em) << what;
      } else if (l.text_em == 0) {
        continue;  // no room at all: nothing drawn, nothing covered
      }
      for (int p = 0; p < 2; ++p) {
        const board_box digits = score_digits(boxes.score[p], f);
        for (const board_box* band : {&l.lower_band[p], &l.average[p]}) {
          EXPECT_TRUE(!z.readable || !pixel_box_empty(*band)) << what;
          EXPECT_TRUE(pixel_box_empty(*band) || inside(*band, z.w, z.h)) << what;
          for (int q = 0; q < 2; ++q) {
            EXPECT_FALSE(overlap(*band, score_digits(boxes.score[q], f))) << what;
            EXPECT_FALSE(overlap(*band, boxes.name[q])) << what;
            EXPECT_FALSE(overlap(*band, boxes.legs[q])) << what;
            EXPECT_FALSE(overlap(*band, boxes.sets[q])) << what;
            EXPECT_FALSE(overlap(*band, l.turn[q])) << what << ": clear of the frame";
          }
        }
        // The texts' digits, `text_raise` above the band's middle, stay in the band.
        const int32_t middle = (l.lower_band[p].top + l.lower_band[p].bottom) / 2;
        const int32_t cell_top = middle - l.text_raise;
        EXPECT_GE(cell_top + f.ink_top * l.text_em / f.em, l.lower_band[p].top) << what;
        EXPECT_LE(cell_top + f.ascent * l.text_em / f.em, l.lower_band[p].bottom) << what;
        EXPECT_LE(f.route_width * l.text_em / f.em, l.route[p].right - l.route[p].left) << what;
        EXPECT_LE(f.visit_width * l.text_em / f.em, l.visit[p].right - l.visit[p].left) << what;
        EXPECT_LE(f.average_width * l.text_em / f.em, l.average[p].right - l.average[p].left) << what;
        EXPECT_FALSE(overlap(l.route[p], l.visit[p])) << what;
        EXPECT_GT(digits.bottom, digits.top) << what;
        // The frame lies around the name box, in the margins and the gaps.
        EXPECT_TRUE(inside(l.turn[p], z.w, z.h)) << what;
        EXPECT_FALSE(overlap(l.turn[p], boxes.score[p])) << what;
        EXPECT_FALSE(overlap(l.turn[p], l.mark[p])) << what;
      }
      EXPECT_LE(l.lower_band[0].right, l.lower_band[1].left) << what;
    }
  }
  // The 2:1 example: the last visit at the outer end of the band under each score.
  const board_extras_text_layout l = board_extras_layout_text(o, board_layout_text(1000, 500, true), 1000,
                                                              arial_score(1000));
  EXPECT_EQ(l.visit[0].left, 60);
  EXPECT_EQ(l.visit[1].right, 940);
  EXPECT_EQ(l.route[0].left, l.visit[0].right);
  EXPECT_EQ(l.turn_width, 6);
  expect_box(l.turn[0], 54, 24, 466, 111, "the frame of player 0");
  // Off, nothing of it takes room; an unknown score font draws no text.
  const board_extras_text_layout off =
      board_extras_layout_text(view_window_extras{}, board_layout_text(1000, 500, true), 1000, arial_score(1000));
  EXPECT_TRUE(pixel_box_empty(off.lower_band[0]) && pixel_box_empty(off.average[1]));
  EXPECT_EQ(board_extras_layout_text(o, board_layout_text(1000, 500, true), 1000, board_score_font{}).text_em, 0);
}

TEST(BoardExtras, SkinRectangleSharedByWhatIsOn) {
  view_window_extras o = all_on();
  set_rectangle(o, 1, {100, 200, 300, 240});
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
  set_rectangle(o, 0, {64, 111, 436, 139});
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

// The last visit takes a line of its own; the turn frame runs along the edge
// and everything else moves inside it.
TEST(BoardExtras, SkinRectangleWithLastVisitAndTurn) {
  view_window_extras o = {};
  o.show_last_visit = 1;
  set_rectangle(o, 0, {0, 0, 240, 60});
  board_extras_skin_layout l = board_extras_layout_skin(o, 0);
  expect_box(l.visit, 0, 0, 240, 60, "the visit alone fills the rectangle");
  EXPECT_EQ(l.visit_height, 48);
  o.show_turn = 1;
  o.show_checkout = 1;
  l = board_extras_layout_skin(o, 0);
  expect_box(l.turn, 0, 0, 240, 60, "the frame follows the rectangle");
  EXPECT_EQ(l.turn_width, 5);
  expect_box(l.route, 5, 5, 235, 30, "route above");
  expect_box(l.visit, 5, 30, 235, 55, "visit below");
  // Three texts side by side in a strip twelve times as wide as it is tall.
  o.show_turn = 0;
  o.show_average = 1;
  o.bmp_extra_right[0] = 720;
  l = board_extras_layout_skin(o, 0);
  expect_box(l.average, 0, 0, 240, 60, "average first");
  expect_box(l.route, 240, 0, 480, 60, "route second");
  expect_box(l.visit, 480, 0, 720, 60, "visit last");
}

}  // namespace
