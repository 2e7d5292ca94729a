#include "views/board/stretch_model.h"

namespace {

int bit_length(uint64_t v) noexcept {
  int n = 0;
  while (v != 0) {
    ++n;
    v >>= 1;
  }
  return n;
}

// `v` rounded to 24 significant bits, to nearest, ties to even: what storing
// it as a float keeps.
uint64_t to_float_bits(uint64_t v) noexcept {
  const int drop = bit_length(v) - 24;
  if (drop <= 0) return v;
  uint64_t kept = v >> drop;
  const uint64_t rest = v & ((uint64_t{1} << drop) - 1);
  const uint64_t half = uint64_t{1} << (drop - 1);
  if (rest > half || (rest == half && (kept & 1) != 0)) ++kept;
  return kept << drop;
}

// Each byte of a and b weighted (1 - w) : w, w = weight / 2^shift, plus a
// half, truncated.
template <class Wide>
uint32_t blend(uint32_t a, uint32_t b, uint64_t weight, int shift) noexcept {
  if (weight == 0 || a == b) return a;
  const Wide w = static_cast<Wide>(weight);
  const Wide keep = (Wide{1} << shift) - w;
  const Wide half = (Wide{1} << shift) >> 1;
  uint32_t out = 0;
  for (int at = 0; at < 32; at += 8) {
    const Wide v = static_cast<Wide>((a >> at) & 0xFF) * keep + static_cast<Wide>((b >> at) & 0xFF) * w + half;
    out |= static_cast<uint32_t>(v >> shift) << at;
  }
  return out;
}

template <class Wide>
void model_rows(const uint32_t* source, int32_t source_stride, const stretch_tap* across, int shift_x,
                const stretch_tap* down, int shift_y, const stretch_rect& area, uint32_t* out,
                int32_t out_stride) noexcept {
  for (int32_t y = area.top; y < area.bottom; ++y) {
    const stretch_tap& v = down[y];
    const uint32_t* upper = source + static_cast<int64_t>(v.first) * source_stride;
    const uint32_t* lower = source + static_cast<int64_t>(v.second) * source_stride;
    uint32_t* to = out + static_cast<int64_t>(y - area.top) * out_stride - area.left;
    for (int32_t x = area.left; x < area.right; ++x) {
      const stretch_tap& h = across[x];
      const uint32_t top = blend<Wide>(upper[h.first], upper[h.second], h.weight, shift_x);
      to[x] = v.weight == 0 ? top
                            : blend<Wide>(top, blend<Wide>(lower[h.first], lower[h.second], h.weight, shift_x),
                                          v.weight, shift_y);
    }
  }
}

}  // namespace

int stretch_model_axis(int32_t source, int32_t window, stretch_steps steps, stretch_tap* taps) noexcept {
  if (source < 1 || window < 1 || source > stretch_model_largest || window > stretch_model_largest) return -1;
  // The step as a float: step = q / 2^shift, q of 24 significant bits, rounded
  // to nearest, ties to even; then as few bits as hold it.
  int shift = 0;
  while ((uint64_t{static_cast<uint32_t>(source)} << shift) / static_cast<uint32_t>(window) < (uint64_t{1} << 23)) {
    ++shift;
  }
  const uint64_t scaled = uint64_t{static_cast<uint32_t>(source)} << shift;
  uint64_t q = scaled / static_cast<uint32_t>(window);
  const uint64_t rest = scaled % static_cast<uint32_t>(window);
  if (2 * rest > static_cast<uint32_t>(window) || (2 * rest == static_cast<uint32_t>(window) && (q & 1) != 0)) ++q;
  while (shift > 0 && (q & 1) == 0) {
    q >>= 1;
    --shift;
  }
  const uint64_t fraction = (uint64_t{1} << shift) - 1;
  const uint64_t last = static_cast<uint64_t>(source - 1);
  uint64_t stored = 0;  // down: the last position as a float, in units of 2^-shift
  for (int32_t i = 0; i < window; ++i) {
    uint64_t p = 0;
    if (steps == stretch_steps::exact) {
      p = static_cast<uint64_t>(i) * q;
    } else if (i > 0) {
      p = stored + q;
      stored = to_float_bits(p);
    }
    const uint64_t whole = p >> shift;
    stretch_tap& t = taps[i];
    if (whole >= last) {
      t = {static_cast<int32_t>(last), static_cast<int32_t>(last), 0};
    } else {
      t = {static_cast<int32_t>(whole), static_cast<int32_t>(whole + 1), p & fraction};
    }
  }
  return shift;
}

void stretch_model(const uint32_t* source, int32_t source_stride, const stretch_tap* across, int shift_x,
                   const stretch_tap* down, int shift_y, const stretch_rect& area, uint32_t* out,
                   int32_t out_stride) noexcept {
  // 255 * 2^shift plus a half fits 32 bits up to a shift of 24.
  if (shift_x <= 24 && shift_y <= 24) {
    model_rows<uint32_t>(source, source_stride, across, shift_x, down, shift_y, area, out, out_stride);
  } else {
    model_rows<uint64_t>(source, source_stride, across, shift_x, down, shift_y, area, out, out_stride);
  }
}
