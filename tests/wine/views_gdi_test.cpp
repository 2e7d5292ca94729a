// Every GDI object the three real views create comes back: after many open and
// close cycles, resizes, rebuilds and sets toggles the count of live objects
// made through the handle wrappers returns to where it started.
#include <gtest/gtest.h>

#include "draw/gdi_handles_win.h"
#include "plugin/host_protocol.h"
#include "plugin/lifecycle_win.h"
#include "plugin/plugin_exports.h"
#include "plugin/plugin_globals.h"
#include "settings/settings_table.h"
#include "test_host.h"

namespace {

struct view_row {
  const char* name;
  plugin_entry_fn entry;
  HWND* handle;
};

const view_row views[] = {{"result", dsv_result, &result_hwnd},
                          {"small", dsv_socre, &score_hwnd},
                          {"large", dsv_view, &view_hwnd}};

TEST(ViewsGdi, OpenCloseResizeAndRebuildGiveEveryObjectBack) {
  start_plugin_windowed();
  fake_match match;
  match.set_name(0, "Left");
  match.set_name(1, "Right");
  match.set_leg_players(0, 0, 1);
  fake_host host(match);
  for (const view_row& v : views) {
    const long start = gdi_live_objects();
    for (int i = 0; i < 100; ++i) {
      v.entry(host.window, host_event::open, host.block(), 0);
      ASSERT_TRUE(window_exists(*v.handle)) << v.name;
      v.entry(host.window, host_event::change, host.block(), 0);
      v.entry(host.window, host_event::close, host.block(), 0);
      ASSERT_EQ(gdi_live_objects(), start) << v.name << " after " << i + 1 << " cycles";
    }
    v.entry(host.window, host_event::open, host.block(), 0);
    HWND w = *v.handle;
    const long open_count = gdi_live_objects();
    for (int i = 0; i < 1000; ++i) {
      SetWindowPos(w, nullptr, 0, 0, 50 + (i * 37) % 700, 20 + (i * 53) % 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      if (i % 100 == 0) SendMessageA(w, view_message::rebuild, 0, 0);
      if (i % 250 == 0) v.entry(host.window, host_event::change_twice, host.block(), 0);
    }
    pump_messages(10);
    EXPECT_EQ(gdi_live_objects(), open_count) << v.name;
    v.entry(host.window, host_event::close, host.block(), 0);
    EXPECT_EQ(gdi_live_objects(), start) << v.name;
  }
}

// A window whose creation fails after WM_CREATE succeeded (as when the display
// cannot show it) gets WM_NCDESTROY without WM_DESTROY: its state must still go.
WNDPROC view_proc = nullptr;
LRESULT CALLBACK without_destroy(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) return 0;
  return CallWindowProcA(view_proc, window, message, wparam, lparam);
}

TEST(ViewsGdi, ObjectsComeBackWhenOnlyTheLastDestroyMessageArrives) {
  start_plugin_windowed();
  fake_match match;
  fake_host host(match);
  for (const view_row& v : views) {
    const long start = gdi_live_objects();
    v.entry(host.window, host_event::open, host.block(), 0);
    ASSERT_TRUE(window_exists(*v.handle)) << v.name;
    ASSERT_GT(gdi_live_objects(), start) << v.name;
    HWND w = *v.handle;
    view_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(without_destroy)));
    DestroyWindow(w);
    EXPECT_FALSE(IsWindow(w)) << v.name;
    EXPECT_EQ(gdi_live_objects(), start) << v.name;
    v.entry(host.window, host_event::change, host.block(), 0);  // a stale handle is forgotten
    EXPECT_EQ(*v.handle, nullptr) << v.name;
  }
}

}  // namespace
