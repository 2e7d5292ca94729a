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

// Fonts fitted to the texts called so far, at the buffer's size: one per
// text, digits counting as one (every finish's "N CHECKOUT" shares one).
constexpr int board_banner_fonts = 4;

struct board_banner_gdi {
  memory_dc under;     // the buffer's pixels under the banner, while it is drawn
  RECT drawn = {};     // where it is drawn in the buffer; empty when it is not
  RECT changed = {};   // what drawing or lifting it changed since the last show
  unique_hbrush back;  // color_name_back
  unique_hbrush edge;  // color_score_text, which the text is drawn in too
  unique_hfont fonts[board_banner_fonts];
  char font_texts[board_banner_fonts][match_callout_text_size] = {};
  int next_font = 0;  // the slot a new text takes
};

// Puts back what the banner covers, so that the buffer holds the board alone.
void board_banner_lift(board_banner_gdi& banner, HDC buffer) noexcept;

// The same for a buffer about to be painted whole: nothing is copied back.
void board_banner_drop(board_banner_gdi& banner) noexcept;

// Draws `text` as a banner over the buffer of a `client`-sized window,
// keeping what it covers.
void board_banner_draw(board_banner_gdi& banner, HDC buffer, const SIZE& client, const char* text) noexcept;

// Forgets the banner's pixels and fonts with the buffer (a rebuild); the brushes stay.
void board_banner_release(board_banner_gdi& banner) noexcept;

// Invalidates what the banner changed since the last call.
void board_banner_invalidate(board_banner_gdi& banner, HWND window) noexcept;
