// The result view's font-size search: the walk down one point at a time, the
// floor it stops at, and the fast search that must land on the walk's size.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "draw/text_layout.h"
#include "views/result/result_table.h"

namespace {

// Cell heights of a scalable face as a font mapper reports them: the size in
// points becomes a character height in pixels (truncated), and the cell is that
// em scaled by (ascent + descent) / em, each part rounded. Size 0 asks for the
// mapper's default and negative sizes ask for a cell height, so below one point
// the heights grow again.
struct face_model {
  const char* name;
  int dpi;
  int em, ascent, descent;
  int minimum_cell;  // the mapper's smallest cell
  int default_cell;  // size 0

  int32_t tm_height(int32_t points) const {
    const int32_t height = font_height_from_points(dpi, points);
    if (height == 0) return default_cell;
    if (height > 0) return std::max(height, minimum_cell);
    const int64_t ppem = -static_cast<int64_t>(height);
    const int64_t cell = (ppem * ascent + em / 2) / em + (ppem * descent + em / 2) / em;
    return static_cast<int32_t>(std::max<int64_t>(cell, minimum_cell));
  }
};

const face_model faces[] = {
    {"sans at 96 dpi", 96, 2048, 1854, 434, 2, 16},
    {"sans at 120 dpi", 120, 2048, 1854, 434, 2, 16},
    {"gothic at 96 dpi", 96, 1000, 880, 120, 2, 16},
    {"tall face at 144 dpi", 144, 1000, 1300, 400, 6, 20},
};

struct counting_probe {
  std::function<int32_t(int32_t)> tm;
  std::vector<int32_t> sizes;  // every size measured, in order, when `record` is set
  bool record = true;

  static int32_t call(void* self, int32_t points) {
    auto* p = static_cast<counting_probe*>(self);
    if (p->record) p->sizes.push_back(points);
    return p->tm(points);
  }
  result_font_probe probe() { return {call, this}; }
};

TEST(ResultFontWalk, StopsAtTheFirstSizeThatFits) {
  // h = 357, lw = 2: cells up to 28 fit, 29 does not.
  counting_probe p{[](int32_t points) { return points; }, {}};
  const result_font_fit fit = result_fit_font_walk(300, 357, 2, p.probe());
  EXPECT_EQ(fit.font_size, 28);
  EXPECT_EQ(fit.trials, 300 - 28 + 1);
  ASSERT_FALSE(p.sizes.empty());
  EXPECT_EQ(p.sizes.front(), 300);  // starts at the given (smaller) side
  EXPECT_EQ(p.sizes.back(), 28);
}

TEST(ResultFontWalk, VeryLowWindowStopsAtTheFloor) {
  for (const face_model& face : faces) {
    counting_probe p{[&](int32_t points) { return face.tm_height(points); }, {}};
    // Five pixels: not even the smallest cell fits.
    const result_font_fit fit = result_fit_font_walk(40, 5, 0, p.probe());
    EXPECT_EQ(fit.font_size, result_min_font_size) << face.name;
    EXPECT_EQ(*std::min_element(p.sizes.begin(), p.sizes.end()), result_min_font_size) << face.name;
    EXPECT_EQ(result_fit_font_fast(40, 5, 0, p.probe()).font_size, result_min_font_size) << face.name;
  }
}

TEST(ResultFontWalk, StartBelowTheFloorMeasuresTheFloorOnly) {
  // A minimised window has a 0 x 0 client.
  counting_probe p{[](int32_t) { return 50; }, {}};
  EXPECT_EQ(result_fit_font_walk(0, 0, 2, p.probe()).font_size, result_min_font_size);
  EXPECT_EQ(result_fit_font_fast(-7, 0, 2, p.probe()).font_size, result_min_font_size);
  EXPECT_EQ(p.sizes, (std::vector<int32_t>{result_min_font_size, result_min_font_size}));
}

struct search_stats {
  int cases = 0;
  int max_fast_trials = 0;
  long fast_trials = 0;
  long walk_trials = 0;
};

// Every client height from 20 to 2160, starting at the smaller side of a few
// window shapes, with several line widths: the fast search must give the walk's size.
search_stats compare_searches(const std::function<int32_t(int32_t)>& tm, const char* name) {
  search_stats s;
  counting_probe p{tm, {}, false};
  for (int32_t h = 20; h <= 2160; ++h) {
    for (int32_t w : {h, 437, 25}) {
      const int32_t start = std::min(w, h);
      for (int32_t lw : {0, 2, 7}) {
        const result_font_fit walk = result_fit_font_walk(start, h, lw, p.probe());
        const result_font_fit fast = result_fit_font_fast(start, h, lw, p.probe());
        if (walk.font_size != fast.font_size) {
          ADD_FAILURE() << name << ": h " << h << ", start " << start << ", lw " << lw << ": walk "
                        << walk.font_size << ", fast " << fast.font_size;
          return s;
        }
        ++s.cases;
        s.walk_trials += walk.trials;
        s.fast_trials += fast.trials;
        s.max_fast_trials = std::max(s.max_fast_trials, fast.trials);
      }
    }
  }
  return s;
}

TEST(ResultFontFast, SameSizeAsTheWalkForEveryHeight) {
  for (const face_model& face : faces) {
    const search_stats s = compare_searches([&](int32_t points) { return face.tm_height(points); }, face.name);
    // A face whose cell grows evenly with the size needs a handful of trials.
    EXPECT_LE(s.max_fast_trials, 8) << face.name;
    std::printf("%-22s %6d searches, trials per search: walk %.1f, fast %.2f (max %d)\n", face.name, s.cases,
                double(s.walk_trials) / s.cases, double(s.fast_trials) / s.cases, s.max_fast_trials);
  }
}

TEST(ResultFontFast, SameSizeForUnevenCellHeights) {
  // Cells that stay flat over long stretches and then jump, or grow by a large
  // step per point: the estimate is poor, the bracket still closes on the walk's size.
  struct uneven {
    const char* name;
    std::function<int32_t(int32_t)> tm;
  } cases[] = {
      {"stairs of 25 points", [](int32_t s) { return s <= 0 ? 40 : 10 + (s / 25) * 30; }},
      {"flat until 400", [](int32_t s) { return s < 400 ? 12 : s; }},
      {"square growth", [](int32_t s) { return s <= 0 ? 40 : 4 + s * s / 40; }},
      {"one cell for all", [](int32_t) { return 30; }},
      {"ten pixels a point", [](int32_t s) { return s <= 0 ? 40 : 10 * s; }},
  };
  for (const uneven& u : cases) {
    const search_stats s = compare_searches(u.tm, u.name);
    EXPECT_LE(s.max_fast_trials, 40) << u.name;
    std::printf("%-22s fast trials per search %.2f (max %d)\n", u.name, double(s.fast_trials) / s.cases,
                s.max_fast_trials);
  }
}

}  // namespace
