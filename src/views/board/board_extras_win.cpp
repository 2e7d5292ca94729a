#include "views/board/board_extras_win.h"

#include <cstring>

#include "draw/fonts_win.h"
#include "match/match_memory_win.h"
#include "match/match_state.h"
#include "settings/settings_table.h"

namespace {

constexpr int bold = 700;

void make_font(unique_hfont& font, int32_t height, bool wanted) {
  font.reset(wanted && height > 0 ? create_font_pixels(view_settings.font_name, height, bold) : nullptr);
}

void draw_line(HDC dc, HFONT font, color_ref colour, const char* text, const board_box& box) noexcept {
  const int length = static_cast<int>(std::strlen(text));
  if (font == nullptr || length == 0 || pixel_box_empty(box)) return;
  select_guard font_guard(dc, font);
  SetTextColor(dc, static_cast<COLORREF>(colour));
  const RECT r = to_rect(box);
  draw_text_centered(dc, text, length, &r);
}

// One line centred across `box`, its digits in the middle of the box's
// height: the cell starts `raise` above the middle. Clipped to the box.
void draw_line_raised(HDC dc, HFONT font, color_ref colour, const char* text, const board_box& box,
                      int32_t raise) noexcept {
  const int length = static_cast<int>(std::strlen(text));
  if (font == nullptr || length == 0 || pixel_box_empty(box)) return;
  select_guard font_guard(dc, font);
  SetTextColor(dc, static_cast<COLORREF>(colour));
  SIZE extent = {};
  GetTextExtentPoint32A(dc, text, length, &extent);
  const RECT r = to_rect(box);
  const int32_t x = box.left + (box.right - box.left - extent.cx) / 2;
  const int32_t y = box.top + (box.bottom - box.top) / 2 - raise;
  ExtTextOutA(dc, x, y, ETO_CLIPPED, &r, text, static_cast<UINT>(length), nullptr);
}

void draw_mark(HDC dc, const board_extras_gdi& gdi, const board_box& box) noexcept {
  if (pixel_box_empty(box) || !gdi.mark_brush) return;
  select_guard brush(dc, gdi.mark_brush.get());
  select_guard pen(dc, gdi.mark_pen.get());
  Ellipse(dc, box.left, box.top, box.right, box.bottom);
}

// A frame `width` thick along the inside of `box`.
void draw_frame(HDC dc, HBRUSH brush, const board_box& box, int32_t width) noexcept {
  if (brush == nullptr || pixel_box_empty(box) || width <= 0) return;
  const RECT sides[4] = {{box.left, box.top, box.right, box.top + width},
                         {box.left, box.bottom - width, box.right, box.bottom},
                         {box.left, box.top + width, box.left + width, box.bottom - width},
                         {box.right - width, box.top + width, box.right, box.bottom - width}};
  for (const RECT& r : sides) FillRect(dc, &r, brush);
}

color_ref route_colour(const board_extras_content& content, int player) {
  return content.route_waiting[player] != 0 ? view_extras.color_checkout_waiting : view_settings.color_score_text;
}

int32_t text_width(HDC dc, const char* text) noexcept {
  SIZE extent = {};
  GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
  return extent.cx;
}

}  // namespace

board_score_font board_measure_score_font(HDC dc, HFONT font) noexcept {
  board_score_font f = {};
  if (font == nullptr) return f;
  select_guard selected(dc, font);
  TEXTMETRICA metrics = {};
  if (!GetTextMetricsA(dc, &metrics)) return f;
  GLYPHMETRICS glyph = {};
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  int32_t digit_top = metrics.tmAscent - metrics.tmInternalLeading;  // where the glyph cannot be read
  if (GetGlyphOutlineA(dc, '0', GGO_METRICS, &glyph, 0, nullptr, &identity) != GDI_ERROR) {
    digit_top = glyph.gmptGlyphOrigin.y;
  }
  f.em = metrics.tmHeight - metrics.tmInternalLeading;
  f.cell = metrics.tmHeight;
  f.ascent = metrics.tmAscent;
  f.ink_top = metrics.tmAscent - digit_top;
  f.route_width = text_width(dc, "T20 T20 BULL");
  f.visit_width = text_width(dc, "180");
  f.average_width = text_width(dc, "100.00");
  return f;
}

