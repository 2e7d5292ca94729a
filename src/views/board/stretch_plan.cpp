#include "views/board/stretch_plan.h"

#include <algorithm>
#include <climits>
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
  // Window pixel positions mapped to the source (x * source / window, or the
  // same for pixel centres) are fractions with a denominator of 2 * window_unit
  // and numerators below 2 * source * window_unit: with a power-of-two
  // denominator, binary fractions of at most 24 bits, as exact in a float for
  // a part as for the whole.
  axis.partial = power_of_two(axis.window_unit) && int64_t{2} * source * axis.window_unit <= (int64_t{1} << 24) &&
                 axis.source_unit < source;
  return axis;
}

stretch_axis stretch_axis_computed(int32_t source, int32_t window) noexcept {
  stretch_axis axis = stretch_axis_of(source, window);
  axis.partial = axis.computed = source > 0 && window > 0;
  return axis;
}

stretch_span stretch_span_of(const stretch_axis& axis, int32_t changed_begin, int32_t changed_end) noexcept {
  if (!axis.partial) return {0, axis.window, 0, axis.source, 0, axis.window};
  const int64_t s = axis.source;
  const int64_t d = axis.window;
  const int64_t r = axis.reach;
  // Window pixel x maps to source position x * s / d when pixels are placed by
  // their top-left corners, or to ((2x + 1) * s - d) / (2d) when by their
  // centres; in 2d-ths of a source pixel, 2xs plus `early` or `late`. Either
  // way it may read source pixels within r of that position.
  const int64_t early = std::min<int64_t>(0, s - d);
  const int64_t late = std::max<int64_t>(0, s - d);
  const int64_t first = ceil_div(2 * d * (changed_begin - r) - late, 2 * s);
  const int64_t last = floor_div(2 * d * (changed_end - 1 + r) - early, 2 * s);
  stretch_span span;
  span.copy_begin = clamp32(first, 0, axis.window);
  span.copy_end = clamp32(last + 1, span.copy_begin, axis.window);
  if (span.copy_begin == span.copy_end) {
    span.source_begin = span.source_end = span.part_begin = span.part_end = 0;
    return span;
  }
  // Every source pixel the copied window pixels may read, with nothing read
  // past the part's edges: the part's own edge handling then changes none of
  // them.
  const int64_t low = floor_div(2 * span.copy_begin * s + early - 2 * r * d, 2 * d);
  const int64_t high = ceil_div(2 * (span.copy_end - 1) * s + late + 2 * r * d, 2 * d);
  if (axis.computed) {
    span.source_begin = clamp32(low, 0, axis.source);
    span.source_end = clamp32(high + 1, span.source_begin, axis.source);
    span.part_begin = span.copy_begin;
    span.part_end = span.copy_end;
    return span;
  }
  const int64_t su = axis.source_unit;
  span.source_begin = clamp32(floor_div(low, su) * su, 0, axis.source);
  span.source_end = clamp32(ceil_div(high + 1, su) * su, span.source_begin, axis.source);
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

int32_t stretch_extent_count(int32_t width, int32_t height) noexcept {
  if (width <= 0 || height <= 0) return 0;
  return 4 * ((width + tile - 1) / tile + (height + tile - 1) / tile);
}

namespace {

// The search over the tile marks: rectangles in tiles, right and bottom
// exclusive, always tight around the marked tiles they hold.
struct tile_search {
  const uint8_t* tiles;
  int32_t across, down;  // tiles
  int32_t width, height;  // pixels
  const stretch_axis& x;
  const stretch_axis& y;
  int32_t* extents;  // 4 * (across + down)

  stretch_rect pixels_of(const stretch_rect& t) const {
    return {t.left * tile, t.top * tile, std::min(width, t.right * tile), std::min(height, t.bottom * tile)};
  }
  int64_t cost(const stretch_rect& t) const { return area(stretch_part_of(x, y, pixels_of(t)).window); }

  // The cheapest cut of `r` into two tight pieces along a tile row (`rows`) or
  // column; false when no cut is cheaper than `r` itself.
  bool best_cut(const stretch_rect& r, bool rows, int64_t& best, stretch_rect& first, stretch_rect& second) const {
    // Along the cut direction, lines (rows or columns) of r; across it, each
    // line's first and last marked tile, then the same over the lines after it.
    const int32_t begin = rows ? r.top : r.left;
    const int32_t end = rows ? r.bottom : r.right;
    const int32_t lines = end - begin;
    int32_t* low = extents;
    int32_t* high = extents + lines;
    int32_t* after_low = extents + 2 * lines;
    int32_t* after_high = extents + 3 * lines;
    for (int32_t i = 0; i < lines; ++i) {
      low[i] = INT32_MAX;
      high[i] = INT32_MIN;
      const int32_t across_begin = rows ? r.left : r.top;
      const int32_t across_end = rows ? r.right : r.bottom;
      for (int32_t j = across_begin; j < across_end; ++j) {
        const int32_t at = rows ? (begin + i) * this->across + j : j * this->across + begin + i;
        if (tiles[at] == 0) continue;
        low[i] = std::min(low[i], j);
        high[i] = std::max(high[i], j);
      }
    }
    int32_t l = INT32_MAX, h = INT32_MIN;
    for (int32_t i = lines - 1; i >= 0; --i) {
      l = std::min(l, low[i]);
      h = std::max(h, high[i]);
      after_low[i] = l;
      after_high[i] = h;
    }
    bool found = false;
    l = INT32_MAX;
    h = INT32_MIN;
    int32_t last_marked = -1;  // of the lines before the cut
    for (int32_t cut = 1; cut < lines; ++cut) {
      if (low[cut - 1] <= high[cut - 1]) {
        l = std::min(l, low[cut - 1]);
        h = std::max(h, high[cut - 1]);
        last_marked = cut - 1;
      }
      if (low[cut] > high[cut]) continue;  // cut just before a marked line only
      const stretch_rect a = rows ? stretch_rect{l, begin, h + 1, begin + last_marked + 1}
                                  : stretch_rect{begin, l, begin + last_marked + 1, h + 1};
      const stretch_rect b = rows ? stretch_rect{after_low[cut], begin + cut, after_high[cut] + 1, end}
                                  : stretch_rect{begin + cut, after_low[cut], end, after_high[cut] + 1};
      const int64_t c = cost(a) + cost(b);
      if (c < best) {
        best = c;
        first = a;
        second = b;
        found = true;
      }
    }
    return found;
  }
};

}  // namespace

int stretch_changed_boxes(const uint32_t* before, const uint32_t* after, int32_t width, int32_t height,
                          const stretch_axis& x, const stretch_axis& y, uint8_t* tiles, int32_t* extents,
                          stretch_rect* boxes, int capacity) noexcept {
  if (width <= 0 || height <= 0) return 0;
  const int32_t across = (width + tile - 1) / tile;
  const int32_t down = (height + tile - 1) / tile;
  std::memset(tiles, 0, static_cast<size_t>(across) * static_cast<size_t>(down));
  stretch_rect all = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (int32_t py = 0; py < height; ++py) {
    if (same_row(before, after, width, py, 0, width)) continue;
    const int32_t ty = py / tile;
    uint8_t* row = tiles + static_cast<int64_t>(ty) * across;
    const uint32_t* b = before + int64_t{py} * width;
    const uint32_t* a = after + int64_t{py} * width;
    // From each difference on to the next tile: the rest of its tile needs no look.
    for (int32_t px = 0; px < width;) {
      if (a[px] == b[px]) {
        ++px;
        continue;
      }
      const int32_t tx = px / tile;
      if (row[tx] == 0) {
        row[tx] = 1;
        all = united(all, stretch_rect{tx, ty, tx + 1, ty + 1});
      }
      px = (tx + 1) * tile;
    }
  }
  if (all.left > all.right) return 0;

  const tile_search search = {tiles, across, down, width, height, x, y, extents};
  // Pieces still to cut; each cut leaves one more piece, so no more than
  // `capacity` are ever waiting while the result fits.
  constexpr int waiting_room = 64;
  stretch_rect waiting[waiting_room];
  int pending = 0;
  waiting[pending++] = all;
  int found = 0;
  while (pending > 0) {
    const stretch_rect r = waiting[--pending];
    int64_t best = search.cost(r);
    stretch_rect first = {}, second = {};
    bool cut = search.best_cut(r, true, best, first, second);
    cut = search.best_cut(r, false, best, first, second) || cut;
    if (cut) {
      if (pending + 2 > waiting_room || found + pending + 2 > capacity) return -1;
      waiting[pending++] = second;
      waiting[pending++] = first;
      continue;
    }
    if (found == capacity) return -1;
    stretch_rect box = search.pixels_of(r);
    shrink_to_changes(before, after, width, box);
    boxes[found++] = box;
  }
  return found;
}
