#include "views/board/view_window_win.h"

#include <cstring>

#include "announce/announce_win.h"
#include "draw/fonts_win.h"
#include "draw/view_messages.h"
#include "match/match_memory_win.h"
#include "match/match_state.h"
#include "settings/settings_table.h"
#include "views/board/board_layout.h"
#include "views/board/view_skin_files_win.h"

namespace {

void paint_text(view_window_state* state, const RECT& client) noexcept;

// Names are shown as the host keeps them: an ampersand is a character, not a prefix.
constexpr UINT name_format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
constexpr int bold = 700;

COLORREF colour(color_ref value) { return static_cast<COLORREF>(value); }

// A memory DC compatible with `like` holding the skin's `bitmap`, which the state keeps.
void select_skin(HDC like, HBITMAP bitmap, memory_dc& dc, BITMAP& info) noexcept {
  info = BITMAP{};
  GetObjectA(bitmap, sizeof info, &info);
  dc.reset(CreateCompatibleDC(like));
  dc.select_borrowed(bitmap);
}

void draw_name(HDC dc, HFONT font, color_ref text_colour, const match_state* match, int player, RECT box) noexcept {
  match_name name = match_player_name(match, player);
  select_guard font_guard(dc, font);
  SetTextColor(dc, colour(text_colour));
  DrawTextA(dc, name.text, -1, &box, name_format);
}

void draw_number_centered(HDC dc, int32_t value, const board_box& box) noexcept {
  char text[board_number_text_size];
  const int length = board_number_text(value, text);
  const RECT r = to_rect(box);
  draw_text_centered(dc, text, length, &r);
}

// A number from a digit strip with its top-left field corner at (x, y), in
// background pixels. Copies only whole cells inside the strip.
void draw_strip_number(HDC to, HDC strip, int32_t cell, int32_t height, int32_t value, int32_t x,
                       int32_t y) noexcept {
  if (strip == nullptr) return;
  const board_digit_run run = board_digit_cells(value, x, cell);
  for (int k = 0; k < run.count; ++k) {
    if (run.cells[k].source_x < 0) continue;
    BitBlt(to, run.cells[k].dest_x, y, cell, height, strip, run.cells[k].source_x, 0, SRCCOPY);
  }
}

bool position_set(int32_t x, int32_t y) { return x >= 1 && y >= 1; }

view_skin_key skin_key_of(const view_window_settings& s, const match_state* match, const RECT& client) noexcept {
  view_skin_key key;
  std::memset(&key, 0, sizeof key);  // names compare whole, bytes after the text included
  for (int p = 0; p < 2; ++p) {
    const match_name name = match_player_name(match, p);
    static_assert(sizeof key.names[p] >= sizeof name.text, "a whole name fits the key");
    std::memcpy(key.names[p], name.text, sizeof name.text);
    key.numbers[p][0] = match_player_score(match, p);
    key.numbers[p][1] = match_player_sets(match, p);
    key.numbers[p][2] = match_player_legs(match, p);
    key.name_box[p][0] = s.bmp_name_left[p];
    key.name_box[p][1] = s.bmp_name_top[p];
    key.name_box[p][2] = s.bmp_name_right[p];
    key.name_box[p][3] = s.bmp_name_bottom[p];
    key.positions[p][0] = s.bmp_score_x[p];
    key.positions[p][1] = s.bmp_score_y[p];
    key.positions[p][2] = s.bmp_sets_x[p];
    key.positions[p][3] = s.bmp_sets_y[p];
    key.positions[p][4] = s.bmp_legs_x[p];
    key.positions[p][5] = s.bmp_legs_y[p];
  }
  key.name_colour = static_cast<uint32_t>(s.color_name_text);
  key.width = client.right;
  key.height = client.bottom;
  return key;
}

// Feeds the tracker the record of this notice, tells the caller and the feed,
// and raises or takes down the banner; nothing is read while none needs it.
void follow_match(HWND window, view_window_state& state) noexcept {
  const view_window_extras& o = view_extras;
  const bool announcing = announce_on(window);
  if (o.show_last_visit == 0 && o.show_callout == 0 && !announcing) return;
  const match_snapshot before = state.tracker.previous;
  const match_snapshot now = match_snapshot_of(state.match, match_bytes_readable);
  const match_events events = match_tracker_update(state.tracker, now);
  if (announcing) announce_events(window, state.match, now, events, state.tracker);
  if (o.show_callout == 0) return;
  // One timer at a time: a banner raised while it runs moves the deadline,
  // and the timer, when it fires, waits on until then. A banner taken down
  // early leaves the timer to find nothing to do.
  if (board_callout_step(state.callout, events, before, now) == board_callout_change::raise) {
    const uint32_t ms = board_callout_milliseconds(o.callout_seconds);
    state.callout_deadline = GetTickCount() + ms;
    if (!state.callout_timer_running) {
      SetTimer(window, board_callout_timer_id, ms, nullptr);
      state.callout_timer_running = true;
    }
  }
}

frame_state_head* create_state(HWND window, const match_state* match) noexcept {
  auto* state = frame_new_state<view_window_state>(match);
  if (state == nullptr) return nullptr;
  view_load_skin(window, *state);
  const view_window_settings& s = view_settings;
  state->back_brush.reset(frame_solid_brush(s.color_line_color));
  state->name_brush.reset(frame_solid_brush(s.color_name_back));
  state->sets_brush.reset(frame_solid_brush(s.color_sets_back));
  state->legs_brush.reset(frame_solid_brush(s.color_legs_back));
  state->score_brush.reset(frame_solid_brush(s.color_score_back));
  announce_open(window);
  return state;
}

void destroy_state(HWND window, frame_state_head* head) noexcept {
  announce_close(window);  // silences the caller before the window goes
  frame_destroy_op<view_window_state>(window, head);
}

}  // namespace