board_extras_content board_extras_content_now(const match_state* match, const int32_t (&last_visit)[2]) noexcept {
  int32_t first = -1;
  int32_t current = -1;
  const view_window_extras& o = view_extras;
  // The leg table is read only for an option that needs it.
  if (o.show_checkout != 0 || o.show_first_mark != 0 || o.show_turn != 0) {
    match_current_players(match, match_bytes_readable, &first, &current);
  }
  return board_extras_content_of(o, match, first, current, last_visit);
}

void board_extras_create(board_extras_gdi& gdi, HDC buffer, HFONT score_font, const SIZE& client,
                         bool bitmap_mode) noexcept {
  const view_window_extras& o = view_extras;
  if (!board_extras_any(o)) return;
  if (bitmap_mode) {
    for (int p = 0; p < 2; ++p) {
      const board_extras_skin_layout layout = board_extras_layout_skin(o, p);
      make_font(gdi.route_font[p], layout.route_height, o.show_checkout != 0);
      make_font(gdi.average_font[p], layout.average_height, o.show_average != 0);
      make_font(gdi.visit_font[p], layout.visit_height, o.show_last_visit != 0);
    }
  } else {
    gdi.score = board_measure_score_font(buffer, score_font);
    const board_text_layout boxes = board_layout_text(client.cx, client.cy, view_settings.visible_set != 0);
    const board_extras_text_layout layout = board_extras_layout_text(o, boxes, client.cx, gdi.score);
    make_font(gdi.text_font, layout.text_em, true);
  }
  if (o.show_first_mark != 0) {
    gdi.mark_brush.reset(CreateSolidBrush(static_cast<COLORREF>(o.color_first_mark)));
    gdi.mark_pen.reset(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(o.color_first_mark)));
  }
  if (o.show_turn != 0) gdi.turn_brush.reset(CreateSolidBrush(static_cast<COLORREF>(o.color_turn)));
}

void board_extras_release(board_extras_gdi& gdi) noexcept {
  gdi.text_font.reset();
  gdi.score = board_score_font{};
  for (int p = 0; p < 2; ++p) {
    gdi.route_font[p].reset();
    gdi.average_font[p].reset();
    gdi.visit_font[p].reset();
  }
  gdi.mark_brush.reset();
  gdi.mark_pen.reset();
  gdi.turn_brush.reset();
}

void board_extras_paint_text(HDC dc, const board_extras_gdi& gdi, const board_text_layout& boxes, int32_t width,
                             HBRUSH band_brush, const board_extras_content& content) noexcept {
  const view_window_extras& o = view_extras;
  if (!board_extras_any(o)) return;
  const board_extras_text_layout layout = board_extras_layout_text(o, boxes, width, gdi.score);
  HFONT font = gdi.text_font.get();
  const int32_t raise = layout.text_raise;
  for (int p = 0; p < 2; ++p) {
    if (o.show_average != 0 && !pixel_box_empty(layout.average[p])) {
      const RECT band = to_rect(layout.average[p]);
      FillRect(dc, &band, band_brush);
      draw_line_raised(dc, font, view_settings.color_name_text, content.average[p], layout.average[p], raise);
    }
    if (!pixel_box_empty(layout.lower_band[p])) {
      const RECT band = to_rect(layout.lower_band[p]);
      FillRect(dc, &band, band_brush);
      draw_line_raised(dc, font, view_settings.color_head_text, content.visit[p], layout.visit[p], raise);
      draw_line_raised(dc, font, route_colour(content, p), content.route[p], layout.route[p], raise);
    }
    if (content.first_mark[p] != 0) draw_mark(dc, gdi, layout.mark[p]);
    if (content.turn[p] != 0) draw_frame(dc, gdi.turn_brush.get(), layout.turn[p], layout.turn_width);
  }
}

void board_extras_paint_skin(HDC compose, const board_extras_gdi& gdi, const board_extras_content& content) noexcept {
  const view_window_extras& o = view_extras;
  if (!board_extras_any(o)) return;
  for (int p = 0; p < 2; ++p) {
    const board_extras_skin_layout layout = board_extras_layout_skin(o, p);
    draw_line(compose, gdi.average_font[p].get(), view_settings.color_name_text, content.average[p], layout.average);
    draw_line(compose, gdi.route_font[p].get(), route_colour(content, p), content.route[p], layout.route);
    draw_line(compose, gdi.visit_font[p].get(), view_settings.color_head_text, content.visit[p], layout.visit);
    if (content.first_mark[p] != 0) draw_mark(compose, gdi, layout.mark);
    if (content.turn[p] != 0) draw_frame(compose, gdi.turn_brush.get(), layout.turn, layout.turn_width);
  }
}
