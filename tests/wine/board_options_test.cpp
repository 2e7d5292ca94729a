// The large view's options through the real library and its settings file:
// with the keys absent or 0 the picture is the same to the pixel; each option
// changes pixels only in the bands it owns, in text mode and in bitmap mode, and
// follows the record's current leg entry from one change notice to the next.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "board_test_skin.h"
#include "match/match_state.h"
#include "plugin/host_protocol.h"
#include "large_view.h"
#include "test_host.h"
#include "settings/profile_document.h"
#include "settings/settings_table.h"
#include "views/board/board_extras.h"
#include "views/board/board_extras_win.h"

namespace {

constexpr COLORREF first_mark = RGB(0x80, 0x00, 0x00);  // the default, the small view's
constexpr COLORREF name_back = RGB(0x2D, 0x2D, 0x2D);

constexpr const char* text_window = "[view_window]\r\nleft=20\r\ntop=20\r\nright=1000\r\nbottom=500\r\n";
constexpr const char* keys_at_zero =
    "show_checkout=0\r\nshow_average=0\r\nshow_first_mark=0\r\ncolor_first_mark=\"0x00FF00\"\r\n"
    "bmp_extra_left_1=20\r\nbmp_extra_top_1=240\r\nbmp_extra_right_1=190\r\nbmp_extra_bottom_1=290\r\n";

// Player 0 to throw on 170, player 1 threw first and stands on 32 with an average.
void fill_match(fake_match& match) {
  match.set_name(0, "Alice");
  match.set_name(1, "Bob");
  match.set_score(0, 170);
  match.set_score(1, 32);
  match.set_stat(1, 0, match_layout::score_total, 469);
  match.set_stat(1, 0, match_layout::score_darts, 15);
  match.set_current_leg(1);
  match.set_leg_players(1, 1, 0);
}

client_pixels shot_with(const std::string& ini, fake_match& match, bool with_skin = false) {
  large_view_window view(ini, match, with_skin);
  EXPECT_NE(view.window, nullptr);
  return view.window != nullptr ? view.shot() : client_pixels{};
}

RECT rect_of(const board_box& b) { return RECT{b.left, b.top, b.right, b.bottom}; }

bool inside_any(int x, int y, const std::vector<RECT>& rects) {
  for (const RECT& r : rects) {
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  }
  return false;
}

struct difference {
  int inside = 0;   // differing pixels inside the given rectangles
  int outside = 0;  // and elsewhere
};

difference compare(const client_pixels& a, const client_pixels& b, const std::vector<RECT>& owned) {
  difference d;
  if (a.width != b.width || a.height != b.height) {
    d.outside = -1;
    return d;
  }
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (a.at(x, y) == b.at(x, y)) continue;
      (inside_any(x, y, owned) ? d.inside : d.outside) += 1;
    }
  }
  return d;
}

TEST(BoardOptions, TextModeEachOptionOwnsItsBands) {
  fake_match match;
  fill_match(match);
  const client_pixels base = shot_with(text_window, match);
  ASSERT_EQ(base.width, 1000);
  const client_pixels zero = shot_with(std::string(text_window) + keys_at_zero, match);
  EXPECT_EQ(zero.pixels, base.pixels) << "keys present at 0 change nothing";

  load_view_settings(std::string(text_window) + "show_checkout=1\r\nshow_average=1\r\nshow_first_mark=1\r\n");
  const board_extras_text_layout bands = text_mode_bands(1000, 500);
  const struct {
    const char* key;
    std::vector<RECT> owned;      // where this option may draw
    std::vector<RECT> untouched;  // of those, where it draws nothing for this record
  } rows[] = {
      {"show_checkout", {rect_of(bands.lower_band[0]), rect_of(bands.lower_band[1])}, {}},
      {"show_average", {rect_of(bands.average[0]), rect_of(bands.average[1])}, {}},
      {"show_first_mark", {rect_of(bands.mark[0]), rect_of(bands.mark[1])}, {rect_of(bands.mark[0])}},
  };
  for (const auto& row : rows) {
    const client_pixels on = shot_with(std::string(text_window) + row.key + "=1\r\n", match);
    const difference d = compare(base, on, row.owned);
    EXPECT_GT(d.inside, 0) << row.key;
    EXPECT_EQ(d.outside, 0) << row.key;
    for (const RECT& r : row.untouched) EXPECT_EQ(compare(base, on, {r}).inside, 0) << row.key;
  }
  // The average bands take the score boxes' colour; the circle is the small view's dark red.
  const client_pixels average = shot_with(std::string(text_window) + "show_average=1\r\n", match);
  EXPECT_EQ(average.at(bands.average[1].left + 1, bands.average[1].top + 1), name_back);
  const client_pixels mark = shot_with(std::string(text_window) + "show_first_mark=1\r\n", match);
  const board_box& circle = bands.mark[1];
  EXPECT_EQ(mark.at((circle.left + circle.right) / 2, (circle.top + circle.bottom) / 2), first_mark);
}

