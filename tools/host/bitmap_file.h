// Pixels to the bytes of a .bmp file, for the simulated host's screenshots.
// Window-free.
#pragma once

#include <cstdint>
#include <vector>

// A 24-bit bottom-up BMP of `width` x `height` pixels given top row first as
// 0x00RRGGBB. Empty when the size is not positive or `pixels` is too short.
std::vector<unsigned char> bmp_file_bytes(int width, int height, const std::vector<uint32_t>& pixels);
