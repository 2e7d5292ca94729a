// Bitmap mode's stretch computed without the platform at any pair of sizes:
// the arithmetic Wine's smoothing (HALFTONE) stretch was measured to do, on
// every size tried. Each axis maps window pixel i to a source position p, and
// the pixel is blended from source pixels floor(p) and the one after it (the
// last repeated past the edge), weighted by the fraction of p, each byte
// rounded half up: along rows first, then down the columns. The step s / w is a
// single-precision float, rounded to nearest. Across, p = i * step exactly;
// down, p is the last row's stored position plus the step, each position
// stored as a float before it is stepped from again. Every quantity is a
// multiple of a power of two, so it is all integer arithmetic here and the same
// on every compiler. Window-free; the cache uses it only where it was found to
// give the platform's pixels.
#pragma once

#include <cstdint>

#include "views/board/stretch_plan.h"

// One window pixel of an axis: the two source pixels it blends and the weight
// of the second, in units of 2^-shift of the axis.
struct stretch_tap {
  int32_t first, second;
  uint64_t weight;
};

enum class stretch_steps {
  exact,   // across: p = i * step
  stored,  // down: p = float(previous p) + step
};

// Largest source or window extent the arithmetic covers.
constexpr int32_t stretch_model_largest = 1 << 15;

// Fills taps[0, window) and returns the axis's shift; -1 when either extent is
// below 1 or above stretch_model_largest.
int stretch_model_axis(int32_t source, int32_t window, stretch_steps steps, stretch_tap* taps) noexcept;

// Writes the window pixels of `area` to `out` (row y of the area at out + y *
// out_stride): the stretch of the 32-bit pixels at `source` (rows
// `source_stride` pixels apart) along the taps of both axes.
void stretch_model(const uint32_t* source, int32_t source_stride, const stretch_tap* across, int shift_x,
                   const stretch_tap* down, int shift_y, const stretch_rect& area, uint32_t* out,
                   int32_t out_stride) noexcept;
