// The large view following a match through the real library: a scripted leg
// played by a host that notifies once per dart and by one that notifies once
// per visit. At every notice the view must show exactly the board of a view
// without options with the last visits, both routes and the banner drawn over
// it, as they stand after that notice; with the options absent or at 0 the
// pictures are the old ones pixel for pixel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_test_skin.h"
#include "large_view.h"
#include "match/match_state.h"
#include "settings/settings_table.h"
#include "views/board/board_banner_win.h"
#include "views/board/board_callout.h"
#include "test_host.h"

namespace {

constexpr const char* window_a = "[view_window]\r\nleft=10\r\ntop=10\r\nright=1000\r\nbottom=500\r\n";
constexpr const char* window_b = "[view_window]\r\nleft=10\r\ntop=540\r\nright=1000\r\nbottom=500\r\n";
constexpr const char* follow_keys = "show_last_visit=1\r\nshow_callout=1\r\nshow_checkout=2\r\ncallout_seconds=60\r\n";

// One visit of the script and what the board should show once it is thrown.
struct visit {
  int player;
  std::vector<int32_t> darts;
  const char* visits[2];  // the last visits shown afterwards
  const char* banner;     // the banner raised by it; "" for none
};

// A leg of 501: player 0 throws first, a 180, a 140, a finish of 121.
const visit leg[] = {
    {0, {60, 60, 60}, {"180", "-"}, "180"},
    {1, {20, 60, 20}, {"180", "100"}, ""},
    {0, {60, 60, 20}, {"140", "100"}, ""},
    {1, {60, 20, 20}, {"140", "100"}, ""},
    {0, {20, 20, 20}, {"60", "100"}, ""},
    {1, {20, 20, 5}, {"60", "45"}, ""},
    {0, {60, 33, 28}, {"-", "-"}, "121 CHECKOUT"},
    {1, {60, 60, 20}, {"-", "140"}, ""},
};

// The host's record as a simple host keeps it, and its notices.
struct scripted_host {
  fake_match& match;
  int32_t score[2] = {501, 501};
  int32_t legs[2] = {0, 0};
  int32_t count_180[2] = {0, 0};
  int32_t leg_index = 0;
  int32_t first = 0;
  int32_t current = 0;

  explicit scripted_host(fake_match& m) : match(m) { write(); }

  void write() {
    for (int p = 0; p < 2; ++p) {
      match.set_score(p, score[p]);
      match.set_legs(p, legs[p]);
      match.set_stat(p, 0, match_layout::count_180, count_180[p]);
    }
    match.set_current_leg(leg_index);
    match.set_leg_players(leg_index, first, current);
  }

