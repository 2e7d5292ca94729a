#include "views/board/stretch_plan.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t tile = 8;

int64_t floor_div(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int64_t ceil_div(int64_t a, int64_t b) { return -floor_div(-a, b); }

int32_t gcd(int32_t a, int32_t b) {
  while (b != 0) {
    const int32_t r = a % b;
    a = b;
    b = r;
  }
  return a;
}

bool power_of_two(int32_t v) { return v > 0 && (v & (v - 1)) == 0; }

int32_t clamp32(int64_t v, int32_t low, int32_t high) {
  return static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(v, low), high));
}

int64_t area(const stretch_rect& r) {
  return r.right > r.left && r.bottom > r.top ? int64_t{r.right - r.left} * (r.bottom - r.top) : 0;
}

bool overlap(const stretch_rect& a, const stretch_rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

stretch_rect united(const stretch_rect& a, const stretch_rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool same_row(const uint32_t* before, const uint32_t* after, int32_t width, int32_t y, int32_t left, int32_t right) {
  const int64_t at = int64_t{y} * width + left;
  return std::memcmp(before + at, after + at, sizeof(uint32_t) * static_cast<size_t>(right - left)) == 0;
}

// Shrinks `box` to the rows and columns inside it that hold a change.
void shrink_to_changes(const uint32_t* before, const uint32_t* after, int32_t width, stretch_rect& box) {
  while (box.top < box.bottom && same_row(before, after, width, box.top, box.left, box.right)) ++box.top;
  while (box.bottom > box.top && same_row(before, after, width, box.bottom - 1, box.left, box.right)) --box.bottom;
  if (box.top >= box.bottom) return;
  int32_t left = box.right;
  int32_t right = box.left;
  for (int32_t y = box.top; y < box.bottom; ++y) {
    const uint32_t* b = before + int64_t{y} * width;
    const uint32_t* a = after + int64_t{y} * width;
    for (int32_t x = box.left; x < left; ++x) {
      if (a[x] != b[x]) {
        left = x;
        break;
      }
    }
    for (int32_t x = box.right - 1; x >= right; --x) {
      if (a[x] != b[x]) {
        right = x + 1;
        break;
      }
    }
  }
  box.left = left;
  box.right = right;
}

}  // namespace

stretch_axis stretch_axis_of(int32_t source, int32_t window) noexcept {
  stretch_axis axis;
  axis.source = source;
  axis.window = window;
  if (source <= 0 || window <= 0) return axis;
  const int32_t g = gcd(source, window);
  axis.source_unit = source / g;
  axis.window_unit = window / g;
  // Bilinear smoothing reads the two nearest source pixels; shrinking may
  // average over as many source pixels as one window pixel covers.
  axis.reach = source <= window ? 1 : 1 + (source - 1) / window;
  // Positions (x + 1/2) * source / window with a denominator of 2 * window_unit
  // and numerators below 2 * source * window_unit: exact in 24 bits.
  axis.partial = power_of_two(axis.window_unit) && int64_t{2} * source * axis.window_unit <= (int64_t{1} << 24) &&
                 axis.source_unit < source;
  return axis;
}

stretch_span stretch_span_of(const stretch_axis& axis, int32_t changed_begin, int32_t changed_end) noexcept {
  const int32_t s = axis.source;
  const int32_t d = axis.window;
  if (!axis.partial) return {0, d, 0, s, 0, d};
  const int64_t r = axis.reach;
  // Window pixel x maps to source position x * s / d when pixels are placed by
  // their top-left corners, or to ((2x + 1) * s - d) / (2d) when by their
  // centres; in 2d-ths of a source pixel, 2xs plus `early` or `late`. Either
  // way it may read source pixels within r of that position.
  const int64_t early = std::min<int64_t>(0, s - d);
  const int64_t late = std::max<int64_t>(0, s - d);
  const int64_t first = ceil_div(2 * d * (changed_begin - r) - late, 2 * int64_t{s});
  const int64_t last = floor_div(2 * d * (changed_end - 1 + r) - early, 2 * int64_t{s});
  stretch_span span;
  span.copy_begin = clamp32(first, 0, d);
  span.copy_end = clamp32(last + 1, span.copy_begin, d);
  if (span.copy_begin == span.copy_end) {
    span.source_begin = span.source_end = span.part_begin = span.part_end = 0;
    return span;
  }
  // Every source pixel the copied window pixels may read, with nothing read
  // past the part's edges: the part's own edge handling then changes none of
  // them.
  const int64_t low = floor_div(2 * span.copy_begin * int64_t{s} + early - 2 * r * d, 2 * int64_t{d});
  const int64_t high = ceil_div(2 * (span.copy_end - 1) * int64_t{s} + late + 2 * r * d, 2 * int64_t{d});
  const int64_t su = axis.source_unit;
  span.source_begin = clamp32(floor_div(low, su) * su, 0, s);
  span.source_end = clamp32(ceil_div(high + 1, su) * su, span.source_begin, s);
  span.part_begin = static_cast<int32_t>(span.source_begin / su * axis.window_unit);
  span.part_end = static_cast<int32_t>(span.source_end / su * axis.window_unit);
  return span;
}

stretch_part stretch_part_of(const stretch_axis& x, const stretch_axis& y, const stretch_rect& changed) noexcept {
  const stretch_span h = stretch_span_of(x, changed.left, changed.right);
  const stretch_span v = stretch_span_of(y, changed.top, changed.bottom);
  return {{h.copy_begin, v.copy_begin, h.copy_end, v.copy_end},
          {h.source_begin, v.source_begin, h.source_end, v.source_end},
          {h.part_begin, v.part_begin, h.part_end, v.part_end}};
}

int stretch_plan_parts(const stretch_axis& x, const stretch_axis& y, stretch_rect* boxes, int count,
                       stretch_part* parts) noexcept {
  for (int i = 0; i < count; ++i) parts[i] = stretch_part_of(x, y, boxes[i]);
  bool merged = true;
  while (merged) {
    merged = false;
    for (int i = 0; i < count && !merged; ++i) {
      for (int j = i + 1; j < count && !merged; ++j) {
        if (!overlap(parts[i].window, parts[j].window)) continue;
        const stretch_rect both = united(boxes[i], boxes[j]);
        const stretch_part one = stretch_part_of(x, y, both);
        if (area(one.window) > area(parts[i].window) + area(parts[j].window)) continue;
        boxes[i] = both;
        parts[i] = one;
        boxes[j] = boxes[count - 1];
        parts[j] = parts[count - 1];
        --count;
        merged = true;
      }
    }
  }
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    if (area(parts[i].copy) > 0) parts[kept++] = parts[i];
  }
  return kept;
}

