#include "draw/view_frame.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct zone_row {
  int x, y, w, h, m;
  frame_zone zone;
  int code;
  frame_cursor cursor;
};

TEST(FrameHitTest, ZonesCodesAndCursors) {
  const zone_row rows[] = {
      // A 200 x 100 client with a margin of 3.
      {1, 1, 200, 100, 3, frame_zone::top_left, 13, frame_cursor::size_nwse},
      {1, 98, 200, 100, 3, frame_zone::bottom_left, 16, frame_cursor::size_nesw},
      {199, 0, 200, 100, 3, frame_zone::top_right, 14, frame_cursor::size_nesw},
      {197, 97, 200, 100, 3, frame_zone::bottom_right, 17, frame_cursor::size_nwse},
      {2, 50, 200, 100, 3, frame_zone::left, 10, frame_cursor::size_we},
      {100, 2, 200, 100, 3, frame_zone::top, 12, frame_cursor::size_ns},
      {199, 50, 200, 100, 3, frame_zone::right, 11, frame_cursor::size_we},
      {100, 97, 200, 100, 3, frame_zone::bottom, 15, frame_cursor::size_ns},
      {100, 50, 200, 100, 3, frame_zone::inside, 2, frame_cursor::arrow},
      {3, 3, 200, 100, 3, frame_zone::inside, 2, frame_cursor::arrow},
      {196, 96, 200, 100, 3, frame_zone::inside, 2, frame_cursor::arrow},
      // Narrower than twice the margin: the left-side zones are tried first and win.
      {4, 50, 5, 100, 3, frame_zone::right, 11, frame_cursor::size_we},
      {2, 50, 5, 100, 3, frame_zone::left, 10, frame_cursor::size_we},
      {2, 1, 5, 100, 3, frame_zone::top_left, 13, frame_cursor::size_nwse},
      {2, 1, 5, 4, 3, frame_zone::top_left, 13, frame_cursor::size_nwse},  // both top and bottom: top wins
      // A margin of 0: every press moves the window, even on the last pixel.
      {0, 0, 200, 100, 0, frame_zone::inside, 2, frame_cursor::arrow},
      {199, 99, 200, 100, 0, frame_zone::inside, 2, frame_cursor::arrow},
  };
  for (const zone_row& r : rows) {
    frame_zone z = frame_hit_zone(r.x, r.y, r.w, r.h, r.m);
    EXPECT_EQ(z, r.zone) << "(" << r.x << ", " << r.y << ") in " << r.w << "x" << r.h << " margin " << r.m;
    EXPECT_EQ(frame_zone_hit_code(z), r.code);
    EXPECT_EQ(frame_zone_cursor(z), r.cursor);
  }
}

TEST(FrameHitTest, AbsurdMarginsDoNotOverflow) {
  // A size margin from a hand-edited file: a huge one makes every point an edge
  // (left and top win), a hugely negative one none.
  EXPECT_EQ(frame_hit_zone(100, 50, 200, 100, INT32_MAX), frame_zone::top_left);
  EXPECT_EQ(frame_hit_zone(100, 50, 200, 100, INT32_MIN), frame_zone::inside);
  EXPECT_EQ(frame_hit_zone(0, 0, 200, 100, -2000000000), frame_zone::inside);
  EXPECT_EQ(frame_hit_zone(65535, 65535, INT32_MAX, INT32_MAX, INT32_MIN), frame_zone::inside);
}

// The three views' menus as their descriptions list them.
const frame_menu_commands result_menu = {
    {{menu_id::full_screen, menu_command::full_screen}, {0, menu_command::separator}, {1, menu_command::close}}, 3};
const frame_menu_commands score_menu = {{{menu_id::edit_title, menu_command::edit_title},
                                         {menu_id::sets, menu_command::sets},
                                         {0, menu_command::separator},
                                         {menu_id::close, menu_command::close}},
                                        4};
const frame_menu_commands board_menu = {{{menu_id::full_screen, menu_command::full_screen},
                                         {menu_id::sets, menu_command::sets},
                                         {0, menu_command::separator},
                                         {menu_id::close, menu_command::close}},
                                        4};