HWND view_hwnd = nullptr;

const view_description board_description = {
    .class_name = "dsv_view_wnd",
    .title = "dsv View",
    .settings = {&view_settings.geometry, &view_settings.size_width, &view_settings.full_screen,
                 &view_settings.visible_set},
    .refreshes_twice = true,
    .second_refresh_ms = 1,
    .menu = {{{menu_id::full_screen, menu_command::full_screen},
              {menu_id::sets, menu_command::sets},
              {0, menu_command::separator},
              {menu_id::close, menu_command::close}},
             4},
    .window = &view_hwnd,
    .procedure = frame_procedure<board_description>,
    .create_state = create_state,
    .destroy_state = destroy_state,
    .build_buffer = frame_op<view_window_state, view_create_buffer>,
    .release_buffer = frame_op<view_window_state, view_release_buffer>,
    .paint = frame_op<view_window_state, view_paint_board>,
    .show = frame_op<view_window_state, view_show_changes>,
    .copy_to_window = view_copy_to_window,
    .timer = frame_timer_op<view_window_state, view_callout_timer>,
    .command = nullptr,
};

void view_copy_to_window(HWND, frame_state_head* head, HDC window_dc, const RECT& area) noexcept {
  const auto* state = static_cast<const view_window_state*>(head);
  board_banner_paint(state->banner, window_dc, area, state->mem_dc.get());
}

void view_callout_timer(HWND window, view_window_state* state, uintptr_t id) noexcept {
  if (id != board_callout_timer_id) return;
  const int32_t left = static_cast<int32_t>(state->callout_deadline - GetTickCount());
  if (state->callout.shown && left > 0) {
    SetTimer(window, id, static_cast<UINT>(left), nullptr);  // raised again since: wait on
    return;
  }
  KillTimer(window, id);
  state->callout_timer_running = false;
  if (!state->callout.shown) return;
  state->callout = board_callout{};
  board_banner_hide(state->banner);
  board_banner_invalidate(state->banner, window);
  UpdateWindow(window);
}

void view_show_changes(HWND window, view_window_state* state) noexcept {
  const stretch_cache& c = state->stretch;
  if (!state->skin_back || c.changed_parts < 0) {
    state->banner.changed = RECT{};  // within the whole client, shown below
    InvalidateRect(window, nullptr, FALSE);
  } else {
    board_banner_invalidate(state->banner, window);
    const RECT& band = state->banner.band;
    for (int i = 0; i < c.changed_parts; ++i) {
      const stretch_rect& r = c.parts[i].copy;
      const RECT part = {r.left, r.top, r.right, r.bottom};
      RECT covered = {};
      // A part the banner covers whole does not show.
      if (IntersectRect(&covered, &part, &band) && EqualRect(&covered, &part)) continue;
      InvalidateRect(window, &part, FALSE);
    }
  }
  UpdateWindow(window);
}

