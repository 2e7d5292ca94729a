// ctest-env: LC_ALL=ja_JP.UTF-8
// The context menus under a Japanese thread locale and code page 932.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/view_frame_win.h"
#include "menu_driver.h"
#include "plugin/plugin_globals.h"
#include "probe_view.h"
#include "test_host.h"

namespace {

std::wstring menu_of(const char*, view_kind kind) {
  fake_match match;
  HWND w = frame_create_window(GetModuleHandleA(nullptr), probe_views[static_cast<int>(kind)],
                               static_cast<const match_state*>(match.pointer()));
  const std::wstring items = menu_listing(run_menu(w, 0, nullptr, {0, 0}));
  DestroyWindow(w);
  return items;
}

TEST(FrameJapanese, MenusAreJapaneseUnderAJapaneseThreadLocale) {
  ASSERT_EQ(GetACP(), 932u);
  probe_register_classes();
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
