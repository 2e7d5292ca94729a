// The small score view as a real window, linked in: cell colours of both
// layouts, the two marks, the title line, the buffer's surfaces and fonts,
// Hide/Show Sets through the menu, and the host's refresh-twice code.
#include <gtest/gtest.h>

#include <cstring>

#include "draw/gdi_handles_win.h"
#include "plugin/host_protocol.h"
#include "plugin/plugin_exports.h"
#include "plugin/plugin_globals.h"
#include "score_test_support.h"
#include "settings/settings_table.h"
#include "test_host.h"
#include "views/score/score_window_win.h"

namespace {


// One colour per brush, so that every cell can be told apart.
constexpr COLORREF line = RGB(10, 20, 30);
constexpr COLORREF head_back = RGB(60, 0, 0);
constexpr COLORREF head_text = RGB(255, 255, 0);
constexpr COLORREF name_back = RGB(255, 255, 255);
constexpr COLORREF name_text = RGB(0, 0, 0);
constexpr COLORREF sets_back = RGB(0, 0, 160);
constexpr COLORREF legs_back = RGB(0, 120, 0);
constexpr COLORREF score_back = RGB(120, 0, 120);
constexpr COLORREF number_text = RGB(255, 255, 255);
constexpr COLORREF current_back = RGB(250, 240, 200);
constexpr COLORREF current_mark = RGB(0, 90, 200);
constexpr COLORREF first_mark = RGB(200, 0, 0);

void score_defaults() {
  score_window_settings& s = score_settings;
  std::memset(&s, 0, sizeof s);
  s.geometry = {40, 50, 460, 114};
  s.visible_set = 1;
  s.line_width = 2;
  s.size_width = 3;
  lstrcpyA(s.font_name, "Arial");
  s.color_line_color = file_colour(line);
  s.color_first_mark = file_colour(first_mark);
  s.color_head_text = file_colour(head_text);
  s.color_head_back = file_colour(head_back);
  s.color_name_text = file_colour(name_text);
  s.color_name_back = file_colour(name_back);
  s.color_sets_text = file_colour(number_text);
  s.color_sets_back = file_colour(sets_back);
  s.color_legs_text = file_colour(number_text);
  s.color_legs_back = file_colour(legs_back);
  s.color_score_text = file_colour(number_text);
  s.color_score_back = file_colour(score_back);
  s.color_current_mark = file_colour(current_mark);
  s.color_current_back = file_colour(current_back);
}

class ScoreView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_instance = GetModuleHandleA(nullptr);
    frame_register_class(module_instance, score_description);
  }
  void SetUp() override {
    score_defaults();
    SetThreadLocale(0x409);
    match_.set_name(0, "Anna");
    match_.set_name(1, "Bert");
    match_.set_sets(0, 1);
    match_.set_legs(0, 2);
    match_.set_score(0, 501);
    match_.set_sets(1, 0);
    match_.set_legs(1, 3);
    match_.set_score(1, -40);
    match_.set_current_leg(2);
    match_.set_leg_players(2, 7, 7);  // no marks unless a test asks for them
  }
  void TearDown() override {
    dsv_socre(nullptr, host_event::close, host_.block(), 0);
    pump_messages();
  }
  HWND open() {
    dsv_socre(nullptr, host_event::open, host_.block(), 0);
    pump_messages();
    return score_hwnd;
  }
  static score_window_state* state_of(HWND window) { return static_cast<score_window_state*>(frame_state(window)); }

  fake_match match_;
  fake_host host_{match_};
};

struct sample {
  int x;
  int y;
  COLORREF colour;
  const char* what;
};

void expect_samples(HWND window, const std::vector<sample>& samples) {
  const client_pixels shot = capture_client(window);
  ASSERT_EQ(shot.width, 460);
  ASSERT_EQ(shot.height, 114);
  for (const sample& s : samples) {
    EXPECT_EQ(shot.at(s.x, s.y), s.colour) << s.what << " at (" << s.x << ", " << s.y << ")";
  }
}

TEST_F(ScoreView, CellsWithTheSetsColumn) {
  HWND w = open();
  ASSERT_NE(w, nullptr);
  expect_samples(w, {{0, 0, line, "outer frame"},
                     {1, 50, line, "left frame"},
                     {100, 28, line, "under the title band"},
                     {100, 71, line, "between the rows"},
                     {221, 50, line, "left of the sets"},
                     {100, 5, head_back, "title band, empty title"},
                     {456, 26, head_back, "title band above the marks"},
                     {3, 31, name_back, "name, row 0"},
                     {224, 31, sets_back, "sets, row 0"},
                     {282, 70, sets_back, "sets, row 0"},
                     {286, 31, legs_back, "legs, row 0"},
                     {348, 31, score_back, "score, row 0"},
                     {422, 31, current_back, "mark cell, row 0"},
                     {3, 74, name_back, "name, row 1"},
                     {224, 74, sets_back, "sets, row 1"},
                     {286, 111, legs_back, "legs, row 1"},
                     {348, 74, score_back, "score, row 1"},
                     {422, 111, current_back, "mark cell, row 1"},
                     {100, 112, line, "bottom frame"}});
}