void view_create_buffer(HWND window, view_window_state* state) noexcept {
  state->shown_key_valid = false;
  const SIZE client = frame_create_buffer_bitmap(window, *state);
  HDC buffer = state->mem_dc.get();  // holds the buffer now: compatible with the screen
  state->back_info = BITMAP{};
  state->num_l_info = BITMAP{};
  state->num_s_info = BITMAP{};
  state->num_l_cell = 0;
  state->num_s_cell = 0;
  if (state->skin_back) {
    select_skin(buffer, state->skin_back.get(), state->back_dc, state->back_info);
    state->compose_dc.reset(CreateCompatibleDC(buffer));
    state->compose_dc.select_owned(
        CreateCompatibleBitmap(buffer, state->back_info.bmWidth, state->back_info.bmHeight));
    if (state->compose_dc.bitmap() == nullptr) state->buffer_incomplete = true;
    SetBkMode(state->compose_dc.get(), TRANSPARENT);
    if (state->skin_num_l) {
      select_skin(buffer, state->skin_num_l.get(), state->num_l_dc, state->num_l_info);
      state->num_l_cell = board_cell_width(state->num_l_info.bmWidth);
    }
    if (state->skin_num_s) {
      select_skin(buffer, state->skin_num_s.get(), state->num_s_dc, state->num_s_info);
      state->num_s_cell = board_cell_width(state->num_s_info.bmWidth);
    }
  }
  // In bitmap mode the names are drawn at the background's size and stretched
  // to the client with it, so their font follows the background.
  const int32_t name_surface_width = state->skin_back ? state->back_info.bmWidth : client.cx;
  const board_font_sizes sizes = board_font_sizes_for(client.cx, name_surface_width, view_settings.name_font_size);
  state->name_font.reset(create_menu_font(sizes.name, bold));
  state->label_font.reset(create_font(view_settings.font_name, sizes.label, bold));
  state->score_font.reset(create_font(view_settings.font_name, sizes.score, bold));
  state->number_font.reset(create_font(view_settings.font_name, sizes.number, bold));
  board_extras_create(state->extras, buffer, state->score_font.get(), client, static_cast<bool>(state->skin_back));
}

void view_release_buffer(HWND, view_window_state* state) noexcept {
  state->shown_key_valid = false;
  stretch_cache_release(state->stretch);
  // The skin bitmaps are put back out of their DCs and survive the rebuild.
  state->num_s_dc.reset();
  state->num_l_dc.reset();
  state->back_dc.reset();
  state->compose_dc.reset();
  frame_release_buffer_bitmap(*state);
  state->score_font.reset();
  state->label_font.reset();
  state->name_font.reset();
  state->number_font.reset();
  board_extras_release(state->extras);
  board_banner_release(state->banner);
}

void view_paint_board(HWND window, view_window_state* state) noexcept {
  follow_match(window, *state);
  RECT client = {};
  GetClientRect(window, &client);
  if (state->skin_back) {
    view_paint_skin(window, state);
  } else {
    paint_text(state, client);
  }
  if (state->callout.shown) {
    board_banner_show(state->banner, state->mem_dc.get(), SIZE{client.right, client.bottom}, state->callout.text);
  } else {
    board_banner_hide(state->banner);
  }
}

