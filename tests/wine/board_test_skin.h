// Skin bitmaps for the large view's tests: a plain background and digit strips
// whose ten cells are each filled with a colour of their own, so a screenshot
// tells which cell landed where; written at any of the usual bit depths.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

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

// A bottom-up BMP file of 1, 8, 24 or 32 bits per pixel. The 1- and 8-bit files
// carry the picture's colours, in ascending order, as their colour table: black
// before white, as paint programs write a "monochrome" file.
inline void write_bmp(const std::string& path, int w, int h, const std::function<COLORREF(int, int)>& colour_at,
                      int bits = 24) {
  std::vector<COLORREF> palette;
  if (bits <= 8) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) palette.push_back(colour_at(x, y));
    }
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    if (palette.size() > (1u << bits)) throw std::runtime_error("too many colours for the bit depth");
    palette.resize(std::max<std::size_t>(palette.size(), 2), RGB(255, 255, 255));
  }
  const int stride = ((w * bits + 31) / 32) * 4;
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;  // "BM"
  fh.bfOffBits = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 4 * palette.size());
  std::string file(fh.bfOffBits + static_cast<size_t>(stride) * h, '\0');
  fh.bfSize = static_cast<DWORD>(file.size());
  BITMAPINFOHEADER ih = {};
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = static_cast<WORD>(bits);
  ih.biCompression = BI_RGB;
  ih.biClrUsed = static_cast<DWORD>(palette.size());
  std::memcpy(&file[0], &fh, sizeof fh);
  std::memcpy(&file[sizeof fh], &ih, sizeof ih);
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const RGBQUAD entry = {GetBValue(palette[i]), GetGValue(palette[i]), GetRValue(palette[i]), 0};
    std::memcpy(&file[sizeof fh + sizeof ih + 4 * i], &entry, 4);
  }
  const int bytes_per_pixel = bits / 8;
  for (int y = 0; y < h; ++y) {
    char* row = &file[fh.bfOffBits + static_cast<size_t>(h - 1 - y) * stride];
    for (int x = 0; x < w; ++x) {
      const COLORREF c = colour_at(x, y);
      if (bits <= 8) {
        const auto index = static_cast<unsigned>(std::lower_bound(palette.begin(), palette.end(), c) - palette.begin());
        const int bit = x * bits;
        row[bit / 8] = static_cast<char>(row[bit / 8] | (index << (8 - bits - bit % 8)));
        continue;
      }
      row[bytes_per_pixel * x] = static_cast<char>(GetBValue(c));
      row[bytes_per_pixel * x + 1] = static_cast<char>(GetGValue(c));
      row[bytes_per_pixel * x + 2] = static_cast<char>(GetRValue(c));
    }
  }
  write_file(path, file);
}

// The colours of a skin's three pictures, pixel by pixel.
struct skin_pictures {
  std::function<COLORREF(int, int)> back, large, small;
};

// A plain background and strips whose cells each have a colour of their own.
// `shift` adds to every colour's red, so that two skins of the same names can
// be told apart.
inline skin_pictures cell_colours(int shift = 0) {
  return {[=](int, int) { return background + shift; },
          [=](int x, int) { return large_digit(x / large_cell) + shift; },
          [=](int x, int) { return small_digit(x / small_cell) + shift; }};
}

// The same skin in two colours, as a 1-bit file holds it: the background
// `light` with a `dark` band along its top, and each digit cell `dark` but for
// light rows at its top, one more for each digit, and a light left column.
inline skin_pictures two_colours(COLORREF dark, COLORREF light) {
  auto cell = [=](int cell_width) {
    return [=](int x, int y) { return x % cell_width == 0 || y <= x / cell_width ? light : dark; };
  };
  return {[=](int, int y) { return y < 10 ? dark : light; }, cell(large_cell), cell(small_cell)};
}

// back.bmp, num_l.bmp and num_s.bmp in `dir` (with its trailing separator).
inline void write_files(const std::string& dir, const skin_pictures& pictures, int bits = 24) {
  write_bmp(dir + "back.bmp", back_w, back_h, pictures.back, bits);
  write_bmp(dir + "num_l.bmp", 10 * large_cell, large_h, pictures.large, bits);
  write_bmp(dir + "num_s.bmp", 10 * small_cell, small_h, pictures.small, bits);
}
inline void write_files(const std::string& dir, int shift = 0) { write_files(dir, cell_colours(shift)); }

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
