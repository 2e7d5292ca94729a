// Bitmap mode's stretch of the composition onto the buffer, redone only where
// the composition changed. The cache keeps a copy of the composition the
// buffer shows; a new composition is compared with it, and only the window
// pixels a changed source pixel can reach are stretched again, from aligned
// parts of the composition (stretch_plan.h), into a surface of the part's size
// and copied from there; where the platform's stretch was found to be the
// arithmetic of stretch_model.h, at any sizes, they are computed instead
// (stretch_enlarge.h where the window is the composition enlarged 1, 2, 4 ...
// times on each axis). A first paint, a new size, 1:1 (where the whole stretch
// is as cheap as a copy), a composition of more than 4 M pixels, a platform
// whose stretch is neither computed nor split into parts at these sizes, a
// failed call or a change too large to gain from parts all stretch the whole
// picture.
// The buffer must hold nothing but that stretch. The view's window state owns
// one; its memory and GDI objects go with the buffer.
#pragma once

#include <windows.h>

#include <cstdint>

#include "views/board/stretch_model.h"
#include "views/board/stretch_plan.h"
#include "views/board/stretch_surface_win.h"


enum class stretch_parts_check { unknown, same, differ };

struct stretch_cache {
  // The composition the buffer shows (source_w x source_h pixels from the
  // local heap), and the surface a new composition is copied into to compare.
  uint32_t* shown = nullptr;
  stretch_surface next;
  int32_t source_w = 0, source_h = 0;
  int32_t window_w = 0, window_h = 0;
  bool valid = false;  // the buffer holds the whole stretch of `shown`
  // What the last call changed in the buffer: nothing (0), the copy
  // rectangles of parts[0, changed_parts), or everything (-1).
  int changed_parts = -1;
  // Scratch of the changed-box search and the plan, from the local heap.
  uint8_t* tiles = nullptr;
  int32_t* extents = nullptr;
  stretch_rect* boxes = nullptr;
  stretch_part* parts = nullptr;
  // Where a part is stretched: as large as the largest part so far.
  stretch_surface part;
  // Whether parts give the whole stretch's pixels on this platform for these
  // sizes. Found on the first paint that parts would do, by stretching the
  // whole and then each part and comparing the pixels they copy: a check of
  // that change, not a proof for every change. Kept over buffer rebuilds at
  // the same sizes.
  stretch_parts_check parts_check = stretch_parts_check::unknown;
  // Whether the platform's stretch is the arithmetic of stretch_model.h at
  // these sizes: found right after the first whole stretch at a size, from
  // the platform's stretch of two strips of noise at the window's ratios, one
  // across and one down, and from rows and columns of the whole stretch spread
  // over the window; kept with the parts check. When same, changed pixels are
  // computed, not stretched, and parts are never checked.
  stretch_parts_check model_check = stretch_parts_check::unknown;
  // The model was found to give the platform's whole stretch at some sizes,
  // rows and columns included: at new sizes the two strips of noise then
  // suffice, and the first picture is computed, not stretched. Kept for the
  // cache's life, whatever the sizes.
  bool model_proven = false;
  // The model's taps, window_w across then window_h down, from the local heap;
  // their shifts, -1 when the sizes are beyond the arithmetic.
  stretch_tap* taps = nullptr;
  int shift_x = -1, shift_y = -1;
  int32_t checked_sizes[4] = {};  // source_w, source_h, window_w, window_h
};

// Leaves the buffer holding the HALFTONE stretch of all of `compose` (source_w
// x source_h at (0, 0)) onto window_w x window_h at (0, 0), exactly as one
// StretchBlt of the whole gives it. 1 when the buffer holds it, 0 when the
// stretch failed (the next call then stretches the whole again).
int stretch_cache_show(stretch_cache& cache, HDC buffer, HDC compose, int32_t source_w, int32_t source_h,
                       int32_t window_w, int32_t window_h) noexcept;

// Frees the cache's memory and GDI objects; the next call stretches the whole.
// The parts check stays.
void stretch_cache_release(stretch_cache& cache) noexcept;
