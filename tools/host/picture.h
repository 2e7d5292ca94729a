// Pictures of screen areas for the simulated host's screenshots: pixels with
// the screen position of their top-left corner, and the composition of several
// windows' pictures (a view and the menu it opened) into one. Window-free.
#pragma once

#include <cstdint>
#include <vector>

struct picture {
  int left = 0;  // screen position of the top-left pixel
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // top row first, 0x00RRGGBB; width * height of them
};

// One picture covering every part, filled with `background`, with the parts
// drawn over it in order at their screen positions (later parts on top). Parts
// with no pixels are skipped; with none left the result is empty (0 x 0).
picture compose_pictures(const std::vector<picture>& parts, uint32_t background);
