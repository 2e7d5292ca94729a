// The result view as a real window: where it opens, full screen, the colours of
// its bands and texts, the values after a change notice, the host's averaging
// mode, the Close command, the fitted font, and what it gives back when it goes.
// Linked in and driven through the entry point; a last group loads the DLL itself.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "draw/fonts_win.h"
#include "draw/gdi_handles_win.h"
#include "plugin/host_protocol.h"
#include "plugin/plugin_exports.h"
#include "plugin/plugin_globals.h"
#include "settings/settings_table.h"
#include "menu_driver.h"
#include "test_host.h"
#include "views/result/result_table.h"
#include "views/result/result_window_win.h"

namespace {

constexpr COLORREF line = RGB(200, 0, 0);
constexpr COLORREF head_back = RGB(0, 0, 160);
constexpr COLORREF body_back = RGB(250, 250, 210);
constexpr COLORREF head_text = RGB(255, 255, 0);
constexpr COLORREF title_text = RGB(0, 128, 0);
constexpr COLORREF stats_text = RGB(128, 0, 128);

void result_defaults() {
  result_window_settings& s = result_settings;
  std::memset(&s, 0, sizeof s);
  s.geometry = {40, 30, 437, 357};
  s.reslut_line_width = 2;
  s.reslut_size_width = 3;
  s.reslut_full_screen = 0;
  lstrcpyA(s.font_name, "Arial");
  s.color_line_color = file_colour(line);
  s.color_head_back = file_colour(head_back);
  s.color_body_back = file_colour(body_back);
  s.color_head_text = file_colour(head_text);
  s.color_title_text = file_colour(title_text);
  s.color_stats_text = file_colour(stats_text);
}

result_window_state* state_of(HWND window) { return static_cast<result_window_state*>(frame_state(window)); }

TEXTMETRICA table_metrics(HWND window) {
  TEXTMETRICA tm = {};
  result_window_state* state = state_of(window);
  select_guard selected(state->mem_dc.get(), state->table_font.get());
  GetTextMetricsA(state->mem_dc.get(), &tm);
  return tm;
}

result_layout layout_of(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  const TEXTMETRICA tm = table_metrics(window);
  return result_table_layout(client.right, client.bottom, result_settings.reslut_line_width, tm.tmHeight,
                             tm.tmAveCharWidth);
}

// What one table row must look like: the body colour, the label and the two
// values drawn with the window's own table font, as pixels of the row's box.
std::vector<COLORREF> expected_row(HWND window, int row, const char* value0, const char* value1) {
  const result_layout layout = layout_of(window);
  const table_box box = result_label_box(layout, row);
  RECT client = {};
  GetClientRect(window, &client);
  window_dc screen(window);
  unique_hdc dc(CreateCompatibleDC(screen.get()));
  unique_hbitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  select_guard selected_bitmap(dc.get(), bitmap.get());
  unique_hbrush body(CreateSolidBrush(body_back));
  const RECT r = {box.left, box.top, box.right, box.bottom};
  FillRect(dc.get(), &r, body.get());
  SetBkMode(dc.get(), TRANSPARENT);
  select_guard selected_font(dc.get(), state_of(window)->table_font.get());
  auto draw = [&](const char* text, const table_box& b, COLORREF colour) {
    SetTextColor(dc.get(), colour);
    const RECT br = {b.left, b.top, b.right, b.bottom};
    draw_text_centered(dc.get(), text, lstrlenA(text), &br);
  };
  draw(result_row_labels[row], box, title_text);
  draw(value0, result_value_box(layout, row, 0), stats_text);
  draw(value1, result_value_box(layout, row, 1), stats_text);
  std::vector<COLORREF> out;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) out.push_back(GetPixel(dc.get(), x, y) & 0xFFFFFF);
  }
  return out;
}

std::vector<COLORREF> shown_row(HWND window, int row) {
  const table_box box = result_label_box(layout_of(window), row);
  const client_pixels shot = capture_client(window);
  std::vector<COLORREF> out;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) out.push_back(shot.at(x, y));
  }
  return out;
}

int row_of(const char* label) {
  for (int row = 0; row < result_row_count; ++row) {
    if (lstrcmpA(result_row_labels[row], label) == 0) return row;
  }
  return -1;
}

