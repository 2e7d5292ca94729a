// Arithmetic behind the shared drawing routines: point sizes to logical font
// heights, and where one line of text goes when it is centred in a box.
#pragma once

#include <cstdint>

// Logical font height for a size in points at the given vertical resolution:
// (dpi * points) / -72, truncated toward zero. 11 pt at 96 dpi gives -14.
int32_t font_height_from_points(int32_t dpi, int32_t points);

// Top-left corner of a text of the given extent centred in a box; halves are
// truncated toward zero, so a text wider than the box starts left of it.
struct text_origin {
  int32_t x;
  int32_t y;
};
text_origin centered_text_origin(int32_t box_left, int32_t box_top, int32_t box_right, int32_t box_bottom,
                                 int32_t text_width, int32_t text_height);

// Copies a face name into a LOGFONT-sized field (32 bytes with the terminator).
// A longer name is cut to 31 bytes; a cut never leaves half a double-byte
// character when `is_lead_byte` says where characters start (null: bytes only).
void copy_face_name(char (&field)[32], const char* face, bool (*is_lead_byte)(unsigned char));
