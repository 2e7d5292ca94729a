// Probe: what the platform's HALFTONE StretchBlt computes (scratch version).
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

uint32_t noise(uint32_t& s) {
  s ^= s << 13;
  s ^= s >> 17;
  s ^= s << 5;
  return s;
}

struct dib {
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
  int w = 0, h = 0;
  dib(int width, int height) : w(width), h(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* b = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bmp = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &b, nullptr, 0);
    old = SelectObject(dc, bmp);
    bits = static_cast<uint32_t*>(b);
  }
  ~dib() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
};

std::vector<uint32_t> platform(const std::vector<uint32_t>& src, int sw, int sh, int dw, int dh) {
  dib s(sw, sh), d(dw, dh);
  std::memcpy(s.bits, src.data(), src.size() * 4);
  SetStretchBltMode(d.dc, HALFTONE);
  SetBrushOrgEx(d.dc, 0, 0, nullptr);
  StretchBlt(d.dc, 0, 0, dw, dh, s.dc, 0, 0, sw, sh, SRCCOPY);
  GdiFlush();
  return std::vector<uint32_t>(d.bits, d.bits + static_cast<size_t>(dw) * dh);
}

struct axis_map {
  std::vector<int> i0, i1;
  std::vector<long double> f;
};

axis_map map_of(int pos_kind, int s, int d) {
  axis_map m;
  const float inc = static_cast<float>(s) / static_cast<float>(d);
  volatile float acc = 0.0f;
  long double accl = 0.0L;
  double accd = 0.0;
  for (int i = 0; i < d; ++i) {
    float p = 0;
    switch (pos_kind) {
      case 0: p = acc; acc = acc + inc; break;
      case 1: p = static_cast<float>(i) * inc; break;
      case 2: p = static_cast<float>(static_cast<double>(i) * s / d); break;
      case 3: p = (static_cast<float>(i) + 0.5f) * inc - 0.5f; break;
      case 4: p = static_cast<float>(accl); accl += inc; break;
      case 5: p = acc; acc = static_cast<float>(static_cast<long double>(acc) + static_cast<long double>(s) / d); break;
      case 6: p = static_cast<float>(accd); accd += inc; break;
      case 7: p = acc; acc = static_cast<float>(static_cast<double>(acc) + static_cast<double>(s) / d); break;
      case 8: p = static_cast<float>(static_cast<long double>(i) * s / d); break;
      case 9: p = static_cast<float>(accd); accd += static_cast<double>(s) / d; break;
      case 14: p = acc; acc = acc + std::nextafter(inc, 0.0f); break;
      case 15: p = acc; acc = acc + std::nextafter(inc, 1e9f); break;
      case 16: p = acc; acc = static_cast<float>(static_cast<long double>(acc) + static_cast<long double>(s) / d); break;
      case 12: p = static_cast<float>(static_cast<long double>(i) * inc); break;
      case 13: p = static_cast<float>(accl); accl = static_cast<float>(accl + inc); break;
      case 10: case 11: case 17: case 18: {
        long double q = accl;
        if (pos_kind == 17) {  // the sum before it is stored as a float
          q = i == 0 ? 0.0L : static_cast<long double>(acc) + inc;
          if (i > 0) acc = static_cast<float>(q);
        }
        if (pos_kind == 18) {
          q = i == 0 ? 0.0L : static_cast<long double>(acc) + static_cast<long double>(s) / d;
          if (i > 0) acc = static_cast<float>(q);
        }
        accl += pos_kind == 10 ? static_cast<long double>(inc) : static_cast<long double>(s) / d;
        int k = static_cast<int>(q);
        if (k > s - 1) k = s - 1;
        m.i0.push_back(k);
        m.i1.push_back(k + 1 < s ? k + 1 : s - 1);
        m.f.push_back(q - k);
        continue;
      }
    }
    if (p < 0) p = 0;
    int i0 = static_cast<int>(p);
    if (i0 > s - 1) i0 = s - 1;
    m.i0.push_back(i0);
    m.i1.push_back(i0 + 1 < s ? i0 + 1 : s - 1);
    m.f.push_back(p - static_cast<float>(i0));
  }
  return m;
}

