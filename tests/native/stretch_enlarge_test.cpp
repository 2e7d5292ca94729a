// Bitmap mode's computed enlargement: which sizes it covers, its weights and
// rounding on each axis and the edge, and that any area of the window gets the
// pixels the whole window gets there.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "views/board/stretch_enlarge.h"

namespace {

TEST(StretchEnlarge, PowersOfTwoUpToSixteen) {
  EXPECT_EQ(stretch_enlarge_shift(960, 960), 0);
  EXPECT_EQ(stretch_enlarge_shift(960, 1920), 1);
  EXPECT_EQ(stretch_enlarge_shift(540, 2160), 2);
  EXPECT_EQ(stretch_enlarge_shift(333, 333 * 16), 4);
  EXPECT_EQ(stretch_enlarge_shift(333, 333 * 32), -1);
  EXPECT_EQ(stretch_enlarge_shift(400, 1200), -1);
  EXPECT_EQ(stretch_enlarge_shift(400, 200), -1);
  EXPECT_EQ(stretch_enlarge_shift(0, 0), -1);
  EXPECT_EQ(stretch_enlarge_shift(0x40000000, INT32_MIN), -1);  // no wrap in 32 bits
}

TEST(StretchEnlarge, WeightsRoundingAndTheEdge) {
  // Across, four times: a quarter steps from one pixel to the next, the last
  // pixel repeated past the edge; each byte on its own, halves rounded up.
  const uint32_t row[2] = {0x00FF0A01, 0x01000B04};
  uint32_t out[8] = {};
  stretch_enlarge(row, 2, 2, 1, 2, 0, stretch_rect{0, 0, 8, 1}, out, 8);
  const uint32_t across[8] = {0x00FF0A01, 0x00BF0A02, 0x01800B03, 0x01400B03,
                              0x01000B04, 0x01000B04, 0x01000B04, 0x01000B04};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(out[x], across[x]) << x;

  // Twice both ways: rows first, each rounded, then the two rows blended.
  const uint32_t square[4] = {0, 1, 0, 0};  // 0 1 / 0 0
  uint32_t big[16] = {};
  stretch_enlarge(square, 2, 2, 2, 1, 1, stretch_rect{0, 0, 4, 4}, big, 4);
  const uint32_t both[16] = {0, 1, 1, 1,   // (0 + 1) / 2 rounds up
                             0, 1, 1, 1,   // (0 + 1) / 2 again, from the rounded 1
                             0, 0, 0, 0,   //
                             0, 0, 0, 0};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(big[i], both[i]) << i;
}

TEST(StretchEnlarge, AnAreaGetsTheWholeWindowsPixels) {
  constexpr int32_t w = 13, h = 7;
  std::mt19937 random(5);
  std::vector<uint32_t> source(static_cast<size_t>(w + 3) * h);  // rows 16 pixels apart
  for (uint32_t& p : source) p = static_cast<uint32_t>(random());
  for (int sx = 0; sx <= 2; ++sx) {
    for (int sy = 0; sy <= 2; ++sy) {
      const int32_t ww = w << sx, wh = h << sy;
      std::vector<uint32_t> whole(static_cast<size_t>(ww) * wh);
      stretch_enlarge(source.data(), w + 3, w, h, sx, sy, stretch_rect{0, 0, ww, wh}, whole.data(), ww);
      const stretch_rect areas[] = {{3, 1, 9, 5}, {ww - 5, wh - 3, ww, wh}, {0, wh - 1, ww, wh}, {1, 2, 2, 3}};
      for (const stretch_rect& a : areas) {
        std::vector<uint32_t> part(static_cast<size_t>(a.right - a.left + 2) * (a.bottom - a.top));
        stretch_enlarge(source.data(), w + 3, w, h, sx, sy, a, part.data(), a.right - a.left + 2);
        for (int32_t y = a.top; y < a.bottom; ++y) {
          for (int32_t x = a.left; x < a.right; ++x) {
            ASSERT_EQ(part[static_cast<size_t>(y - a.top) * (a.right - a.left + 2) + (x - a.left)],
                      whole[static_cast<size_t>(y) * ww + x])
                << sx << " " << sy << " at " << x << ", " << y;
          }
        }
      }
    }
  }
}

}  // namespace
