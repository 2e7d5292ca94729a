#include "views/result/result_window_win.h"

#include <algorithm>

#include "draw/fonts_win.h"
#include "match/match_state.h"
#include "settings/settings_table.h"

namespace {

constexpr int bold = FW_BOLD;

int32_t probe_tm_height(void* context, int32_t points) {
  const auto* probe = static_cast<const result_dc_probe*>(context);
  return result_measure_tm_height(probe->dc, probe->face, points);
}

void fill(HDC dc, const table_box& box, HBRUSH brush) noexcept {
  const RECT r = to_rect(box);
  FillRect(dc, &r, brush);
}

void draw_centered(HDC dc, const char* text, int length, const table_box& box) noexcept {
  const RECT r = to_rect(box);
  draw_text_centered(dc, text, length, &r);
}

frame_state_head* create_state(HWND, const match_state* match) noexcept {
  auto* state = frame_new_state<result_window_state>(match);
  if (state == nullptr) return nullptr;
  state->line_brush.reset(frame_solid_brush(result_settings.color_line_color));
  state->head_brush.reset(frame_solid_brush(result_settings.color_head_back));
  state->body_brush.reset(frame_solid_brush(result_settings.color_body_back));
  return state;
}

}  // namespace

HWND result_hwnd = nullptr;
int32_t average_mode = 0;

const view_description result_description = {
    .class_name = "dsv_result_wnd",
    .title = "dsv Result",
    .settings = {&result_settings.geometry, &result_settings.reslut_size_width, &result_settings.reslut_full_screen,
                 nullptr},
    .refreshes_twice = false,
    .second_refresh_ms = 0,
    .menu = {{{menu_id::full_screen, menu_command::full_screen},
              {0, menu_command::separator},
              {menu_id::result_close, menu_command::close}},
             3},
    .window = &result_hwnd,
    .procedure = frame_procedure<result_description>,
    .create_state = create_state,
    .destroy_state = frame_destroy_op<result_window_state>,
    .build_buffer = frame_op<result_window_state, result_create_buffer>,
    .release_buffer = frame_op<result_window_state, result_release_buffer>,
    .paint = frame_op<result_window_state, result_paint_table>,
    .show = nullptr,
    .copy_to_window = nullptr,
    .timer = nullptr,
    .command = nullptr,
};

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

void result_create_buffer(HWND window, result_window_state* state) noexcept {
  result_build_buffer(window, state, result_fit_font_fast);
}

void result_release_buffer(HWND, result_window_state* state) noexcept {
  frame_release_buffer_bitmap(*state);
  state->name_font.reset();
  state->table_font.reset();
  state->table_height = 0;
  state->table_ave_width = 0;
}

void result_paint_table(HWND window, result_window_state* state) noexcept {
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
}
