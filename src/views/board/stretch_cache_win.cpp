#include "views/board/stretch_cache_win.h"

#include <cstring>

#include "base/memory.h"
#include "views/board/stretch_check_win.h"
#include "views/board/stretch_enlarge.h"

namespace {

// More changed boxes than this stretch the whole picture.
constexpr int box_capacity = 64;
// Larger compositions are stretched whole: their two copies would take more
// of a 32-bit host's memory than they save time (4 M pixels are 16 MB each).
constexpr int64_t largest_compared = int64_t{1} << 22;

bool stretch_whole(HDC buffer, HDC compose, const stretch_cache& c) noexcept {
  set_halftone(buffer, 0, 0);
  return StretchBlt(buffer, 0, 0, c.window_w, c.window_h, compose, 0, 0, c.source_w, c.source_h, SRCCOPY) != FALSE;
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

// Rows of the window computed at a time when the whole picture is.
constexpr int32_t whole_band = 64;

// The whole window computed from the new composition, band by band.
bool compute_whole(stretch_cache& c, HDC buffer) noexcept {
  const enlarge_shifts shifts = enlarge_shifts_of(c);
  bool done = true;
  for (int32_t top = 0; top < c.window_h && done; top += whole_band) {
    const stretch_rect band = {0, top, c.window_w, top + whole_band < c.window_h ? top + whole_band : c.window_h};
    done = shifts.usable() ? enlarge_into(c, buffer, shifts, band) : model_into(c, buffer, band);
  }
  return done;
}

// The first picture at these sizes: computed where the model is known or
// proven to give the platform's pixels, else the platform's whole stretch,
// after which the model is checked against it.
bool show_first(stretch_cache& c, HDC buffer, HDC compose, bool model_may_gain) noexcept {
  if (model_may_gain && c.model_check == stretch_parts_check::unknown && c.model_proven) {
    c.model_check = stretch_noise_matches_model(c, buffer) ? stretch_parts_check::same : stretch_parts_check::differ;
  }
  if (c.model_check == stretch_parts_check::same && compute_whole(c, buffer)) return true;
  if (!stretch_whole(buffer, compose, c)) return false;
  if (model_may_gain && c.model_check == stretch_parts_check::unknown) {
    const bool same = stretch_noise_matches_model(c, buffer) && stretch_strips_match_whole(c, buffer, true) &&
                      stretch_strips_match_whole(c, buffer, false);
    c.model_check = same ? stretch_parts_check::same : stretch_parts_check::differ;
    c.model_proven = c.model_proven || same;
  }
  return true;
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
    c.valid = show_first(c, buffer, compose, model_may_gain);
    if (c.valid) remember_all(c);
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
