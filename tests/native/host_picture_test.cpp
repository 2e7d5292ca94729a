// The simulated host's composition of window pictures (a view and its menu).
#include <gtest/gtest.h>

#include <vector>

#include "picture.h"

namespace {

picture solid(int left, int top, int width, int height, uint32_t colour) {
  picture p;
  p.left = left;
  p.top = top;
  p.width = width;
  p.height = height;
  p.pixels.assign(static_cast<std::size_t>(width * height), colour);
  return p;
}

uint32_t at(const picture& p, int screen_x, int screen_y) {
  return p.pixels[static_cast<std::size_t>((screen_y - p.top) * p.width + (screen_x - p.left))];
}

TEST(HostPicture, PartsLandAtTheirScreenPlacesOverTheBackground) {
  // A 4 x 2 view at (10, 20) and a 2 x 3 menu opened at its middle (12, 21).
  const picture view = solid(10, 20, 4, 2, 0x111111);
  const picture menu = solid(12, 21, 2, 3, 0x222222);
  const picture p = compose_pictures({view, menu}, 0x00ABCD);
  EXPECT_EQ(p.left, 10);
  EXPECT_EQ(p.top, 20);
  ASSERT_EQ(p.width, 4);
  ASSERT_EQ(p.height, 4);
  ASSERT_EQ(p.pixels.size(), 16u);
  struct row {
    int x, y;
    uint32_t colour;
  };
  const row rows[] = {
      {10, 20, 0x111111}, {13, 20, 0x111111}, {11, 21, 0x111111},  // the view
      {12, 21, 0x222222}, {13, 23, 0x222222},                      // the menu, over the view
      {10, 22, 0x00ABCD}, {11, 23, 0x00ABCD},                      // neither: background
  };
  for (const row& r : rows) EXPECT_EQ(at(p, r.x, r.y), r.colour) << r.x << "," << r.y;
}

TEST(HostPicture, PartsAboveAndLeftMoveTheOrigin) {
  const picture p = compose_pictures({solid(5, 5, 1, 1, 1), solid(-3, 2, 2, 1, 2)}, 0);
  EXPECT_EQ(p.left, -3);
  EXPECT_EQ(p.top, 2);
  EXPECT_EQ(p.width, 9);
  EXPECT_EQ(p.height, 4);
  EXPECT_EQ(at(p, 5, 5), 1u);
  EXPECT_EQ(at(p, -2, 2), 2u);
}

TEST(HostPicture, EmptyAndShortPartsAreSkipped) {
  picture short_part = solid(0, 0, 3, 3, 7);
  short_part.pixels.resize(4);
  EXPECT_EQ(compose_pictures({}, 0).width, 0);
  EXPECT_EQ(compose_pictures({short_part, solid(0, 0, 0, 5, 1)}, 0).pixels.size(), 0u);
  const picture p = compose_pictures({short_part, solid(1, 1, 1, 1, 9)}, 0);
  EXPECT_EQ(p.width, 1);
  EXPECT_EQ(p.pixels, std::vector<uint32_t>{9});
}

}  // namespace
