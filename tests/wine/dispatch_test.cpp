// The event dispatch of the three view entry points through the real DLL: which
// code creates, raises, toggles or closes a view, which redraw message each
// window receives and how often, and how a stale window handle is handled.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "plugin/host_protocol.h"
#include "test_host.h"

namespace {

// Redraw messages a view window received, counted by subclassing it.
struct redraws {
  int refresh = 0;        // WM_APP+2
  int refresh_twice = 0;  // WM_APP+3
  WNDPROC original = nullptr;
};
std::map<HWND, redraws> counted;

LRESULT CALLBACK counting_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  redraws& r = counted[window];
  if (message == view_message::refresh) ++r.refresh;
  if (message == view_message::refresh_twice) ++r.refresh_twice;
  return CallWindowProcA(r.original, window, message, wparam, lparam);
}

// Starts counting the redraws of `window` from zero.
void count_redraws(HWND window) {
  redraws& r = counted[window];
  // A new window may reuse the handle value of a destroyed one: subclass afresh.
  if (GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(counting_proc)) {
    r.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(counting_proc)));
  }
  r.refresh = 0;
  r.refresh_twice = 0;
}

struct class_count {
  const char* name;
  int count;
};

BOOL CALLBACK count_class(HWND window, LPARAM lparam) {
  auto* c = reinterpret_cast<class_count*>(lparam);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, c->name) == 0) ++c->count;
  return TRUE;
}

int windows_of_class(const char* class_name) {
  class_count c = {class_name, 0};
  EnumThreadWindows(GetCurrentThreadId(), count_class, reinterpret_cast<LPARAM>(&c));
  return c.count;
}

// Codes that no view acts on.
const uint32_t ignored_codes[] = {0, 1, 8, 16, 64, 256, 1024, 4 | 128, 0x80000000u, 0xFFFFFFFFu};

class Dispatch : public ::testing::Test {
 protected:
  plugin_dll dll;
  fake_match match;
  fake_host host{match};

  int call(const plugin_view_entry& v, uint32_t code) { return (dll.*(v.fn))(host.window, code, host.block(), 0); }
  HWND window_of(const plugin_view_entry& v) { return find_thread_window(v.class_name); }
  HWND open(const plugin_view_entry& v) {
    EXPECT_EQ(call(v, host_event::open), 1);
    HWND w = window_of(v);
    EXPECT_NE(w, nullptr) << v.entry << " did not open";
    if (w != nullptr) count_redraws(w);
    return w;
  }
};

TEST_F(Dispatch, NothingHappensBeforeAViewIsOpened) {
  for (const plugin_view_entry* v : {&large_view, &small_view, &result_view}) {
    for (uint32_t code : {host_event::change, host_event::change_twice, host_event::result_change, host_event::close}) {
      EXPECT_EQ(call(*v, code), 1) << v->entry << " " << code;
    }
    for (uint32_t code : ignored_codes) EXPECT_EQ(call(*v, code), 1);
    EXPECT_EQ(window_of(*v), nullptr) << v->entry;
  }
  EXPECT_EQ(host.queries, 0);
}

TEST_F(Dispatch, ScoreViewsOpenOnceThenComeToTheFront) {
  for (const plugin_view_entry* v : {&large_view, &small_view}) {
    SCOPED_TRACE(v->entry);
    HWND w = open(*v);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(IsWindowVisible(w));
    // Which window is in front is not checked: tests of other processes share
    // the desktop and take the foreground at any moment.
    EXPECT_EQ(call(*v, host_event::open), 1);
    EXPECT_EQ(window_of(*v), w);
    EXPECT_EQ(windows_of_class(v->class_name), 1);
    EXPECT_EQ(counted[w].refresh, 0) << "raising does not redraw";
    EXPECT_EQ(call(*v, host_event::close), 1);
    EXPECT_FALSE(IsWindow(w));
  }
  EXPECT_EQ(host.queries, 0) << "only the result view asks the host";
}

TEST_F(Dispatch, ScoreViewsRedrawOnceOn128AndTwiceOn512) {
  for (const plugin_view_entry* v : {&large_view, &small_view}) {
    SCOPED_TRACE(v->entry);
    HWND w = open(*v);
    ASSERT_NE(w, nullptr);
    call(*v, host_event::change);
    EXPECT_EQ(counted[w].refresh, 1) << "redrawn before the call returns";
    EXPECT_EQ(counted[w].refresh_twice, 0);
    count_redraws(w);
    call(*v, host_event::change_twice);
    EXPECT_EQ(counted[w].refresh_twice, 1);
    EXPECT_EQ(counted[w].refresh, 1) << "the first redraw is at once";
    pump_messages(100);
    EXPECT_EQ(counted[w].refresh, 2) << "the second comes from the one-shot timer";
    pump_messages(50);
    EXPECT_EQ(counted[w].refresh, 2) << "the timer fires once";
    count_redraws(w);
    call(*v, host_event::result_change);
    for (uint32_t code : ignored_codes) call(*v, code);
    pump_messages(20);
    EXPECT_EQ(counted[w].refresh + counted[w].refresh_twice, 0) << "32 and unknown codes are ignored";
    EXPECT_TRUE(IsWindow(w));
    call(*v, host_event::close);
  }
}

