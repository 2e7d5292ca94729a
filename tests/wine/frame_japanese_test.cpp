// ctest-env: LC_ALL=ja_JP.UTF-8
// The context menus under a Japanese thread locale and code page 932.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/view_frame_win.h"
#include "menu_driver.h"
#include "plugin/plugin_globals.h"
#include "test_host.h"

namespace {

struct probe_state : frame_state_head {
  const match_state* match = nullptr;
};

frame_state_head* probe_create(HWND window, const match_state* match) noexcept {
  auto* state = frame_new_state<probe_state>();
  state->match = match;
  window_dc dc(window);
  state->mem_dc.reset(CreateCompatibleDC(dc.get()));
  return state;
}
void probe_destroy(HWND, frame_state_head* head) noexcept {
  auto* state = static_cast<probe_state*>(head);
  frame_delete_state(state);
}
void nothing(HWND, frame_state_head*) noexcept {}

// A real view's settings and menu with the probe's class and an empty state.
view_description probe_of(const view_description& real, const char* class_name) {
  view_description probe = real;
  probe.class_name = class_name;
  probe.window = nullptr;
  probe.create_state = probe_create;
  probe.destroy_state = probe_destroy;
  probe.build_buffer = probe.release_buffer = probe.paint = nothing;
  probe.command = nullptr;
  return probe;
}

enum class view_kind { result, score, board };
const view_description ops[3] = {probe_of(result_description, "probe_result"),
                                 probe_of(score_description, "probe_score"),
                                 probe_of(board_description, "probe_board")};
template <int Kind>
LRESULT CALLBACK probe_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) noexcept {
  return frame_wnd_proc(ops[Kind], w, m, wp, lp);
}

std::wstring menu_of(const char*, view_kind kind) {
  fake_match match;
  HWND w = frame_create_window(GetModuleHandleA(nullptr), ops[static_cast<int>(kind)],
                               static_cast<const match_state*>(match.pointer()));
  const std::wstring items = menu_listing(run_menu(w, 0, nullptr, {0, 0}));
  DestroyWindow(w);
  return items;
}

TEST(FrameJapanese, MenusAreJapaneseUnderAJapaneseThreadLocale) {
  ASSERT_EQ(GetACP(), 932u);
  HINSTANCE self = GetModuleHandleA(nullptr);
  frame_register_class(self, "probe_result", probe_proc<0>);
  frame_register_class(self, "probe_score", probe_proc<1>);
  frame_register_class(self, "probe_board", probe_proc<2>);
  result_settings.geometry = score_settings.geometry = view_settings.geometry = {0, 0, 300, 200};
  score_settings.visible_set = 1;
  view_settings.visible_set = 0;
  view_settings.full_screen = 0;
  result_settings.reslut_full_screen = 0;

  SetThreadLocale(0x411);
  EXPECT_EQ(menu_of("probe_result", view_kind::result), L"3:フルスクリーン(&F)|0:|1:閉じる(&C)|");
  EXPECT_EQ(menu_of("probe_score", view_kind::score), L"3:タイトルの設定(&T)...|1:セットを隠す(&S)|0:|2:閉じる(&C)|");
  EXPECT_EQ(menu_of("probe_board", view_kind::board), L"3:フルスクリーン(&F)|1:セットを表示(&S)|0:|2:閉じる(&C)|");
  // Decided anew at each opening: back to English with another locale.
  SetThreadLocale(0x409);
  EXPECT_EQ(menu_of("probe_result", view_kind::result), L"3:&Fullscreen|0:|1:&Close|");
}

}  // namespace
