// The call-out banner drawn over the large view's buffer, in both modes: what
// it covers is kept aside, so that taking it away puts the board back without
// painting it again, and the window is shown again only where it lay.
#pragma once

#include <windows.h>

#include <cstdint>

#include "draw/gdi_handles_win.h"
#include "views/board/board_callout.h"

// The banner's own window timer (the frame's refresh timer is 1).
constexpr uintptr_t board_callout_timer_id = 2;

struct board_banner_gdi {
  memory_dc under;     // the buffer's pixels under the banner, while it is drawn
  RECT drawn = {};     // where it is drawn in the buffer; empty when it is not
  RECT changed = {};   // what drawing or lifting it changed since the last show
  unique_hbrush back;  // color_name_back
  unique_hbrush edge;  // color_score_text, which the text is drawn in too
};

// Puts back what the banner covers, so that the buffer holds the board alone.
void board_banner_lift(board_banner_gdi& banner, HDC buffer) noexcept;

// Draws `text` as a banner over the buffer of a `client`-sized window,
// keeping what it covers.
void board_banner_draw(board_banner_gdi& banner, HDC buffer, const SIZE& client, const char* text) noexcept;

// Forgets the banner's pixels with the buffer (a rebuild); the brushes stay.
void board_banner_release(board_banner_gdi& banner) noexcept;

// Invalidates what the banner changed since the last call.
void board_banner_invalidate(board_banner_gdi& banner, HWND window) noexcept;
