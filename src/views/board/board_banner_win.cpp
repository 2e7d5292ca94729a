#include "views/board/board_banner_win.h"

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

}  // namespace

void board_banner_drop(board_banner_gdi& banner) noexcept {
  if (IsRectEmpty(&banner.drawn)) return;
  add_changed(banner.changed, banner.drawn);
  banner.drawn = RECT{};
}

void board_banner_lift(board_banner_gdi& banner, HDC buffer) noexcept {
  if (IsRectEmpty(&banner.drawn)) return;
  const RECT& r = banner.drawn;
  BitBlt(buffer, r.left, r.top, r.right - r.left, r.bottom - r.top, banner.under.get(), 0, 0, SRCCOPY);
  add_changed(banner.changed, r);
  banner.drawn = RECT{};
}

void board_banner_draw(board_banner_gdi& banner, HDC buffer, const SIZE& client, const char* text) noexcept {
  const int length = static_cast<int>(std::strlen(text));
  if (length == 0) return;
  const board_banner_layout layout = board_banner_layout_of(client.cx, client.cy);
  const RECT band = to_rect(layout.band);
  const int w = band.right - band.left;
  const int h = band.bottom - band.top;
  if (!banner.back) banner.back.reset(CreateSolidBrush(static_cast<COLORREF>(view_settings.color_name_back)));
  if (!banner.edge) banner.edge.reset(CreateSolidBrush(static_cast<COLORREF>(view_settings.color_score_text)));
  // What the banner covers, kept at the band's size.
  BITMAP kept = {};
  if (banner.under.bitmap() != nullptr) GetObjectA(banner.under.bitmap(), sizeof kept, &kept);
  if (kept.bmWidth != w || kept.bmHeight != h) {
    banner.under.reset(CreateCompatibleDC(buffer));
    banner.under.select_owned(CreateCompatibleBitmap(buffer, w, h));
  }
  if (banner.under.bitmap() == nullptr) return;  // no room to keep the board: no banner
  BitBlt(banner.under.get(), 0, 0, w, h, buffer, band.left, band.top, SRCCOPY);
  banner.drawn = band;
  add_changed(banner.changed, band);

  const RECT inner = {band.left, band.top + layout.frame, band.right, band.bottom - layout.frame};
  const RECT top_edge = {band.left, band.top, band.right, inner.top};
  const RECT bottom_edge = {band.left, inner.bottom, band.right, band.bottom};
  FillRect(buffer, &top_edge, banner.edge.get());
  FillRect(buffer, &bottom_edge, banner.edge.get());
  FillRect(buffer, &inner, banner.back.get());
  select_guard selected(buffer, font_for(banner, buffer, layout, text, length));
  SetTextColor(buffer, static_cast<COLORREF>(view_settings.color_score_text));
  draw_text_centered(buffer, text, length, &inner);
}

void board_banner_release(board_banner_gdi& banner) noexcept {
  banner.under.reset();
  banner.drawn = RECT{};
  for (unique_hfont& font : banner.fonts) font.reset();
  banner.next_font = 0;
}

void board_banner_invalidate(board_banner_gdi& banner, HWND window) noexcept {
  if (IsRectEmpty(&banner.changed)) return;
  InvalidateRect(window, &banner.changed, FALSE);
  banner.changed = RECT{};
}
