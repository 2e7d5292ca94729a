// The window behaviour the three views share, driven with real windows: a test
// view (plain fills, counted paints) on the shared frame, and the real views
// linked in for the resource counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/gdi_handles_win.h"
#include "draw/view_frame_win.h"
#include "plugin/host_protocol.h"
#include "menu_driver.h"
#include "plugin/plugin_globals.h"
#include "probe_view.h"
#include "test_host.h"

namespace {

void default_geometry() {
  result_settings.geometry = {10, 20, 437, 357};
  result_settings.reslut_size_width = 3;
  result_settings.reslut_full_screen = 0;
  score_settings.geometry = {30, 40, 460, 114};
  score_settings.size_width = 3;
  score_settings.visible_set = 1;
  view_settings.geometry = {50, 60, 200, 100};
  view_settings.size_width = 3;
  view_settings.full_screen = 0;
  view_settings.visible_set = 1;
}

class Frame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { probe_register_classes(); }
  void SetUp() override {
    default_geometry();
    probe_nc_presses.clear();
    probe_commands_seen = 0;
    SetThreadLocale(0x409);
  }
  HWND open(view_kind kind) {
    HWND w = frame_create_window(GetModuleHandleA(nullptr), probe_views[static_cast<int>(kind)],
                                 static_cast<const match_state*>(match_.pointer()));
    windows_.push_back(w);
    return w;
  }
  void TearDown() override {
    for (HWND w : windows_) {
      if (IsWindow(w)) DestroyWindow(w);
    }
    pump_messages();
  }
  static probe_state* state_of(HWND w) { return probe_state_of(w); }

  fake_match match_;
  std::vector<HWND> windows_;
};

TEST_F(Frame, WindowIsABorderlessPopupAtItsSavedPlace) {
  HWND w = open(view_kind::result);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), WS_POPUP);
  EXPECT_EQ(GetWindowLongA(w, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 437);
  EXPECT_EQ(r.bottom - r.top, 357);
  EXPECT_TRUE(IsWindowVisible(w));
  pump_messages();
  EXPECT_EQ(pixel_at(w, 100, 100), RGB(10, 200, 30));
}

TEST_F(Frame, CreationWithoutARecordIsRefused) {
  HWND w = frame_create_window(GetModuleHandleA(nullptr), probe_views[1], nullptr);
  EXPECT_EQ(w, nullptr);
}

TEST_F(Frame, PressesStartTheMoveOrSizeOfTheirZone) {
  view_settings.geometry = {0, 0, 200, 100};
  HWND w = open(view_kind::board);
  struct {
    int x, y;
    WPARAM code;
    const char* cursor;
  } rows[] = {{1, 1, HTTOPLEFT, IDC_SIZENWSE},
              {199, 50, HTRIGHT, IDC_SIZEWE},
              {100, 97, HTBOTTOM, IDC_SIZENS},
              {100, 50, HTCAPTION, IDC_ARROW},
              {1, 99, HTBOTTOMLEFT, IDC_SIZENESW}};
  for (const auto& r : rows) {
    probe_nc_presses.clear();
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.x, r.y));
    ASSERT_EQ(probe_nc_presses.size(), 1u);
    EXPECT_EQ(probe_nc_presses[0], r.code) << r.x << "," << r.y;
    // The cursor shows the same zone, after the press and on a plain move.
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, r.cursor));
    SetCursor(nullptr);
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(r.x, r.y));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, r.cursor)) << r.x << "," << r.y;
  }
}

TEST_F(Frame, MarginZeroOnlyMoves) {
  score_settings.size_width = 0;
  HWND w = open(view_kind::score);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
  ASSERT_EQ(probe_nc_presses.size(), 1u);
  EXPECT_EQ(probe_nc_presses[0], static_cast<WPARAM>(HTCAPTION));
}

