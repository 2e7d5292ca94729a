// The rectangle every layout returns, in the pixels of the surface it is drawn
// on: same member order as a Windows RECT (to_rect in gdi_handles_win.h).
#pragma once

#include <cstdint>

struct pixel_box {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// True when the box holds no pixel.
inline bool pixel_box_empty(const pixel_box& box) { return box.right <= box.left || box.bottom <= box.top; }
