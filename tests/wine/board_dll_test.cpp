// The large score view through the real library and its settings file: a skin
// named relative to the library's directory while the host's current directory
// is elsewhere, full screen as saved, and the host's change notice.
#include <gtest/gtest.h>

#include <string>

#include "board_test_skin.h"
#include "large_view.h"
#include "plugin/host_protocol.h"
#include "test_host.h"

namespace {

using board_skin::count_colour;
using board_skin::large_digit;
using board_skin::small_digit;

// Skin positions as the bitmap tests place them: player 0's score 501 at
// x = 40, 60, 80 (y 50), its sets 12 at 45 and 55 (y 150), its legs 3 at 50 (y 200).
constexpr const char* skin_positions =
    "bmp_score_x_1=40\r\nbmp_score_y_1=50\r\n"
    "bmp_sets_x_1=40\r\nbmp_sets_y_1=150\r\n"
    "bmp_legs_x_1=40\r\nbmp_legs_y_1=200\r\n";

void fill_match(fake_match& match) {
  match.set_name(0, "Alice");
  match.set_name(1, "Bob");
  match.set_score(0, 501);
  match.set_sets(0, 12);
  match.set_legs(0, 3);
}

TEST(BoardDll, RelativeSkinNamesFoundBesideTheLibrary) {
  const std::string ini = std::string("[view_window]\r\nleft=20\r\ntop=20\r\nright=400\r\nbottom=300\r\n") +
                          "bmp_back=\"skin\\back.bmp\"\r\nbmp_num_l=\"skin\\num_l.bmp\"\r\n"
                          "bmp_num_s=\"skin/num_s.bmp\"\r\n" +
                          skin_positions;
  plugin_dll dll(ini.c_str());
  board_skin::write_skin_dir(dll.dir);
  // The same names under the host's current directory, in other colours.
  board_skin::decoy_current_dir decoy;
  ASSERT_TRUE(decoy.entered());

  fake_match match;
  fill_match(match);
  fake_host host(match);
  HWND window = open_large_view(dll, host);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(board_skin::decoy_current_dir::now(), decoy.inside());

  const client_pixels shot = capture_client(window);
  ASSERT_EQ(shot.width, 400);
  EXPECT_EQ(shot.at(5, 5), board_skin::background);
  EXPECT_EQ(shot.at(50, 65), large_digit(5));
  EXPECT_EQ(shot.at(70, 65), large_digit(0));
  EXPECT_EQ(shot.at(90, 65), large_digit(1));
  EXPECT_EQ(shot.at(50, 158), small_digit(1));
  EXPECT_EQ(shot.at(60, 158), small_digit(2));
  EXPECT_EQ(shot.at(55, 208), small_digit(3));
  dll.dsv_view(host.window, host_event::close, host.block(), 0);
}

TEST(BoardDll, FullScreenWhenSoSaved) {
  plugin_dll dll("[view_window]\r\nleft=20\r\ntop=20\r\nright=300\r\nbottom=200\r\nfull_screen=1\r\n");
  fake_match match;
  fill_match(match);
  fake_host host(match);
  HWND window = open_large_view(dll, host);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsZoomed(window));
  RECT client = {};
  GetClientRect(window, &client);
  EXPECT_GT(client.right, 300);
  EXPECT_GT(client.bottom, 200);
  dll.dsv_view(host.window, host_event::close, host.block(), 0);
}

TEST(BoardDll, ScoresChangeOnScreenAfterTheChangeNotice) {
  // Text mode with the default colours: yellow numbers on dark grey boxes.
  plugin_dll dll("[view_window]\r\nleft=20\r\ntop=20\r\nright=1000\r\nbottom=500\r\n");
  fake_match match;
  fill_match(match);
  fake_host host(match);
  HWND window = open_large_view(dll, host);
  ASSERT_NE(window, nullptr);
  const RECT score_box = {60, 135, 360, 260};
  const COLORREF yellow = RGB(255, 255, 0);
  EXPECT_EQ(pixel_at(window, 62, 137), RGB(0x2D, 0x2D, 0x2D));
  const int before = count_colour(capture_client(window), score_box, yellow);
  EXPECT_GT(before, 0);
  for (int code : {static_cast<int>(host_event::change), static_cast<int>(host_event::change_twice)}) {
    match.set_score(0, code == static_cast<int>(host_event::change) ? 1 : 501);
    ASSERT_EQ(dll.dsv_view(host.window, static_cast<uint32_t>(code), host.block(), 0), 1);
    const int now = count_colour(capture_client(window), score_box, yellow);
    if (code == static_cast<int>(host_event::change)) {
      EXPECT_GT(now, 0);
      EXPECT_LT(now, before) << "one digit instead of three";
    } else {
      EXPECT_EQ(now, before) << "three digits again";
    }
  }
  pump_messages(20);  // the second refresh from the timer
  EXPECT_EQ(count_colour(capture_client(window), score_box, yellow), before);
  dll.dsv_view(host.window, host_event::close, host.block(), 0);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
