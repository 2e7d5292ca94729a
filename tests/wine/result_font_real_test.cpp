// The result view's fast font-size search against the one-point walk with the
// real font mapper: for every client height from 20 to 2160 both must give the
// same size.
//
// Every size from 1 to 2160 points is measured once per face (a real trial
// font each); both searches then run over those measurements for every height,
// start and line width. Live, with a trial font per step as the window makes
// them, the fast search runs for every height and the walk for a sample of
// heights, and both must agree with the measured table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "draw/gdi_handles_win.h"
#include "views/result/result_table.h"
#include "views/result/result_window_win.h"

namespace {

constexpr int32_t largest_start = 2160;

struct table_probe {
  const std::vector<int32_t>* tm;  // by size, 0 .. largest_start
  static int32_t call(void* self, int32_t points) {
    auto* p = static_cast<table_probe*>(self);
    return (*p->tm)[static_cast<std::size_t>(std::clamp(points, 0, largest_start))];
  }
};

std::vector<int32_t> measure_all(HDC dc, const char* face) {
  std::vector<int32_t> tm(largest_start + 1, 0);
  for (int32_t s = result_min_font_size; s <= largest_start; ++s) {
    tm[static_cast<std::size_t>(s)] = result_measure_tm_height(dc, face, s);
  }
  return tm;
}

class RealFonts : public ::testing::TestWithParam<const char*> {};

TEST_P(RealFonts, FastSearchGivesTheWalksSizeForEveryHeight) {
  const char* face = GetParam();
  window_dc dc(nullptr);
  const std::vector<int32_t> tm = measure_all(dc.get(), face);
  int shrinking = 0;
  for (int32_t s = result_min_font_size + 1; s <= largest_start; ++s) shrinking += tm[s] < tm[s - 1];
  std::printf("%s: cell %d at 1 pt, %d at 12 pt, %d at %d pt; %d sizes with a smaller cell than the size below\n", face,
              tm[1], tm[12], tm[largest_start], largest_start, shrinking);

  table_probe table{&tm};
  const result_font_probe measured{table_probe::call, &table};
  int max_trials = 0;
  long trials = 0, searches = 0;
  for (int32_t h = 20; h <= 2160; ++h) {
    for (int32_t start : {h, std::min(437, h), std::min(25, h)}) {
      for (int32_t lw : {0, 2, 7}) {
        const result_font_fit walk = result_fit_font_walk(start, h, lw, measured);
        const result_font_fit fast = result_fit_font_fast(start, h, lw, measured);
        ASSERT_EQ(fast.font_size, walk.font_size) << face << ": height " << h << ", start " << start << ", lw " << lw;
        max_trials = std::max(max_trials, fast.trials);
        trials += fast.trials;
        ++searches;
      }
    }
  }
  std::printf("%s: %ld searches, fast trials per search %.2f, at most %d\n", face, searches,
              static_cast<double>(trials) / searches, max_trials);
  EXPECT_LE(max_trials, 10) << face;

  // Live: trial fonts made and deleted as the window does.
  result_dc_probe live{dc.get(), face};
  const result_font_probe real = live.probe();
  for (int32_t h = 20; h <= 2160; ++h) {
    const int32_t expected = result_fit_font_walk(h, h, 2, measured).font_size;
    ASSERT_EQ(result_fit_font_fast(h, h, 2, real).font_size, expected) << face << ": height " << h;
  }
  for (int32_t h : {20, 21, 57, 200, 357, 358, 700, 1080, 1500, 2160}) {
    const result_font_fit walk = result_fit_font_walk(h, h, 2, real);
    EXPECT_EQ(walk.font_size, result_fit_font_walk(h, h, 2, measured).font_size) << face << ": height " << h;
    EXPECT_EQ(result_fit_font_fast(h, h, 2, real).font_size, walk.font_size) << face << ": height " << h;
  }
}

// Three faces the font mapper has, and one it replaces by a substitute.
INSTANTIATE_TEST_SUITE_P(Faces, RealFonts,
                         ::testing::Values("Arial", "Times New Roman", "Courier New", "No Such Face"));

}  // namespace