TEST_F(ScoreView, CellsWithoutTheSetsColumn) {
  score_settings.visible_set = 0;
  HWND w = open();
  expect_samples(w, {{222, 31, name_back, "name reaches further"},
                     {224, 74, name_back, "name, row 1"},
                     {283, 50, line, "left of the legs"},
                     {286, 31, legs_back, "legs"},
                     {348, 31, score_back, "score"},
                     {230, 5, head_back, "no Sets head"},
                     {422, 31, current_back, "mark cell"}});
}

// Inside the circle's square (row r) and inside the triangle (row r).
POINT circle_point(int row) { return row == 0 ? POINT{210, 50} : POINT{210, 92}; }
POINT triangle_point(int row) { return row == 0 ? POINT{444, 50} : POINT{444, 92}; }

struct marks_case {
  int32_t first_player;
  int32_t current_player;
  bool circle[2];
  bool triangle[2];
};

TEST_F(ScoreView, MarksFollowTheCurrentLeg) {
  const marks_case cases[] = {
      {0, 1, {true, false}, {false, true}},   {1, 0, {false, true}, {true, false}},
      {0, 0, {true, false}, {true, false}},   {1, 1, {false, true}, {false, true}},
      {2, -1, {false, false}, {false, false}}, {-1, 5, {false, false}, {false, false}},
  };
  HWND w = open();
  for (const marks_case& c : cases) {
    SCOPED_TRACE(testing::Message() << "first " << c.first_player << ", current " << c.current_player);
    match_.set_leg_players(2, c.first_player, c.current_player);
    SendMessageA(w, view_message::refresh, 0, 0);
    const client_pixels shot = capture_client(w);
    for (int row = 0; row < 2; ++row) {
      const POINT p = circle_point(row);
      EXPECT_EQ(shot.at(p.x, p.y), c.circle[row] ? first_mark : name_back) << "circle, row " << row;
      const POINT q = triangle_point(row);
      EXPECT_EQ(shot.at(q.x, q.y), c.triangle[row] ? current_mark : current_back) << "triangle, row " << row;
    }
  }
}

TEST_F(ScoreView, MarksAreShrunkIntoTheirSquares) {
  match_.set_leg_players(2, 1, 0);
  HWND w = open();
  const client_pixels shot = capture_client(w);
  // The circle lands in the 11 x 11 square at (205, 87): its colour inside,
  // the name cell's just outside; its rim is smoothed but round.
  int circle_pixels = 0;
  for (int y = 80; y < 105; ++y) {
    for (int x = 195; x < 222; ++x) {
      if (shot.at(x, y) == name_back || shot.at(x, y) == line) continue;
      EXPECT_TRUE(x >= 205 && x < 216 && y >= 87 && y < 98) << "mark pixel at (" << x << ", " << y << ")";
      ++circle_pixels;
    }
  }
  EXPECT_GT(circle_pixels, 60);   // about pi/4 of 121
  EXPECT_LT(circle_pixels, 121);  // the corners keep the cell's colour
  EXPECT_EQ(shot.at(210, 92), first_mark);
  EXPECT_EQ(shot.at(205, 87), name_back);

  // The triangle lands in the 22 x 22 square at (428, 39), pointing left.
  int triangle_pixels = 0;
  for (int y = 30; y < 71; ++y) {
    for (int x = 421; x < 458; ++x) {
      if (shot.at(x, y) == current_back) continue;
      EXPECT_TRUE(x >= 428 && x < 450 && y >= 39 && y < 61) << "mark pixel at (" << x << ", " << y << ")";
      ++triangle_pixels;
    }
  }
  EXPECT_GT(triangle_pixels, 180);  // half of 22 x 22, give or take the smoothed edge
  EXPECT_LT(triangle_pixels, 300);
  EXPECT_EQ(shot.at(448, 50), current_mark);  // the base, on the right
  EXPECT_EQ(shot.at(430, 41), current_back);  // above the tip, on the left
}

TEST_F(ScoreView, NoLegTableDrawsNoMarks) {
  match_.set_leg_players(2, 0, 0);
  match_.set_leg_table(nullptr);
  HWND w = open();
  const client_pixels shot = capture_client(w);
  EXPECT_EQ(shot.at(circle_point(0).x, circle_point(0).y), name_back);
  EXPECT_EQ(shot.at(triangle_point(0).x, triangle_point(0).y), current_back);
}

