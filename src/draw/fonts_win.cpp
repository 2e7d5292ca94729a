#include "draw/fonts_win.h"

#include "base/module_path_win.h"
#include "draw/text_layout.h"

namespace {

int screen_dpi() noexcept {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// A font of `face_name` with the logical height `height` (negative: the em).
HFONT font_of_height(const char* face_name, LONG height, int weight) noexcept {
  LOGFONTA font = {};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  copy_face_name(font.lfFaceName, face_name != nullptr ? face_name : "", ansi_lead_byte);
  return CreateFontIndirectA(&font);
}

}  // namespace

HFONT create_font(const char* face_name, int points, int weight) noexcept {
  return font_of_height(face_name, font_height_from_points(screen_dpi(), points), weight);
}

HFONT create_font_pixels(const char* face_name, int pixels, int weight) noexcept {
  return font_of_height(face_name, -pixels, weight);
}

HFONT create_menu_font(int points, int weight) noexcept {
  // cbSize 340: the structure without the padded-border field, which older
  // systems refuse.
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = 340;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0);
  LOGFONTA font = metrics.lfMenuFont;
  if (points > 0) font.lfHeight = font_height_from_points(screen_dpi(), points);
  if (weight > 0) font.lfWeight = weight;
  font.lfUnderline = 0;
  return CreateFontIndirectA(&font);
}

void draw_text_centered(HDC dc, const char* text, int length, const RECT* box) noexcept {
  if (length <= 0) return;
  SIZE extent = {};
  GetTextExtentPoint32A(dc, text, length, &extent);
  text_origin at = centered_text_origin(box->left, box->top, box->right, box->bottom, extent.cx, extent.cy);
  ExtTextOutA(dc, at.x, at.y, ETO_CLIPPED, box, text, static_cast<UINT>(length), nullptr);
}
