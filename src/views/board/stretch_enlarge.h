// Bitmap mode's stretch computed without the platform where the window is the
// composition enlarged a power of two times on each axis (1, 2, 4, ... up to
// 16): window pixel x takes source position x / 2^k, between the two source
// pixels around it (the last one repeated past the edge), weighted by the
// distance, each channel rounded half up, rows first, then columns. That is
// what the platform's smoothing stretch was seen to give; the cache uses this
// only after comparing it with the platform's whole stretch at a size.
// Window-free.
#pragma once

#include <cstdint>

#include "views/board/stretch_plan.h"

// The power of two `window` is of `source` (0 for the same size), or -1 when it
// is none of 1, 2, 4, ... 16 times.
int stretch_enlarge_shift(int32_t source, int32_t window) noexcept;

// Writes the window pixels of `area` (window coordinates, inside the window of
// source_w << shift_x by source_h << shift_y) to `out`, row y of the area at
// out + y * out_stride: the enlargement of the source_w x source_h 32-bit
// pixels at `source`, whose rows are `source_stride` pixels apart.
void stretch_enlarge(const uint32_t* source, int32_t source_stride, int32_t source_w, int32_t source_h, int shift_x,
                     int shift_y, const stretch_rect& area, uint32_t* out, int32_t out_stride) noexcept;