// The current leg must name an entry that lies in the table's memory and can
// be read: before the table, far past it, on the page after it, or on a page the
// host has protected, it names no player and draws no mark, like a null table.
TEST_F(ScoreView, MarksOnlyFromALegEntryThatCanBeRead) {
  for (int leg = 0; leg < 16; ++leg) match_.set_leg_players(leg, 0, 0);
  HWND w = open();
  auto marked = [&] {
    SendMessageA(w, view_message::refresh, 0, 0);
    const client_pixels shot = capture_client(w);
    return shot.at(circle_point(0).x, circle_point(0).y) == first_mark ||
           shot.at(triangle_point(0).x, triangle_point(0).y) == current_mark;
  };
  ASSERT_TRUE(marked());
  // The table's 16 entries sit alone on a page of their own; entry 28 starts on the next one.
  for (int32_t leg : {-1, INT32_MIN, 28, INT32_MAX}) {
    match_.set_current_leg(leg);
    EXPECT_FALSE(marked()) << "current leg " << leg;
  }
  match_.set_current_leg(2);
  DWORD old = 0;
  ASSERT_NE(VirtualProtect(match_.legs, 148 * 16, PAGE_NOACCESS, &old), 0);
  EXPECT_FALSE(marked()) << "protected table";
  VirtualProtect(match_.legs, 148 * 16, old, &old);
  EXPECT_TRUE(marked());
}

// Pixels of the title band that are not its background.
int title_ink(const client_pixels& shot, int from_x, int to_x) {
  int n = 0;
  for (int y = 2; y < 28; ++y) {
    for (int x = from_x; x < to_x; ++x) n += shot.at(x, y) != head_back;
  }
  return n;
}

TEST_F(ScoreView, TitleLineStaysLeftOfTheColumns) {
  HWND w = open();
  EXPECT_EQ(title_ink(capture_client(w), 2, 221), 0) << "empty title";
  EXPECT_GT(title_ink(capture_client(w), 223, 345), 0) << "the column heads";

  lstrcpyA(score_settings.title, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  SendMessageA(w, view_message::refresh, 0, 0);
  const client_pixels shot = capture_client(w);
  EXPECT_GT(title_ink(shot, 5, 100), 50);
  EXPECT_EQ(title_ink(shot, 2, 5), 0) << "left inset of B / 30";
  EXPECT_EQ(title_ink(shot, 221, 226), 0) << "cut with an ellipsis at the name cell's edge";
}

// The title and the names are shown as they are kept: "R&D" with its
// ampersand, against "RD" in the same font.
TEST_F(ScoreView, AmpersandsInTheTitleAndTheNamesAreCharacters) {
  match_.set_name(0, "R&D");
  match_.set_name(1, "RD");
  lstrcpyA(score_settings.title, "R&D");
  HWND w = open();
  const RECT title_box = {5, 2, 221, 28};
  const client_pixels with = capture_client(w);
  EXPECT_TRUE(ampersand_drawn(ink_bounds(with, {5, 30, 205, 71}, name_back),
                              ink_bounds(with, {5, 73, 205, 112}, name_back)))
      << "names";
  lstrcpyA(score_settings.title, "RD");
  SendMessageA(w, view_message::refresh, 0, 0);
  EXPECT_TRUE(ampersand_drawn(ink_bounds(with, title_box, head_back),
                              ink_bounds(capture_client(w), title_box, head_back)))
      << "title";
}

TEST_F(ScoreView, BufferSurfacesAndFontsFollowTheHeight) {
  const long before = gdi_live_objects();
  HWND w = open();
  score_window_state* s = state_of(w);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->client_height, 114);
  if (GetDeviceCaps(s->mem_dc.get(), BITSPIXEL) >= 16) {
    EXPECT_EQ(GetStretchBltMode(s->mem_dc.get()), HALFTONE);
  }
  auto side_of = [](HBITMAP b) {
    BITMAP bm = {};
    GetObjectA(b, sizeof bm, &bm);
    return std::make_pair(bm.bmWidth, bm.bmHeight);
  };
  EXPECT_EQ(side_of(s->first_mark_dc.bitmap()), std::make_pair(22L, 22L));
  EXPECT_EQ(side_of(s->current_mark_dc.bitmap()), std::make_pair(44L, 44L));
  EXPECT_EQ(GetCurrentObject(s->first_mark_dc.get(), OBJ_BITMAP), s->first_mark_dc.bitmap());
  EXPECT_EQ(GetCurrentObject(s->current_mark_dc.get(), OBJ_BITMAP), s->current_mark_dc.bitmap());

  auto font_of = [](HFONT f) {
    LOGFONTA lf = {};
    GetObjectA(f, sizeof lf, &lf);
    return lf;
  };
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = 340;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0);
  const int dpi = GetDeviceCaps(window_dc(nullptr).get(), LOGPIXELSY);
  struct {
    HFONT font;
    int points;
    const char* face;
  } fonts[] = {{s->header_font.get(), 16, "Arial"},
               {s->title_font.get(), 16, metrics.lfMenuFont.lfFaceName},
               {s->name_font.get(), 22, metrics.lfMenuFont.lfFaceName},
               {s->number_font.get(), 22, "Arial"}};
  for (const auto& f : fonts) {
    const LOGFONTA lf = font_of(f.font);
    EXPECT_EQ(lf.lfHeight, dpi * f.points / -72) << f.face;
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_STREQ(lf.lfFaceName, f.face);
  }

  // Below 5 pixels the mark surfaces have no side and the fonts no size; the
  // menu font keeps its own height. Painting such a window still works.
  SetWindowPos(w, nullptr, 0, 0, 460, 4, SWP_NOMOVE | SWP_NOZORDER);
  s = state_of(w);
  EXPECT_EQ(s->client_height, 4);
  // A side of 0 gets GDI's 1 x 1 monochrome stand-in.
  EXPECT_EQ(side_of(s->first_mark_dc.bitmap()), std::make_pair(1L, 1L));
  EXPECT_EQ(side_of(s->current_mark_dc.bitmap()), std::make_pair(1L, 1L));
  EXPECT_EQ(font_of(s->header_font.get()).lfHeight, 0);
  EXPECT_EQ(font_of(s->number_font.get()).lfHeight, 0);
  EXPECT_EQ(font_of(s->title_font.get()).lfHeight, metrics.lfMenuFont.lfHeight);
  EXPECT_EQ(font_of(s->name_font.get()).lfHeight, metrics.lfMenuFont.lfHeight);
  match_.set_leg_players(2, 0, 1);
  SendMessageA(w, view_message::refresh_twice, 0, 0);
  pump_messages(20);

  SetWindowPos(w, nullptr, 0, 0, 460, 114, SWP_NOMOVE | SWP_NOZORDER);
  SendMessageA(w, view_message::rebuild, 0, 0);
  dsv_socre(nullptr, host_event::close, host_.block(), 0);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(gdi_live_objects(), before) << "every object the window made is deleted";
}

