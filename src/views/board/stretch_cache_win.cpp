#include "views/board/stretch_cache_win.h"

#include <cstring>

#include "base/memory.h"
#include "views/board/stretch_enlarge.h"

namespace {

// More changed boxes than this stretch the whole picture.
constexpr int box_capacity = 64;
// Larger compositions are stretched whole: their two copies would take more
// of a 32-bit host's memory than they save time (4 M pixels are 16 MB each).
constexpr int64_t largest_compared = int64_t{1} << 22;

void set_halftone(HDC dc, int32_t origin_x, int32_t origin_y) noexcept {
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, origin_x, origin_y, nullptr);  // HALFTONE needs it after the mode is set
}

bool stretch_whole(HDC buffer, HDC compose, const stretch_cache& c) noexcept {
  set_halftone(buffer, 0, 0);
  return StretchBlt(buffer, 0, 0, c.window_w, c.window_h, compose, 0, 0, c.source_w, c.source_h, SRCCOPY) != FALSE;
}

void release_surface(stretch_surface& s) noexcept {
  s.dc.reset();
  s.bits = nullptr;
  s.width = s.height = 0;
}

// A surface of at least `width` x `height`, kept when it is large enough.
bool ensure_surface(stretch_surface& s, HDC like, int32_t width, int32_t height) noexcept {
  if (s.bits != nullptr && s.width >= width && s.height >= height) return true;
  if (s.bits != nullptr) {
    width = width > s.width ? width : s.width;
    height = height > s.height ? height : s.height;
  }
  release_surface(s);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row y starts at y * width
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  s.dc.reset(CreateCompatibleDC(like));
  if (!s.dc) return false;
  s.dc.select_owned(CreateDIBSection(s.dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (s.dc.bitmap() == nullptr || bits == nullptr) {
    release_surface(s);
    return false;
  }
  s.bits = static_cast<uint32_t*>(bits);
  s.width = width;
  s.height = height;
  return true;
}

// The memory the cache keeps for one composition size; false when any of it
// cannot be had.
bool ensure_memory(stretch_cache& c, HDC buffer) noexcept {
  if (c.shown != nullptr) return true;
  const size_t pixels = static_cast<size_t>(c.source_w) * static_cast<size_t>(c.source_h);
  const size_t tiles = static_cast<size_t>(stretch_tile_count(c.source_w, c.source_h));
  const size_t extents = static_cast<size_t>(stretch_extent_count(c.source_w, c.source_h));
  c.shown = static_cast<uint32_t*>(mem_alloc(pixels * sizeof(uint32_t)));
  c.tiles = static_cast<uint8_t*>(mem_alloc(tiles));
  c.extents = static_cast<int32_t*>(mem_alloc(extents * sizeof(int32_t)));
  c.boxes = static_cast<stretch_rect*>(mem_alloc(box_capacity * sizeof(stretch_rect)));
  c.parts = static_cast<stretch_part*>(mem_alloc(box_capacity * sizeof(stretch_part)));
  c.taps = static_cast<stretch_tap*>(mem_alloc((static_cast<size_t>(c.window_w) + c.window_h) * sizeof(stretch_tap)));
  if (c.taps != nullptr) {
    c.shift_x = stretch_model_axis(c.source_w, c.window_w, stretch_steps::exact, c.taps);
    c.shift_y = stretch_model_axis(c.source_h, c.window_h, stretch_steps::stored, c.taps + c.window_w);
  }
  return c.shown != nullptr && c.tiles != nullptr && c.extents != nullptr && c.boxes != nullptr &&
         c.parts != nullptr && c.taps != nullptr && ensure_surface(c.next, buffer, c.source_w, c.source_h);
}

void free_memory(stretch_cache& c) noexcept {
  release_surface(c.part);
  release_surface(c.next);
  mem_free(c.shown);
  mem_free(c.tiles);
  mem_free(c.extents);
  mem_free(c.boxes);
  mem_free(c.parts);
  mem_free(c.taps);
  c.shift_x = c.shift_y = -1;
}

// Copies the rows of `box` from the new composition into the shown one.
void remember(stretch_cache& c, const stretch_rect& box) noexcept {
  for (int32_t y = box.top; y < box.bottom; ++y) {
    const size_t at = static_cast<size_t>(y) * static_cast<size_t>(c.source_w) + static_cast<size_t>(box.left);
    std::memcpy(c.shown + at, c.next.bits + at, static_cast<size_t>(box.right - box.left) * sizeof(uint32_t));
  }
}

void remember_all(stretch_cache& c) noexcept { remember(c, stretch_rect{0, 0, c.source_w, c.source_h}); }

// Stretches one part into the part surface at (0, 0); its halftone pattern
// lines up with the whole picture's.
bool stretch_part_alone(stretch_cache& c, HDC buffer, HDC compose, const stretch_part& p) noexcept {
  const int32_t w = p.window.right - p.window.left;
  const int32_t h = p.window.bottom - p.window.top;
  if (!ensure_surface(c.part, buffer, w, h)) return false;
  HDC dc = c.part.dc.get();
  set_halftone(dc, ((-p.window.left) % 8 + 8) % 8, ((-p.window.top) % 8 + 8) % 8);
  return StretchBlt(dc, 0, 0, w, h, compose, p.source.left, p.source.top, p.source.right - p.source.left,
                    p.source.bottom - p.source.top, SRCCOPY) != FALSE;
}

bool copy_part(const stretch_cache& c, HDC buffer, const stretch_part& p) noexcept {
  const stretch_rect& r = p.copy;
  return BitBlt(buffer, r.left, r.top, r.right - r.left, r.bottom - r.top, c.part.dc.get(), r.left - p.window.left,
                r.top - p.window.top, SRCCOPY) != FALSE;
}

// After the whole stretch is in the buffer: whether each part, stretched on
// its own, gives the same pixels where it would be copied.
bool parts_match_whole(stretch_cache& c, HDC buffer, HDC compose, int count) noexcept {
  for (int i = 0; i < count; ++i) {
    const stretch_part& p = c.parts[i];
    if (!stretch_part_alone(c, buffer, compose, p)) return false;
    const int32_t x = p.copy.left - p.window.left;
    const int32_t y = p.copy.top - p.window.top;
    const int32_t w = p.copy.right - p.copy.left;
    const int32_t h = p.copy.bottom - p.copy.top;
    const size_t row = static_cast<size_t>(w) * sizeof(uint32_t);
    auto* alone = static_cast<uint32_t*>(mem_alloc(row * static_cast<size_t>(h)));
    if (alone == nullptr) return false;
    GdiFlush();
    for (int32_t k = 0; k < h; ++k) {
      std::memcpy(alone + static_cast<size_t>(k) * w, c.part.bits + static_cast<size_t>(y + k) * c.part.width + x, row);
    }
    // The whole stretch's pixels of the same place, into the same surface.
    bool same = BitBlt(c.part.dc.get(), x, y, w, h, buffer, p.copy.left, p.copy.top, SRCCOPY) != FALSE;
    GdiFlush();
    for (int32_t k = 0; k < h && same; ++k) {
      same = std::memcmp(alone + static_cast<size_t>(k) * w, c.part.bits + static_cast<size_t>(y + k) * c.part.width + x,
                         row) == 0;
    }
    mem_free(alone);
    if (!same) return false;
  }
  return true;
}

struct enlarge_shifts {
  int x = -1, y = -1;
  bool usable() const { return x >= 0 && y >= 0; }
};

enlarge_shifts enlarge_shifts_of(const stretch_cache& c) noexcept {
  return {stretch_enlarge_shift(c.source_w, c.window_w), stretch_enlarge_shift(c.source_h, c.window_h)};
}

// Computes the window pixels of `area` from the new composition into the part
// surface and copies them into the buffer.
bool enlarge_into(stretch_cache& c, HDC buffer, enlarge_shifts shifts, const stretch_rect& area) noexcept {
  const int32_t w = area.right - area.left;
  const int32_t h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return true;
  if (!ensure_surface(c.part, buffer, w, h)) return false;
  GdiFlush();
  stretch_enlarge(c.next.bits, c.next.width, c.source_w, c.source_h, shifts.x, shifts.y, area, c.part.bits,
                  c.part.width);
  return BitBlt(buffer, area.left, area.top, w, h, c.part.dc.get(), 0, 0, SRCCOPY) != FALSE;
}

// Computes the window pixels of `area` from the new composition with the
// model's taps into the part surface and copies them into the buffer.
bool model_into(stretch_cache& c, HDC buffer, const stretch_rect& area) noexcept {
  const int32_t w = area.right - area.left;
  const int32_t h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return true;
  if (!ensure_surface(c.part, buffer, w, h)) return false;
  GdiFlush();
  stretch_model(c.next.bits, c.next.width, c.taps, c.shift_x, c.taps + c.window_w, c.shift_y, area, c.part.bits,
                c.part.width);
  return BitBlt(buffer, area.left, area.top, w, h, c.part.dc.get(), 0, 0, SRCCOPY) != FALSE;
}

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

// Rows and columns of the window checked against the whole stretch.
constexpr int32_t strip_lines = 8;

// After the whole stretch is in the buffer: whether the model gives its pixels
// on `strip_lines` rows, or columns (`rows` false), spread over the window.
bool strips_match_whole(stretch_cache& c, HDC buffer, bool rows) noexcept {
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

// After the first whole stretch at these sizes: whether the platform's
// stretch is the model's.
bool model_matches_platform(stretch_cache& c, HDC buffer) noexcept {
  stretch_tap* down = c.taps + c.window_w;
  return noise_matches(buffer, c.source_w, 2, c.window_w, 2, c.taps, c.shift_x, nullptr, 0) &&
         noise_matches(buffer, 2, c.source_h, 2, c.window_h, nullptr, 0, down, c.shift_y) &&
         strips_match_whole(c, buffer, true) && strips_match_whole(c, buffer, false);
}

}  // namespace

void stretch_cache_release(stretch_cache& c) noexcept {
  free_memory(c);
  c.valid = false;
  c.changed_parts = -1;
  c.source_w = c.source_h = c.window_w = c.window_h = 0;
}

int stretch_cache_show(stretch_cache& c, HDC buffer, HDC compose, int32_t source_w, int32_t source_h, int32_t window_w,
                       int32_t window_h) noexcept {
  c.changed_parts = -1;  // until parts alone are known to have done it
  if (c.source_w != source_w || c.source_h != source_h || c.window_w != window_w || c.window_h != window_h) {
    stretch_cache_release(c);
    c.source_w = source_w;
    c.source_h = source_h;
    c.window_w = window_w;
    c.window_h = window_h;
  }
  const int32_t sizes[4] = {source_w, source_h, window_w, window_h};
  if (std::memcmp(sizes, c.checked_sizes, sizeof sizes) != 0) {
    std::memcpy(c.checked_sizes, sizes, sizeof sizes);
    c.parts_check = stretch_parts_check::unknown;
    c.model_check = stretch_parts_check::unknown;
  }
  const bool computed = c.model_check == stretch_parts_check::same;
  const stretch_axis x = computed ? stretch_axis_computed(source_w, window_w) : stretch_axis_of(source_w, window_w);
  const stretch_axis y = computed ? stretch_axis_computed(source_h, window_h) : stretch_axis_of(source_h, window_h);
  // Nothing gains at 1:1, where the whole stretch is as cheap as a copy, nor
  // where the model was found to differ and no axis can be split or parts were
  // found to differ; without the memory to compare, every paint stretches the
  // whole.
  const bool model_may_gain = c.model_check != stretch_parts_check::differ && source_w <= stretch_model_largest &&
                              source_h <= stretch_model_largest && window_w <= stretch_model_largest &&
                              window_h <= stretch_model_largest;
  const bool parts_may_gain = (x.partial || y.partial) && c.parts_check != stretch_parts_check::differ;
  const bool may_gain = (model_may_gain || parts_may_gain) && (source_w != window_w || source_h != window_h) &&
                        int64_t{source_w} * source_h <= largest_compared;
  if (!may_gain || !ensure_memory(c, buffer) ||
      BitBlt(c.next.dc.get(), 0, 0, source_w, source_h, compose, 0, 0, SRCCOPY) == FALSE) {
    free_memory(c);
    c.valid = false;
    return stretch_whole(buffer, compose, c) ? 1 : 0;
  }
  GdiFlush();
  if (!c.valid) {
    c.valid = stretch_whole(buffer, compose, c);
    if (c.valid) remember_all(c);
    if (c.valid && model_may_gain && c.model_check == stretch_parts_check::unknown) {
      c.model_check = c.shift_x >= 0 && c.shift_y >= 0 && model_matches_platform(c, buffer)
                          ? stretch_parts_check::same
                          : stretch_parts_check::differ;
    }
    return c.valid ? 1 : 0;
  }

  const int boxes = stretch_changed_boxes(c.shown, c.next.bits, source_w, source_h, x, y, c.tiles, c.extents, c.boxes,
                                          box_capacity);
  if (boxes == 0) {  // the same picture: the buffer already shows it
    c.changed_parts = 0;
    return 1;
  }
  int parts = -1;
  if (boxes > 0) {
    for (int i = 0; i < boxes; ++i) remember(c, c.boxes[i]);  // before the plan reuses the boxes
    parts = stretch_plan_parts(x, y, c.boxes, boxes, c.parts);
    // Parts that stretch half the window or more gain nothing on the whole.
    if (2 * stretch_parts_area(c.parts, parts) >= int64_t{window_w} * window_h) parts = -1;
  } else {
    remember_all(c);
  }

  if (parts >= 0 && computed) {
    const enlarge_shifts shifts = enlarge_shifts_of(c);
    bool done = true;
    for (int i = 0; i < parts && done; ++i) {
      done = shifts.usable() ? enlarge_into(c, buffer, shifts, c.parts[i].copy) : model_into(c, buffer, c.parts[i].copy);
    }
    if (done) {
      c.changed_parts = parts;
      return 1;
    }
  }
  if (parts >= 0 && !computed && c.parts_check == stretch_parts_check::same) {
    bool done = true;
    for (int i = 0; i < parts && done; ++i) {
      done = stretch_part_alone(c, buffer, compose, c.parts[i]) && copy_part(c, buffer, c.parts[i]);
    }
    if (done) {
      c.changed_parts = parts;
      return 1;
    }
  }
  // The whole picture; the first time parts would have done, they are checked
  // against it.
  c.valid = stretch_whole(buffer, compose, c);
  if (!c.valid) return 0;
  if (parts > 0 && !computed && c.parts_check == stretch_parts_check::unknown) {
    c.parts_check = parts_match_whole(c, buffer, compose, parts) ? stretch_parts_check::same
                                                                  : stretch_parts_check::differ;
  }
  return 1;
}