bool shows_row(HWND window, const char* label, const char* value0, const char* value1) {
  const int row = row_of(label);
  return shown_row(window, row) == expected_row(window, row, value0, value1);
}

// Colours found in a box of a capture.
bool box_has(const client_pixels& shot, const table_box& box, COLORREF colour) {
  for (int y = std::max(box.top, 0); y < std::min(box.bottom, shot.height); ++y) {
    for (int x = std::max(box.left, 0); x < std::min(box.right, shot.width); ++x) {
      if (shot.at(x, y) == colour) return true;
    }
  }
  return false;
}

class ResultView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_instance = GetModuleHandleA(nullptr);
    frame_register_class(module_instance, result_description);
  }
  void SetUp() override {
    result_defaults();
    SetThreadLocale(0x409);
    match_.set_name(0, "Anna");
    match_.set_name(1, "Bert");
    match_.set_sets(0, 1);
    match_.set_legs(0, 2);
    match_.set_sets(1, 0);
    match_.set_legs(1, 3);
    // Player 0: 501 points in 27 darts, split over the two blocks.
    match_.set_stat(0, 0, match_layout::score_total, 300);
    match_.set_stat(0, 1, match_layout::score_total, 201);
    match_.set_stat(0, 0, match_layout::score_darts, 20);
    match_.set_stat(0, 1, match_layout::score_darts, 7);
    match_.set_stat(0, 0, match_layout::first9_score, 501);
    match_.set_stat(0, 1, match_layout::first9_darts, 27);
    host_.set_average_mode(0);
  }
  void TearDown() override {
    dsv_result(host_.window, host_event::close, host_.block(), 0);
    pump_messages();
  }
  HWND open() {
    dsv_result(host_.window, host_event::open, host_.block(), 0);
    pump_messages();  // the first picture reaches the screen with the first paint
    return result_hwnd;
  }

  fake_match match_;
  fake_host host_{match_};
};

TEST_F(ResultView, OpensAtItsSavedPlaceAndSize) {
  HWND w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(host_.queries, 1);
  char text[64] = {};
  GetClassNameA(w, text, sizeof text);
  EXPECT_STREQ(text, "dsv_result_wnd");
  GetWindowTextA(w, text, sizeof text);
  EXPECT_STREQ(text, "dsv Result");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), WS_POPUP);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_FALSE(IsZoomed(w));
  RECT r = {};
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 437);
  EXPECT_EQ(r.bottom - r.top, 357);
}

TEST_F(ResultView, ColoursOfTheBandsAndLinesFollowTheSettings) {
  HWND w = open();
  ASSERT_NE(w, nullptr);
  const result_layout l = layout_of(w);
  const int h = l.row_height;
  ASSERT_GT(h, 10);
  const client_pixels shot = capture_client(w);
  ASSERT_EQ(shot.width, 437);
  ASSERT_EQ(shot.height, 357);
  struct sample {
    int x, y;
    COLORREF colour;
    const char* what;
  } samples[] = {
      {0, 0, line, "outer frame"},          {1, 1, line, "outer frame"},
      {436, 356, line, "outer frame"},      {435, 200, line, "right frame"},
      {2, 2, head_back, "header band"},     {5, h - 1, head_back, "header band, last row"},
      {434, 3, head_back, "header band"},   {5, h, line, "strip under the header"},
      {200, h + 1, line, "strip under the header"},
      {2, h + 2, body_back, "body, top"},   {5, 354, body_back, "body, bottom"},
      {434, 300, body_back, "body, right"}, {2, 355, line, "bottom frame"},
  };
  for (const sample& s : samples) {
    EXPECT_EQ(shot.at(s.x, s.y), s.colour) << s.what << " at (" << s.x << ", " << s.y << ")";
  }
}

