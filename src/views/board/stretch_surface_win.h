// The surfaces bitmap mode's stretch works in: 32-bit DIB sections whose
// pixels the view reads and writes, and the platform's smoothing stretch mode.
#pragma once

#include <windows.h>

#include <cstdint>

#include "draw/gdi_handles_win.h"

// A 32-bit top-down DIB section selected into a memory DC, with its pixels.
struct stretch_surface {
  memory_dc dc;  // owns the section
  uint32_t* bits = nullptr;
  int32_t width = 0, height = 0;
};

// HALFTONE on `dc`, its brush origin at (origin_x, origin_y).
void set_halftone(HDC dc, int32_t origin_x, int32_t origin_y) noexcept;

// A surface of at least `width` x `height` compatible with `like`, kept when
// it is large enough; false when it cannot be had (the surface is then empty).
bool ensure_surface(stretch_surface& s, HDC like, int32_t width, int32_t height) noexcept;
void release_surface(stretch_surface& s) noexcept;
