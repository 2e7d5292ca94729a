#include "probe_view.h"

#include "plugin/plugin_globals.h"

int probe_commands_seen = 0;
std::vector<WPARAM> probe_nc_presses;

namespace {

void probe_create_buffer(HWND window, frame_state_head* head) noexcept { frame_create_buffer_bitmap(window, *head); }

void probe_release_buffer(HWND, frame_state_head* head) noexcept { frame_release_buffer_bitmap(*head); }

void probe_paint(HWND window, frame_state_head* head) noexcept {
  auto* state = static_cast<probe_state*>(head);
  RECT r = {};
  GetClientRect(window, &r);
  FillRect(state->mem_dc.get(), &r, state->brush.get());
  ++state->paints;
}

frame_state_head* probe_create(HWND, const match_state* match) noexcept {
  auto* state = frame_new_state<probe_state>(match);
  if (state != nullptr) state->brush.reset(CreateSolidBrush(RGB(10, 200, 30)));
  return state;
}

void probe_command(HWND, frame_state_head*, int id) noexcept { probe_commands_seen = id; }

view_description probe_of(const view_description& real, const char* class_name) {
  view_description probe = real;
  probe.class_name = class_name;
  probe.title = "probe";
  probe.window = nullptr;
  probe.create_state = probe_create;
  probe.destroy_state = frame_destroy_op<probe_state>;
  probe.build_buffer = probe_create_buffer;
  probe.release_buffer = probe_release_buffer;
  probe.paint = probe_paint;
  probe.show = nullptr;
  probe.copy_to_window = nullptr;
  probe.timer = nullptr;
  probe.command = real.command != nullptr ? probe_command : nullptr;
  return probe;
}

template <int Kind>
LRESULT CALLBACK probe_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_NCLBUTTONDOWN) {
    probe_nc_presses.push_back(wparam);
    return 0;
  }
  return frame_wnd_proc(probe_views[Kind], window, message, wparam, lparam);
}

}  // namespace

const view_description probe_views[3] = {probe_of(result_description, "probe_result"),
                                         probe_of(score_description, "probe_score"),
                                         probe_of(board_description, "probe_board")};

void probe_register_classes() {
  HINSTANCE self = GetModuleHandleA(nullptr);
  frame_register_class(self, "probe_result", probe_proc<0>);
  frame_register_class(self, "probe_score", probe_proc<1>);
  frame_register_class(self, "probe_board", probe_proc<2>);
}
