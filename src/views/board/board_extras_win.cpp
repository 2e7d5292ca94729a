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

void draw_mark(HDC dc, const board_extras_gdi& gdi, const board_box& box) noexcept {
  if (pixel_box_empty(box) || !gdi.mark_brush) return;
  select_guard brush(dc, gdi.mark_brush.get());
  select_guard pen(dc, gdi.mark_pen.get());
  Ellipse(dc, box.left, box.top, box.right, box.bottom);
}

}  // namespace

board_extras_content board_extras_content_now(const match_state* match) noexcept {
  int32_t first = -1;
  int32_t current = -1;
  // The leg table is read only for an option that needs it.
  if (view_extras.show_checkout != 0 || view_extras.show_first_mark != 0) match_current_players(match, match_bytes_readable, &first, &current);
  return board_extras_content_of(view_extras, match, first, current);
}

void board_extras_create(board_extras_gdi& gdi, const SIZE& client, bool bitmap_mode) noexcept {
  const view_window_extras& o = view_extras;
  if (!board_extras_any(o)) return;
  if (bitmap_mode) {
    for (int p = 0; p < 2; ++p) {
      const board_extras_skin_layout layout = board_extras_layout_skin(o, p);
      make_font(gdi.route_font[p], layout.route_height, o.show_checkout != 0);
      make_font(gdi.average_font[p], layout.average_height, o.show_average != 0);
    }
  } else {
    const board_text_layout boxes = board_layout_text(client.cx, client.cy, view_settings.visible_set != 0);
    const board_extras_text_layout layout = board_extras_layout_text(boxes, client.cx);
    for (int p = 0; p < 2; ++p) {
      make_font(gdi.route_font[p], layout.route_height, o.show_checkout != 0);
      make_font(gdi.average_font[p], layout.average_height, o.show_average != 0);
    }
  }
  if (o.show_first_mark != 0) {
    gdi.mark_brush.reset(CreateSolidBrush(static_cast<COLORREF>(o.color_first_mark)));
    gdi.mark_pen.reset(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(o.color_first_mark)));
  }
}

void board_extras_release(board_extras_gdi& gdi) noexcept {
  for (int p = 0; p < 2; ++p) {
    gdi.route_font[p].reset();
    gdi.average_font[p].reset();
  }
  gdi.mark_brush.reset();
  gdi.mark_pen.reset();
}

void board_extras_paint_text(HDC dc, const board_extras_gdi& gdi, const board_text_layout& boxes, int32_t width,
                             HBRUSH name_brush, const board_extras_content& content) noexcept {
  const view_window_extras& o = view_extras;
  if (!board_extras_any(o)) return;
  const board_extras_text_layout layout = board_extras_layout_text(boxes, width);
  for (int p = 0; p < 2; ++p) {
    if (o.show_average != 0 && !pixel_box_empty(layout.average[p])) {
      const RECT band = to_rect(layout.average[p]);
      FillRect(dc, &band, name_brush);
      draw_line(dc, gdi.average_font[p].get(), view_settings.color_name_text, content.average[p], layout.average[p]);
    }
    draw_line(dc, gdi.route_font[p].get(), view_settings.color_score_text, content.route[p], layout.route[p]);
    if (content.first_mark[p] != 0) draw_mark(dc, gdi, layout.mark[p]);
  }
}

void board_extras_paint_skin(HDC compose, const board_extras_gdi& gdi, const board_extras_content& content) noexcept {
  const view_window_extras& o = view_extras;
  if (!board_extras_any(o)) return;
  for (int p = 0; p < 2; ++p) {
    const board_extras_skin_layout layout = board_extras_layout_skin(o, p);
    draw_line(compose, gdi.average_font[p].get(), view_settings.color_name_text, content.average[p], layout.average);
    draw_line(compose, gdi.route_font[p].get(), view_settings.color_score_text, content.route[p], layout.route);
    if (content.first_mark[p] != 0) draw_mark(compose, gdi, layout.mark);
  }
}