TEST(BoardOptions, TextModeRouteFollowsThePlayerToThrow) {
  fake_match match;
  fill_match(match);
  load_view_settings(std::string(text_window) + "show_checkout=1\r\n");
  const board_extras_text_layout bands = text_mode_bands(1000, 500);
  const client_pixels base = shot_with(text_window, match);
  large_view_window view(std::string(text_window) + "show_checkout=1\r\n", match);
  ASSERT_NE(view.window, nullptr);
  const client_pixels first = view.shot();
  match.set_leg_players(1, 1, 1);  // player 0 busted: player 1 on 32 throws
  view.notice();
  const client_pixels then = view.shot();
  match.set_leg_players(1, 1, 5);  // nobody to throw
  view.notice();
  const client_pixels none = view.shot();
  // With no route the bands are there, empty; each route draws in its own box only.
  const difference bands_only = compare(base, none, {rect_of(bands.lower_band[0]), rect_of(bands.lower_band[1])});
  EXPECT_GT(bands_only.inside, 0);
  EXPECT_EQ(bands_only.outside, 0);
  const difference route0 = compare(none, first, {rect_of(bands.route[0])});
  EXPECT_GT(route0.inside, 0) << "170 for player 0";
  EXPECT_EQ(route0.outside, 0);
  const difference route1 = compare(none, then, {rect_of(bands.route[1])});
  EXPECT_GT(route1.inside, 0) << "D16 for player 1";
  EXPECT_EQ(route1.outside, 0) << "player 0's route gone";
}

// The bands of `shot` and `reference` inside `boxes` differ nowhere.
bool same_in(const client_pixels& shot, const client_pixels& reference, const std::vector<RECT>& boxes) {
  const difference d = compare(shot, reference, boxes);
  return d.outside >= 0 && d.inside == 0;
}

// The averages the view draws are the record's, read back from its pixels: the
// bands match the same painter given the expected texts. With show_checkout=0
// no route is drawn though the others are on and a player stands on a finish.
TEST(BoardOptions, TextModeDrawsTheRecordsAveragesAndNoRouteWithoutItsKey) {
  fake_match match;
  fill_match(match);
  match.set_stat(0, 0, match_layout::score_total, 331);  // 110.33 over 9 darts
  match.set_stat(0, 0, match_layout::score_darts, 9);
  match.set_stat(0, 1, match_layout::score_total, 170);  // the second block counts too
  match.set_stat(0, 1, match_layout::score_darts, 3);    // (501 over 12 darts: 125.25)
  const std::string ini = std::string(text_window) + "show_checkout=0\r\nshow_average=1\r\nshow_first_mark=1\r\n";
  const client_pixels base = shot_with(text_window, match);
  const client_pixels on = shot_with(ini, match);
  ASSERT_EQ(on.width, 1000);
  // The painter of this program, with the settings the library read from the same file.
  load_view_settings(ini);
  const board_extras_text_layout bands = text_mode_bands(1000, 500);
  EXPECT_TRUE(same_in(on, base, {rect_of(bands.lower_band[0]), rect_of(bands.lower_band[1])})) << "no route for 170";
  board_extras_content expected = {};
  std::strcpy(expected.average[0], "125.25");
  std::strcpy(expected.average[1], "93.80");
  const client_pixels reference = with_options_drawn(base, expected);

  EXPECT_GT(compare(base, on, {rect_of(bands.average[0])}).inside, 0);
  EXPECT_TRUE(same_in(on, reference, {rect_of(bands.average[0])})) << "125.25 for player 0";
  EXPECT_TRUE(same_in(on, reference, {rect_of(bands.average[1])})) << "93.80 for player 1";
}

