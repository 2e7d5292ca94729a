// The call-out banner of the large view, in both modes: drawn once into a
// surface of its own and laid over the buffer only where the window is
// painted, so that the buffer always holds the board alone; taking the banner
// away shows again only the band it covered, from the buffer.
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
  memory_dc surface;   // the banner as drawn, the band's size
  char drawn_text[match_callout_text_size] = {};  // what the surface holds; "" for nothing
  RECT band = {};      // where it lies on the window; empty while none is shown
  RECT changed = {};   // what showing or hiding it changed since the last invalidation
  unique_hbrush back;  // color_name_back
  unique_hbrush edge;  // color_score_text, which the text is drawn in too
  unique_hfont fonts[board_banner_fonts];
  char font_texts[board_banner_fonts][match_callout_text_size] = {};
  int next_font = 0;  // the slot a new text takes
};

// Shows `text` as the banner of a `client`-sized window (`like` is a DC of
// the buffer's format); drawn again only when the text or the size changed.
void board_banner_show(board_banner_gdi& banner, HDC like, const SIZE& client, const char* text) noexcept;

// Takes the banner away; the band is shown again from the buffer.
void board_banner_hide(board_banner_gdi& banner) noexcept;

// WM_PAINT: `area` of the window from the buffer, and from the banner where it lies.
void board_banner_paint(const board_banner_gdi& banner, HDC window_dc, const RECT& area, HDC buffer) noexcept;

// Forgets the banner's surface and fonts with the buffer (a rebuild); the
// brushes stay. The next paint shows it again at the new size.
void board_banner_release(board_banner_gdi& banner) noexcept;

// Invalidates what showing or hiding the banner changed since the last call.
void board_banner_invalidate(board_banner_gdi& banner, HWND window) noexcept;
