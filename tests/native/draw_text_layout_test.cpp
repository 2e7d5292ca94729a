#include "draw/text_layout.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(FontHeight, TruncatesTowardZero) {
  struct row {
    int dpi, points, height;
  } rows[] = {
      {96, 11, -14},   // 14.67 truncated, not rounded to -15
      {96, 10, -13},  {96, 12, -16}, {96, 36, -48}, {120, 10, -16},
      {96, 0, 0},                    // the font mapper's default height
      {96, -12, 16},                 // a negative size asks for a cell height
  };
  for (const row& r : rows) {
    EXPECT_EQ(font_height_from_points(r.dpi, r.points), r.height) << r.dpi << " dpi, " << r.points << " pt";
  }
}

TEST(FontHeight, HugeSizesDoNotOverflow) {
  EXPECT_EQ(font_height_from_points(96, 2000000000), INT32_MIN);
  EXPECT_EQ(font_height_from_points(96, -2000000000), INT32_MAX);
}

TEST(CenteredText, OddDifferencesTruncate) {
  // A 40-pixel box at x = 100: 25 and 26 pixels both start 7 in; 50 pixels start 5 before the box.
  EXPECT_EQ(centered_text_origin(100, 0, 140, 20, 25, 10).x, 107);
  EXPECT_EQ(centered_text_origin(100, 0, 140, 20, 26, 10).x, 107);
  EXPECT_EQ(centered_text_origin(100, 0, 140, 20, 50, 10).x, 95);
  // Vertically the same rule: a text taller than its box is clipped on both sides.
  EXPECT_EQ(centered_text_origin(0, 10, 10, 30, 0, 10).y, 15);
  EXPECT_EQ(centered_text_origin(0, 10, 10, 30, 0, 31).y, 5);
}

TEST(CenteredText, BoxesAcrossTheWholeRangeDoNotOverflow) {
  // A layout clamped from absurd settings may span the whole 32-bit range.
  EXPECT_EQ(centered_text_origin(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 10, 10).x, -6);
  EXPECT_EQ(centered_text_origin(INT32_MAX, 0, INT32_MIN, 10, 10, 10).x, -5);
  EXPECT_EQ(centered_text_origin(0, 0, 10, 10, 0, INT32_MIN).y, 1073741829);
  EXPECT_EQ(centered_text_origin(0, INT32_MAX, 0, INT32_MAX, 0, INT32_MIN).y, INT32_MAX);
}

bool sjis_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

TEST(FaceName, LongNamesAreCutToThirtyOneBytes) {
  char field[32];
  std::memset(field, 'x', sizeof field);
  copy_face_name(field, "Arial", nullptr);
  EXPECT_STREQ(field, "Arial");
  EXPECT_EQ(field[31], 0);

  const char* long_name = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnop";
  copy_face_name(field, long_name, nullptr);
  EXPECT_EQ(std::strlen(field), 31u);
  EXPECT_EQ(std::memcmp(field, long_name, 31), 0);
}

TEST(FaceName, CutNeverSplitsADoubleByteCharacter) {
  // 30 ASCII bytes and then a two-byte character: it does not fit in 31 bytes.
  std::string name(30, 'a');
  name += "\x95\x5c";
  char field[32];
  copy_face_name(field, name.c_str(), sjis_lead);
  EXPECT_EQ(std::strlen(field), 30u);
  // 29 ASCII bytes and the character fit exactly.
  name = std::string(29, 'a') + "\x95\x5c";
  copy_face_name(field, name.c_str(), sjis_lead);
  EXPECT_EQ(std::strlen(field), 31u);
}

}  // namespace
