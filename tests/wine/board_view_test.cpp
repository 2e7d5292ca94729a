// The large score view's window, driven directly with its settings: the
// text-mode boxes in both layouts, bitmap mode composed from generated skins
// whose digit cells each have their own colour, the choice between the two
// modes, and every GDI object freed. board_dll_test drives the real library.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "draw/gdi_handles_win.h"
#include "plugin/host_protocol.h"
#include "settings/settings_table.h"
#include "board_test_skin.h"
#include "test_host.h"
#include "views/board/view_window_win.h"

namespace {

constexpr COLORREF line_colour = RGB(8, 8, 8);
constexpr COLORREF name_back = RGB(30, 60, 200);
constexpr COLORREF sets_back = RGB(200, 30, 60);
constexpr COLORREF legs_back = RGB(30, 200, 60);
constexpr COLORREF score_back = RGB(200, 200, 30);
constexpr COLORREF head_text = RGB(255, 255, 255);
constexpr COLORREF name_text = RGB(255, 128, 0);
constexpr COLORREF sets_text = RGB(0, 255, 255);
constexpr COLORREF legs_text = RGB(255, 0, 255);
constexpr COLORREF score_text = RGB(128, 255, 128);

using board_skin::large_cell;
using board_skin::large_digit;
using board_skin::large_h;
using board_skin::small_cell;
using board_skin::small_digit;
using board_skin::small_h;
using board_skin::count_colour;
constexpr COLORREF skin_background = board_skin::background;

void reset_settings() {
  view_settings = {};
  view_settings.geometry = {50, 40, 1000, 500};
  view_settings.visible_set = 1;
  view_settings.size_width = 3;
  std::strcpy(view_settings.font_name, "Arial");
  view_settings.color_line_color = line_colour;
  view_settings.color_head_text = head_text;
  view_settings.color_name_text = name_text;
  view_settings.color_name_back = name_back;
  view_settings.color_sets_text = sets_text;
  view_settings.color_sets_back = sets_back;
  view_settings.color_legs_text = legs_text;
  view_settings.color_legs_back = legs_back;
  view_settings.color_score_text = score_text;
  view_settings.color_score_back = score_back;
}

HINSTANCE test_instance() {
  static HINSTANCE instance = [] {
    HINSTANCE self = GetModuleHandleA(nullptr);
    frame_register_class(self, board_description);
    return self;
  }();
  return instance;
}

void name_skin(const std::string& back, const std::string& num_l, const std::string& num_s) {
  std::strcpy(view_settings.bmp_back, back.c_str());
  std::strcpy(view_settings.bmp_num_l, num_l.c_str());
  std::strcpy(view_settings.bmp_num_s, num_s.c_str());
}

// A shown window of the large view, destroyed at the end of the test.
struct open_view {
  HWND window = nullptr;
  explicit open_view(const fake_match& match) {
    window =
        frame_create_window(test_instance(), board_description, static_cast<const match_state*>(match.pointer()));
    pump_messages();
  }
  ~open_view() {
    if (window != nullptr && IsWindow(window)) DestroyWindow(window);
  }
  view_window_state* state() const { return static_cast<view_window_state*>(frame_state(window)); }
  client_pixels pixels() const {
    pump_messages();
    return capture_client(window);
  }
};

struct sample {
  int x, y;
  COLORREF expected;
  const char* what;
};

void expect_samples(const client_pixels& shot, const std::vector<sample>& samples, const char* layout) {
  for (const sample& s : samples) {
    EXPECT_EQ(shot.at(s.x, s.y), s.expected) << layout << ": " << s.what << " at (" << s.x << ", " << s.y << ")";
  }
}

void fill_match(fake_match& match) {
  match.set_name(0, "Alice");
  match.set_name(1, "Bob");
  match.set_score(0, 501);
  match.set_score(1, 7);
  match.set_sets(0, 12);
  match.set_sets(1, 1);
  match.set_legs(0, 3);
  match.set_legs(1, 2);
}

TEST(BoardText, BoxColoursInBothLayouts) {
  reset_settings();
  fake_match match;
  fill_match(match);
  {
    open_view view(match);
    ASSERT_NE(view.window, nullptr);
    const client_pixels shot = view.pixels();
    ASSERT_EQ(shot.width, 1000);
    ASSERT_EQ(shot.height, 500);
    expect_samples(shot,
                   {{30, 15, line_colour, "margin"},
                    {65, 35, name_back, "name 0"},
                    {935, 100, name_back, "name 1"},
                    {500, 60, line_colour, "between the names"},
                    {65, 140, score_back, "score 0"},
                    {935, 255, score_back, "score 1"},
                    {370, 140, line_colour, "SCORE label box"},
                    {65, 295, legs_back, "legs 0"},
                    {645, 360, legs_back, "legs 1"},
                    {65, 400, sets_back, "sets 0"},
                    {935, 465, sets_back, "sets 1"},
                    {500, 490, line_colour, "under the sets"}},
                   "sets shown");
    // The texts, each in its own colour inside its own box.
    EXPECT_GT(count_colour(shot, {60, 30, 460, 105}, name_text), 0) << "name 0";
    EXPECT_GT(count_colour(shot, {540, 30, 940, 105}, name_text), 0) << "name 1";
    EXPECT_GT(count_colour(shot, {60, 135, 360, 260}, score_text), 0) << "score 0";
    EXPECT_GT(count_colour(shot, {60, 290, 360, 365}, legs_text), 0) << "legs 0";
    EXPECT_GT(count_colour(shot, {60, 395, 360, 470}, sets_text), 0) << "sets 0";
    EXPECT_GT(count_colour(shot, {360, 135, 640, 260}, head_text), 0) << "SCORE";
    EXPECT_GT(count_colour(shot, {360, 290, 640, 365}, head_text), 0) << "LEGS";
    EXPECT_GT(count_colour(shot, {360, 395, 640, 470}, head_text), 0) << "SETS";
  }
  view_settings.visible_set = 0;
  {
    open_view view(match);
    const client_pixels shot = view.pixels();
    expect_samples(shot,
                   {{65, 35, line_colour, "above the lowered names"},
                    {65, 65, name_back, "name 0"},
                    {65, 200, score_back, "score 0"},
                    {935, 300, score_back, "score 1"},
                    {65, 330, line_colour, "between score and legs"},
                    {65, 370, legs_back, "legs 0"},
                    {935, 435, legs_back, "legs 1"},
                    {65, 450, line_colour, "no sets box"},
                    {935, 465, line_colour, "no sets box"}},
                   "sets hidden");
    EXPECT_EQ(count_colour(shot, {0, 440, 1000, 500}, head_text), 0) << "no SETS label";
    EXPECT_EQ(count_colour(shot, {0, 0, 1000, 500}, sets_text), 0) << "no sets numbers";
  }
}

TEST(BoardText, LongNameStaysInsideItsBox) {
  reset_settings();
  fake_match match;
  fill_match(match);
  match.set_name(0, "Bartholomew Fitzgerald-Montgomery the Third of Somewhere");
  open_view view(match);
  const client_pixels shot = view.pixels();
  EXPECT_GT(count_colour(shot, {60, 30, 460, 105}, name_text), 0);
  EXPECT_EQ(count_colour(shot, {0, 0, 60, 500}, name_text), 0);
  EXPECT_EQ(count_colour(shot, {460, 0, 540, 500}, name_text), 0);
}

// A name is shown as the host keeps it: "R&D" with its ampersand (as a prefix
// it would vanish and underline the D), beside "RD" in the other player's box.
TEST(BoardText, AmpersandInANameIsACharacter) {
  reset_settings();
  fake_match match;
  fill_match(match);
  match.set_name(0, "R&D");
  match.set_name(1, "RD");
  open_view view(match);
  const client_pixels shot = view.pixels();
  EXPECT_TRUE(ampersand_drawn(ink_bounds(shot, {60, 30, 460, 105}, name_back),
                              ink_bounds(shot, {540, 30, 940, 105}, name_back)));
}

// Positions of the bitmap tests, in background pixels.
void place_numbers() {
  view_settings.bmp_score_x[0] = 40;  // 501: cells at 40, 60, 80
  view_settings.bmp_score_y[0] = 50;
  view_settings.bmp_score_x[1] = 240;  // 7: one cell at 260
  view_settings.bmp_score_y[1] = 50;
  view_settings.bmp_sets_x[0] = 40;  // 12: cells at 45, 55
  view_settings.bmp_sets_y[0] = 150;
  view_settings.bmp_legs_x[0] = 40;  // 3: one cell at 50
  view_settings.bmp_legs_y[0] = 200;
  view_settings.bmp_legs_x[1] = 240;  // 2: one cell at 250
  view_settings.bmp_legs_y[1] = 200;
  view_settings.bmp_sets_x[1] = 0;  // a zero position hides the number ...
  view_settings.bmp_sets_y[1] = 150;  // ... even with the other half set
}

// Settings reset, the generated skin written to a fresh directory and named,
// and the window placed at 50, 40 with the given size.
void use_test_skin(int width, int height, const board_skin::skin_pictures& pictures = board_skin::cell_colours(),
                   int bits = 24) {
  reset_settings();
  const std::string dir = make_temp_dir();
  board_skin::write_files(dir, pictures, bits);
  name_skin(dir + "back.bmp", dir + "num_l.bmp", dir + "num_s.bmp");
  view_settings.geometry = {50, 40, width, height};
}

struct cell_sample {
  int left, top, width, height;
  COLORREF expected;
  const char* what;
};

// The middle of a cell, and the pixels just outside its left and right edges.
void expect_cells(const client_pixels& shot, const std::vector<cell_sample>& cells, int scale = 1) {
  for (const cell_sample& c : cells) {
    const int x = (c.left + c.width / 2) * scale;
    const int y = (c.top + c.height / 2) * scale;
    EXPECT_EQ(shot.at(x, y), c.expected) << c.what << " at (" << x << ", " << y << ")";
  }
}

TEST(BoardSkin, DigitCellsLandWhereTheyBelong) {
  use_test_skin(400, 300);  // the background's own size
  view_settings.visible_set = 0;                // text mode's switch: sets still drawn
  place_numbers();
  fake_match match;
  fill_match(match);
  open_view view(match);
  ASSERT_NE(view.state(), nullptr);
  ASSERT_TRUE(view.state()->skin_back);
  EXPECT_EQ(view.state()->num_l_cell, large_cell);
  EXPECT_EQ(view.state()->num_s_cell, small_cell);
  const client_pixels shot = view.pixels();
  ASSERT_EQ(shot.width, 400);
  expect_cells(shot, {
                         {40, 50, large_cell, large_h, large_digit(5), "score 0, '5'"},
                         {60, 50, large_cell, large_h, large_digit(0), "score 0, '0'"},
                         {80, 50, large_cell, large_h, large_digit(1), "score 0, '1'"},
                         {260, 50, large_cell, large_h, large_digit(7), "score 1, '7' in the middle cell"},
                         {45, 150, small_cell, small_h, small_digit(1), "sets 0, '1'"},
                         {55, 150, small_cell, small_h, small_digit(2), "sets 0, '2'"},
                         {50, 200, small_cell, small_h, small_digit(3), "legs 0, '3'"},
                         {250, 200, small_cell, small_h, small_digit(2), "legs 1, '2'"},
                     });
  // Exact edges: the score field starts at x = 40 and the one-digit cell at 260.
  EXPECT_EQ(shot.at(39, 60), skin_background);
  EXPECT_EQ(shot.at(40, 60), large_digit(5));
  EXPECT_EQ(shot.at(99, 79), large_digit(1));
  EXPECT_EQ(shot.at(100, 60), skin_background);
  EXPECT_EQ(shot.at(259, 60), skin_background);
  EXPECT_EQ(shot.at(279, 60), large_digit(7));
  EXPECT_EQ(shot.at(280, 60), skin_background);
  // Player 1's sets have x = 0: nothing in their field; no names (empty rectangles).
  EXPECT_EQ(count_colour(shot, {230, 140, 290, 170}, skin_background), 60 * 30);
  EXPECT_EQ(count_colour(shot, {0, 0, 400, 300}, name_text), 0);
}

TEST(BoardSkin, StretchedToTheClientAndNamesDrawn) {
  use_test_skin(800, 600);  // twice the background
  place_numbers();
  view_settings.bmp_name_left[1] = 200;
  view_settings.bmp_name_top[1] = 0;
  view_settings.bmp_name_right[1] = 400;
  view_settings.bmp_name_bottom[1] = 40;
  view_settings.name_font_size = 12;
  fake_match match;
  fill_match(match);
  open_view view(match);
  const client_pixels shot = view.pixels();
  ASSERT_EQ(shot.width, 800);
  expect_cells(shot,
               {{40, 50, large_cell, large_h, large_digit(5), "score 0, '5'"},
                {80, 50, large_cell, large_h, large_digit(1), "score 0, '1'"},
                {260, 50, large_cell, large_h, large_digit(7), "score 1, '7'"},
                {5, 5, 0, 0, skin_background, "background"}},
               2);
  // The name is composed with the skin and stretched with it: inside the doubled box only.
  int inside = 0;
  int outside = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const COLORREF c = shot.at(x, y);
      const bool orange = GetRValue(c) > 200 && GetGValue(c) > 90 && GetGValue(c) < 170 && GetBValue(c) < 60;
      if (!orange) continue;
      (x >= 400 && y < 80 ? inside : outside) += 1;
    }
  }
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

