#include "picture.h"

#include <algorithm>

namespace {

bool has_pixels(const picture& p) {
  return p.width > 0 && p.height > 0 &&
         p.pixels.size() >= static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height);
}

}  // namespace

picture compose_pictures(const std::vector<picture>& parts, uint32_t background) {
  picture out;
  bool first = true;
  int right = 0;
  int bottom = 0;
  for (const picture& part : parts) {
    if (!has_pixels(part)) continue;
    if (first) {
      out.left = part.left;
      out.top = part.top;
      right = part.left + part.width;
      bottom = part.top + part.height;
      first = false;
    } else {
      out.left = std::min(out.left, part.left);
      out.top = std::min(out.top, part.top);
      right = std::max(right, part.left + part.width);
      bottom = std::max(bottom, part.top + part.height);
    }
  }
  if (first) return out;
  out.width = right - out.left;
  out.height = bottom - out.top;
  const std::size_t w = static_cast<std::size_t>(out.width);
  out.pixels.assign(w * static_cast<std::size_t>(out.height), background);
  for (const picture& part : parts) {
    if (!has_pixels(part)) continue;
    const std::size_t pw = static_cast<std::size_t>(part.width);
    const std::size_t dx = static_cast<std::size_t>(part.left - out.left);
    for (int y = 0; y < part.height; ++y) {
      const std::size_t dy = static_cast<std::size_t>(part.top - out.top + y);
      const auto row = part.pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * pw);
      std::copy(row, row + static_cast<std::ptrdiff_t>(pw), out.pixels.begin() + static_cast<std::ptrdiff_t>(dy * w + dx));
    }
  }
  return out;
}
