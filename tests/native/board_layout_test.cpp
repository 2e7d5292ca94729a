// The large board's geometry: text-mode boxes, font sizes, digit placement on a
// strip, and the file a skin name stands for.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "board_test_support.h"
#include "views/board/board_layout.h"

namespace {

TEST(BoardTextLayout, SetsShownAt1000x500) {
  const board_text_layout l = board_layout_text(1000, 500, true);
  expect_box(l.name[0], 60, 30, 460, 105, "name 0");
  expect_box(l.name[1], 540, 30, 940, 105, "name 1");
  expect_box(l.score[0], 60, 135, 360, 260, "score 0");
  expect_box(l.score[1], 640, 135, 940, 260, "score 1");
  expect_box(l.legs[0], 60, 290, 360, 365, "legs 0");
  expect_box(l.legs[1], 640, 290, 940, 365, "legs 1");
  expect_box(l.sets[0], 60, 395, 360, 470, "sets 0");
  expect_box(l.sets[1], 640, 395, 940, 470, "sets 1");
  expect_box(l.score_label, 360, 135, 640, 260, "SCORE label");
  expect_box(l.legs_label, 360, 290, 640, 365, "LEGS label");
  expect_box(l.sets_label, 360, 395, 640, 470, "SETS label");
  EXPECT_TRUE(l.sets_shown);
}

TEST(BoardTextLayout, SetsHiddenAt1000x500) {
  const board_text_layout l = board_layout_text(1000, 500, false);
  expect_box(l.name[0], 60, 60, 460, 135, "name 0");
  expect_box(l.name[1], 540, 60, 940, 135, "name 1");
  expect_box(l.score[0], 60, 195, 360, 305, "score 0");
  expect_box(l.legs[0], 60, 365, 360, 440, "legs 0");
  expect_box(l.legs[1], 640, 365, 940, 440, "legs 1");
  expect_box(l.score_label, 360, 195, 640, 305, "SCORE label");
  expect_box(l.legs_label, 360, 365, 640, 440, "LEGS label");
  for (const board_box& none : {l.sets[0], l.sets[1], l.sets_label}) expect_box(none, 0, 0, 0, 0, "no sets");
  EXPECT_FALSE(l.sets_shown);
}

TEST(BoardTextLayout, EachTermTruncatedOnItsOwn) {
  // 333 * 6 / 100 = 19, 333 * 40 / 100 = 133: right is 152, where 333 * 46 / 100 is 153.
  const board_text_layout l = board_layout_text(333, 97, true);
  EXPECT_EQ(l.name[0].left, 19);
  EXPECT_EQ(l.name[0].right, 152);
  EXPECT_EQ(board_pct(333, 46), 153);
  // Vertically as well: 97 * 27 / 100 = 26, 97 * 25 / 100 = 24.
  EXPECT_EQ(l.score[0].top, 26);
  EXPECT_EQ(l.score[0].bottom, 50);
}

TEST(BoardTextLayout, HugeClientDoesNotOverflow) {
  const board_text_layout l = board_layout_text(INT_MAX, INT_MAX, true);
  EXPECT_EQ(l.name[0].left, board_pct(INT_MAX, 6));
  EXPECT_GT(l.name[0].left, 0);
  EXPECT_EQ(board_pct(-333, 46), -153);  // truncated toward zero
}

TEST(BoardFontSizes, FollowTheWidthUnlessTheNameSizeIsSet) {
  struct row {
    int32_t width, name_surface, name_setting, name, label, score, number;
  } rows[] = {
      {1000, 1000, 0, 45, 45, 90, 58},
      {1000, 1000, 30, 30, 45, 90, 58},
      {200, 200, 30, 30, 9, 18, 11},
      {1000, 1000, -5, 45, 45, 90, 58},  // below 1: follows the width
      {21, 21, 0, 0, 0, 1, 1},
      // Bitmap mode: names follow the 400-pixel background, the rest the client.
      {1000, 400, 0, 18, 45, 90, 58},
      {1000, 400, 30, 30, 45, 90, 58},
  };
  for (const row& r : rows) {
    const board_font_sizes s = board_font_sizes_for(r.width, r.name_surface, r.name_setting);
    EXPECT_EQ(s.name, r.name) << r.width << " " << r.name_setting;
    EXPECT_EQ(s.label, r.label) << r.width;
    EXPECT_EQ(s.score, r.score) << r.width;
    EXPECT_EQ(s.number, r.number) << r.width;
  }
}

TEST(BoardDigits, CellWidthIsATenthTruncated) {
  EXPECT_EQ(board_cell_width(400), 40);
  EXPECT_EQ(board_cell_width(405), 40);
  EXPECT_EQ(board_cell_width(409), 40);
  EXPECT_EQ(board_cell_width(9), 0);
  EXPECT_EQ(board_cell_width(0), 0);
}

struct digit_case {
  int32_t value, x, cell;
  std::vector<board_digit_cell> cells;
};

TEST(BoardDigits, NumbersAreCentredOnAFieldThreeCellsWide) {
  const digit_case cases[] = {
      {501, 500, 40, {{200, 500}, {0, 540}, {40, 580}}},            // three digits start at X
      {7, 507, 40, {{280, 547}}},                                   // one digit in the middle cell
      {12, 707, 20, {{20, 717}, {40, 737}}},                        // two digits half a cell in
      {1234, 100, 40, {{40, 80}, {80, 120}, {120, 160}, {160, 200}}},  // four start half a cell left
      {0, 10, 21, {{0, 31}}},
      {45, 10, 21, {{84, 20}, {105, 41}}},  // odd cell: 31 - 21 = 10 halves truncated
      {-5, 100, 40, {{-1, 120}, {200, 160}}},  // the '-' keeps its place but copies nothing
  };
  for (const digit_case& c : cases) {
    const board_digit_run run = board_digit_cells(c.value, c.x, c.cell);
    ASSERT_EQ(run.count, static_cast<int>(c.cells.size())) << c.value;
    for (int k = 0; k < run.count; ++k) {
      EXPECT_EQ(run.cells[k].source_x, c.cells[k].source_x) << c.value << " digit " << k;
      EXPECT_EQ(run.cells[k].dest_x, c.cells[k].dest_x) << c.value << " digit " << k;
    }
  }
}

TEST(BoardDigits, NeverReadOutsideTheStrip) {
  // Every source cell lies inside a strip of ten cells, whatever the value.
  for (int32_t value : {INT_MIN, -1, 0, 9, 99999, INT_MAX}) {
    const board_digit_run run = board_digit_cells(value, 1, 13);
    for (int k = 0; k < run.count; ++k) {
      const int32_t src = run.cells[k].source_x;
      EXPECT_TRUE(src == -1 || (src >= 0 && src + 13 <= 130)) << value;
    }
  }
  EXPECT_EQ(board_digit_cells(INT_MIN, 0, 1).count, 11);
  EXPECT_EQ(board_digit_cells(501, 500, 0).count, 0);  // a strip that failed to load
  EXPECT_EQ(board_digit_cells(501, 500, -3).count, 0);
}

TEST(BoardDigits, NumberText) {
  char text[board_number_text_size];
  EXPECT_EQ(board_number_text(0, text), 1);
  EXPECT_STREQ(text, "0");
  EXPECT_EQ(board_number_text(-42, text), 3);
  EXPECT_STREQ(text, "-42");
  EXPECT_EQ(board_number_text(INT_MIN, text), 11);
  EXPECT_STREQ(text, "-2147483648");
}

bool cp932_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

TEST(BoardSkinPath, DirectoryOfTheLibrary) {
  struct row {
    const char* path;
    std::size_t length;
  } rows[] = {
      {"C:\\games\\dsv_view.dsv", 8},
      {"C:/games/dsv_view.dsv", 8},
      {"C:\\dsv_view.dsv", 2},
      {"dsv_view.dsv", 0},
      // 表 is 95 5C in code page 932: its trail byte is no separator.
      {"C:\\\x95\x5c\\dsv_view.dsv", 5},
      {"C:\\a\x95\x5c" "dsv.dsv", 2},
  };
  for (const row& r : rows) EXPECT_EQ(module_directory_length(r.path, cp932_lead), r.length) << r.path;
  // Read byte by byte, the trail byte would have counted.
  EXPECT_EQ(module_directory_length("C:\\a\x95\x5c" "dsv.dsv", nullptr), 5u);
}

TEST(BoardSkinPath, NamesResolvedAsFromTheLibrarysDirectory) {
  struct row {
    const char* dir;
    const char* name;
    const char* expected;
  } rows[] = {
      {"C:\\games", "back.bmp", "C:\\games\\back.bmp"},
      {"C:\\games", "skins\\sample\\back.bmp", "C:\\games\\skins\\sample\\back.bmp"},
      {"C:\\games", "..\\back.bmp", "C:\\games\\..\\back.bmp"},
      {"C:\\games", "D:\\skins\\back.bmp", "D:\\skins\\back.bmp"},
      {"C:\\games", "d:/skins/back.bmp", "d:/skins/back.bmp"},
      {"C:\\games", "\\\\server\\share\\back.bmp", "\\\\server\\share\\back.bmp"},
      {"C:\\games", "\\skins\\back.bmp", "C:\\skins\\back.bmp"},
      {"\\\\server\\share\\games", "\\back.bmp", "\\\\server\\share\\back.bmp"},
      {"\\\\server\\share\\games", "back.bmp", "\\\\server\\share\\games\\back.bmp"},
      {"C:\\games", "c:back.bmp", "C:\\games\\back.bmp"},
      {"C:\\games", "D:back.bmp", "D:back.bmp"},
      {"C:", "back.bmp", "C:\\back.bmp"},  // a library in a drive's root
      {"", "back.bmp", "back.bmp"},
  };
  for (const row& r : rows) {
    char out[520];
    ASSERT_TRUE(board_skin_path(out, sizeof out, r.dir, r.name, cp932_lead)) << r.name;
    EXPECT_STREQ(out, r.expected) << r.dir << " + " << r.name;
  }
}

TEST(BoardSkinPath, TooLongForTheBufferGivesNothing) {
  char out[16];
  EXPECT_TRUE(board_skin_path(out, sizeof out, "C:\\ab", "cdefghi.b", cp932_lead));  // 15 bytes and the NUL
  EXPECT_STREQ(out, "C:\\ab\\cdefghi.b");
  EXPECT_FALSE(board_skin_path(out, sizeof out, "C:\\ab", "cdefghij.bm", cp932_lead));
  EXPECT_STREQ(out, "");
}

}  // namespace
