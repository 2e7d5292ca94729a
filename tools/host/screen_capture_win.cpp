#include "screen_capture_win.h"

#include <vector>

#include "bitmap_file.h"

namespace {

// Copies width x height pixels at (x, y) of `source` into `out`; on failure
// `out` keeps the size and has no pixels.
bool read_pixels(HDC source, int x, int y, int width, int height, picture& out) {
  out.width = width;
  out.height = height;
  out.pixels.clear();
  if (source == nullptr || width <= 0 || height <= 0) return false;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top row first
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib == nullptr) return false;
  HDC memory_dc = CreateCompatibleDC(source);
  bool ok = false;
  if (memory_dc != nullptr) {
    HGDIOBJ old = SelectObject(memory_dc, dib);
    ok = BitBlt(memory_dc, 0, 0, width, height, source, x, y, SRCCOPY) != 0;
    GdiFlush();
    if (ok) {
      const uint32_t* p = static_cast<const uint32_t*>(bits);
      out.pixels.assign(p, p + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
      for (uint32_t& pixel : out.pixels) pixel &= 0x00FFFFFFu;
    }
    SelectObject(memory_dc, old);
    DeleteDC(memory_dc);
  }
  DeleteObject(dib);
  return ok;
}

}  // namespace

bool capture_window(HWND window, bool whole_window, picture& out) {
  RECT r = {};
  POINT origin = {0, 0};
  if (whole_window) {
    if (!GetWindowRect(window, &r)) return false;
    origin = {r.left, r.top};
  } else {
    if (!GetClientRect(window, &r)) return false;
    ClientToScreen(window, &origin);
  }
  HDC dc = whole_window ? GetWindowDC(window) : GetDC(window);
  bool ok = false;
  try {
    ok = read_pixels(dc, 0, 0, r.right - r.left, r.bottom - r.top, out);
  } catch (...) {
    ok = false;  // no memory for the pixels
  }
  if (dc != nullptr) ReleaseDC(window, dc);
  out.left = origin.x;
  out.top = origin.y;
  return ok;
}

bool capture_screen(picture& out) {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  HDC dc = GetDC(nullptr);
  bool ok = false;
  try {
    ok = read_pixels(dc, x, y, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), out);
  } catch (...) {
    ok = false;
  }
  if (dc != nullptr) ReleaseDC(nullptr, dc);
  out.left = x;
  out.top = y;
  return ok;
}

bool write_picture(const picture& p, const std::string& path, std::string& error) {
  const std::vector<unsigned char> bytes = bmp_file_bytes(p.width, p.height, p.pixels);
  if (bytes.empty()) {
    error = "nothing to write to " + path + " (" + std::to_string(p.width) + " x " + std::to_string(p.height) + ")";
    return false;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD count = 0;
  const bool ok = file != INVALID_HANDLE_VALUE &&
                  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) &&
                  count == bytes.size();
  const DWORD code = GetLastError();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!ok) error = "cannot write " + path + ": " + last_error_text(code);
  return ok;
}

std::string last_error_text(DWORD code) {
  char buffer[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                           sizeof buffer, nullptr);
  std::string text(buffer, n);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return "error " + std::to_string(code) + (text.empty() ? "" : " (" + text + ")");
}