  // Throws `v`. Per dart, `notice(last_dart, complete)` follows each dart, and
  // the turn passes with a notice of its own; per visit, one notice follows
  // the whole visit. A finish ends the leg with the dart that wins it.
  template <class Notice>
  void play(const visit& v, bool per_dart, Notice notice) {
    int32_t total = 0;
    for (std::size_t d = 0; d < v.darts.size(); ++d) {
      score[v.player] -= v.darts[d];
      total += v.darts[d];
      const bool last = d + 1 == v.darts.size();
      if (last && total == 180) ++count_180[v.player];
      if (score[v.player] == 0) {
        ++legs[v.player];
        score[0] = score[1] = 501;
        ++leg_index;
        first = current = 1 - first;
        write();
        notice(true, true);
        return;
      }
      if (last && !per_dart) current = 1 - v.player;
      write();
      if (per_dart || last) notice(last, !per_dart);
    }
    if (!per_dart) return;
    current = 1 - v.player;
    write();
    notice(false, true);
  }
};

board_extras_content expected_content(const fake_match& match, const char* const (&visits)[2]) {
  int32_t first = -1;
  int32_t current = -1;
  match_current_players(static_cast<const match_state*>(match.pointer()),
                        [](const void*, std::size_t) { return true; }, &first, &current);
  int32_t numbers[2] = {match_visit_unknown, match_visit_unknown};
  for (int p = 0; p < 2; ++p) {
    if (std::string(visits[p]) != "-") numbers[p] = std::stoi(visits[p]);
  }
  return board_extras_content_of(view_extras, static_cast<const match_state*>(match.pointer()), first, current,
                                 numbers);
}

void play_leg(bool per_dart) {
  SCOPED_TRACE(per_dart ? "per dart" : "per visit");
  fake_match match;
  match.set_name(0, "Alice");
  match.set_name(1, "Bob");
  scripted_host host(match);
  load_view_settings(std::string(window_a) + follow_keys);
  large_view_window on(std::string(window_a) + follow_keys, match);
  large_view_window off(window_b, match);
  ASSERT_NE(on.window, nullptr);
  ASSERT_NE(off.window, nullptr);
  const char* shown_visits[2] = {"-", "-"};
  std::string banner;
  int notices = 0;
  auto check = [&] {
    const client_pixels board = off.shot();
    client_pixels want = with_options_drawn(board, expected_content(match, shown_visits));
    if (!banner.empty()) want = with_banner_drawn(want, banner.c_str());
    EXPECT_TRUE(same_pixels(on.shot(), want)) << "notice " << notices << ", banner \"" << banner << "\"";
  };
  check();  // the starting point
  for (const visit& v : leg) {
    bool first_dart = true;
    host.play(v, per_dart, [&](bool last_dart, bool complete) {
      on.notice();
      off.notice();
      ++notices;
      if (first_dart) banner.clear();  // the next visit began
      first_dart = false;
      if (last_dart && v.banner[0] != '\0') banner = v.banner;
      if (complete) {
        shown_visits[0] = v.visits[0];
        shown_visits[1] = v.visits[1];
      }
      check();
    });
  }
}

TEST(BoardFollow, PerDartAndPerVisitShowTheSame) {
  play_leg(false);
  play_leg(true);
}

// Bitmap mode, stretched: a host telling every dart and one telling every
// visit give the same pictures once each visit is complete, and the banner lies
// over the same board a view without it shows.
TEST(BoardFollow, BitmapModePerDartAndPerVisitShowTheSame) {
  const std::string skin =
      "bmp_back=skin\\back.bmp\r\nbmp_num_l=skin\\num_l.bmp\r\nbmp_num_s=skin\\num_s.bmp\r\n"
      "bmp_score_x_1=40\r\nbmp_score_y_1=50\r\nbmp_score_x_2=240\r\nbmp_score_y_2=50\r\n"
      "bmp_extra_left_1=20\r\nbmp_extra_top_1=200\r\nbmp_extra_right_1=190\r\nbmp_extra_bottom_1=290\r\n"
      "bmp_extra_left_2=210\r\nbmp_extra_top_2=200\r\nbmp_extra_right_2=380\r\nbmp_extra_bottom_2=290\r\n"
      "show_last_visit=1\r\nshow_checkout=2\r\nshow_turn=1\r\n";
  auto at = [](int left) {
    return "[view_window]\r\nleft=" + std::to_string(left) + "\r\ntop=10\r\nright=600\r\nbottom=450\r\n";
  };
  const std::string callout = "show_callout=1\r\ncallout_seconds=60\r\n";
  load_view_settings(at(620) + skin + callout);  // the banner's colours and font
  fake_match dart_match, visit_match;
  scripted_host per_dart(dart_match), per_visit(visit_match);
  large_view_window a(at(0) + skin + callout, dart_match, true);
  large_view_window b(at(620) + skin + callout, visit_match, true);
  large_view_window c(at(1240) + skin, visit_match, true);
  ASSERT_NE(a.window, nullptr);
  ASSERT_NE(b.window, nullptr);
  ASSERT_NE(c.window, nullptr);
  client_pixels previous = c.shot();
  for (const visit& v : leg) {
    per_dart.play(v, true, [&](bool, bool) { a.notice(); });
    per_visit.play(v, false, [&](bool, bool) {
      b.notice();
      c.notice();
    });
    const client_pixels board = c.shot();
    EXPECT_NE(board.pixels, previous.pixels) << "the visit shows";
    previous = board;
    const client_pixels want = v.banner[0] != '\0' ? with_banner_drawn(board, v.banner) : board;
    EXPECT_TRUE(same_pixels(b.shot(), want)) << v.visits[0] << " / " << v.visits[1];
    EXPECT_TRUE(same_pixels(a.shot(), b.shot())) << v.visits[0] << " / " << v.visits[1];
  }
}

// The update regions the view painted within its banner timer, as one
// rectangle, while record_paints stands in front of its procedure. What the
// system asked to be painted before the timer (another test's window moved
// away from this one, say) is painted first and not counted.
RECT painted = {};
WNDPROC view_procedure = nullptr;
bool in_banner_timer = false;

LRESULT CALLBACK record_paints(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == board_callout_timer_id) {
    UpdateWindow(window);
    in_banner_timer = true;
    const LRESULT result = CallWindowProcA(view_procedure, window, message, wparam, lparam);
    in_banner_timer = false;
    return result;
  }
  if (message == WM_PAINT && in_banner_timer) {
    RECT update = {};
    if (GetUpdateRect(window, &update, FALSE)) {
      if (IsRectEmpty(&painted)) {
        painted = update;
      } else {
        UnionRect(&painted, &painted, &update);
      }
    }
  }
  return CallWindowProcA(view_procedure, window, message, wparam, lparam);
}

