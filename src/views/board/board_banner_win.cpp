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

}  // namespace

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

  FillRect(buffer, &band, banner.edge.get());
  const RECT inner = {band.left, band.top + layout.frame, band.right, band.bottom - layout.frame};
  FillRect(buffer, &inner, banner.back.get());
  unique_hfont font(fitted_font(buffer, layout, text, length));
  select_guard selected(buffer, font.get());
  SetTextColor(buffer, static_cast<COLORREF>(view_settings.color_score_text));
  draw_text_centered(buffer, text, length, &inner);
}

void board_banner_release(board_banner_gdi& banner) noexcept {
  banner.under.reset();
  banner.drawn = RECT{};
}

void board_banner_invalidate(board_banner_gdi& banner, HWND window) noexcept {
  if (IsRectEmpty(&banner.changed)) return;
  InvalidateRect(window, &banner.changed, FALSE);
  banner.changed = RECT{};
}