// A name is drawn on the background and stretched with it, so its font is sized
// for the background: at any window size the name is the 1:1 name stretched
// once, not scaled a second time with the window and cut by its box.
TEST(BoardSkin, NameIsScaledOnceWithTheBackground) {
  fake_match match;
  fill_match(match);
  const RECT name_box = {200, 0, 400, 60};  // player 1, in background pixels
  RECT at_one = {};
  for (const SIZE size : {SIZE{400, 300}, SIZE{800, 600}, SIZE{800, 300}, SIZE{1200, 450}}) {
    use_test_skin(size.cx, size.cy);
    view_settings.bmp_name_left[1] = name_box.left;
    view_settings.bmp_name_top[1] = name_box.top;
    view_settings.bmp_name_right[1] = name_box.right;
    view_settings.bmp_name_bottom[1] = name_box.bottom;
    open_view view(match);
    const client_pixels shot = view.pixels();
    ASSERT_EQ(shot.width, size.cx);
    const double sx = size.cx / 400.0;
    const double sy = size.cy / 300.0;
    auto scaled = [](LONG v, double scale) { return static_cast<LONG>(v * scale); };
    const RECT ink = ink_bounds(shot,
                                {scaled(name_box.left, sx), scaled(name_box.top, sy), scaled(name_box.right, sx),
                                 scaled(name_box.bottom, sy)},
                                skin_background);
    if (size.cx == 400 && size.cy == 300) {
      at_one = ink;
      ASSERT_GT(at_one.right - at_one.left, 0);
      ASSERT_GT(at_one.top, name_box.top) << "the name fits its box";
      ASSERT_LT(at_one.bottom, name_box.bottom);
      continue;
    }
    // Smoothing may spread the ink by about a source pixel.
    const std::string at = std::to_string(size.cx) + " x " + std::to_string(size.cy);
    EXPECT_NEAR(ink.left, at_one.left * sx, sx + 1) << at;
    EXPECT_NEAR(ink.right, at_one.right * sx, sx + 1) << at;
    EXPECT_NEAR(ink.top, at_one.top * sy, sy + 1) << at;
    EXPECT_NEAR(ink.bottom, at_one.bottom * sy, sy + 1) << at;
  }
}

