// What the platform's smoothing stretch (StretchBlt with HALFTONE) computes,
// measured: for a picture of noise at the sample skin's size stretched to
// each window size, whether the whole stretch is the stretch across followed
// by the stretch down (separable), and in how many pixels it differs from the
// arithmetic bitmap mode computes (stretch_model.h) and from two simpler
// guesses at it: window pixel i at i * step in single precision on both axes,
// or each axis's position stepped and stored as a single-precision float.
//
// Usage: stretch_probe [SOURCE_W SOURCE_H]   (960 x 540 by default)
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "views/board/stretch_model.h"

namespace {

// A 32-bit top-down DIB section in a memory DC.
struct surface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ before = nullptr;
  uint32_t* bits = nullptr;
  surface(int w, int h) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* b = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &b, nullptr, 0);
    before = SelectObject(dc, bitmap);
    bits = static_cast<uint32_t*>(b);
  }
  ~surface() {
    SelectObject(dc, before);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  surface(const surface&) = delete;
  surface& operator=(const surface&) = delete;
};

using picture = std::vector<uint32_t>;

picture platform_stretch(const picture& source, int sw, int sh, int dw, int dh) {
  surface from(sw, sh), to(dw, dh);
  std::memcpy(from.bits, source.data(), source.size() * sizeof(uint32_t));
  SetStretchBltMode(to.dc, HALFTONE);
  SetBrushOrgEx(to.dc, 0, 0, nullptr);
  StretchBlt(to.dc, 0, 0, dw, dh, from.dc, 0, 0, sw, sh, SRCCOPY);
  GdiFlush();
  return picture(to.bits, to.bits + static_cast<size_t>(dw) * dh);
}

picture model_stretch(const picture& source, int sw, int sh, int dw, int dh) {
  std::vector<stretch_tap> across(static_cast<size_t>(dw)), down(static_cast<size_t>(dh));
  const int shift_x = stretch_model_axis(sw, dw, stretch_steps::exact, across.data());
  const int shift_y = stretch_model_axis(sh, dh, stretch_steps::stored, down.data());
  picture out(static_cast<size_t>(dw) * dh);
  stretch_model(source.data(), sw, across.data(), shift_x, down.data(), shift_y, stretch_rect{0, 0, dw, dh},
                out.data(), dw);
  return out;
}

// A guess: positions as single-precision floats, `stepped` or multiplied,
// the same on both axes; bilinear, each byte rounded half up, rows first.
picture guessed_stretch(const picture& source, int sw, int sh, int dw, int dh, bool stepped) {
  auto axis = [stepped](int s, int d, std::vector<int>& first, std::vector<double>& weight) {
    const float step = static_cast<float>(s) / static_cast<float>(d);
    volatile float at = 0.0f;
    for (int i = 0; i < d; ++i) {
      const float p = stepped ? at : static_cast<float>(static_cast<double>(i) * step);
      at = at + step;
      int f = static_cast<int>(p);
      if (f > s - 1) f = s - 1;
      first.push_back(f);
      weight.push_back(static_cast<double>(p) - f);
    }
  };
  std::vector<int> fx, fy;
  std::vector<double> wx, wy;
  axis(sw, dw, fx, wx);
  axis(sh, dh, fy, wy);
  auto blend = [](uint32_t a, uint32_t b, double w) {
    uint32_t out = 0;
    for (int at = 0; at < 32; at += 8) {
      const double v = ((a >> at) & 255) * (1.0 - w) + ((b >> at) & 255) * w + 0.5;
      out |= (static_cast<uint32_t>(v) & 255) << at;
    }
    return out;
  };
  picture out(static_cast<size_t>(dw) * dh);
  for (int y = 0; y < dh; ++y) {
    const uint32_t* upper = &source[static_cast<size_t>(fy[y]) * sw];
    const uint32_t* lower = &source[static_cast<size_t>(fy[y] + 1 < sh ? fy[y] + 1 : sh - 1) * sw];
    for (int x = 0; x < dw; ++x) {
      const int next = fx[x] + 1 < sw ? fx[x] + 1 : sw - 1;
      out[static_cast<size_t>(y) * dw + x] =
          blend(blend(upper[fx[x]], upper[next], wx[x]), blend(lower[fx[x]], lower[next], wx[x]), wy[y]);
    }
  }
  return out;
}

long differing(const picture& a, const picture& b) {
  long n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  const int sw = argc > 2 ? std::atoi(argv[1]) : 960;
  const int sh = argc > 2 ? std::atoi(argv[2]) : 540;
  if (sw < 2 || sh < 2 || sw > 4096 || sh > 4096) {
    std::fprintf(stderr, "stretch_probe: source sizes from 2 to 4096, not %d x %d\n", sw, sh);
    return 2;
  }
  const int sizes[][2] = {{1000, 500},  {1280, 720},  {1366, 768}, {1024, 768}, {1920, 1080}, {3840, 2160},
                          {1200, 700},  {2000, 1111}, {700, 300},  {481, 269},  {1921, 1081}, {sw, sh}};
  uint32_t state = 12345;
  picture source(static_cast<size_t>(sw) * sh);
  for (uint32_t& p : source) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    p = state & 0xFFFFFF;
  }
  std::printf("%d x %d of noise stretched with HALFTONE; pixels that differ from the whole stretch:\n", sw, sh);
  std::printf("%-11s %10s | %14s | %11s | %14s | %12s\n", "window", "pixels", "across, down", "computed",
              "i * step, float", "stepped float");
  for (const auto& z : sizes) {
    const int dw = z[0], dh = z[1];
    const picture whole = platform_stretch(source, sw, sh, dw, dh);
    const picture across = platform_stretch(source, sw, sh, dw, sh);
    std::printf("%5d x %-5d %10d | %14ld | %11ld | %14ld | %12ld\n", dw, dh, dw * dh,
                differing(whole, platform_stretch(across, dw, sh, dw, dh)),
                differing(whole, model_stretch(source, sw, sh, dw, dh)),
                differing(whole, guessed_stretch(source, sw, sh, dw, dh, false)),
                differing(whole, guessed_stretch(source, sw, sh, dw, dh, true)));
  }
  return 0;
}
