// ctest-env: LC_ALL=ja_JP.UTF-8
// The Edit Title dialog on a Japanese system: the loader picks the Japanese
// template, and a Japanese title goes through the dialog and back intact.
#include <gtest/gtest.h>

#include <string>

#include "plugin/host_protocol.h"
#include "score_test_support.h"
#include "test_host.h"

namespace {

using score_test::controls_of;
using score_test::dialog_driver;
using score_test::text_of;

// タイトルの設定
const char* const caption = "\x83\x5e\x83\x43\x83\x67\x83\x8b\x82\xcc\x90\xdd\x92\xe8";
// キャンセル
const char* const cancel = "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b";
// タイトル
const char* const label = "\x83\x5e\x83\x43\x83\x67\x83\x8b";
// ＭＳ Ｐゴシック
const char* const face = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
// 決勝 第1セット
const char* const japanese_title = "\x8c\x88\x8f\x9f\x20\x91\xe6" "1" "\x83\x5a\x83\x62\x83\x67";

TEST(ScoreDialogJapanese, JapaneseTemplateAndTitle) {
  SetThreadLocale(0x411);
  ASSERT_EQ(GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
  plugin_dll dll("[score_window]\r\nleft=40\r\ntop=50\r\nright=460\r\nbottom=114\r\n");
  fake_match match;
  fake_host host(match);
  dll.dsv_socre(host.window, host_event::open, host.block(), 0);
  HWND w = find_thread_window("dsv_score_wnd");
  ASSERT_NE(w, nullptr);

  bool checked = false;
  {
    dialog_driver driver([&](HWND d) {
      checked = true;
      EXPECT_EQ(text_of(d), caption);
      LOGFONTA font = {};
      GetObjectA(reinterpret_cast<HFONT>(SendMessageA(d, WM_GETFONT, 0, 0)), sizeof font, &font);
      EXPECT_STREQ(font.lfFaceName, face);
      const std::vector<HWND> controls = controls_of(d);
      ASSERT_EQ(controls.size(), 4u);
      const struct {
        int id;
        const char* text;
      } expected[] = {{1001, ""}, {IDOK, "OK"}, {IDCANCEL, cancel}, {0xFFFF, label}};
      for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(GetDlgCtrlID(controls[i]) & 0xFFFF, expected[i].id);
        EXPECT_EQ(text_of(controls[i]), expected[i].text);
      }
      SetDlgItemTextA(d, 1001, japanese_title);
      PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    const auto& menu = run_menu(w, 1);
    ASSERT_TRUE(menu.seen);
    // タイトルの設定(&T)...
    EXPECT_EQ(menu.items[0].second, std::string(caption) + "(&T)...");
    EXPECT_EQ(driver.opened(), 1);
  }
  EXPECT_TRUE(checked);

  std::string offered;
  {
    dialog_driver driver([&](HWND d) {
      offered = text_of(GetDlgItem(d, 1001));
      PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    run_menu(w, 1);
  }
  EXPECT_EQ(offered, japanese_title);

  dll.unload();
  EXPECT_NE(read_file(dll.ini_path()).find(std::string("title=\"") + japanese_title + "\"\r\n"), std::string::npos);
}

}  // namespace