TEST_F(Dispatch, ResultViewTogglesAndAsksTheHostOncePerOpening) {
  HWND first = open(result_view);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(host.queries, 1);
  EXPECT_EQ(call(result_view, host_event::open), 1);
  EXPECT_FALSE(IsWindow(first)) << "a second code 4 closes it";
  EXPECT_EQ(window_of(result_view), nullptr);
  EXPECT_EQ(host.queries, 1) << "closing does not ask";
  HWND second = open(result_view);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(host.queries, 2);
  EXPECT_EQ(call(result_view, host_event::close), 1);
  EXPECT_EQ(window_of(result_view), nullptr);
  EXPECT_EQ(call(result_view, host_event::close), 1);
  EXPECT_EQ(host.queries, 2);
}

TEST_F(Dispatch, ResultViewAsksTheWindowItIsGiven) {
  fake_host other(match);
  EXPECT_EQ(dll.dsv_result(other.window, host_event::open, host.block(), 0), 1);
  EXPECT_NE(window_of(result_view), nullptr);
  EXPECT_EQ(other.queries, 1);
  EXPECT_EQ(host.queries, 0);
  dll.dsv_result(other.window, host_event::close, host.block(), 0);
}

TEST_F(Dispatch, ResultViewRedrawsOnceOn32And128And512) {
  HWND w = open(result_view);
  ASSERT_NE(w, nullptr);
  for (uint32_t code : {host_event::result_change, host_event::change, host_event::change_twice}) {
    count_redraws(w);
    EXPECT_EQ(call(result_view, code), 1);
    pump_messages(60);
    EXPECT_EQ(counted[w].refresh, 1) << code;
    EXPECT_EQ(counted[w].refresh_twice, 0) << code;
  }
  count_redraws(w);
  for (uint32_t code : ignored_codes) call(result_view, code);
  EXPECT_EQ(counted[w].refresh, 0);
  EXPECT_TRUE(IsWindow(w));
  EXPECT_EQ(host.queries, 1);
}

TEST_F(Dispatch, Code32ReachesOnlyTheResultView) {
  HWND large = open(large_view);
  HWND small = open(small_view);
  HWND result = open(result_view);
  ASSERT_TRUE(large && small && result);
  for (const plugin_view_entry* v : {&large_view, &small_view, &result_view}) call(*v, host_event::result_change);
  pump_messages(30);
  EXPECT_EQ(counted[large].refresh, 0);
  EXPECT_EQ(counted[small].refresh, 0);
  EXPECT_EQ(counted[result].refresh, 1);
}

// The user closes a view itself: whatever notice comes next finds no window,
// and the next code 4 makes a new window (for the result view: opens it, never
// a toggle-close).
TEST_F(Dispatch, StaleHandleIsClearedAndTheViewOpensAgain) {
  for (const plugin_view_entry* v : {&large_view, &small_view, &result_view}) {
    for (uint32_t notice : {host_event::change, host_event::change_twice, host_event::close, 0u}) {
      SCOPED_TRACE(std::string(v->entry) + " notice " + std::to_string(notice));
      const int queries = host.queries;
      HWND w = open(*v);
      ASSERT_NE(w, nullptr);
      SendMessageA(w, WM_CLOSE, 0, 0);
      ASSERT_FALSE(IsWindow(w));
      if (notice != 0) {
        EXPECT_EQ(call(*v, notice), 1);
      }
      EXPECT_EQ(call(*v, host_event::open), 1);
      HWND again = window_of(*v);
      EXPECT_NE(again, nullptr);
      if (v == &result_view) {
        EXPECT_EQ(host.queries, queries + 2);
      }
      call(*v, host_event::close);
      EXPECT_EQ(window_of(*v), nullptr);
    }
  }
}

TEST_F(Dispatch, ViewsAreIndependent) {
  HWND large = open(large_view);
  HWND small = open(small_view);
  HWND result = open(result_view);
  call(large_view, host_event::close);
  EXPECT_FALSE(IsWindow(large));
  EXPECT_TRUE(IsWindow(small));
  EXPECT_TRUE(IsWindow(result));
  call(result_view, host_event::open);  // toggles only the result view
  EXPECT_FALSE(IsWindow(result));
  EXPECT_TRUE(IsWindow(small));
  call(small_view, host_event::change);
  EXPECT_EQ(counted[small].refresh, 1);
  call(small_view, host_event::close);
}

// The plug-in reads the host's record and never writes it.
TEST_F(Dispatch, TheRecordIsNeverWritten) {
  match.set_name(0, "Anna");
  match.set_name(1, "Mark");
  for (int p = 0; p < 2; ++p) {
    match.set_score(p, 301 - p);
    match.set_sets(p, 1);
    match.set_legs(p, 2);
  }
  match.set_leg_players(0, 1, 0);
  std::memset(match.record + 700, 0xA5, 4096 - 700);
  const std::vector<unsigned char> record(match.record, match.record + 4096);
  const std::vector<unsigned char> legs(match.legs, match.legs + 148 * 16);
  for (const plugin_view_entry* v : {&large_view, &small_view, &result_view}) open(*v);
  for (int round = 0; round < 3; ++round) {
    for (const plugin_view_entry* v : {&large_view, &small_view, &result_view}) {
      for (uint32_t code : {host_event::change, host_event::change_twice, host_event::result_change}) call(*v, code);
    }
    pump_messages(20);
  }
  for (const plugin_view_entry* v : {&large_view, &small_view, &result_view}) call(*v, host_event::close);
  EXPECT_EQ(std::vector<unsigned char>(match.record, match.record + 4096), record);
  EXPECT_EQ(std::vector<unsigned char>(match.legs, match.legs + 148 * 16), legs);
}

}  // namespace