// The banner goes when its time is up, and only where it lay is shown again.
TEST(BoardFollow, BannerGoesWhenItsTimeIsUp) {
  fake_match match;
  scripted_host host(match);
  const std::string keys = "show_callout=1\r\ncallout_seconds=1\r\n";
  load_view_settings(std::string(window_a) + keys);
  large_view_window on(std::string(window_a) + keys, match);
  large_view_window off(window_b, match);
  ASSERT_NE(on.window, nullptr);
  host.play(leg[0], false, [&](bool, bool) {
    on.notice();
    off.notice();
  });
  EXPECT_TRUE(same_pixels(on.shot(), with_banner_drawn(off.shot(), "180")));
  // What the window paints when the banner goes: the band it covered, no more.
  painted = RECT{};
  view_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(on.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record_paints)));
  pump_messages(1500);
  SetWindowLongPtrA(on.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(view_procedure));
  const board_box band = board_banner_layout_of(1000, 500).band;
  EXPECT_EQ(painted.left, band.left);
  EXPECT_EQ(painted.top, band.top);
  EXPECT_EQ(painted.right, band.right);
  EXPECT_EQ(painted.bottom, band.bottom);
  EXPECT_TRUE(same_pixels(on.shot(), off.shot())) << "gone after a second";
}

// With the new keys absent or at 0 the board is the old one at every notice.
TEST(BoardFollow, OptionsOffGiveTheOldPictures) {
  fake_match match;
  scripted_host host(match);
  const std::string zeros =
      "show_last_visit=0\r\nshow_callout=0\r\nshow_turn=0\r\nshow_checkout=0\r\ncallout_seconds=1\r\n"
      "color_turn=\"0x123456\"\r\ncolor_checkout_waiting=\"0x654321\"\r\n";
  large_view_window at_zero(std::string(window_a) + zeros, match);
  large_view_window absent(window_b, match);
  ASSERT_NE(at_zero.window, nullptr);
  for (const visit& v : leg) {
    host.play(v, true, [&](bool, bool) {
      at_zero.notice();
      absent.notice();
      EXPECT_TRUE(same_pixels(at_zero.shot(), absent.shot()));
    });
  }
}

// The player to throw: a frame around the name box in color_turn, none
// without a readable leg entry.
TEST(BoardFollow, TurnMarkFollowsThePlayerToThrow) {
  fake_match match;
  scripted_host host(match);
  const std::string keys = "show_turn=1\r\ncolor_turn=\"0x00FF00\"\r\n";
  load_view_settings(std::string(window_a) + keys);
  const board_extras_text_layout bands = text_mode_bands(1000, 500);
  large_view_window on(std::string(window_a) + keys, match);
  ASSERT_NE(on.window, nullptr);
  const COLORREF green = RGB(0, 255, 0);
  auto framed = [&](int p) {
    const client_pixels shot = on.shot();
    const board_box& t = bands.turn[p];
    return board_skin::count_colour(shot, {t.left, t.top, t.right, t.top + bands.turn_width}, green) ==
           (t.right - t.left) * bands.turn_width;
  };
  EXPECT_TRUE(framed(0));
  EXPECT_FALSE(framed(1));
  host.play(leg[0], false, [&](bool, bool) { on.notice(); });
  EXPECT_FALSE(framed(0));
  EXPECT_TRUE(framed(1));
  match.set_leg_table(nullptr);
  on.notice();
  EXPECT_FALSE(framed(0));
  EXPECT_FALSE(framed(1));
}

}  // namespace