TEST_F(Frame, EndOfAMoveSavesPlaceAndSize) {
  HWND w = open(view_kind::result);
  SetWindowPos(w, nullptr, 110, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(result_settings.geometry.left, 110);
  EXPECT_EQ(result_settings.geometry.top, 220);
  EXPECT_EQ(result_settings.geometry.right, 437);
  EXPECT_EQ(result_settings.geometry.bottom, 357);
  SetWindowPos(w, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(result_settings.geometry.right, 300);
  EXPECT_EQ(result_settings.geometry.bottom, 200);
}

TEST_F(Frame, NothingIsSavedWhenHiddenMinimisedMaximisedOrFullScreen) {
  HWND w = open(view_kind::board);
  auto moved_and_saved = [&](int x) {
    SetWindowPos(w, nullptr, x, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(w, WM_EXITSIZEMOVE, 0, 0);
    return view_settings.geometry.left == x;
  };
  ShowWindow(w, SW_HIDE);
  EXPECT_FALSE(moved_and_saved(300));
  ShowWindow(w, SW_SHOWMINIMIZED);
  EXPECT_FALSE(moved_and_saved(310));
  ShowWindow(w, SW_SHOWMAXIMIZED);
  EXPECT_FALSE(moved_and_saved(320));
  ShowWindow(w, SW_SHOWNORMAL);
  view_settings.full_screen = 1;
  EXPECT_FALSE(moved_and_saved(330));
  view_settings.full_screen = 0;
  EXPECT_TRUE(moved_and_saved(340));
}

TEST_F(Frame, FullScreenIgnoresPressesAndKeepsTheArrow) {
  result_settings.reslut_full_screen = 1;
  HWND w = open(view_kind::result);
  EXPECT_TRUE(IsZoomed(w));
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_TRUE(probe_nc_presses.empty());
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(Frame, BackgroundIsNeverErased) {
  HWND w = open(view_kind::score);
  HDC dc = GetDC(w);
  EXPECT_EQ(SendMessageA(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  ReleaseDC(w, dc);
  pump_messages();
  EXPECT_EQ(pixel_at(w, 5, 5), RGB(10, 200, 30));
}

TEST_F(Frame, RefreshPaintsOnceAndRefreshTwiceOnceMoreFromTheTimer) {
  HWND w = open(view_kind::score);
  probe_state* s = state_of(w);
  int before = s->paints;
  SendMessageA(w, view_message::refresh, 0, 0);
  EXPECT_EQ(s->paints, before + 1);
  // Two requests within the timer's millisecond: two paints now, one later.
  SendMessageA(w, view_message::refresh_twice, 0, 0);
  SendMessageA(w, view_message::refresh_twice, 0, 0);
  EXPECT_EQ(s->paints, before + 3);
  pump_messages(50);
  EXPECT_EQ(s->paints, before + 4);
  pump_messages(30);
  EXPECT_EQ(s->paints, before + 4);
}

TEST_F(Frame, ResultViewLeavesRefreshTwiceAndTimersAlone) {
  HWND w = open(view_kind::result);
  probe_state* s = state_of(w);
  int before = s->paints;
  SendMessageA(w, view_message::refresh_twice, 0, 0);
  pump_messages(30);
  EXPECT_EQ(s->paints, before);
  // The rebuild message builds a new buffer and shows it.
  SendMessageA(w, view_message::rebuild, 0, 0);
  EXPECT_EQ(s->paints, before + 1);
}

TEST_F(Frame, ResizesRebuildTheBufferAndFreeTheOldOne) {
  long start = gdi_live_objects();
  HWND w = open(view_kind::board);
  long open_count = gdi_live_objects();
  EXPECT_GT(open_count, start);
  for (int i = 0; i < 1000; ++i) {
    SetWindowPos(w, nullptr, 0, 0, 100 + i % 300, 80 + i % 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  EXPECT_EQ(gdi_live_objects(), open_count);
  RECT r;
  GetClientRect(w, &r);
  EXPECT_EQ(pixel_at(w, r.right - 1, r.bottom - 1), RGB(10, 200, 30));
  DestroyWindow(w);
  EXPECT_EQ(gdi_live_objects(), start);
}

TEST_F(Frame, MenusListEachViewsItems) {
  const menu_run& result = run_menu(open(view_kind::result), 0);
  ASSERT_TRUE(result.seen);
  EXPECT_EQ(menu_listing(result), L"3:&Fullscreen|0:|1:&Close|");
  EXPECT_EQ(menu_listing(run_menu(open(view_kind::score), 0)), L"3:Edit &Title...|1:Hide &Sets|0:|2:&Close|");
  view_settings.full_screen = 1;
  view_settings.visible_set = 0;
  EXPECT_EQ(menu_listing(run_menu(open(view_kind::board), 0)), L"3:End &Fullscreen|1:Show &Sets|0:|2:&Close|");
}

TEST_F(Frame, FullScreenCommandMaximisesAndRestores) {
  HWND w = open(view_kind::board);
  run_menu(w, 1);
  EXPECT_EQ(view_settings.full_screen, 1);
  EXPECT_TRUE(IsZoomed(w));
  run_menu(w, 1);
  EXPECT_EQ(view_settings.full_screen, 0);
  EXPECT_FALSE(IsZoomed(w));
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.right - r.left, 200);
}

TEST_F(Frame, SetsCommandFlipsTheSettingAndRepaints) {
  score_settings.visible_set = 7;  // any non-zero value is on
  HWND w = open(view_kind::score);
  probe_state* s = state_of(w);
  int before = s->paints;
  run_menu(w, 2);
  EXPECT_EQ(score_settings.visible_set, 0);
  EXPECT_EQ(s->paints, before + 1);
  run_menu(w, 2);
  EXPECT_EQ(score_settings.visible_set, 1);
}

TEST_F(Frame, ViewCommandsReachTheView) {
  run_menu(open(view_kind::score), 1);
  EXPECT_EQ(probe_commands_seen, 3);
}

TEST_F(Frame, CloseItemDestroysTheWindow) {
  HWND w = open(view_kind::result);
  run_menu(w, 3);
  EXPECT_FALSE(IsWindow(w));
  HWND s = open(view_kind::score);
  run_menu(s, 4);
  EXPECT_FALSE(IsWindow(s));
}

TEST_F(Frame, DismissedMenuChangesNothing) {
  HWND w = open(view_kind::board);
  run_menu(w, 0);
  EXPECT_EQ(view_settings.full_screen, 0);
  EXPECT_EQ(view_settings.visible_set, 1);
  EXPECT_TRUE(IsWindow(w));
}

HWND closing_window = nullptr;

TEST_F(Frame, WindowClosedWhileItsMenuIsOpenIsNotTouchedAfterwards) {
  score_settings.visible_set = 1;
  closing_window = open(view_kind::score);
  // The host closes the view while the menu runs; the user then picks Hide Sets.
  const menu_run& menu = run_menu(closing_window, 2, [] { SendMessageA(closing_window, WM_CLOSE, 0, 0); });
  EXPECT_TRUE(menu.seen);
  EXPECT_FALSE(IsWindow(closing_window));
  EXPECT_EQ(score_settings.visible_set, 1);
}

}  // namespace