// What the buffer holds, what the view composed, and what bitmap mode must
// show: that composition stretched whole, at once, with HALFTONE onto a bitmap
// like the buffer.
client_pixels buffer_pixels(const open_view& view) {
  RECT r = {};
  GetClientRect(view.window, &r);
  return capture_dc(view.state()->mem_dc.get(), r.right, r.bottom);
}

client_pixels composition(const view_window_state& s) {
  return capture_dc(s.compose_dc.get(), s.back_info.bmWidth, s.back_info.bmHeight);
}

client_pixels whole_stretch(const open_view& view) {
  const view_window_state& s = *view.state();
  RECT r = {};
  GetClientRect(view.window, &r);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, 0, 0, r.right, r.bottom, s.compose_dc.get(), 0, 0, s.back_info.bmWidth, s.back_info.bmHeight,
             SRCCOPY);
  client_pixels out = capture_dc(dc, r.right, r.bottom);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return out;
}

::testing::AssertionResult same_picture(const client_pixels& got, const client_pixels& want) {
  if (got.width != want.width || got.height != want.height) {
    return ::testing::AssertionFailure() << got.width << " x " << got.height << " against " << want.width << " x "
                                         << want.height;
  }
  std::size_t differ = 0;
  std::size_t first = 0;
  for (std::size_t i = 0; i < got.pixels.size(); ++i) {
    if (((got.pixels[i] ^ want.pixels[i]) & 0xFFFFFF) == 0) continue;
    if (differ++ == 0) first = i;
  }
  if (differ == 0) return ::testing::AssertionSuccess();
  const int x = static_cast<int>(first % got.width);
  const int y = static_cast<int>(first / got.width);
  return ::testing::AssertionFailure() << differ << " pixels differ, the first at (" << x << ", " << y << "): "
                                       << std::hex << got.at(x, y) << " for " << want.at(x, y);
}

