// The colour type the settings and the painters share.
#pragma once

#include <cstdint>

// A Windows colour reference, 0xTTBBGGRR: red in the low byte, then green and
// blue; the top byte is a flag (0x02 for colours read from the settings file).
using color_ref = uint32_t;
