// The Edit Title dialog through the real library (only it carries the dialog
// template): its English template, OK, Cancel, Escape and the close box, the
// title on the board and in the settings file, and the host closing the view
// while the dialog is open. The command is chosen from the real context menu.
#include <gtest/gtest.h>

#include <string>

#include "plugin/host_protocol.h"
#include "score_test_support.h"
#include "test_host.h"

namespace {

using score_test::class_name_of;
using score_test::controls_of;
using score_test::dialog_driver;
using score_test::text_of;

// A settings file that puts the window at 40, 50 with 460 x 114 and gives the
// title band a black background under white text.
const char* const settings_file =
    "[score_window]\r\n"
    "title=\"Old title\"\r\n"
    "left=40\r\ntop=50\r\nright=460\r\nbottom=114\r\n"
    "visible_set=1\r\nline_width=2\r\nsize_width=3\r\n"
    "font_name=\"Arial\"\r\n"
    "color_head_text=\"0xFFFFFF\"\r\ncolor_head_back=\"0x000000\"\r\n\r\n";

// Counts the refreshes the window receives, by subclassing it.
WNDPROC original_proc = nullptr;
int refreshes = 0;
LRESULT CALLBACK counting_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == view_message::refresh) ++refreshes;
  return CallWindowProcA(original_proc, window, message, wparam, lparam);
}

class ScoreDialog : public ::testing::Test {
 protected:
  void SetUp() override { SetThreadLocale(0x409); }
  void TearDown() override {
    if (dll_.module != nullptr) dll_.dsv_socre(host_.window, host_event::close, host_.block(), 0);
    pump_messages();
  }
  HWND open() {
    dll_.dsv_socre(host_.window, host_event::open, host_.block(), 0);
    HWND w = find_thread_window("dsv_score_wnd");
    if (w != nullptr) {
      original_proc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(counting_proc)));
    }
    refreshes = 0;
    pump_messages();
    return w;
  }
  // Runs Edit Title from the menu; `act` gets the dialog inside its loop.
  int edit_title(HWND window, std::function<void(HWND)> act) {
    dialog_driver driver(std::move(act));
    run_menu(window, 1);
    return driver.opened();
  }
  // The title the dialog offers when it opens, read and cancelled.
  std::string offered_title(HWND window) {
    std::string text;
    edit_title(window, [&](HWND d) {
      text = text_of(GetDlgItem(d, 1001));
      PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    return text;
  }

  plugin_dll dll_{settings_file};
  fake_match match_;
  fake_host host_{match_};
};

TEST_F(ScoreDialog, TemplateInBothLanguages) {
  score_test::expect_title_template(
      score_test::read_dialog_template(dll_.module, 101, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)), L"Edit Title",
      8, L"MS Sans Serif", L"Cancel", L"Title");
  // タイトルの設定, ＭＳ Ｐゴシック, キャンセル, タイトル
  score_test::expect_title_template(
      score_test::read_dialog_template(dll_.module, 101, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)),
      L"\u30bf\u30a4\u30c8\u30eb\u306e\u8a2d\u5b9a", 9, L"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af",
      L"\u30ad\u30e3\u30f3\u30bb\u30eb", L"\u30bf\u30a4\u30c8\u30eb");
}

