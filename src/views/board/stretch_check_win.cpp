#include "views/board/stretch_check_win.h"

#include <cstring>

#include "base/memory.h"
#include "views/board/stretch_model.h"

namespace {

// Whether `count` rows of `width` pixels, `stride` apart at `a` and at `b`, are the same.
bool same_rows(const uint32_t* a, int32_t a_stride, const uint32_t* b, int32_t b_stride, int32_t width,
               int32_t count) noexcept {
  for (int32_t k = 0; k < count; ++k) {
    if (std::memcmp(a + static_cast<size_t>(k) * a_stride, b + static_cast<size_t>(k) * b_stride,
                    static_cast<size_t>(width) * sizeof(uint32_t)) != 0) {
      return false;
    }
  }
  return true;
}

// The platform's stretch of noise of source_w x source_h onto window_w x
// window_h against the model with these taps (`across` or `down` may be null
// for an axis of 2 pixels kept as it is).
bool noise_matches(HDC like, int32_t source_w, int32_t source_h, int32_t window_w, int32_t window_h,
                   const stretch_tap* across, int shift_x, const stretch_tap* down, int shift_y) noexcept {
  stretch_surface from, to;
  if (!ensure_surface(from, like, source_w, source_h) || !ensure_surface(to, like, window_w, window_h)) return false;
  stretch_tap kept[2];
  const int shift_kept = stretch_model_axis(2, 2, stretch_steps::exact, kept);
  GdiFlush();
  uint32_t state = 0x9E3779B9u;
  for (int32_t i = 0; i < from.width * from.height; ++i) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    from.bits[i] = state & 0x00FFFFFFu;
  }
  set_halftone(to.dc.get(), 0, 0);
  if (StretchBlt(to.dc.get(), 0, 0, window_w, window_h, from.dc.get(), 0, 0, source_w, source_h, SRCCOPY) == FALSE) {
    return false;
  }
  GdiFlush();
  const size_t pixels = static_cast<size_t>(window_w) * static_cast<size_t>(window_h);
  auto* computed = static_cast<uint32_t*>(mem_alloc(pixels * sizeof(uint32_t)));
  if (computed == nullptr) return false;
  stretch_model(from.bits, from.width, across != nullptr ? across : kept, across != nullptr ? shift_x : shift_kept,
                down != nullptr ? down : kept, down != nullptr ? shift_y : shift_kept,
                stretch_rect{0, 0, window_w, window_h}, computed, window_w);
  const bool same = same_rows(computed, window_w, to.bits, to.width, window_w, window_h);
  mem_free(computed);
  return same;
}

}  // namespace

// Rows and columns of the window checked against the whole stretch.
constexpr int32_t strip_lines = 8;

// After the whole stretch is in the buffer: whether the model gives its pixels
// on `strip_lines` rows, or columns (`rows` false), spread over the window.
bool stretch_strips_match_whole(const stretch_cache& c, HDC buffer, bool rows) noexcept {
  const int32_t length = rows ? c.window_w : c.window_h;
  const int32_t across = rows ? c.window_h : c.window_w;
  stretch_surface read;
  if (!ensure_surface(read, buffer, rows ? length : strip_lines, rows ? strip_lines : length)) return false;
  auto* computed = static_cast<uint32_t*>(mem_alloc(static_cast<size_t>(length) * strip_lines * sizeof(uint32_t)));
  if (computed == nullptr) return false;
  bool same = true;
  for (int32_t k = 0; k < strip_lines && same; ++k) {
    const int32_t at = strip_lines > 1 ? k * (across - 1) / (strip_lines - 1) : 0;
    const stretch_rect line = rows ? stretch_rect{0, at, length, at + 1} : stretch_rect{at, 0, at + 1, length};
    // A column is computed one pixel to a row: its pixels land `1` apart.
    stretch_model(c.next.bits, c.next.width, c.taps, c.shift_x, c.taps + c.window_w, c.shift_y, line,
                  computed + static_cast<size_t>(k) * length, 1);
    same = rows ? BitBlt(read.dc.get(), 0, k, length, 1, buffer, 0, at, SRCCOPY) != FALSE
                : BitBlt(read.dc.get(), k, 0, 1, length, buffer, at, 0, SRCCOPY) != FALSE;
  }
  GdiFlush();
  for (int32_t k = 0; k < strip_lines && same; ++k) {
    const uint32_t* mine = computed + static_cast<size_t>(k) * length;
    for (int32_t i = 0; i < length && same; ++i) {
      same = mine[i] == (rows ? read.bits[static_cast<size_t>(k) * read.width + i]
                              : read.bits[static_cast<size_t>(i) * read.width + k]);
    }
  }
  mem_free(computed);
  return same;
}

// Whether the platform's stretch of noise at the window's ratios, across and
// down, is the model's.
bool stretch_noise_matches_model(const stretch_cache& c, HDC buffer) noexcept {
  return c.shift_x >= 0 && c.shift_y >= 0 &&
         noise_matches(buffer, c.source_w, 2, c.window_w, 2, c.taps, c.shift_x, nullptr, 0) &&
         noise_matches(buffer, 2, c.source_h, 2, c.window_h, nullptr, 0, c.taps + c.window_w, c.shift_y);
}