TEST_F(ResultView, LabelsInTheTitleColourValuesInTheStatsColour) {
  HWND w = open();
  ASSERT_NE(w, nullptr);
  const result_layout l = layout_of(w);
  const client_pixels shot = capture_client(w);
  EXPECT_TRUE(box_has(shot, l.names[0], head_text)) << "player 0's name";
  EXPECT_TRUE(box_has(shot, l.names[1], head_text)) << "player 1's name";
  for (int row = 0; row < result_row_count; ++row) {
    const table_box v0 = result_value_box(l, row, 0);
    const table_box v1 = result_value_box(l, row, 1);
    const table_box middle = {v0.right, v0.top, v1.left, v0.bottom};
    EXPECT_TRUE(box_has(shot, middle, title_text)) << result_row_labels[row];
    EXPECT_FALSE(box_has(shot, middle, stats_text)) << result_row_labels[row];
    EXPECT_TRUE(box_has(shot, v0, stats_text)) << result_row_labels[row];
    EXPECT_TRUE(box_has(shot, v1, stats_text)) << result_row_labels[row];
    EXPECT_FALSE(box_has(shot, v0, title_text)) << result_row_labels[row];
    EXPECT_FALSE(box_has(shot, v1, title_text)) << result_row_labels[row];
  }
}

// A name is shown as the host keeps it: "R&D" with its ampersand, against
// "RD" in the other player's half of the head band.
TEST_F(ResultView, AmpersandInANameIsACharacter) {
  match_.set_name(0, "R&D");
  match_.set_name(1, "RD");
  HWND w = open();
  const result_layout layout = layout_of(w);
  const client_pixels shot = capture_client(w);
  auto ink_of = [&](int player) {
    const table_box& b = layout.names[player];
    return ink_bounds(shot, {b.left, b.top, b.right, b.bottom}, head_back);
  };
  EXPECT_TRUE(ampersand_drawn(ink_of(0), ink_of(1)));
}

TEST_F(ResultView, ShowsEachPlayersValues) {
  HWND w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(shows_row(w, "Sets", "1", "0"));
  EXPECT_TRUE(shows_row(w, "Legs", "2", "3"));
  EXPECT_TRUE(shows_row(w, "Score", "18.56", "0.00"));
  EXPECT_TRUE(shows_row(w, "First 9", "18.56", "0.00"));
  EXPECT_FALSE(shows_row(w, "Sets", "0", "1")) << "the comparison tells values apart";
}

TEST_F(ResultView, ValuesFollowTheRecordAfterAChangeNotice) {
  HWND w = open();
  ASSERT_NE(w, nullptr);
  match_.set_sets(0, 7);
  match_.set_stat(1, 0, match_layout::high_out, 121);
  match_.set_stat(1, 1, match_layout::best_leg, 15);
  EXPECT_TRUE(shows_row(w, "Sets", "1", "0")) << "nothing changes before the notice";
  EXPECT_EQ(dsv_result(host_.window, host_event::change, host_.block(), 0), 1);
  // No message pumping: the picture is on the screen when the entry point returns.
  EXPECT_TRUE(shows_row(w, "Sets", "7", "0"));
  EXPECT_TRUE(shows_row(w, "High Out", "0", "121"));
  EXPECT_TRUE(shows_row(w, "Best Leg", "0", "15"));
  match_.set_sets(0, 8);
  dsv_result(host_.window, host_event::result_change, host_.block(), 0);
  EXPECT_TRUE(shows_row(w, "Sets", "8", "0")) << "code 32 redraws too";
}

TEST_F(ResultView, HostAveragingModeSwitchesScoreAndFirstNine) {
  host_.set_average_mode(1);
  HWND w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(average_mode, 1);
  EXPECT_TRUE(shows_row(w, "Score", "55.67", "0.00"));
  EXPECT_TRUE(shows_row(w, "First 9", "55.67", "0.00"));
  // The mode is taken only when the view opens: a second open closes it, a third reopens.
  host_.set_average_mode(0);
  dsv_result(host_.window, host_event::change, host_.block(), 0);
  EXPECT_TRUE(shows_row(w, "Score", "55.67", "0.00"));
  dsv_result(host_.window, host_event::open, host_.block(), 0);
  EXPECT_FALSE(IsWindow(w));
  w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(host_.queries, 2);
  EXPECT_TRUE(shows_row(w, "Score", "18.56", "0.00"));
  EXPECT_TRUE(shows_row(w, "First 9", "18.56", "0.00"));
}

