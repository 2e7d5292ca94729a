#include "views/board/stretch_enlarge.h"

namespace {

// Each byte of a and b weighted (steps - at) : at over steps = 1 << shift,
// rounded half up; two bytes at a time, 16 bits apart (at most 255 x 16 each).
uint32_t blend(uint32_t a, uint32_t b, uint32_t at, int shift) noexcept {
  if (at == 0) return a;
  constexpr uint32_t lanes = 0x00FF00FFu;
  const uint32_t keep = (uint32_t{1} << shift) - at;
  const uint32_t half = (uint32_t{1} << shift) >> 1;
  const uint32_t halves = half | half << 16;
  const uint32_t even = (((a & lanes) * keep + (b & lanes) * at + halves) >> shift) & lanes;
  const uint32_t odd = ((((a >> 8) & lanes) * keep + ((b >> 8) & lanes) * at + halves) >> shift) & lanes;
  return even | odd << 8;
}

// Window pixel x of one source row enlarged along x.
uint32_t along_row(const uint32_t* row, int32_t source_w, int shift, int32_t x) noexcept {
  const int32_t i = x >> shift;
  const int32_t next = i + 1 < source_w ? i + 1 : i;
  return blend(row[i], row[next], static_cast<uint32_t>(x) & ((uint32_t{1} << shift) - 1), shift);
}

}  // namespace

int stretch_enlarge_shift(int32_t source, int32_t window) noexcept {
  if (source <= 0) return -1;
  for (int shift = 0; shift <= 4; ++shift) {
    if (int64_t{source} << shift == window) return shift;
  }
  return -1;
}

void stretch_enlarge(const uint32_t* source, int32_t source_stride, int32_t source_w, int32_t source_h, int shift_x,
                     int shift_y, const stretch_rect& area, uint32_t* out, int32_t out_stride) noexcept {
  for (int32_t y = area.top; y < area.bottom; ++y) {
    const int32_t i = y >> shift_y;
    const int32_t next = i + 1 < source_h ? i + 1 : i;
    const uint32_t at = static_cast<uint32_t>(y) & ((uint32_t{1} << shift_y) - 1);
    const uint32_t* upper = source + static_cast<int64_t>(i) * source_stride;
    const uint32_t* lower = source + static_cast<int64_t>(next) * source_stride;
    uint32_t* to = out + static_cast<int64_t>(y - area.top) * out_stride;
    for (int32_t x = area.left; x < area.right; ++x) {
      const uint32_t top = along_row(upper, source_w, shift_x, x);
      to[x - area.left] = at == 0 ? top : blend(top, along_row(lower, source_w, shift_x, x), at, shift_y);
    }
  }
}
