#include "views/board/board_banner_win.h"

#include <algorithm>
#include <cstring>

#include "draw/fonts_win.h"
#include "settings/settings_table.h"

namespace {

constexpr int bold = 700;

void add_changed(RECT& changed, const RECT& r) noexcept {
  if (IsRectEmpty(&changed)) {
    changed = r;
  } else {
    UnionRect(&changed, &changed, &r);
  }
}

// The banner's font: as tall as the layout allows, narrowed to its room.
HFONT fitted_font(HDC dc, const board_banner_layout& layout, const char* text, int length) noexcept {
  HFONT font = create_font_pixels(view_settings.font_name, layout.text_em, bold);
  if (font == nullptr) return nullptr;
  SIZE extent = {};
  {
    select_guard selected(dc, font);
    GetTextExtentPoint32A(dc, text, length, &extent);
  }
  if (extent.cx <= layout.text_room || extent.cx <= 0) return font;
  DeleteObject(font);
  const int64_t em = int64_t{layout.text_em} * layout.text_room / extent.cx;
  return create_font_pixels(view_settings.font_name, static_cast<int>(em > 1 ? em : 1), bold);
}

// The text with every digit as '0': texts of one shape take one font.
void shape_of(const char* text, char (&shape)[match_callout_text_size]) noexcept {
  std::size_t n = 0;
  for (; n + 1 < sizeof shape && text[n] != '\0'; ++n) shape[n] = text[n] >= '0' && text[n] <= '9' ? '0' : text[n];
  shape[n] = '\0';
}

HFONT font_for(board_banner_gdi& banner, HDC dc, const board_banner_layout& layout, const char* text,
               int length) noexcept {
  char shape[match_callout_text_size];
  shape_of(text, shape);
  for (int i = 0; i < board_banner_fonts; ++i) {
    if (banner.fonts[i] && std::strcmp(banner.font_texts[i], shape) == 0) return banner.fonts[i].get();
  }
  const int slot = banner.next_font;
  banner.next_font = (slot + 1) % board_banner_fonts;
  banner.fonts[slot].reset(fitted_font(dc, layout, text, length));
  std::memcpy(banner.font_texts[slot], shape, sizeof shape);
  return banner.fonts[slot].get();
}

// Draws the banner into its surface, a band of `layout` moved to (0, 0).
void draw_surface(board_banner_gdi& banner, HDC like, const board_banner_layout& layout, const char* text,
                  int length) noexcept {
  const int w = layout.band.right - layout.band.left;
  const int h = layout.band.bottom - layout.band.top;
  BITMAP kept = {};
  if (banner.surface.bitmap() != nullptr) GetObjectA(banner.surface.bitmap(), sizeof kept, &kept);
  if (kept.bmWidth != w || kept.bmHeight != h) {
    banner.surface.reset(CreateCompatibleDC(like));
    banner.surface.select_owned(CreateCompatibleBitmap(like, w, h));
    SetBkMode(banner.surface.get(), TRANSPARENT);
  }
  banner.drawn_text[0] = '\0';
  if (banner.surface.bitmap() == nullptr) return;
  if (!banner.back) banner.back.reset(CreateSolidBrush(static_cast<COLORREF>(view_settings.color_name_back)));
  if (!banner.edge) banner.edge.reset(CreateSolidBrush(static_cast<COLORREF>(view_settings.color_score_text)));
  HDC dc = banner.surface.get();
  const RECT inner = {0, layout.frame, w, h - layout.frame};
  const RECT top_edge = {0, 0, w, inner.top};
  const RECT bottom_edge = {0, inner.bottom, w, h};
  FillRect(dc, &top_edge, banner.edge.get());
  FillRect(dc, &bottom_edge, banner.edge.get());
  FillRect(dc, &inner, banner.back.get());
  select_guard selected(dc, font_for(banner, dc, layout, text, length));
  SetTextColor(dc, static_cast<COLORREF>(view_settings.color_score_text));
  draw_text_centered(dc, text, length, &inner);
  std::memcpy(banner.drawn_text, text, static_cast<std::size_t>(length) + 1);
}

}  // namespace

void board_banner_show(board_banner_gdi& banner, HDC like, const SIZE& client, const char* text) noexcept {
  const int length = static_cast<int>(std::strlen(text));
  if (length == 0 || length >= match_callout_text_size) {
    board_banner_hide(banner);
    return;
  }
  const board_banner_layout layout = board_banner_layout_of(client.cx, client.cy);
  const RECT band = to_rect(layout.band);
  const bool redraw = std::strcmp(banner.drawn_text, text) != 0;
  if (redraw) draw_surface(banner, like, layout, text, length);
  if (banner.drawn_text[0] == '\0') {  // no room for the surface: no banner
    board_banner_hide(banner);
    return;
  }
  if (!redraw && EqualRect(&band, &banner.band)) return;
  if (!IsRectEmpty(&banner.band)) add_changed(banner.changed, banner.band);
  banner.band = band;
  add_changed(banner.changed, band);
}

void board_banner_hide(board_banner_gdi& banner) noexcept {
  if (IsRectEmpty(&banner.band)) return;
  add_changed(banner.changed, banner.band);
  banner.band = RECT{};
}

void board_banner_paint(const board_banner_gdi& banner, HDC window_dc, const RECT& area, HDC buffer) noexcept {
  RECT over = {};
  if (IsRectEmpty(&banner.band) || !IntersectRect(&over, &area, &banner.band)) {
    BitBlt(window_dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer, area.left,
           area.top, SRCCOPY);
    return;
  }
  // The band runs the window's width: the board above and below it, the banner between.
  const int width = area.right - area.left;
  if (area.top < over.top) {
    BitBlt(window_dc, area.left, area.top, width, over.top - area.top, buffer, area.left, area.top, SRCCOPY);
  }
  if (over.bottom < area.bottom) {
    BitBlt(window_dc, area.left, over.bottom, width, area.bottom - over.bottom, buffer, area.left, over.bottom, SRCCOPY);
  }
  BitBlt(window_dc, over.left, over.top, over.right - over.left, over.bottom - over.top, banner.surface.get(),
         over.left - banner.band.left, over.top - banner.band.top, SRCCOPY);
}

void board_banner_release(board_banner_gdi& banner) noexcept {
  banner.surface.reset();
  banner.drawn_text[0] = '\0';
  banner.band = RECT{};
  for (unique_hfont& font : banner.fonts) font.reset();
  banner.next_font = 0;
}

void board_banner_invalidate(board_banner_gdi& banner, HWND window) noexcept {
  if (IsRectEmpty(&banner.changed)) return;
  InvalidateRect(window, &banner.changed, FALSE);
  banner.changed = RECT{};
}