TEST(BoardOptions, BitmapModeDrawsInsideTheRectanglesOnly) {
  const std::string skin = std::string("[view_window]\r\nleft=20\r\ntop=20\r\nright=400\r\nbottom=300\r\n") +
                           "bmp_back=skin\\back.bmp\r\nbmp_num_l=skin\\num_l.bmp\r\nbmp_num_s=skin\\num_s.bmp\r\n"
                           "bmp_score_x_1=40\r\nbmp_score_y_1=50\r\n"
                           "bmp_name_left_1=0\r\nbmp_name_top_1=0\r\nbmp_name_right_1=200\r\nbmp_name_bottom_1=40\r\n";
  const std::string rects =
      "bmp_extra_left_1=20\r\nbmp_extra_top_1=240\r\nbmp_extra_right_1=190\r\nbmp_extra_bottom_1=290\r\n"
      "bmp_extra_left_2=210\r\nbmp_extra_top_2=240\r\nbmp_extra_right_2=380\r\nbmp_extra_bottom_2=290\r\n";
  const std::string all_on = "show_checkout=1\r\nshow_average=1\r\nshow_first_mark=1\r\n";
  fake_match match;
  fill_match(match);
  const client_pixels base = shot_with(skin, match, true);
  ASSERT_EQ(base.width, board_skin::back_w);  // composed at the background's size: no scaling
  EXPECT_EQ(base.at(5, 5), board_skin::background);
  EXPECT_EQ(shot_with(skin + keys_at_zero + rects, match, true).pixels, base.pixels) << "keys at 0";
  EXPECT_EQ(shot_with(skin + all_on, match, true).pixels, base.pixels) << "options on, no rectangles";

  const RECT left = {20, 240, 190, 290};
  const RECT right = {210, 240, 380, 290};
  large_view_window view(skin + all_on + rects, match, true);
  ASSERT_NE(view.window, nullptr);
  const client_pixels on = view.shot();
  EXPECT_EQ(compare(base, on, {left, right}).outside, 0);
  EXPECT_GT(compare(base, on, {left}).inside, 0) << "player 0: route and average";
  EXPECT_GT(compare(base, on, {right}).inside, 0) << "player 1: average and the circle";
  const board_extras_skin_layout right_boxes = [] {
    view_window_extras o = {};
    o.show_checkout = o.show_average = o.show_first_mark = 1;
    o.bmp_extra_left[1] = 210;
    o.bmp_extra_top[1] = 240;
    o.bmp_extra_right[1] = 380;
    o.bmp_extra_bottom[1] = 290;
    return board_extras_layout_skin(o, 1);
  }();
  const board_box& circle = right_boxes.mark;
  EXPECT_EQ(on.at((circle.left + circle.right) / 2, (circle.top + circle.bottom) / 2), first_mark);
  // A notice that changes only the player to throw is drawn, though the scores stand.
  match.set_leg_players(1, 1, 1);
  view.notice();
  const client_pixels now = view.shot();
  EXPECT_NE(now.pixels, on.pixels) << "the route moved to player 1";
  EXPECT_EQ(compare(base, now, {left, right}).outside, 0);
}

}  // namespace
