// Skin bitmaps for the large view's tests: a plain background and digit strips
// whose ten cells are each filled with a colour of their own, so a screenshot
// tells which cell landed where.
#pragma once

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

#include "test_host.h"

namespace board_skin {

constexpr COLORREF background = RGB(10, 20, 30);
constexpr int back_w = 400;
constexpr int back_h = 300;
constexpr int large_cell = 20;
constexpr int large_h = 30;
constexpr int small_cell = 10;
constexpr int small_h = 16;
inline COLORREF large_digit(int d) { return RGB(100 + 10 * d, 0, 50); }
inline COLORREF small_digit(int d) { return RGB(0, 100 + 10 * d, 200); }

// A bottom-up 24-bit BMP file.
inline void write_bmp(const std::string& path, int w, int h, const std::function<COLORREF(int, int)>& colour_at) {
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;  // "BM"
  fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  std::string file(fh.bfOffBits + static_cast<size_t>(stride) * h, '\0');
  fh.bfSize = static_cast<DWORD>(file.size());
  BITMAPINFOHEADER ih = {};
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biCompression = BI_RGB;
  std::memcpy(&file[0], &fh, sizeof fh);
  std::memcpy(&file[sizeof fh], &ih, sizeof ih);
  for (int y = 0; y < h; ++y) {
    char* row = &file[fh.bfOffBits + static_cast<size_t>(h - 1 - y) * stride];
    for (int x = 0; x < w; ++x) {
      const COLORREF c = colour_at(x, y);
      row[3 * x] = static_cast<char>(GetBValue(c));
      row[3 * x + 1] = static_cast<char>(GetGValue(c));
      row[3 * x + 2] = static_cast<char>(GetRValue(c));
    }
  }
  write_file(path, file);
}

// back.bmp, num_l.bmp and num_s.bmp in `dir` (with its trailing separator).
// `shift` adds to every colour's red, so that two skins of the same names can be
// told apart.
inline void write_files(const std::string& dir, int shift = 0) {
  write_bmp(dir + "back.bmp", back_w, back_h, [=](int, int) { return background + shift; });
  write_bmp(dir + "num_l.bmp", 10 * large_cell, large_h, [=](int x, int) { return large_digit(x / large_cell) + shift; });
  write_bmp(dir + "num_s.bmp", 10 * small_cell, small_h, [=](int x, int) { return small_digit(x / small_cell) + shift; });
}

// The same three files in `parent`\skin\, the directory relative names use.
inline void write_skin_dir(const std::string& parent, int shift = 0) {
  CreateDirectoryA((parent + "skin").c_str(), nullptr);
  write_files(parent + "skin\\", shift);
}

// A fresh current directory for the process while it lives, holding a skin of
// the same names in other colours: a relative name resolved against the current
// directory would show them. Puts the previous directory back at the end.
class decoy_current_dir {
 public:
  decoy_current_dir() {
    GetCurrentDirectoryA(MAX_PATH, before_);
    const std::string dir = make_temp_dir();
    write_skin_dir(dir, 3);
    entered_ = SetCurrentDirectoryA(dir.c_str()) != 0;
    GetCurrentDirectoryA(MAX_PATH, inside_);
  }
  ~decoy_current_dir() { SetCurrentDirectoryA(before_); }
  decoy_current_dir(const decoy_current_dir&) = delete;
  decoy_current_dir& operator=(const decoy_current_dir&) = delete;

  bool entered() const { return entered_; }
  // The current directory while the decoy is in place.
  const char* inside() const { return inside_; }
  static std::string now() {
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, dir);
    return dir;
  }

 private:
  char before_[MAX_PATH] = {};
  char inside_[MAX_PATH] = {};
  bool entered_ = false;
};

// Pixels of exactly `colour` inside `box` of a screenshot.
inline int count_colour(const client_pixels& shot, RECT box, COLORREF colour) {
  int n = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) n += shot.at(x, y) == colour ? 1 : 0;
  }
  return n;
}

}  // namespace board_skin
