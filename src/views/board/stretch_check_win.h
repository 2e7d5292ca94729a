// Whether the platform's smoothing stretch is the arithmetic of
// stretch_model.h at the cache's sizes: the platform's stretch of noise at the
// window's ratios, and rows and columns of its whole stretch, against the
// model's pixels.
#pragma once

#include <windows.h>

#include "views/board/stretch_cache_win.h"

// The platform's stretch of two strips of noise, the source's width by 2 onto
// the window's width by 2 and 2 by the source's height onto 2 by the window's
// height, against the model's taps of the cache (false when they are beyond
// the arithmetic).
bool stretch_noise_matches_model(const stretch_cache& c, HDC buffer) noexcept;

// With the whole stretch of the composition in `next` in the buffer: whether
// the model gives its pixels on 8 rows, or columns (`rows` false), spread over
// the window.
bool stretch_strips_match_whole(const stretch_cache& c, HDC buffer, bool rows) noexcept;