TEST_F(ResultView, CloseDestroysAndForgetsTheHandle) {
  const long gdi_before = gdi_live_objects();
  HWND w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_GT(gdi_live_objects(), gdi_before);
  const menu_run& menu = run_menu(w, 3, nullptr, {50, 50});
  ASSERT_EQ(menu.items.size(), 3u);
  EXPECT_EQ(menu.items[0], (std::pair<UINT, std::string>{3, "&Fullscreen"}));
  EXPECT_EQ(menu.items[1].first, 0u);
  EXPECT_EQ(menu.items[2], (std::pair<UINT, std::string>{1, "&Close"}));
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(gdi_live_objects(), gdi_before) << "every object the window made is deleted";
  EXPECT_EQ(result_hwnd, nullptr) << "the window forgets its handle as it goes";
  EXPECT_EQ(dsv_result(host_.window, host_event::change, host_.block(), 0), 1);
  EXPECT_EQ(result_hwnd, nullptr);
  HWND again = open();
  EXPECT_NE(again, nullptr);
  EXPECT_TRUE(IsWindow(again));
  EXPECT_EQ(host_.queries, 2);
}

// Non-client presses sent to the window, seen by a thread-local hook.
std::vector<UINT> sent_messages;
LRESULT CALLBACK record_sent(int code, WPARAM wparam, LPARAM lparam) {
  const auto* m = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION) sent_messages.push_back(m->message);
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(ResultView, FullScreenWhenSavedSoAndThenNeitherMovedNorSized) {
  result_settings.reslut_full_screen = 1;
  HWND w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(IsZoomed(w));
  RECT client = {};
  GetClientRect(w, &client);
  EXPECT_GT(client.right, 437);
  EXPECT_GT(client.bottom, 357);
  EXPECT_GT(state_of(w)->font_size, 0);
  const client_pixels shot = capture_client(w);
  EXPECT_EQ(shot.at(client.right - 1, client.bottom - 1), line) << "the table fills the whole screen";

  RECT before = {};
  GetWindowRect(w, &before);
  sent_messages.clear();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, record_sent, nullptr, GetCurrentThreadId());
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));  // a corner: would size
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));  // inside: would move
  SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
  UnhookWindowsHookEx(hook);
  for (UINT m : sent_messages) EXPECT_NE(m, static_cast<UINT>(WM_NCLBUTTONDOWN)) << "no move or size loop";
  RECT after = {};
  GetWindowRect(w, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(result_settings.geometry.left, 40) << "the saved place is kept";
  EXPECT_EQ(result_settings.geometry.right, 437);

  const menu_run& menu = run_menu(w, 1, nullptr, {50, 50});  // "End &Fullscreen"
  ASSERT_FALSE(menu.items.empty());
  EXPECT_EQ(menu.items[0].second, "End &Fullscreen");
  EXPECT_EQ(result_settings.reslut_full_screen, 0);
  EXPECT_FALSE(IsZoomed(w));
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 437);
  EXPECT_EQ(client.bottom, 357);
}

TEST_F(ResultView, LineWidthZeroLeavesNoLine) {
  result_settings.reslut_line_width = 0;
  HWND w = open();
  ASSERT_NE(w, nullptr);
  const int h = layout_of(w).row_height;
  const client_pixels shot = capture_client(w);
  EXPECT_EQ(shot.at(0, 0), head_back);
  EXPECT_EQ(shot.at(436, h - 1), head_back);
  EXPECT_EQ(shot.at(0, h), body_back) << "the header band touches the body";
  EXPECT_EQ(shot.at(436, 356), body_back);
  int line_pixels = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) line_pixels += shot.at(x, y) == line;
  }
  EXPECT_EQ(line_pixels, 0);
}

