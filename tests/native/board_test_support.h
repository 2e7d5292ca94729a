// Helpers of the large board's layout tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "views/board/board_layout.h"

inline void expect_box(const board_box& box, int32_t left, int32_t top, int32_t right, int32_t bottom,
                       const char* what) {
  EXPECT_EQ(box.left, left) << what;
  EXPECT_EQ(box.top, top) << what;
  EXPECT_EQ(box.right, right) << what;
  EXPECT_EQ(box.bottom, bottom) << what;
}
