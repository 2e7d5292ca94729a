// Where bitmap mode's stretch of the composition onto the window can be redone
// in parts: per axis, whether the source and window positions of a part meet
// exactly as they do in the whole stretch, and how far the smoothing filter
// reads; which window pixels a change of source pixels touches and which
// aligned part of the source gives them; and the boxes that cover every pixel
// in which two compositions differ. Window-free; stretch_cache_win.cpp does the
// stretching and checks on the platform that a part gives the whole's pixels.
#pragma once

#include <cstdint>

// A rectangle of pixels; right and bottom are exclusive.
struct stretch_rect {
  int32_t left, top, right, bottom;
};

// One axis of the stretch of `source` pixels onto `window` pixels.
struct stretch_axis {
  int32_t source = 0;
  int32_t window = 0;
  // A part of the axis starts and ends on multiples of these: there the
  // window's pixel edges fall exactly on the source's (every 25 source pixels
  // for 1000 -> 1920, every pixel for 960 -> 1920).
  int32_t source_unit = 0;
  int32_t window_unit = 0;
  // Source pixels the filter may read on either side of the source position a
  // window pixel's centre maps to.
  int32_t reach = 0;
  // Parts of this axis can be stretched on their own: the mapping from window
  // to source positions has a power-of-two denominator, so the resampler's
  // arithmetic gives a part the same positions as the whole (checked on the
  // platform before it is relied on), and the axis has more than one unit.
  // When false, every part spans the whole axis.
  bool partial = false;
  // The window pixels are computed from the source, not stretched from aligned
  // parts of it (stretch_model.h): a part is then just the window pixels a
  // change touches, on any ratio.
  bool computed = false;
};

// The axis for a source and window extent, both greater than 0 (a zero or
// negative extent gives an axis that is never partial).
stretch_axis stretch_axis_of(int32_t source, int32_t window) noexcept;
// The same axis for window pixels that are computed: partial whatever the ratio.
stretch_axis stretch_axis_computed(int32_t source, int32_t window) noexcept;

// One axis of a part: the window pixels a change of source pixels
// [changed_begin, changed_end) may touch, and the aligned part of the source
// whose stretch gives exactly those pixels.
struct stretch_span {
  int32_t copy_begin, copy_end;      // window pixels taken from the part's stretch; may be empty
  int32_t source_begin, source_end;  // the part of the source stretched on its own
  int32_t part_begin, part_end;      // where that part lands in the window
};
stretch_span stretch_span_of(const stretch_axis& axis, int32_t changed_begin, int32_t changed_end) noexcept;

// Both axes of a part for a changed box of source pixels.
struct stretch_part {
  stretch_rect copy;    // window pixels to take from the part's stretch; may be empty
  stretch_rect source;  // the source rectangle stretched on its own
  stretch_rect window;  // where it is stretched to
};
stretch_part stretch_part_of(const stretch_axis& x, const stretch_axis& y, const stretch_rect& changed) noexcept;

// The parts for `count` changed boxes, written to `parts` (room for `count`).
// Boxes whose stretches overlap are planned as one when that stretches no more
// window pixels than the two apart; parts that copy nothing are left out.
// `boxes` is used as scratch. Returns the number of parts.
int stretch_plan_parts(const stretch_axis& x, const stretch_axis& y, stretch_rect* boxes, int count,
                       stretch_part* parts) noexcept;

// Window pixels the parts stretch, counted with their overlaps.
int64_t stretch_parts_area(const stretch_part* parts, int count) noexcept;

// Scratch the changed-box search needs for a picture of width x height: tile
// marks (stretch_tile_count bytes) and tile extents (stretch_extent_count
// 32-bit entries).
int32_t stretch_tile_count(int32_t width, int32_t height) noexcept;
int32_t stretch_extent_count(int32_t width, int32_t height) noexcept;

// Changed boxes between two pictures of `width` x `height` 32-bit pixels, rows
// packed, for their stretch along axes `x` and `y`: boxes that together cover
// every pixel in which `before` and `after` differ. The 8 x 8 tiles that hold
// a change are cut apart along tile rows and columns wherever the parts of the
// pieces stretch fewer window pixels than the part of the whole, and each box
// is then shrunk to the changed pixels it holds. Returns the number of boxes
// written (0 when the pictures are the same), or -1 when more than `capacity`
// would be needed.
int stretch_changed_boxes(const uint32_t* before, const uint32_t* after, int32_t width, int32_t height,
                          const stretch_axis& x, const stretch_axis& y, uint8_t* tiles, int32_t* extents,
                          stretch_rect* boxes, int capacity) noexcept;
