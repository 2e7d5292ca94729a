// Geometry from the settings file may hold any integer, so layout arithmetic is
// worked in 64 bits; its results go back to GDI's 32-bit coordinates through
// this clamp instead of wrapping.
#pragma once

#include <cstdint>

// `v` when it fits in 32 bits, otherwise the nearest 32-bit value.
inline int32_t clamp_int32(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}
