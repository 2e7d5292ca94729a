#include "views/result/result_window_win.h"

#include <algorithm>

#include "draw/fonts_win.h"
#include "match/match_state.h"
#include "plugin/plugin_globals.h"

namespace {

constexpr int bold = FW_BOLD;

int32_t probe_tm_height(void* context, int32_t points) {
  const auto* probe = static_cast<const result_dc_probe*>(context);
  return result_measure_tm_height(probe->dc, probe->face, points);
}

RECT to_rect(const table_box& box) noexcept { return RECT{box.left, box.top, box.right, box.bottom}; }

void fill(HDC dc, const table_box& box, HBRUSH brush) noexcept {
  const RECT r = to_rect(box);
  FillRect(dc, &r, brush);
}

void draw_centered(HDC dc, const char* text, int length, const table_box& box) noexcept {
  const RECT r = to_rect(box);
  draw_text_centered(dc, text, length, &r);
}

result_window_state* as_result(frame_state_head* head) noexcept { return static_cast<result_window_state*>(head); }

int create_buffer_op(HWND window, frame_state_head* head) { return result_create_buffer(window, as_result(head)); }
int release_buffer_op(HWND window, frame_state_head* head) { return result_release_buffer(window, as_result(head)); }
int paint_op(HWND window, frame_state_head* head) { return result_paint_table(window, as_result(head)); }

frame_state_head* create_state(HWND window, const match_state* match) {
  auto* state = frame_new_state<result_window_state>();
  if (state == nullptr) return nullptr;
  state->match = match;
  {
    window_dc dc(window);
    state->mem_dc.reset(CreateCompatibleDC(dc.get()));
  }
  result_create_buffer(window, state);
  SetBkMode(state->mem_dc.get(), TRANSPARENT);
  state->line_brush.reset(frame_solid_brush(result_settings.color_line_color));
  state->head_brush.reset(frame_solid_brush(result_settings.color_head_back));
  state->body_brush.reset(frame_solid_brush(result_settings.color_body_back));
  result_paint_table(window, state);
  return state;
}

void destroy_state(HWND window, frame_state_head* head) {
  result_window_state* state = as_result(head);
  result_release_buffer(window, state);
  state->mem_dc.reset();
  state->line_brush.reset();
  state->head_brush.reset();
  state->body_brush.reset();
  frame_delete_state(state);
}

const view_ops ops = {view_kind::result, create_state, destroy_state, create_buffer_op, release_buffer_op, paint_op,
                      nullptr};

}  // namespace

int32_t result_measure_tm_height(HDC dc, const char* face, int32_t points) noexcept {
  unique_hfont font(create_font(face, points, bold));
  TEXTMETRICA metrics = {};
  {
    select_guard selected(dc, font.get());
    GetTextMetricsA(dc, &metrics);
  }
  return metrics.tmHeight;
}

result_font_probe result_dc_probe::probe() noexcept { return {probe_tm_height, this}; }

result_font_fit result_build_buffer(HWND window, result_window_state* state, result_font_search search) noexcept {
  const SIZE client = frame_create_buffer_bitmap(window, *state);
  result_font_fit fit{};
  {
    window_dc dc(window);
    result_dc_probe probe = {dc.get(), result_settings.font_name};
    // The search starts at the smaller client side, a size in points far too large.
    fit = search(std::min(client.cx, client.cy), client.cy, result_settings.reslut_line_width, probe.probe());
  }
  state->font_size = fit.font_size;
  state->name_font.reset(create_menu_font(state->font_size, bold));
  state->table_font.reset(create_font(result_settings.font_name, state->font_size, bold));
  TEXTMETRICA metrics = {};
  {
    select_guard selected(state->mem_dc.get(), state->table_font.get());
    GetTextMetricsA(state->mem_dc.get(), &metrics);
  }
  state->table_height = metrics.tmHeight;
  state->table_ave_width = metrics.tmAveCharWidth;
  return fit;
}

int result_create_buffer(HWND window, result_window_state* state) noexcept {
  result_build_buffer(window, state, result_fit_font_fast);
  return 1;
}

int result_release_buffer(HWND, result_window_state* state) noexcept {
  frame_release_buffer_bitmap(*state);
  state->name_font.reset();
  state->table_font.reset();
  state->table_height = 0;
  state->table_ave_width = 0;
  return 1;
}

int result_paint_table(HWND window, result_window_state* state) noexcept {
  HDC dc = state->mem_dc.get();
  RECT client = {};
  GetClientRect(window, &client);
  FillRect(dc, &client, state->line_brush.get());

  const result_layout layout = result_table_layout(client.right, client.bottom, result_settings.reslut_line_width,
                                                   state->table_height, state->table_ave_width);
  fill(dc, layout.header, state->head_brush.get());
  fill(dc, layout.body, state->body_brush.get());

  char text[result_text_size];
  for (int player = 0; player < 2; ++player) {
    {
      select_guard selected(dc, state->name_font.get());
      SetTextColor(dc, result_settings.color_head_text);
      const match_name name = match_player_name(state->match, player);
      RECT box = to_rect(layout.names[player]);
      const UINT align = player == 0 ? DT_LEFT : DT_RIGHT;
      // DT_NOPREFIX: an ampersand in a name is a character, not a prefix.
      DrawTextA(dc, name.text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | align);
    }
    select_guard selected(dc, state->table_font.get());
    const result_player_figures figures = result_player_figures_of(state->match, player);
    for (int row = 0; row < result_row_count; ++row) {
      if (player == 0) {
        SetTextColor(dc, result_settings.color_title_text);
        draw_centered(dc, result_row_labels[row], lstrlenA(result_row_labels[row]), result_label_box(layout, row));
      }
      SetTextColor(dc, result_settings.color_stats_text);
      const int length = result_value_text(figures, row, average_mode, text);
      draw_centered(dc, text, length, result_value_box(layout, row, player));
    }
  }
  return 1;
}

ATOM result_register_class(HINSTANCE instance) noexcept {
  return frame_register_class(instance, "dsv_result_wnd", result_wnd_proc);
}

HWND result_create_window(HINSTANCE instance, const match_state* match) noexcept {
  return frame_create_window(instance, view_kind::result, "dsv_result_wnd", "dsv Result", match);
}

LRESULT CALLBACK result_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  return frame_wnd_proc(ops, window, message, wparam, lparam);
}
