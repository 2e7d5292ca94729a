// Bitmap mode's partial stretch, window-free: which axes can be stretched in
// parts, the window pixels a source change touches and the aligned part that
// gives them (checked pixel by pixel against the filter's footprint), the
// merging of parts, and the boxes that cover every changed pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "views/board/stretch_plan.h"

namespace {

TEST(StretchAxis, UnitsReachAndWhichAxesArePartial) {
  const struct {
    int32_t source, window;
    int32_t source_unit, window_unit, reach;
    bool partial;
  } rows[] = {
      {960, 960, 1, 1, 1, true},       // 1:1
      {960, 1920, 1, 2, 1, true},      // the sample skin at full HD
      {540, 2160, 1, 4, 1, true},      // and at 4K
      {1000, 1600, 5, 8, 1, true},     // 5/8 of a source pixel per window pixel
      {1920, 960, 2, 1, 2, true},      // shrinking reads further
      {1000, 250, 4, 1, 4, true},
      {1000, 1920, 25, 48, 1, false},  // positions in 48ths: not exact in binary
      {500, 1080, 25, 54, 1, false},
      {1000, 3000, 1, 3, 1, false},
      {1000, 1367, 1000, 1367, 1, false},  // one unit: the whole axis
      {1, 4, 1, 4, 1, false},
      {1 << 22, 1 << 23, 1, 2, 1, true},   // positions still within 24 bits
      {1 << 23, 1 << 24, 1, 2, 1, false},  // no longer
  };
  for (const auto& r : rows) {
    const stretch_axis a = stretch_axis_of(r.source, r.window);
    EXPECT_EQ(a.source_unit, r.source_unit) << r.source << " -> " << r.window;
    EXPECT_EQ(a.window_unit, r.window_unit) << r.source << " -> " << r.window;
    EXPECT_EQ(a.reach, r.reach) << r.source << " -> " << r.window;
    EXPECT_EQ(a.partial, r.partial) << r.source << " -> " << r.window;
  }
  EXPECT_FALSE(stretch_axis_of(0, 100).partial);
  EXPECT_FALSE(stretch_axis_of(100, 0).partial);
  EXPECT_FALSE(stretch_axis_of(-5, 100).partial);
}

// The source pixels window pixel x may read: it maps to source position
// x * s / d (pixels placed by their top-left corners) or (x + 1/2) * s / d - 1/2
// (by their centres), and a filter of radius r reads the pixels closer than r
// to that position (bilinear smoothing, r = 1: the two nearest).
struct footprint {
  int64_t low, high;  // source pixels, inclusive
};
footprint footprint_of(const stretch_axis& a, int32_t x) {
  const int64_t s = a.source, d = a.window, r = a.reach;
  const int64_t corner = 2 * int64_t{x} * s;        // in 2d-ths of a source pixel
  const int64_t centre = (2 * int64_t{x} + 1) * s - d;
  auto floor_div = [](int64_t p, int64_t q) { return p >= 0 ? p / q : -((-p + q - 1) / q); };
  const int64_t low = floor_div(std::min(corner, centre) - 2 * r * d, 2 * d) + 1;
  const int64_t high = -floor_div(-(std::max(corner, centre) + 2 * r * d), 2 * d) - 1;
  return {low, high};
}

TEST(StretchSpan, CopiesEveryTouchedPixelAndReadsNothingPastItsPart) {
  std::mt19937 random(7);
  const std::pair<int32_t, int32_t> axes[] = {{960, 960},  {960, 1920}, {540, 1080}, {540, 2160}, {1000, 1600},
                                              {1920, 960}, {1000, 250}, {401, 802},  {299, 1196}, {7, 14},
                                              {1000, 1920}, {500, 1080}};
  for (const auto& [s, d] : axes) {
    const stretch_axis a = stretch_axis_of(s, d);
    for (int trial = 0; trial < 300; ++trial) {
      const int32_t begin = static_cast<int32_t>(random() % s);
      const int32_t end = begin + 1 + static_cast<int32_t>(random() % std::min<uint32_t>(s - begin, 60));
      const stretch_span span = stretch_span_of(a, begin, end);
      const std::string what = std::to_string(s) + " -> " + std::to_string(d) + ", changed " +
                               std::to_string(begin) + ".." + std::to_string(end);
      ASSERT_LE(0, span.copy_begin) << what;
      ASSERT_LE(span.copy_end, d) << what;
      for (int32_t x = 0; x < d; ++x) {
        const footprint f = footprint_of(a, x);
        const bool touched = f.high >= begin && f.low <= end - 1;
        const bool copied = x >= span.copy_begin && x < span.copy_end;
        if (touched) ASSERT_TRUE(copied) << what << ": window pixel " << x << " reads the change";
        if (!copied) continue;
        ASSERT_TRUE(x >= span.part_begin && x < span.part_end) << what << ": " << x << " outside its part";
        // Inside the part, or clamped at the picture's own edge as in the whole.
        ASSERT_TRUE(f.low >= span.source_begin || span.source_begin == 0) << what << ": " << x << " reads left";
        ASSERT_TRUE(f.high <= span.source_end - 1 || span.source_end == s) << what << ": " << x << " reads right";
      }
      if (!a.partial) {
        EXPECT_EQ(span.source_begin, 0) << what;
        EXPECT_EQ(span.source_end, s) << what;
        EXPECT_EQ(span.part_end, d) << what;
        continue;
      }
      // The part starts and ends where source and window pixel edges meet.
      EXPECT_EQ(span.source_begin % a.source_unit, 0) << what;
      EXPECT_TRUE(span.source_end % a.source_unit == 0 || span.source_end == s) << what;
      EXPECT_EQ(int64_t{span.part_begin} * s, int64_t{span.source_begin} * d) << what;
      EXPECT_EQ(int64_t{span.part_end} * s, int64_t{span.source_end} * d) << what;
    }
  }
}

TEST(StretchSpan, ExamplesAtTwiceTheSize) {
  const stretch_axis a = stretch_axis_of(960, 1920);
  // Source 100..103 lands on 200..206; the window pixels that may read it
  // reach two further left and one right, and their part reads a source pixel
  // more on either side.
  stretch_span s = stretch_span_of(a, 100, 103);
  EXPECT_EQ(s.copy_begin, 198);
  EXPECT_EQ(s.copy_end, 207);
  EXPECT_EQ(s.source_begin, 97);
  EXPECT_EQ(s.source_end, 105);
  EXPECT_EQ(s.part_begin, 194);
  EXPECT_EQ(s.part_end, 210);
  // At the picture's edges the part stops there.
  s = stretch_span_of(a, 0, 1);
  EXPECT_EQ(s.copy_begin, 0);
  EXPECT_EQ(s.source_begin, 0);
  s = stretch_span_of(a, 959, 960);
  EXPECT_EQ(s.copy_end, 1920);
  EXPECT_EQ(s.source_end, 960);
  EXPECT_EQ(s.part_end, 1920);
  // An axis that cannot be split gives the whole axis.
  s = stretch_span_of(stretch_axis_of(1000, 1920), 100, 103);
  EXPECT_EQ(s.copy_begin, 0);
  EXPECT_EQ(s.copy_end, 1920);
  EXPECT_EQ(s.source_end, 1000);
}

TEST(StretchParts, OverlappingPartsMergeWhenThatCostsNoMore) {
  const stretch_axis x = stretch_axis_of(960, 1920);
  const stretch_axis y = stretch_axis_of(540, 1080);
  std::vector<stretch_rect> boxes = {{100, 100, 110, 110}, {111, 100, 120, 110}, {500, 300, 520, 320}};
  std::vector<stretch_part> parts(boxes.size());
  int n = stretch_plan_parts(x, y, boxes.data(), 3, parts.data());
  ASSERT_EQ(n, 2);  // the two neighbours as one, the far box on its own
  EXPECT_EQ(parts[0].copy.left, 198);
  EXPECT_EQ(parts[0].copy.right, 241);
  EXPECT_EQ(parts[1].copy.left, 998);
  // Two boxes at opposite corners overlap only when the axis cannot be split,
  // and then they are one part of the whole window.
  boxes = {{0, 0, 2, 2}, {958, 538, 960, 540}};
  n = stretch_plan_parts(x, y, boxes.data(), 2, parts.data());
  EXPECT_EQ(n, 2);
  boxes = {{0, 0, 2, 2}, {958, 538, 960, 540}};
  n = stretch_plan_parts(stretch_axis_of(1000, 1920), stretch_axis_of(500, 1080), boxes.data(), 2, parts.data());
  ASSERT_EQ(n, 1);
  EXPECT_EQ(stretch_parts_area(parts.data(), n), int64_t{1920} * 1080);
  // Diagonal neighbours whose union would stretch more stay apart.
  boxes = {{100, 100, 140, 140}, {139, 139, 179, 179}};
  n = stretch_plan_parts(x, y, boxes.data(), 2, parts.data());
  EXPECT_EQ(n, 2);
}

struct picture_pair {
  int32_t width, height;
  std::vector<uint32_t> before, after;
  picture_pair(int32_t w, int32_t h) : width(w), height(h), before(size_t(w) * h, 0x102030), after(before) {}
  void change(int32_t x, int32_t y) { after[size_t(y) * width + x] ^= 0x010000; }
  // Boxes for a stretch to `scale` times the size.
  int boxes(std::vector<stretch_rect>& out, int capacity = 64, int scale = 1) {
    std::vector<uint8_t> tiles(stretch_tile_count(width, height));
    std::vector<int32_t> extents(stretch_extent_count(width, height));
    out.assign(capacity, stretch_rect{});
    const int found = stretch_changed_boxes(before.data(), after.data(), width, height,
                                            stretch_axis_of(width, width * scale), stretch_axis_of(height, height * scale),
                                            tiles.data(), extents.data(), out.data(), capacity);
    out.resize(found < 0 ? 0 : found);
    return found;
  }
};

bool inside(const stretch_rect& r, int32_t x, int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

TEST(StretchChangedBoxes, CutWhereThePiecesStretchLessAndShrunkToTheChanges) {
  std::vector<stretch_rect> boxes;
  picture_pair same(13, 11);
  EXPECT_EQ(same.boxes(boxes), 0);

  picture_pair corner(13, 11);  // sizes that are no multiple of a tile
  corner.change(12, 10);
  ASSERT_EQ(corner.boxes(boxes), 1);
  EXPECT_EQ(boxes[0].left, 12);
  EXPECT_EQ(boxes[0].top, 10);
  EXPECT_EQ(boxes[0].right, 13);
  EXPECT_EQ(boxes[0].bottom, 11);

  picture_pair apart(100, 60);  // two changes with empty tiles between them
  apart.change(3, 4);
  apart.change(30, 4);
  ASSERT_EQ(apart.boxes(boxes), 2);
  EXPECT_EQ(boxes[0].left, 3);
  EXPECT_EQ(boxes[0].right, 4);
  EXPECT_EQ(boxes[1].left, 30);

  picture_pair block(100, 60);  // a change over four tiles: one box
  for (int y = 4; y < 12; ++y) {
    for (int x = 4; x < 12; ++x) block.change(x, y);
  }
  ASSERT_EQ(block.boxes(boxes, 64, 2), 1);
  EXPECT_EQ(boxes[0].left, 4);
  EXPECT_EQ(boxes[0].bottom, 12);

  picture_pair ell(100, 100);  // a wide bar on a narrow stem: two boxes
  for (int x = 0; x < 64; ++x) ell.change(x, 0);
  for (int y = 8; y < 64; ++y) ell.change(0, y);
  ASSERT_EQ(ell.boxes(boxes, 64, 2), 2);
  EXPECT_EQ(boxes[0].right, 64);
  EXPECT_EQ(boxes[0].bottom, 1);
  EXPECT_EQ(boxes[1].right, 1);
  EXPECT_EQ(boxes[1].top, 8);

  picture_pair many(100, 60);
  for (int i = 0; i < 5; ++i) many.change(i * 20, 0);
  EXPECT_EQ(many.boxes(boxes, 4), -1);
  EXPECT_EQ(many.boxes(boxes, 5), 5);
}

TEST(StretchChangedBoxes, RandomChangesAreAllCoveredByTightBoxes) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 50; ++trial) {
    picture_pair p(1 + random() % 120, 1 + random() % 90);
    const int changes = random() % 40;
    for (int i = 0; i < changes; ++i) {
      const int32_t x = random() % p.width, y = random() % p.height;
      const int32_t w = 1 + random() % 12, h = 1 + random() % 12;
      for (int32_t yy = y; yy < std::min(p.height, y + h); ++yy) {
        for (int32_t xx = x; xx < std::min(p.width, x + w); ++xx) {
          if (random() % 3 != 0) p.change(xx, yy);
        }
      }
    }
    std::vector<stretch_rect> boxes;
    const int n = p.boxes(boxes, 1000, 1 + trial % 3);
    ASSERT_GE(n, 0);
    for (int32_t y = 0; y < p.height; ++y) {
      for (int32_t x = 0; x < p.width; ++x) {
        const bool changed = p.before[size_t(y) * p.width + x] != p.after[size_t(y) * p.width + x];
        bool covered = false;
        for (const stretch_rect& b : boxes) covered = covered || inside(b, x, y);
        ASSERT_TRUE(!changed || covered) << "trial " << trial << ": (" << x << ", " << y << ") not covered";
      }
    }
    // Each edge of each box holds a change.
    for (const stretch_rect& b : boxes) {
      bool top = false, bottom = false, left = false, right = false;
      for (int32_t y = b.top; y < b.bottom; ++y) {
        for (int32_t x = b.left; x < b.right; ++x) {
          if (p.before[size_t(y) * p.width + x] == p.after[size_t(y) * p.width + x]) continue;
          top = top || y == b.top;
          bottom = bottom || y == b.bottom - 1;
          left = left || x == b.left;
          right = right || x == b.right - 1;
        }
      }
      EXPECT_TRUE(top && bottom && left && right) << "trial " << trial << ": a box larger than its changes";
    }
  }
}

}  // namespace