namespace {

void paint_text(view_window_state* state, const RECT& client) noexcept {
  const view_window_settings& s = view_settings;
  HDC dc = state->mem_dc.get();
  FillRect(dc, &client, state->back_brush.get());

  const board_text_layout layout = board_layout_text(client.right, client.bottom, s.visible_set != 0);
  for (int player = 0; player < 2; ++player) {
    RECT r = to_rect(layout.name[player]);
    FillRect(dc, &r, state->name_brush.get());
    if (layout.sets_shown) {
      r = to_rect(layout.sets[player]);
      FillRect(dc, &r, state->sets_brush.get());
    }
    r = to_rect(layout.legs[player]);
    FillRect(dc, &r, state->legs_brush.get());
    r = to_rect(layout.score[player]);
    FillRect(dc, &r, state->score_brush.get());
  }

  {
    SetTextColor(dc, colour(s.color_head_text));
    select_guard font(dc, state->label_font.get());
    RECT r = to_rect(layout.score_label);
    draw_text_centered(dc, "SCORE", 5, &r);
    r = to_rect(layout.legs_label);
    draw_text_centered(dc, "LEGS", 4, &r);
    if (layout.sets_shown) {
      r = to_rect(layout.sets_label);
      draw_text_centered(dc, "SETS", 4, &r);
    }
  }

  const match_state* match = state->match;
  for (int player = 0; player < 2; ++player) {
    draw_name(dc, state->name_font.get(), s.color_name_text, match, player, to_rect(layout.name[player]));
    {
      select_guard font(dc, state->number_font.get());
      if (layout.sets_shown) {
        SetTextColor(dc, colour(s.color_sets_text));
        draw_number_centered(dc, match_player_sets(match, player), layout.sets[player]);
      }
      SetTextColor(dc, colour(s.color_legs_text));
      draw_number_centered(dc, match_player_legs(match, player), layout.legs[player]);
    }
    select_guard font(dc, state->score_font.get());
    SetTextColor(dc, colour(s.color_score_text));
    draw_number_centered(dc, match_player_score(match, player), layout.score[player]);
  }
  board_extras_paint_text(dc, state->extras, layout, client.right, state->score_brush.get(),
                          board_extras_content_now(match, state->tracker.last_visit));
}

}  // namespace

void view_paint_skin(HWND window, view_window_state* state) noexcept {
  const view_window_settings& s = view_settings;
  const match_state* match = state->match;
  RECT client = {};
  GetClientRect(window, &client);
  const board_extras_content extras = board_extras_content_now(match, state->tracker.last_visit);
  view_skin_key key = skin_key_of(s, match, client);
  key.extras = board_extras_key_of(view_extras, s, extras);
  if (state->shown_key_valid && std::memcmp(&key, &state->shown_key, sizeof key) == 0) {
    state->stretch.changed_parts = 0;  // the buffer is left as it is
    return;
  }

  HDC compose = state->compose_dc.get();
  const int32_t bg_w = state->back_info.bmWidth;
  const int32_t bg_h = state->back_info.bmHeight;
  BitBlt(compose, 0, 0, bg_w, bg_h, state->back_dc.get(), 0, 0, SRCCOPY);

  for (int p = 0; p < 2; ++p) {
    const RECT name_box = {s.bmp_name_left[p], s.bmp_name_top[p], s.bmp_name_right[p], s.bmp_name_bottom[p]};
    draw_name(compose, state->name_font.get(), s.color_name_text, match, p, name_box);
    if (position_set(s.bmp_score_x[p], s.bmp_score_y[p])) {
      draw_strip_number(compose, state->num_l_dc.get(), state->num_l_cell, state->num_l_info.bmHeight,
                        match_player_score(match, p), s.bmp_score_x[p], s.bmp_score_y[p]);
    }
    // Shown wherever their position is set: the sets switch is text mode's alone.
    if (position_set(s.bmp_sets_x[p], s.bmp_sets_y[p])) {
      draw_strip_number(compose, state->num_s_dc.get(), state->num_s_cell, state->num_s_info.bmHeight,
                        match_player_sets(match, p), s.bmp_sets_x[p], s.bmp_sets_y[p]);
    }
    if (position_set(s.bmp_legs_x[p], s.bmp_legs_y[p])) {
      draw_strip_number(compose, state->num_s_dc.get(), state->num_s_cell, state->num_s_info.bmHeight,
                        match_player_legs(match, p), s.bmp_legs_x[p], s.bmp_legs_y[p]);
    }
  }

  board_extras_paint_skin(compose, state->extras, extras);

  // A failed stretch is not remembered: the next paint tries again.
  state->shown_key_valid =
      stretch_cache_show(state->stretch, state->mem_dc.get(), compose, bg_w, bg_h, client.right, client.bottom) != 0;
  state->shown_key = key;
}