int blend(int kind, int a, int b, long double fl) {
  const float f = static_cast<float>(fl);
  switch (kind) {
    case 0: return static_cast<int>(static_cast<float>(a) * (1.0f - f) + static_cast<float>(b) * f + 0.5f);
    case 1: return static_cast<int>(static_cast<float>(a) + static_cast<float>(b - a) * f + 0.5f);
    case 2: return static_cast<int>(static_cast<float>(a) * (1.0f - f) + static_cast<float>(b) * f);
    case 3: return static_cast<int>(std::lround(static_cast<double>(a) * (1.0 - f) + static_cast<double>(b) * f));
    case 4: return static_cast<int>(a * (1.0L - fl) + b * fl + 0.5L);
    case 5: return static_cast<int>(a + (b - a) * fl + 0.5L);
    case 6: {
      volatile float t1 = 1.0f - f;
      volatile float t2 = static_cast<float>(a) * t1;
      volatile float t3 = static_cast<float>(b) * f;
      volatile float t4 = t2 + t3;
      volatile float t5 = t4 + 0.5f;
      return static_cast<int>(t5);
    }
    case 7: {
      volatile float t1 = static_cast<float>(b - a) * f;
      volatile float t2 = static_cast<float>(a) + t1;
      volatile float t3 = t2 + 0.5f;
      return static_cast<int>(t3);
    }
    case 8: {
      volatile float t1 = 1.0f - f;
      const long double v = a * static_cast<long double>(t1) + b * static_cast<long double>(f) + 0.5L;
      return static_cast<int>(v);
    }
    case 9: {
      volatile float t2 = static_cast<float>(a) * (1.0f - f);
      volatile float t3 = static_cast<float>(b) * f;
      const long double v = static_cast<long double>(t2) + t3 + 0.5L;
      return static_cast<int>(v);
    }
    case 10: {
      volatile float t4 = static_cast<float>(a) * (1.0f - f) + static_cast<float>(b) * f;
      return static_cast<int>(t4 + 0.5L);
    }
  }
  return 0;
}

uint32_t blend_px(int kind, uint32_t a, uint32_t b, long double f) {
  uint32_t out = 0;
  for (int sh = 0; sh < 24; sh += 8) {
    out |= static_cast<uint32_t>(blend(kind, (a >> sh) & 255, (b >> sh) & 255, f) & 255) << sh;
  }
  return out;
}

std::vector<uint32_t> model(const std::vector<uint32_t>& src, int sw, int sh, int dw, int dh, int pos, int bl,
                            int pos_y = -1) {
  const axis_map mx = map_of(pos, sw, dw), my = map_of(pos_y < 0 ? pos : pos_y, sh, dh);
  std::vector<uint32_t> out(static_cast<size_t>(dw) * dh);
  std::vector<uint32_t> r0(dw), r1(dw);
  for (int y = 0; y < dh; ++y) {
    const uint32_t* a = &src[static_cast<size_t>(my.i0[y]) * sw];
    const uint32_t* b = &src[static_cast<size_t>(my.i1[y]) * sw];
    for (int x = 0; x < dw; ++x) {
      r0[x] = blend_px(bl, a[mx.i0[x]], a[mx.i1[x]], mx.f[x]);
      r1[x] = blend_px(bl, b[mx.i0[x]], b[mx.i1[x]], mx.f[x]);
      out[static_cast<size_t>(y) * dw + x] = blend_px(bl, r0[x], r1[x], my.f[y]);
    }
  }
  return out;
}

long differ(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  long n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
  return n;
}

}  // namespace

