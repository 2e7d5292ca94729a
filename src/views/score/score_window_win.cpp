#include "views/score/score_window_win.h"

#include "draw/view_frame_win.h"

namespace {

struct score_window_state : frame_state_head {
  unique_hbrush line_brush;
  const match_state* match = nullptr;
};

int create_buffer(HWND window, frame_state_head* head) {
  frame_create_buffer_bitmap(window, *head);
  return 1;
}

int release_buffer(HWND, frame_state_head* head) {
  frame_release_buffer_bitmap(*head);
  return 1;
}

int paint(HWND window, frame_state_head* head) {
  auto* state = static_cast<score_window_state*>(head);
  RECT client = {};
  GetClientRect(window, &client);
  FillRect(state->mem_dc.get(), &client, state->line_brush.get());
  return 1;
}

frame_state_head* create_state(HWND window, const match_state* match) {
  auto* state = frame_new_state<score_window_state>();
  if (state == nullptr) return nullptr;
  state->match = match;
  {
    window_dc dc(window);
    state->mem_dc.reset(CreateCompatibleDC(dc.get()));
  }
  create_buffer(window, state);
  SetBkMode(state->mem_dc.get(), TRANSPARENT);
  state->line_brush.reset(frame_solid_brush(score_settings.color_line_color));
  paint(window, state);
  return state;
}

void destroy_state(HWND window, frame_state_head* head) {
  auto* state = static_cast<score_window_state*>(head);
  release_buffer(window, state);
  frame_delete_state(state);
}

const view_ops ops = {view_kind::score, create_state, destroy_state, create_buffer, release_buffer, paint, nullptr};

}  // namespace

ATOM score_register_class(HINSTANCE instance) noexcept { return frame_register_class(instance, "dsv_score_wnd", score_wnd_proc); }

HWND score_create_window(HINSTANCE instance, const match_state* match) noexcept {
  return frame_create_window(instance, view_kind::score, "dsv_score_wnd", "dsv Score", match);
}

LRESULT CALLBACK score_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  return frame_wnd_proc(ops, window, message, wparam, lparam);
}
