// Fonts sized in points for the screen, and one line of text centred in a box.
// The caller owns every font returned and deletes it (through unique_hfont).
#pragma once

#include <windows.h>

// A font of the given face, size in points and weight; null when creation fails.
// Points <= 0 give a zero or positive (cell) height. Face names longer than 31
// bytes are cut to fit the font record.
HFONT create_font(const char* face_name, int points, int weight) noexcept;

// The same with the character height given in pixels (the em, without the
// internal leading) instead of points.
HFONT create_font_pixels(const char* face_name, int pixels, int weight) noexcept;

// The system menu font with its size (when points > 0) and weight (when > 0)
// replaced and underline off; null when creation fails.
HFONT create_menu_font(int points, int weight) noexcept;

// Draws `length` bytes of `text` centred in `box` and clipped to it, with the
// font, colour and background mode already selected into `dc`.
void draw_text_centered(HDC dc, const char* text, int length, const RECT* box) noexcept;
