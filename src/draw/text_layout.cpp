#include "draw/text_layout.h"

int32_t font_height_from_points(int32_t dpi, int32_t points) {
  // 64-bit product so absurd settings cannot overflow; the result is then
  // the same truncated quotient as the 32-bit formula for every sane value.
  int64_t h = (static_cast<int64_t>(dpi) * points) / -72;
  if (h > INT32_MAX) return INT32_MAX;
  if (h < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(h);
}

text_origin centered_text_origin(int32_t box_left, int32_t box_top, int32_t box_right, int32_t box_bottom,
                                 int32_t text_width, int32_t text_height) {
  return {box_left + (box_right - box_left - text_width) / 2, box_top + (box_bottom - box_top - text_height) / 2};
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