std::string texts(const frame_menu& items) {
  std::string s;
  for (const menu_item& i : items) s += std::to_string(i.id) + ":" + (i.text != nullptr ? i.text : "-") + "|";
  return s;
}

TEST(FrameMenu, EnglishItemsFollowTheSettings) {
  EXPECT_EQ(texts(frame_menu_items(result_menu, false, 0, 1)), "3:&Fullscreen|0:-|1:&Close|");
  EXPECT_EQ(texts(frame_menu_items(result_menu, false, 1, 1)), "3:End &Fullscreen|0:-|1:&Close|");
  EXPECT_EQ(texts(frame_menu_items(score_menu, false, 1, 1)), "3:Edit &Title...|1:Hide &Sets|0:-|2:&Close|");
  EXPECT_EQ(texts(frame_menu_items(score_menu, false, 0, 0)), "3:Edit &Title...|1:Show &Sets|0:-|2:&Close|");
  EXPECT_EQ(texts(frame_menu_items(board_menu, false, 0, 7)), "3:&Fullscreen|1:Hide &Sets|0:-|2:&Close|");
  EXPECT_EQ(texts(frame_menu_items(board_menu, false, 1, 0)),
            "3:End &Fullscreen|1:Show &Sets|0:-|2:&Close|");
}

TEST(FrameMenu, AChosenIdNamesItsViewsCommand) {
  // 3 is Edit Title in the score view and Fullscreen elsewhere; a separator's 0
  // and an id the menu does not hold name no command.
  EXPECT_EQ(frame_menu_command(score_menu, 3), menu_command::edit_title);
  EXPECT_EQ(frame_menu_command(board_menu, 3), menu_command::full_screen);
  EXPECT_EQ(frame_menu_command(result_menu, 1), menu_command::close);
  EXPECT_EQ(frame_menu_command(board_menu, 1), menu_command::sets);
  EXPECT_EQ(frame_menu_command(board_menu, 0), menu_command::separator);
  EXPECT_EQ(frame_menu_command(result_menu, 2), menu_command::separator);
}

TEST(FrameMenu, JapaneseItemsAreCodePage932) {
  // フルスクリーン解除(&F), セットを表示(&S), 閉じる(&C)
  EXPECT_EQ(texts(frame_menu_items(board_menu, true, 1, 0)),
            "3:\x83\x74\x83\x8b\x83\x58\x83\x4e\x83\x8a\x81\x5b\x83\x93\x89\xf0\x8f\x9c(&F)|"
            "1:\x83\x5a\x83\x62\x83\x67\x82\xf0\x95\x5c\x8e\xa6(&S)|0:-|"
            "2:\x95\xc2\x82\xb6\x82\xe9(&C)|");
  // タイトルの設定(&T)..., セットを隠す(&S)
  EXPECT_EQ(texts(frame_menu_items(score_menu, true, 0, 1)),
            "3:\x83\x5e\x83\x43\x83\x67\x83\x8b\x82\xcc\x90\xdd\x92\xe8(&T)...|"
            "1:\x83\x5a\x83\x62\x83\x67\x82\xf0\x89\x42\x82\xb7(&S)|0:-|2:\x95\xc2\x82\xb6\x82\xe9(&C)|");
  // フルスクリーン(&F)
  EXPECT_EQ(texts(frame_menu_items(result_menu, true, 0, 0)),
            "3:\x83\x74\x83\x8b\x83\x58\x83\x4e\x83\x8a\x81\x5b\x83\x93(&F)|0:-|1:\x95\xc2\x82\xb6\x82\xe9(&C)|");
}

TEST(FrameMenu, JapaneseLocaleIsThePrimaryLanguage) {
  EXPECT_TRUE(locale_is_japanese(0x0411));
  EXPECT_TRUE(locale_is_japanese(0x0811));  // any sublanguage
  EXPECT_FALSE(locale_is_japanese(0x0409));
  EXPECT_FALSE(locale_is_japanese(0x0412));
  EXPECT_TRUE(locale_is_japanese(0x10411));  // a sort order does not change the language
}

}  // namespace