TEST_F(ScoreDialog, EnglishDialogAsShown) {
  HWND w = open();
  ASSERT_NE(w, nullptr);
  const struct {
    const char* class_name;
    int id;
    const char* text;
  } expected[] = {{"Edit", 1001, "Old title"}, {"Button", IDOK, "OK"}, {"Button", IDCANCEL, "Cancel"},
                  {"Static", 0xFFFF, "Title"}};
  bool checked = false;
  const int opened = edit_title(w, [&](HWND d) {
    checked = true;
    EXPECT_EQ(text_of(d), "Edit Title");
    EXPECT_EQ(GetWindow(d, GW_OWNER), w);
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(d, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");

    const std::vector<HWND> controls = controls_of(d);
    ASSERT_EQ(controls.size(), 4u);
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const auto& e = expected[i];
      SCOPED_TRACE(e.text);
      HWND c = controls[i];
      EXPECT_STRCASEEQ(class_name_of(c).c_str(), e.class_name);
      EXPECT_EQ(GetDlgCtrlID(c) & 0xFFFF, e.id);
      EXPECT_EQ(text_of(c), e.text);
    }
    // Other test programs share the desktop and may hold the foreground; the
    // dialog shows its focus once it is the active window.
    for (int tries = 0; tries < 200 && GetForegroundWindow() != d; ++tries) {
      SetForegroundWindow(d);
      pump_messages();
      Sleep(10);
    }
    EXPECT_EQ(GetFocus(), controls[0]) << "the edit control, first tab stop, has the focus";
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(checked);
}

TEST_F(ScoreDialog, OkStoresAtMost254CharactersAndRepaints) {
  HWND w = open();
  std::string typed;
  for (int i = 0; i < 30; ++i) typed += "0123456789";  // 300 characters
  edit_title(w, [&](HWND d) {
    SetDlgItemTextA(d, 1001, typed.c_str());
    PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(offered_title(w), typed.substr(0, 254));
  EXPECT_EQ(refreshes, 1) << "cancelled: no repaint";
}

TEST_F(ScoreDialog, CancelEscapeAndCloseBoxChangeNothing) {
  HWND w = open();
  const struct {
    const char* how;
    void (*dismiss)(HWND dialog);
  } ways[] = {
      {"Cancel button", [](HWND d) { PostMessageA(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }},
      {"Escape key", [](HWND d) { PostMessageA(GetDlgItem(d, 1001), WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    bool ended = false;
    edit_title(w, [&](HWND d) {
      SetDlgItemTextA(d, 1001, "Changed");
      way.dismiss(d);
      ended = true;
    });
    EXPECT_TRUE(ended);
    EXPECT_EQ(find_thread_window("#32770"), nullptr);
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(offered_title(w), "Old title");
  }
}

// Pixels of the title band's text box that are not its black background.
int title_ink(HWND window) {
  const client_pixels shot = capture_client(window);
  int n = 0;
  for (int y = 2; y < 28; ++y) {
    for (int x = 5; x < 221; ++x) n += shot.at(x, y) != RGB(0, 0, 0);
  }
  return n;
}

TEST_F(ScoreDialog, NewTitleShowsAtOnceAndReachesTheFileAtUnload) {
  HWND w = open();
  const client_pixels before = capture_client(w);
  ASSERT_GT(title_ink(w), 0) << "the title from the settings file";
  edit_title(w, [](HWND d) {
    SetDlgItemTextA(d, 1001, "");
    PostMessageA(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(title_ink(w), 0) << "the empty title shows at once";
  edit_title(w, [](HWND d) {
    SetDlgItemTextA(d, 1001, "Final & more");
    PostMessageA(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_GT(title_ink(w), 0);
  EXPECT_FALSE(capture_client(w).pixels == before.pixels);

  dll_.unload();
  const std::string file = read_file(dll_.ini_path());
  EXPECT_NE(file.find("title=\"Final & more\"\r\n"), std::string::npos) << file;
}

TEST_F(ScoreDialog, HostClosesTheViewWhileTheDialogIsOpen) {
  HWND closing_window = open();
  bool closed_inside = false;
  edit_title(closing_window, [&](HWND d) {
    SetDlgItemTextA(d, 1001, "Never stored");
    // The host's close arrives inside the dialog's loop: window, state and the
    // dialog it owns go away before DialogBoxParam returns.
    dll_.dsv_socre(host_.window, host_event::close, host_.block(), 0);
    closed_inside = !IsWindow(closing_window) && !IsWindow(d);
  });
  EXPECT_TRUE(closed_inside);
  EXPECT_FALSE(IsWindow(closing_window));
  EXPECT_EQ(find_thread_window("#32770"), nullptr);
  EXPECT_EQ(refreshes, 0);

  // The plug-in carries on: notices are ignored, a new view opens with the
  // title unchanged.
  dll_.dsv_socre(host_.window, host_event::change, host_.block(), 0);
  HWND again = open();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(offered_title(again), "Old title");
}

}  // namespace