int64_t stretch_parts_area(const stretch_part* parts, int count) noexcept {
  int64_t total = 0;
  for (int i = 0; i < count; ++i) total += area(parts[i].window);
  return total;
}

int32_t stretch_tile_count(int32_t width, int32_t height) noexcept {
  if (width <= 0 || height <= 0) return 0;
  return ((width + tile - 1) / tile) * ((height + tile - 1) / tile);
}

int stretch_changed_boxes(const uint32_t* before, const uint32_t* after, int32_t width, int32_t height,
                          uint8_t* tiles, int32_t* stack, stretch_rect* boxes, int capacity) noexcept {
  if (width <= 0 || height <= 0) return 0;
  const int32_t across = (width + tile - 1) / tile;
  const int32_t down = (height + tile - 1) / tile;
  std::memset(tiles, 0, static_cast<size_t>(across) * static_cast<size_t>(down));
  bool any = false;
  for (int32_t y = 0; y < height; ++y) {
    if (same_row(before, after, width, y, 0, width)) continue;
    uint8_t* row = tiles + static_cast<int64_t>(y / tile) * across;
    for (int32_t tx = 0; tx < across; ++tx) {
      if (row[tx] != 0) continue;
      const int32_t left = tx * tile;
      if (!same_row(before, after, width, y, left, std::min(width, left + tile))) {
        row[tx] = 1;
        any = true;
      }
    }
  }
  if (!any) return 0;
  // Each group of touching marked tiles (diagonals included) is one box.
  int found = 0;
  for (int32_t start = 0; start < across * down; ++start) {
    if (tiles[start] != 1) continue;
    if (found == capacity) return -1;
    int32_t top = start / across;
    int32_t left = start % across;
    int32_t bottom = top;
    int32_t right = left;
    int32_t depth = 0;
    tiles[start] = 2;
    stack[depth++] = start;
    while (depth > 0) {
      const int32_t at = stack[--depth];
      const int32_t ty = at / across;
      const int32_t tx = at % across;
      top = std::min(top, ty);
      bottom = std::max(bottom, ty);
      left = std::min(left, tx);
      right = std::max(right, tx);
      for (int32_t ny = std::max(0, ty - 1); ny <= std::min(down - 1, ty + 1); ++ny) {
        for (int32_t nx = std::max(0, tx - 1); nx <= std::min(across - 1, tx + 1); ++nx) {
          const int32_t next = ny * across + nx;
          if (tiles[next] != 1) continue;
          tiles[next] = 2;
          stack[depth++] = next;
        }
      }
    }
    stretch_rect box = {left * tile, top * tile, std::min(width, (right + 1) * tile),
                        std::min(height, (bottom + 1) * tile)};
    shrink_to_changes(before, after, width, box);
    if (box.left < box.right && box.top < box.bottom) boxes[found++] = box;
  }
  return found;
}