// What the window shows against the buffer, where the window lies on the screen.
::testing::AssertionResult screen_shows_buffer(const open_view& view) {
  const client_pixels shown = capture_client(view.window);
  const client_pixels buffer = buffer_pixels(view);
  POINT origin = {0, 0};
  ClientToScreen(view.window, &origin);
  const int right = std::min(buffer.width, GetSystemMetrics(SM_CXSCREEN) - static_cast<int>(origin.x));
  const int bottom = std::min(buffer.height, GetSystemMetrics(SM_CYSCREEN) - static_cast<int>(origin.y));
  for (int y = std::max(0, -static_cast<int>(origin.y)); y < bottom; ++y) {
    for (int x = std::max(0, -static_cast<int>(origin.x)); x < right; ++x) {
      if (shown.at(x, y) == buffer.at(x, y)) continue;
      return ::testing::AssertionFailure() << "the window shows " << std::hex << shown.at(x, y) << " at (" << std::dec
                                           << x << ", " << y << ") for " << std::hex << buffer.at(x, y);
    }
  }
  return ::testing::AssertionSuccess();
}

// The stretch of a whole picture is the costly part of bitmap mode, so a paint
// that would give the same picture leaves the buffer alone; anything the
// picture is made of must still show at once, as the whole stretch shows it.
TEST(BoardSkin, UnchangedBoardKeptAndEveryChangeShown) {
  use_test_skin(400, 300);
  place_numbers();
  fake_match match;
  fill_match(match);
  open_view view(match);
  ASSERT_NE(view.state(), nullptr);
  ASSERT_TRUE(view.state()->skin_back);
  constexpr COLORREF marker = RGB(1, 2, 3);
  // The marker is taken out again: the buffer must hold nothing but the picture.
  const auto repaint_over_marker = [&] {
    HDC buffer = view.state()->mem_dc.get();
    const COLORREF was = GetPixel(buffer, 2, 2);
    SetPixel(buffer, 2, 2, marker);
    view_paint_board(view.window, view.state());
    const bool kept = GetPixel(buffer, 2, 2) == marker;
    SetPixel(buffer, 2, 2, was);
    return kept;
  };
  EXPECT_TRUE(repaint_over_marker()) << "nothing changed: the buffer is kept";

  const struct {
    const char* what;
    std::function<void()> change;
    int x, y;
    COLORREF expected;
  } changes[] = {
      {"score", [&] { match.set_score(0, 401); }, 50, 65, large_digit(4)},
      {"sets", [&] { match.set_sets(0, 32); }, 50, 158, small_digit(3)},
      {"legs", [&] { match.set_legs(1, 5); }, 255, 208, small_digit(5)},
      {"a position", [&] { view_settings.bmp_score_y[1] = 100; }, 265, 110, large_digit(7)},
      {"a name", [&] {
         view_settings.bmp_name_left[0] = 0;
         view_settings.bmp_name_top[0] = 0;
         view_settings.bmp_name_right[0] = 200;
         view_settings.bmp_name_bottom[0] = 40;
       }, -1, -1, 0},
      {"the name", [&] { match.set_name(0, "Carol"); }, -1, -1, 0},
      {"the name colour", [&] { view_settings.color_name_text = RGB(0, 0, 255); }, -1, -1, 0},
  };
  for (const auto& c : changes) {
    const client_pixels before = composition(*view.state());
    c.change();
    view_paint_board(view.window, view.state());
    EXPECT_FALSE(same_picture(composition(*view.state()), before)) << c.what << " changed: composed again";
    EXPECT_TRUE(same_picture(buffer_pixels(view), whole_stretch(view))) << c.what;
    if (c.x >= 0) {
      EXPECT_EQ(GetPixel(view.state()->mem_dc.get(), c.x, c.y), c.expected) << c.what;
    }
    EXPECT_TRUE(repaint_over_marker()) << "after " << c.what << ", nothing more changed";
  }
  // A new size rebuilds the buffer and stretches again to the new client.
  SetWindowPos(view.window, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const client_pixels shot = view.pixels();
  ASSERT_EQ(shot.width, 800);
  EXPECT_EQ(shot.at(100, 130), large_digit(4));
  EXPECT_TRUE(repaint_over_marker()) << "same size, same board";
}

// A skin shows its own colours whatever the bit depth of its files. A 1-bit
// file the loader keeps as a monochrome bitmap would otherwise be copied in the
// compose surface's text and background colours: dark digits in the name colour.
TEST(BoardSkin, EveryBitDepthShowsTheSkinsOwnColours) {
  fake_match match;
  fill_match(match);
  // The board after its first paint and after a change, with names drawn
  // before the digits and again before the next background.
  auto pictures_at = [&](const board_skin::skin_pictures& pictures, int bits) {
    use_test_skin(400, 300, pictures, bits);
    place_numbers();
    for (int p = 0; p < 2; ++p) {
      view_settings.bmp_name_left[p] = 200 * p;
      view_settings.bmp_name_top[p] = 240;
      view_settings.bmp_name_right[p] = 200 * p + 200;
      view_settings.bmp_name_bottom[p] = 300;
    }
    match.set_score(0, 501);
    std::vector<client_pixels> shots;
    const long live = gdi_live_objects();
    {
      open_view view(match);
      shots.push_back(view.pixels());
      match.set_score(0, 389);
      SendMessageA(view.window, view_message::refresh, 0, 0);
      shots.push_back(view.pixels());
    }
    EXPECT_EQ(gdi_live_objects(), live) << bits << " bits: every object freed";
    return shots;
  };
  const struct {
    const char* what;
    board_skin::skin_pictures pictures;
    std::vector<int> depths;
  } skins[] = {
      {"a colour per cell", board_skin::cell_colours(), {32, 8}},
      {"black and white", board_skin::two_colours(RGB(0, 0, 0), RGB(255, 255, 255)), {1, 8, 32}},
      {"two colours", board_skin::two_colours(RGB(0, 0, 128), RGB(255, 255, 0)), {1}},
  };
  for (const auto& skin : skins) {
    const std::vector<client_pixels> expected = pictures_at(skin.pictures, 24);
    for (int bits : skin.depths) {
      const std::vector<client_pixels> shown = pictures_at(skin.pictures, bits);
      for (std::size_t k = 0; k < expected.size(); ++k) {
        ASSERT_EQ(shown[k].pixels.size(), expected[k].pixels.size());
        int differing = 0;
        for (std::size_t i = 0; i < expected[k].pixels.size(); ++i) {
          differing += (shown[k].pixels[i] & 0xFFFFFF) != (expected[k].pixels[i] & 0xFFFFFF);
        }
        EXPECT_EQ(differing, 0) << skin.what << " at " << bits << " bits, paint " << k + 1;
      }
    }
  }
}

// Noise, so that any pixel a part of the stretch gets wrong shows.
COLORREF noise(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^ seed * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return h & 0xFFFFFF;
}

// A skin of noise: the background `back_w` x `back_h`, digit strips whose
// cells are each a noise of their own; names and numbers spread over it, the
// second player's score running off the right edge and legs off the bottom.
void use_noise_skin(int back_w, int back_h, int window_w, int window_h) {
  reset_settings();
  const std::string dir = make_temp_dir();
  board_skin::write_bmp(dir + "back.bmp", back_w, back_h, [](int x, int y) { return noise(x, y, 1); });
  board_skin::write_bmp(dir + "num_l.bmp", 10 * large_cell, large_h,
                        [](int x, int y) { return noise(x, y, 2 + x / large_cell); });
  board_skin::write_bmp(dir + "num_s.bmp", 10 * small_cell, small_h,
                        [](int x, int y) { return noise(x, y, 20 + x / small_cell); });
  name_skin(dir + "back.bmp", dir + "num_l.bmp", dir + "num_s.bmp");
  view_settings.geometry = {0, 0, window_w, window_h};
  view_settings.name_font_size = 14;
  for (int p = 0; p < 2; ++p) {
    const int left = p == 0 ? back_w / 20 : back_w / 2 + 5;
    view_settings.bmp_name_left[p] = left;
    view_settings.bmp_name_top[p] = back_h / 20;
    view_settings.bmp_name_right[p] = p == 0 ? back_w / 2 - 5 : back_w - 3;
    view_settings.bmp_name_bottom[p] = back_h / 5;
    view_settings.bmp_sets_x[p] = left + 7;
    view_settings.bmp_sets_y[p] = back_h * 3 / 5;
    view_settings.bmp_legs_x[p] = left + 3;
    view_settings.bmp_legs_y[p] = p == 0 ? back_h * 4 / 5 : back_h - small_h / 2;
  }
  view_settings.bmp_score_x[0] = back_w / 10 + 1;
  view_settings.bmp_score_y[0] = back_h / 4;
  view_settings.bmp_score_x[1] = back_w - 2 * large_cell;
  view_settings.bmp_score_y[1] = back_h / 4 + 3;
}

struct board_values {
  const char* names[2];
  int32_t score[2], sets[2], legs[2];
};

void show_board(fake_match& match, const board_values& b) {
  for (int p = 0; p < 2; ++p) {
    match.set_name(p, b.names[p]);
    match.set_score(p, b.score[p]);
    match.set_sets(p, b.sets[p]);
    match.set_legs(p, b.legs[p]);
  }
}

// Bitmap mode redoes only where the composition changed, computed where the
// platform's stretch was found to be the computed one (or from aligned parts of
// it, where the platform gives a part the pixels of the whole); whatever the
// sizes and however the board changes, the buffer holds exactly what one
// stretch of the whole composition gives, and the window shows the buffer.
TEST(BoardSkin, PartsOfTheStretchGiveTheWholeStretchsPixels) {
  const struct {
    int back_w, back_h, window_w, window_h;
    bool computed;  // the changed pixels computed: every size but 1:1
  } sizes[] = {
      {400, 300, 400, 300, false},    // 1:1: the whole stretch is a copy
      {400, 300, 800, 600, true},     // twice
      {400, 300, 1600, 1200, true},   // four times
      {400, 300, 200, 150, true},     // half
      {400, 300, 800, 300, true},     // twice across, 1:1 down
      {400, 300, 1000, 750, true},    // 2.5 times: positions in fifths
      {400, 300, 401, 299, true},
      {400, 300, 1200, 450, true},    // three times across, 1.5 down
      {333, 211, 333, 211, false},    // odd background sizes
      {333, 211, 666, 422, true},
      {333, 211, 1332, 844, true},
      {333, 211, 500, 211, true},     // 1:1 down only
      {333, 211, 999, 633, true},
      {960, 540, 1920, 1080, true},   // the sample skin's size at full HD and 4K
      {960, 540, 3840, 2160, true},
      {1000, 500, 1920, 1080, true},  // every 25 source pixels
      {960, 540, 1000, 500, true},    // and at the usual projector sizes: float steps, shrinking down
      {960, 540, 1280, 720, true},
      {960, 540, 1366, 768, true},
      {960, 540, 1024, 768, true},
  };
  const board_values boards[] = {
      {{"Alice", "Bob"}, {501, 501}, {0, 0}, {0, 0}},
      {{"Alice", "Bob"}, {441, 501}, {0, 0}, {0, 0}},  // one score
      {{"Alice", "Bob"}, {441, 360}, {0, 0}, {0, 0}},
      {{"Alice", "Bob"}, {7, 360}, {0, 0}, {0, 0}},  // fewer digits
      {{"Alice", "Bob"}, {501, 501}, {0, 0}, {1, 0}},  // a leg won: scores back, legs
      {{"Alice Cooper", "Bob"}, {501, 501}, {1, 0}, {0, 0}},  // a set won; a name
      {{"Alice Cooper", "Bartholomew Fitzgerald-Montgomery"}, {1234, -5}, {12, 3}, {10, 9}},
      {{"", "B"}, {0, 180}, {12, 3}, {10, 9}},
  };
  for (const auto& z : sizes) {
    const std::string what = std::to_string(z.back_w) + " x " + std::to_string(z.back_h) + " on " +
                             std::to_string(z.window_w) + " x " + std::to_string(z.window_h);
    use_noise_skin(z.back_w, z.back_h, z.window_w, z.window_h);
    fake_match match;
    show_board(match, boards[0]);
    open_view view(match);
    ASSERT_NE(view.state(), nullptr) << what;
    ASSERT_TRUE(view.state()->skin_back) << what;
    SetWindowPos(view.window, nullptr, 0, 0, z.window_w, z.window_h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    GetClientRect(view.window, &client);
    ASSERT_EQ(client.right, z.window_w) << what;
    ASSERT_EQ(client.bottom, z.window_h) << what;
    for (std::size_t k = 0; k < std::size(boards); ++k) {
      if (k == 5) SendMessageA(view.window, view_message::rebuild, 0, 0);  // the same sizes again
      show_board(match, boards[k]);
      SendMessageA(view.window, view_message::refresh, 0, 0);
      ASSERT_TRUE(same_picture(buffer_pixels(view), whole_stretch(view))) << what << ", board " << k;
      // Only the changed window pixels are shown again, and all of them.
      ASSERT_TRUE(screen_shows_buffer(view)) << what << ", board " << k;
    }
    // Wine's stretch is the computed one at every size: parts are never needed.
    EXPECT_EQ(view.state()->stretch.model_check, z.computed ? stretch_parts_check::same : stretch_parts_check::unknown)
        << what << ": the computed stretch checked and used";
    EXPECT_EQ(view.state()->stretch.parts_check, stretch_parts_check::unknown) << what;
    // A new size once the computed stretch was proven (at 1:1, at this new
    // size): its first picture is computed too, after a check on noise alone,
    // and is still the whole stretch.
    const int32_t next_w = z.window_w + 7, next_h = z.window_h + 5;
    SetWindowPos(view.window, nullptr, 0, 0, next_w, next_h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(same_picture(buffer_pixels(view), whole_stretch(view))) << what << ", then " << next_w << " x " << next_h;
    EXPECT_EQ(view.state()->stretch.model_check, stretch_parts_check::same) << what << ", then " << next_w;
    EXPECT_TRUE(view.state()->stretch.model_proven) << what;
  }
}

TEST(BoardSkin, WhichModeTheSkinGives) {
  const std::string dir = make_temp_dir();
  board_skin::write_files(dir);
  const std::string missing = dir + "missing.bmp";
  struct row {
    const char* what;
    std::string back, num_l, num_s;
    bool bitmap_mode;
    bool large_digits;
    bool small_digits;
    bool strips_loaded;
  } rows[] = {
      {"all three", dir + "back.bmp", dir + "num_l.bmp", dir + "num_s.bmp", true, true, true, true},
      {"small strip name empty", dir + "back.bmp", dir + "num_l.bmp", "", false, false, false, false},
      {"background missing", missing, dir + "num_l.bmp", dir + "num_s.bmp", false, false, false, true},
      {"small strip missing", dir + "back.bmp", dir + "num_l.bmp", missing, true, true, false, false},
      {"large strip missing", dir + "back.bmp", missing, dir + "num_s.bmp", true, false, true, false},
  };
  fake_match match;
  fill_match(match);
  for (const row& r : rows) {
    reset_settings();
    view_settings.geometry = {50, 40, 400, 300};
    name_skin(r.back, r.num_l, r.num_s);
    place_numbers();
    open_view view(match);
    ASSERT_NE(view.state(), nullptr) << r.what;
    EXPECT_EQ(static_cast<bool>(view.state()->skin_back), r.bitmap_mode) << r.what;
    if (r.strips_loaded) {
      EXPECT_TRUE(view.state()->skin_num_l) << r.what;
    } else if (!r.bitmap_mode) {
      EXPECT_FALSE(view.state()->skin_num_l) << r.what;
    }
    const client_pixels shot = view.pixels();
    if (!r.bitmap_mode) {
      // Text mode at 400 x 300: the name box of player 0 starts at (24, 18).
      EXPECT_EQ(shot.at(26, 20), name_back) << r.what;
      continue;
    }
    EXPECT_EQ(shot.at(5, 5), skin_background) << r.what;
    EXPECT_EQ(shot.at(50, 65), r.large_digits ? large_digit(5) : skin_background) << r.what;
    EXPECT_EQ(shot.at(50, 158), r.small_digits ? small_digit(1) : skin_background) << r.what;
    EXPECT_EQ(shot.at(55, 208), r.small_digits ? small_digit(3) : skin_background) << r.what;
  }
}

TEST(BoardView, EveryObjectIsFreed) {
  const std::string dir = make_temp_dir();
  board_skin::write_files(dir);
  fake_match match;
  fill_match(match);
  for (int run = 0; run < 4; ++run) {
    const bool skin = (run & 1) != 0;
    reset_settings();
    if (skin) name_skin(dir + "back.bmp", dir + "num_l.bmp", dir + "num_s.bmp");
    place_numbers();
    // The options' fonts, brush and pen, in both modes.
    const bool options = run >= 2;
    view_extras = {};
    view_extras.show_checkout = view_extras.show_average = view_extras.show_first_mark = options ? 1 : 0;
    view_extras.bmp_extra_right[0] = view_extras.bmp_extra_bottom[0] = 100;
    match.set_leg_players(0, 0, 0);
    const long live = gdi_live_objects();
    {
      open_view view(match);
      ASSERT_NE(view.window, nullptr);
      SendMessageA(view.window, view_message::rebuild, 0, 0);
      SetWindowPos(view.window, nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
      // 1.6 times the skin: changes are computed, through surfaces of their own.
      for (int32_t score : {401, 301, 201}) {
        match.set_score(0, score);
        SendMessageA(view.window, view_message::refresh, 0, 0);
      }
      if (skin) {
        EXPECT_EQ(view.state()->stretch.model_check, stretch_parts_check::same);
      }
      EXPECT_GT(gdi_live_objects(), live);
    }
    EXPECT_EQ(gdi_live_objects(), live) << (skin ? "bitmap mode" : "text mode") << (options ? ", options on" : "");
  }
  view_extras = {};
}

TEST(BoardView, NoRecordNoWindow) {
  reset_settings();
  EXPECT_EQ(frame_create_window(test_instance(), board_description, nullptr), nullptr);
}

}  // namespace
