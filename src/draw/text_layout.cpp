#include "draw/text_layout.h"

#include "draw/clamp_int32.h"

int32_t font_height_from_points(int32_t dpi, int32_t points) {
  // 64-bit product so absurd settings cannot overflow; the result is then
  // the same truncated quotient as the 32-bit formula for every sane value.
  return clamp_int32((static_cast<int64_t>(dpi) * points) / -72);
}

namespace {

// One axis in 64 bits: a box clamped from absurd settings may span the whole
// 32-bit range; the result is clamped back into it.
int32_t centered_start(int32_t from, int32_t to, int32_t extent) {
  return clamp_int32(int64_t{from} + (int64_t{to} - from - extent) / 2);
}

}  // namespace

text_origin centered_text_origin(int32_t box_left, int32_t box_top, int32_t box_right, int32_t box_bottom,
                                 int32_t text_width, int32_t text_height) {
  return {centered_start(box_left, box_right, text_width), centered_start(box_top, box_bottom, text_height)};
}

void copy_face_name(char (&field)[32], const char* face, bool (*is_lead_byte)(unsigned char)) {
  int n = 0;
  while (face[n] != 0) {
    int step = 1;
    if (is_lead_byte && is_lead_byte(static_cast<unsigned char>(face[n])) && face[n + 1] != 0) step = 2;
    if (n + step > 31) break;
    for (int k = 0; k < step; ++k) field[n + k] = face[n + k];
    n += step;
  }
  for (int k = n; k < 32; ++k) field[k] = 0;
}
