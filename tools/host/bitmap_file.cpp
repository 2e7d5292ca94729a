#include "bitmap_file.h"

namespace {

void put_u16(std::vector<unsigned char>& out, std::size_t at, uint32_t v) {
  out[at] = static_cast<unsigned char>(v);
  out[at + 1] = static_cast<unsigned char>(v >> 8);
}

void put_u32(std::vector<unsigned char>& out, std::size_t at, uint32_t v) {
  put_u16(out, at, v & 0xFFFF);
  put_u16(out, at + 2, v >> 16);
}

}  // namespace

std::vector<unsigned char> bmp_file_bytes(int width, int height, const std::vector<uint32_t>& pixels) {
  if (width <= 0 || height <= 0) return {};
  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t h = static_cast<std::size_t>(height);
  if (pixels.size() < w * h) return {};
  const std::size_t row = (w * 3 + 3) / 4 * 4;  // rows are padded to four bytes
  const std::size_t header = 14 + 40;
  std::vector<unsigned char> out(header + row * h, 0);
  out[0] = 'B';
  out[1] = 'M';
  put_u32(out, 2, static_cast<uint32_t>(out.size()));
  put_u32(out, 10, static_cast<uint32_t>(header));
  put_u32(out, 14, 40);
  put_u32(out, 18, static_cast<uint32_t>(width));
  put_u32(out, 22, static_cast<uint32_t>(height));  // positive: bottom row first
  put_u16(out, 26, 1);
  put_u16(out, 28, 24);
  put_u32(out, 34, static_cast<uint32_t>(row * h));
  put_u32(out, 38, 3780);  // 96 dots per inch
  put_u32(out, 42, 3780);
  for (std::size_t y = 0; y < h; ++y) {
    unsigned char* dst = &out[header + row * (h - 1 - y)];
    for (std::size_t x = 0; x < w; ++x) {
      const uint32_t p = pixels[y * w + x];
      dst[3 * x] = static_cast<unsigned char>(p);            // blue
      dst[3 * x + 1] = static_cast<unsigned char>(p >> 8);   // green
      dst[3 * x + 2] = static_cast<unsigned char>(p >> 16);  // red
    }
  }
  return out;
}
