#include "views/score/score_window_win.h"

#include <cstdio>

#include "draw/fonts_win.h"
#include "match/match_memory_win.h"
#include "match/match_state.h"
#include "draw/view_messages.h"
#include "resources/resource_ids.h"
#include "views/score/score_board_layout.h"

namespace {

constexpr UINT line_text_format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_LEFT | DT_NOPREFIX;
constexpr int bold = 700;

void fill(HDC dc, const score_box& b, const unique_hbrush& brush) noexcept {
  const RECT r = to_rect(b);
  FillRect(dc, &r, brush.get());
}

// The title and the names: one line, left-aligned, cut with an ellipsis, each
// byte shown as it is (an ampersand is a character, not a prefix).
void draw_line(HDC dc, const char* text, const score_box& b) noexcept {
  RECT r = to_rect(b);
  DrawTextA(dc, text, -1, &r, line_text_format);
}

void draw_centered(HDC dc, const char* text, const score_box& b) noexcept {
  const RECT r = to_rect(b);
  draw_text_centered(dc, text, lstrlenA(text), &r);
}

void draw_number(HDC dc, int32_t value, const score_box& b) noexcept {
  char text[256];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  draw_centered(dc, text, b);
}

// The circle, drawn 2d wide on its surface and shrunk to d x d on the buffer.
void draw_first_mark(score_window_state& state, const score_box& at, int32_t d) noexcept {
  HDC surface = state.first_mark_dc.get();
  const RECT square = {0, 0, 2 * d, 2 * d};
  FillRect(surface, &square, state.name_brush.get());
  {
    select_guard brush(surface, state.first_mark_brush.get());
    select_guard pen(surface, state.first_mark_pen.get());
    Ellipse(surface, 0, 0, 2 * d, 2 * d);
  }
  StretchBlt(state.mem_dc.get(), at.left, at.top, d, d, surface, 0, 0, 2 * d, 2 * d, SRCCOPY);
}

// The triangle, filled from its path at 2t and shrunk to t x t on the buffer.
void draw_current_mark(score_window_state& state, const score_board_boxes& board, const score_box& at) noexcept {
  HDC surface = state.current_mark_dc.get();
  const int32_t t = board.current_mark_size;
  const RECT square = {0, 0, 2 * t, 2 * t};
  FillRect(surface, &square, state.current_back_brush.get());
  BeginPath(surface);
  MoveToEx(surface, board.triangle[0].x, board.triangle[0].y, nullptr);
  LineTo(surface, board.triangle[1].x, board.triangle[1].y);
  LineTo(surface, board.triangle[2].x, board.triangle[2].y);
  LineTo(surface, board.triangle[0].x, board.triangle[0].y);
  EndPath(surface);
  {
    select_guard brush(surface, state.current_mark_brush.get());
    FillPath(surface);
  }
  StretchBlt(state.mem_dc.get(), at.left, at.top, t, t, surface, 0, 0, 2 * t, 2 * t, SRCCOPY);
}

frame_state_head* create_state(HWND window, const match_state* match) noexcept {
  auto* state = frame_new_state<score_window_state>(match);
  if (state == nullptr) return nullptr;
  {
    window_dc dc(window);
    state->first_mark_dc.reset(CreateCompatibleDC(dc.get()));
    state->current_mark_dc.reset(CreateCompatibleDC(dc.get()));
  }
  const score_window_settings& s = score_settings;
  state->line_brush.reset(frame_solid_brush(s.color_line_color));
  state->head_brush.reset(frame_solid_brush(s.color_head_back));
  state->name_brush.reset(frame_solid_brush(s.color_name_back));
  state->sets_brush.reset(frame_solid_brush(s.color_sets_back));
  state->legs_brush.reset(frame_solid_brush(s.color_legs_back));
  state->score_brush.reset(frame_solid_brush(s.color_score_back));
  state->current_mark_brush.reset(frame_solid_brush(s.color_current_mark));
  state->current_back_brush.reset(frame_solid_brush(s.color_current_back));
  state->first_mark_brush.reset(frame_solid_brush(s.color_first_mark));
  state->first_mark_pen.reset(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(s.color_first_mark)));
  return state;
}

void command(HWND window, frame_state_head* head, int id) noexcept {
  if (id == menu_id::edit_title) score_edit_title(window, static_cast<score_window_state*>(head));
}

}  // namespace

HWND score_hwnd = nullptr;

const view_description score_description = {
    .class_name = "dsv_score_wnd",
    .title = "dsv Score",
    .settings = {&score_settings.geometry, &score_settings.size_width, nullptr, &score_settings.visible_set},
    .refreshes_twice = true,
    .second_refresh_ms = 1,
    .menu = {{{menu_id::edit_title, menu_command::edit_title},
              {menu_id::sets, menu_command::sets},
              {0, menu_command::separator},
              {menu_id::close, menu_command::close}},
             4},
    .window = &score_hwnd,
    .procedure = frame_procedure<score_description>,
    .create_state = create_state,
    .destroy_state = frame_destroy_op<score_window_state>,
    .build_buffer = frame_op<score_window_state, score_create_buffer>,
    .release_buffer = frame_op<score_window_state, score_release_buffer>,
    .paint = frame_op<score_window_state, score_paint_board>,
    .show = nullptr,
    .copy_to_window = nullptr,
    .timer = nullptr,
    .command = command,
};

