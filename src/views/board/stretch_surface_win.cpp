#include "views/board/stretch_surface_win.h"

void set_halftone(HDC dc, int32_t origin_x, int32_t origin_y) noexcept {
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, origin_x, origin_y, nullptr);  // HALFTONE needs it after the mode is set
}

void release_surface(stretch_surface& s) noexcept {
  s.dc.reset();
  s.bits = nullptr;
  s.width = s.height = 0;
}

bool ensure_surface(stretch_surface& s, HDC like, int32_t width, int32_t height) noexcept {
  if (s.bits != nullptr && s.width >= width && s.height >= height) return true;
  if (s.bits != nullptr) {
    width = width > s.width ? width : s.width;
    height = height > s.height ? height : s.height;
  }
  release_surface(s);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row y starts at y * width
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  s.dc.reset(CreateCompatibleDC(like));
  if (!s.dc) return false;
  s.dc.select_owned(CreateDIBSection(s.dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (s.dc.bitmap() == nullptr || bits == nullptr) {
    release_surface(s);
    return false;
  }
  s.bits = static_cast<uint32_t*>(bits);
  s.width = width;
  s.height = height;
  return true;
}