// One axis: for window pixels the model gets wrong, the source pixel and the
// weight interval the platform's pixels allow.
int quiet = 0;
void axis_report(const std::vector<uint32_t>& src, int sw, int sh, int dw, bool across, int pos, int bl) {
  const int dh = sh;
  const int tw = across ? dw : sw, th = across ? sh : dw;
  const std::vector<uint32_t> out = platform(src, sw, sh, tw, th);
  const int s = across ? sw : sh;
  const axis_map m = map_of(pos, s, dw);
  int shown = 0, wrong = 0;
  for (int i = 0; i < dw; ++i) {
    bool bad = false;
    double lo = 0, hi = 1;
    const int lines = across ? th : tw;
    for (int k = 0; k < lines; ++k) {
      const uint32_t a = across ? src[static_cast<size_t>(k) * sw + m.i0[i]] : src[static_cast<size_t>(m.i0[i]) * sw + k];
      const uint32_t b = across ? src[static_cast<size_t>(k) * sw + m.i1[i]] : src[static_cast<size_t>(m.i1[i]) * sw + k];
      const uint32_t o = across ? out[static_cast<size_t>(k) * tw + i] : out[static_cast<size_t>(i) * tw + k];
      if ((blend_px(bl, a, b, m.f[i]) & 0xFFFFFF) != (o & 0xFFFFFF)) bad = true;
      for (int c = 0; c < 24; c += 8) {
        const int av = (a >> c) & 255, bv = (b >> c) & 255, ov = (o >> c) & 255;
        if (av == bv) continue;
        double l = (ov - 0.5 - av) / double(bv - av), h = (ov + 0.5 - av) / double(bv - av);
        if (l > h) std::swap(l, h);
        if (l > lo) lo = l;
        if (h < hi) hi = h;
      }
    }
    (void)dh;
    if (quiet < 0 && !across) {
      // Which float near the model's position the platform's pixels allow.
      const float model_p = static_cast<float>(m.i0[i] + m.f[i]);
      std::printf("%d:", i);
      for (int k = -3; k <= 3; ++k) {
        float q = model_p;
        for (int j = 0; j < (k < 0 ? -k : k); ++j) q = std::nextafter(q, k < 0 ? -1.0f : 1000.0f);
        const int q0 = static_cast<int>(q);
        const float qf = q - static_cast<float>(q0);
        bool ok = true;
        for (int kk = 0; kk < tw && ok; ++kk) {
          const uint32_t a = src[static_cast<size_t>(q0) * sw + kk];
          const uint32_t b = src[static_cast<size_t>(q0 + 1 < s ? q0 + 1 : s - 1) * sw + kk];
          ok = (blend_px(bl, a, b, qf) & 0xFFFFFF) == (out[static_cast<size_t>(i) * tw + kk] & 0xFFFFFF);
        }
        if (ok) std::printf("%+d", k);
      }
      std::printf(" ");
    }
    if (quiet == -2 && !across && i % 4 == 0) {
      volatile float fa = 0.0f;
      for (int k = 0; k < i; ++k) fa = fa + static_cast<float>(s) / static_cast<float>(dw);
      const double exact = double(i) * s / dw;
      std::printf("y %3d exact %.6f facc_err %+.3e platform [%+.3e, %+.3e]\n", i, exact, double(fa) - exact,
                  m.i0[i] + lo - exact, m.i0[i] + hi - exact);
    }
    if (!bad) continue;
    ++wrong;
    if (shown++ < quiet) {
      std::printf("    %s %d: model i0 %d f %.9f (exact %.9f); platform allows f in [%.9f, %.9f]\n", across ? "x" : "y", i,
                  m.i0[i], double(m.f[i]), double(i) * s / dw - m.i0[i], lo, hi);
    }
  }
  std::printf("  %s %d -> %d: %d of %d wrong\n", across ? "across" : "down", s, dw, wrong, dw);
}

int main(int argc, char** argv) {
  const int sw = 960, sh = 540;
  const int sizes[][2] = {{1000, 500}, {1280, 720}, {1366, 768}, {1024, 768}, {1920, 1080}, {3840, 2160}, {1200, 700},
                          {2000, 1111}, {700, 300}, {481, 269}, {960, 540}, {1921, 1081}, {3000, 2000}};
  uint32_t seed = 12345;
  std::vector<uint32_t> src(static_cast<size_t>(sw) * sh);
  for (uint32_t& p : src) p = noise(seed) & 0xFFFFFF;
  if (argc > 2 && std::strcmp(argv[1], "axis") == 0) {
    quiet = argc > 4 ? std::atoi(argv[4]) : 0;
    const int pos = std::atoi(argv[2]), bl = argc > 3 ? std::atoi(argv[3]) : 0;
    for (int d : {1000, 1366, 1200}) axis_report(src, sw, sh, d, true, pos, bl);
    for (int d : {500, 700, 400}) axis_report(src, sw, sh, d, false, pos, bl);
    return 0;
  }
  const bool all = argc > 1 && std::strcmp(argv[1], "all") == 0;
  for (const auto& z : sizes) {
    const int dw = z[0], dh = z[1];
    const std::vector<uint32_t> whole = platform(src, sw, sh, dw, dh);
    // Separable: the stretch across (rows kept), then down (columns kept).
    const std::vector<uint32_t> across = platform(src, sw, sh, dw, sh);
    const std::vector<uint32_t> both = platform(across, dw, sh, dw, dh);
    std::printf("%dx%d: across-then-down differs in %ld of %d\n", dw, dh, differ(whole, both), dw * dh);
    std::printf("  x 10, y 17: %ld\n", differ(whole, model(src, sw, sh, dw, dh, 10, 4, 17)));
    for (int pos = 0; pos < 5 && all; ++pos) {
      for (int bl = 0; bl < 4; ++bl) {
        if (!all && bl > 1) continue;
        const long n = differ(whole, model(src, sw, sh, dw, dh, pos, bl));
        std::printf("  pos %d blend %d: %ld\n", pos, bl, n);
      }
    }
  }
  return 0;
}