void score_create_buffer(HWND window, score_window_state* state) noexcept {
  const SIZE client = frame_create_buffer_bitmap(window, *state);
  // Halftone shrinking smooths the marks' edges; it needs the brush origin
  // reset. Both belong to mem_dc and stay over rebuilds; set again, they change nothing.
  HDC mem = state->mem_dc.get();
  if (GetDeviceCaps(mem, BITSPIXEL) >= 16) {
    SetStretchBltMode(mem, HALFTONE);
    SetBrushOrgEx(mem, 0, 0, nullptr);
  }
  const score_buffer_sizes sizes = score_buffer_sizes_for(client.cy);
  {
    window_dc dc(window);
    const int32_t first = sizes.first_mark_side;
    const int32_t current = sizes.current_mark_side;
    state->first_mark_dc.select_owned(CreateCompatibleBitmap(dc.get(), first, first));
    state->current_mark_dc.select_owned(CreateCompatibleBitmap(dc.get(), current, current));
  }
  if (!state->first_mark_dc.bitmap() || !state->current_mark_dc.bitmap()) state->buffer_incomplete = true;
  state->client_height = client.cy;
  const char* face = score_settings.font_name;
  state->header_font.reset(create_font(face, sizes.header_points, bold));
  state->title_font.reset(create_menu_font(sizes.title_points, bold));
  state->name_font.reset(create_menu_font(sizes.name_points, bold));
  state->number_font.reset(create_font(face, sizes.number_points, bold));
}

void score_release_buffer(HWND, score_window_state* state) noexcept {
  frame_release_buffer_bitmap(*state);
  state->first_mark_dc.release();
  state->current_mark_dc.release();
  state->number_font.reset();
  state->name_font.reset();
  state->title_font.reset();
  state->header_font.reset();
}

void score_paint_board(HWND window, score_window_state* state) noexcept {
  RECT client = {};
  GetClientRect(window, &client);
  const score_window_settings& s = score_settings;
  const score_board_boxes board = score_board_layout(client.right, client.bottom, s.line_width, s.visible_set);
  HDC dc = state->mem_dc.get();

  fill(dc, board.client, state->line_brush);
  fill(dc, board.title_band, state->head_brush);
  for (const score_row_boxes& row : board.rows) {
    fill(dc, row.mark, state->current_back_brush);
    fill(dc, row.score, state->score_brush);
    fill(dc, row.legs, state->legs_brush);
    if (board.sets_shown) fill(dc, row.sets, state->sets_brush);
    fill(dc, row.name, state->name_brush);
  }

  SetTextColor(dc, static_cast<COLORREF>(s.color_head_text));
  {
    select_guard font(dc, state->title_font.get());
    draw_line(dc, s.title, board.title_text);
  }
  {
    select_guard font(dc, state->header_font.get());
    if (board.sets_shown) draw_centered(dc, "Sets", board.sets_head);
    draw_centered(dc, "Legs", board.legs_head);
  }

  // Read afresh at every paint; a missing leg table, or a current leg outside
  // it or in memory that cannot be read, names no player.
  int32_t first_player = -1;
  int32_t current_player = -1;
  match_current_players(state->match, match_bytes_readable, &first_player, &current_player);

  for (int i = 0; i < 2; ++i) {
    const score_row_boxes& row = board.rows[i];
    {
      const match_name name = match_player_name(state->match, i);
      select_guard font(dc, state->name_font.get());
      SetTextColor(dc, static_cast<COLORREF>(s.color_name_text));
      draw_line(dc, name.text, row.name_text);
    }
    if (first_player == i) draw_first_mark(*state, row.first_mark, board.first_mark_size);
    {
      select_guard font(dc, state->number_font.get());
      if (board.sets_shown) {
        SetTextColor(dc, static_cast<COLORREF>(s.color_sets_text));
        draw_number(dc, match_player_sets(state->match, i), row.sets);
      }
      SetTextColor(dc, static_cast<COLORREF>(s.color_legs_text));
      draw_number(dc, match_player_legs(state->match, i), row.legs);
      SetTextColor(dc, static_cast<COLORREF>(s.color_score_text));
      draw_number(dc, match_player_score(state->match, i), row.score);
    }
    if (current_player == i) draw_current_mark(*state, board, row.current_mark);
  }
}

void score_edit_title(HWND window, const score_window_state* state) noexcept {
  // The dialog template lives in the library, whose instance the class holds.
  auto instance = reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window, GCLP_HMODULE));
  const INT_PTR result =
      DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SCORE_TITLE), window, score_title_dialog_proc, 0);
  // The host may have closed the view while the dialog ran: the window and its
  // state are gone then, and the board must not be touched.
  if (!IsWindow(window) || frame_state(window) != state) return;
  // -1 (the dialog could not be shown) counts as OK: the board is refreshed.
  if (result != 0) SendMessageA(window, view_message::refresh, 0, 0);
}

INT_PTR CALLBACK score_title_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageA(dialog, IDC_SCORE_TITLE_EDIT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(score_settings.title));
      return 1;  // the system focuses the edit control, the first tab stop
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        // 255 with the terminator: at most 254 characters of what was typed.
        SendDlgItemMessageA(dialog, IDC_SCORE_TITLE_EDIT, WM_GETTEXT, settings_text_size - 1,
                            reinterpret_cast<LPARAM>(score_settings.title));
        EndDialog(dialog, 1);
      } else if (LOWORD(wparam) == IDCANCEL) {
        SendMessageA(dialog, WM_CLOSE, 0, 0);
      }
      return 1;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return 1;
    default:
      break;
  }
  return 0;
}
