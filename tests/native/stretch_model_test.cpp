// Bitmap mode's stretch computed at any sizes: each axis's source pixels and
// weights against the same arithmetic done in floats, the edge, the rounding of
// a blend, and agreement with the computed power-of-two enlargement.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "views/board/stretch_enlarge.h"
#include "views/board/stretch_model.h"

namespace {

// The positions in single and double precision floats, as measured on the
// platform: the step a float, across i * step exactly, down each position
// stored as a float before the next step.
std::vector<double> float_positions(int32_t source, int32_t window, stretch_steps steps) {
  const float step = static_cast<float>(source) / static_cast<float>(window);
  std::vector<double> p(static_cast<size_t>(window));
  volatile float stored = 0.0f;
  for (int32_t i = 0; i < window; ++i) {
    if (steps == stretch_steps::exact) {
      p[static_cast<size_t>(i)] = static_cast<double>(i) * static_cast<double>(step);
    } else if (i > 0) {
      p[static_cast<size_t>(i)] = static_cast<double>(stored) + static_cast<double>(step);
      stored = static_cast<float>(p[static_cast<size_t>(i)]);
    }
  }
  return p;
}

TEST(StretchModel, TapsFollowTheFloatPositionsOnBothAxes) {
  const std::pair<int32_t, int32_t> axes[] = {{960, 1000}, {540, 500},  {960, 1366}, {540, 768}, {960, 1280},
                                              {540, 720},  {960, 3840}, {540, 2160}, {333, 999}, {1000, 1367},
                                              {1920, 960}, {7, 3},      {1, 5},      {5, 1},     {960, 960}};
  for (const auto& [s, w] : axes) {
    for (stretch_steps steps : {stretch_steps::exact, stretch_steps::stored}) {
      std::vector<stretch_tap> taps(static_cast<size_t>(w));
      const int shift = stretch_model_axis(s, w, steps, taps.data());
      ASSERT_GE(shift, 0);
      const std::vector<double> p = float_positions(s, w, steps);
      for (int32_t i = 0; i < w; ++i) {
        const stretch_tap& t = taps[static_cast<size_t>(i)];
        const double at = p[static_cast<size_t>(i)];
        const std::string what = std::to_string(s) + " -> " + std::to_string(w) +
                                 (steps == stretch_steps::exact ? " across" : " down") + ", pixel " + std::to_string(i);
        if (std::floor(at) >= s - 1) {  // past the last source pixel: it alone
          ASSERT_EQ(t.first, s - 1) << what;
          ASSERT_EQ(t.second, s - 1) << what;
          continue;
        }
        ASSERT_EQ(t.first, static_cast<int32_t>(std::floor(at))) << what;
        ASSERT_EQ(t.second, t.first + 1) << what;
        ASSERT_EQ(std::ldexp(static_cast<double>(t.weight), -shift), at - std::floor(at)) << what;
      }
    }
  }
  // The two kinds of step part where the stored positions are rounded: 1.08
  // is no binary fraction, and by row 74 the stored sum is a float step off.
  std::vector<stretch_tap> across(500), down(500);
  stretch_model_axis(540, 500, stretch_steps::exact, across.data());
  stretch_model_axis(540, 500, stretch_steps::stored, down.data());
  int differing = 0;
  for (size_t i = 0; i < 500; ++i) differing += across[i].weight != down[i].weight;
  EXPECT_GT(differing, 100);
}

TEST(StretchModel, ExtentsOutsideTheArithmeticAreRefused) {
  stretch_tap taps[4] = {};
  EXPECT_EQ(stretch_model_axis(0, 4, stretch_steps::exact, taps), -1);
  EXPECT_EQ(stretch_model_axis(4, 0, stretch_steps::exact, taps), -1);
  EXPECT_EQ(stretch_model_axis(-3, 4, stretch_steps::stored, taps), -1);
  EXPECT_EQ(stretch_model_axis(stretch_model_largest + 1, 4, stretch_steps::exact, taps), -1);
  EXPECT_GE(stretch_model_axis(stretch_model_largest, 4, stretch_steps::exact, taps), 0);
  EXPECT_EQ(taps[3].first, 3 * (stretch_model_largest / 4));
}

TEST(StretchModel, EachByteRoundedHalfUpRowsFirst) {
  // 2 -> 4 across: positions 0, 0.5, 1, 1.5; the last pixel repeated.
  const uint32_t row[2] = {0x00FF0A01, 0x01000B04};
  stretch_tap across[4], down[1];
  const int sx = stretch_model_axis(2, 4, stretch_steps::exact, across);
  const int sy = stretch_model_axis(1, 1, stretch_steps::stored, down);
  uint32_t out[4] = {};
  stretch_model(row, 2, across, sx, down, sy, stretch_rect{0, 0, 4, 1}, out, 4);
  EXPECT_EQ(out[0], 0x00FF0A01u);
  EXPECT_EQ(out[1], 0x01800B03u);  // 0x7F.8 up to 0x80, 0x0A.8 to 0x0B, 2.5 to 3
  EXPECT_EQ(out[2], 0x01000B04u);
  EXPECT_EQ(out[3], 0x01000B04u);
}

TEST(StretchModel, PowersOfTwoGiveTheEnlargementsPixels) {
  constexpr int32_t w = 37, h = 21;
  std::mt19937 random(3);
  std::vector<uint32_t> source(static_cast<size_t>(w) * h);
  for (uint32_t& p : source) p = static_cast<uint32_t>(random());
  for (int sx = 0; sx <= 3; ++sx) {
    for (int sy = 0; sy <= 3; ++sy) {
      const int32_t ww = w << sx, wh = h << sy;
      std::vector<stretch_tap> across(static_cast<size_t>(ww)), down(static_cast<size_t>(wh));
      const int shift_x = stretch_model_axis(w, ww, stretch_steps::exact, across.data());
      const int shift_y = stretch_model_axis(h, wh, stretch_steps::stored, down.data());
      std::vector<uint32_t> model(static_cast<size_t>(ww) * wh), enlarged(model.size());
      const stretch_rect all = {0, 0, ww, wh};
      stretch_model(source.data(), w, across.data(), shift_x, down.data(), shift_y, all, model.data(), ww);
      stretch_enlarge(source.data(), w, w, h, sx, sy, all, enlarged.data(), ww);
      ASSERT_EQ(model, enlarged) << "enlarged " << (1 << sx) << " x " << (1 << sy);
    }
  }
}

TEST(StretchModel, AnAreaGetsTheWholeWindowsPixels) {
  constexpr int32_t w = 96, h = 54, ww = 137, wh = 50;  // odd ratios, shrinking down
  std::mt19937 random(9);
  std::vector<uint32_t> source(static_cast<size_t>(w) * h);
  for (uint32_t& p : source) p = static_cast<uint32_t>(random());
  std::vector<stretch_tap> across(ww), down(wh);
  const int sx = stretch_model_axis(w, ww, stretch_steps::exact, across.data());
  const int sy = stretch_model_axis(h, wh, stretch_steps::stored, down.data());
  std::vector<uint32_t> whole(static_cast<size_t>(ww) * wh);
  stretch_model(source.data(), w, across.data(), sx, down.data(), sy, stretch_rect{0, 0, ww, wh}, whole.data(), ww);
  for (const stretch_rect& a : {stretch_rect{5, 7, 40, 9}, stretch_rect{ww - 3, wh - 4, ww, wh}, stretch_rect{0, 0, 1, wh}}) {
    const int32_t stride = a.right - a.left + 1;
    std::vector<uint32_t> part(static_cast<size_t>(stride) * (a.bottom - a.top));
    stretch_model(source.data(), w, across.data(), sx, down.data(), sy, a, part.data(), stride);
    for (int32_t y = a.top; y < a.bottom; ++y) {
      for (int32_t x = a.left; x < a.right; ++x) {
        ASSERT_EQ(part[static_cast<size_t>(y - a.top) * stride + (x - a.left)], whole[static_cast<size_t>(y) * ww + x])
            << x << ", " << y;
      }
    }
  }
}

// Where the window pixels are computed, a change's span holds every window
// pixel whose taps read a changed source pixel, on any ratio, and its part is
// just those window pixels.
TEST(StretchModel, ComputedSpansHoldEveryPixelThatReadsTheChange) {
  std::mt19937 random(11);
  const std::pair<int32_t, int32_t> axes[] = {{960, 1000}, {540, 500}, {960, 1366}, {540, 768},
                                              {960, 1280}, {540, 720}, {333, 999},  {1920, 961}};
  for (const auto& [s, w] : axes) {
    const stretch_axis a = stretch_axis_computed(s, w);
    ASSERT_TRUE(a.partial && a.computed);
    for (stretch_steps steps : {stretch_steps::exact, stretch_steps::stored}) {
      std::vector<stretch_tap> taps(static_cast<size_t>(w));
      stretch_model_axis(s, w, steps, taps.data());
      for (int trial = 0; trial < 200; ++trial) {
        const int32_t begin = static_cast<int32_t>(random() % static_cast<uint32_t>(s));
        const int32_t end = begin + 1 + static_cast<int32_t>(random() % static_cast<uint32_t>(std::min(s - begin, 40)));
        const stretch_span span = stretch_span_of(a, begin, end);
        ASSERT_EQ(span.part_begin, span.copy_begin);
        ASSERT_EQ(span.part_end, span.copy_end);
        for (int32_t x = 0; x < w; ++x) {
          const stretch_tap& t = taps[static_cast<size_t>(x)];
          const bool reads = (t.first >= begin && t.first < end) || (t.second >= begin && t.second < end);
          if (reads) {
            ASSERT_TRUE(x >= span.copy_begin && x < span.copy_end)
                << s << " -> " << w << ", changed " << begin << ".." << end << ": window pixel " << x;
          }
        }
      }
    }
  }
}

}  // namespace