TEST_F(ResultView, FontFollowsTheHeightAndStopsAtTheFloor) {
  HWND w = open();
  ASSERT_NE(w, nullptr);
  // The fitted size is the largest whose eleven rows fit: one point more does not.
  auto check_fit = [&](const char* what) {
    RECT client = {};
    GetClientRect(w, &client);
    const int32_t size = state_of(w)->font_size;
    window_dc dc(w);
    const int32_t lw = result_settings.reslut_line_width;
    EXPECT_TRUE(result_rows_fit(result_measure_tm_height(dc.get(), "Arial", size), lw, client.bottom)) << what;
    if (size < std::min(client.right, client.bottom)) {
      EXPECT_FALSE(result_rows_fit(result_measure_tm_height(dc.get(), "Arial", size + 1), lw, client.bottom)) << what;
    }
    EXPECT_EQ(table_metrics(w).tmHeight, result_measure_tm_height(dc.get(), "Arial", size)) << what;
  };
  check_fit("437 x 357");
  const int32_t normal = state_of(w)->font_size;
  SetWindowPos(w, nullptr, 0, 0, 437, 700, SWP_NOMOVE | SWP_NOZORDER);
  check_fit("437 x 700");
  EXPECT_GT(state_of(w)->font_size, normal);
  SetWindowPos(w, nullptr, 0, 0, 437, 12, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(state_of(w)->font_size, result_min_font_size) << "a very low window stops at the floor";
  // WM_APP+1 rebuilds at the same size; WM_APP+3 is not this view's.
  SendMessageA(w, view_message::rebuild, 0, 0);
  EXPECT_EQ(state_of(w)->font_size, result_min_font_size);
  EXPECT_EQ(SendMessageA(w, view_message::refresh_twice, 0, 0), 0);
}

TEST_F(ResultView, NoWindowWithoutARecord) {
  host_.set_match(nullptr);
  EXPECT_EQ(frame_create_window(module_instance, result_description, nullptr), nullptr);
  EXPECT_EQ(open(), nullptr);
}

// --- through the DLL itself, with its settings file --------------------------

const char* const result_ini =
    "[reslut_window]\r\n"
    "left=120\r\ntop=90\r\nright=500\r\nbottom=420\r\n"
    "reslut_line_width=3\r\nreslut_size_width=3\r\nreslut_full_screen=0\r\n"
    "font_name=\"Arial\"\r\n"
    "color_line_color=\"0xC80000\"\r\ncolor_head_back=\"0x0000A0\"\r\ncolor_body_back=\"0xFAFAD2\"\r\n"
    "color_head_text=\"0xFFFF00\"\r\ncolor_title_text=\"0x008000\"\r\ncolor_stats_text=\"0x800080\"\r\n";

HWND dll_result_window() { return find_thread_window("dsv_result_wnd"); }

TEST(ResultViewDll, OpensFromItsSettingsFile) {
  fake_match match;
  fake_host host(match);
  for (int full_screen : {0, 1}) {
    std::string ini = result_ini;
    if (full_screen) ini.replace(ini.find("reslut_full_screen=0"), 20, "reslut_full_screen=1");
    plugin_dll dll(ini.c_str());
    ASSERT_EQ(dll.dsv_result(host.window, host_event::open, host.block(), 0), 1);
    pump_messages();
    HWND w = dll_result_window();
    ASSERT_NE(w, nullptr);
    RECT r = {};
    GetWindowRect(w, &r);
    if (full_screen) {
      EXPECT_TRUE(IsZoomed(w));
      EXPECT_GT(r.right - r.left, 500);
    } else {
      EXPECT_FALSE(IsZoomed(w));
      EXPECT_EQ(r.left, 120);
      EXPECT_EQ(r.top, 90);
      EXPECT_EQ(r.right - r.left, 500);
      EXPECT_EQ(r.bottom - r.top, 420);
    }
    const client_pixels shot = capture_client(w);
    EXPECT_EQ(shot.at(0, 0), line);
    EXPECT_EQ(shot.at(2, 2), line) << "three pixels of line";
    EXPECT_EQ(shot.at(3, 3), head_back);
    EXPECT_EQ(shot.at(shot.width - 5, shot.height - 5), body_back);
    dll.dsv_result(host.window, host_event::open, host.block(), 0);  // toggles it closed
    EXPECT_FALSE(IsWindow(w));
  }
}

TEST(ResultViewDll, OpensWithTheDefaultsWithoutASettingsFile) {
  fake_match match;
  fake_host host(match);
  plugin_dll dll;
  dll.dsv_result(host.window, host_event::open, host.block(), 0);
  pump_messages();
  HWND w = dll_result_window();
  ASSERT_NE(w, nullptr);
  RECT r = {};
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 437);
  EXPECT_EQ(r.bottom, 357);
  const client_pixels shot = capture_client(w);
  EXPECT_EQ(shot.at(1, 1), RGB(0, 0, 0)) << "line";
  EXPECT_EQ(shot.at(3, 3), RGB(0x0A, 0x24, 0x6A)) << "header band";
  EXPECT_EQ(shot.at(430, 350), RGB(255, 255, 255)) << "body";
  dll.dsv_result(host.window, host_event::close, host.block(), 0);
  EXPECT_FALSE(IsWindow(w));
}

}  // namespace