TEST_F(ScoreView, HideThenShowSetsGivesTheSamePicture) {
  HWND w = open();
  const client_pixels shown = capture_client(w);

  const auto& hide = run_menu(w, 2);
  ASSERT_TRUE(hide.seen);
  ASSERT_EQ(hide.items.size(), 4u);
  EXPECT_EQ(hide.items[0], std::make_pair(3u, std::string("Edit &Title...")));
  EXPECT_EQ(hide.items[1], std::make_pair(1u, std::string("Hide &Sets")));
  EXPECT_EQ(hide.items[3], std::make_pair(2u, std::string("&Close")));
  EXPECT_EQ(score_settings.visible_set, 0);
  EXPECT_EQ(pixel_at(w, 224, 31), name_back);

  const auto& show = run_menu(w, 2);
  ASSERT_EQ(show.items.size(), 4u);
  EXPECT_EQ(show.items[1].second, "Show &Sets");
  EXPECT_EQ(score_settings.visible_set, 1);
  const client_pixels again = capture_client(w);
  EXPECT_TRUE(again.pixels == shown.pixels);
}

TEST_F(ScoreView, ChangeTwiceRepaintsOnceMoreFromTheTimer) {
  match_.set_leg_players(2, 0, 0);
  HWND w = open();
  match_.set_leg_players(2, 1, 0);
  dsv_socre(nullptr, host_event::change_twice, host_.block(), 0);
  // The first refresh is on the screen when the host's call returns.
  EXPECT_EQ(pixel_at(w, circle_point(1).x, circle_point(1).y), first_mark);
  EXPECT_EQ(pixel_at(w, circle_point(0).x, circle_point(0).y), name_back);

  // The record changes again with no notice; the timer's refresh shows it.
  match_.set_leg_players(2, 0, 1);
  EXPECT_EQ(pixel_at(w, triangle_point(1).x, triangle_point(1).y), current_back);
  pump_messages(50);
  EXPECT_EQ(pixel_at(w, circle_point(0).x, circle_point(0).y), first_mark);
  EXPECT_EQ(pixel_at(w, triangle_point(1).x, triangle_point(1).y), current_mark);

  // No further refresh follows: a later change stays unseen.
  match_.set_leg_players(2, 1, 1);
  pump_messages(50);
  EXPECT_EQ(pixel_at(w, circle_point(0).x, circle_point(0).y), first_mark);
}

}  // namespace
