// The window behaviour all three views share: a borderless popup that moves and
// sizes from its own client area, keeps its picture in an off-screen buffer,
// remembers its place in the settings, and offers a context menu.
//
// A view supplies a view_description; its class's procedure forwards every
// message to frame_wnd_proc with it. The view's window state begins with
// frame_state_head and ends with the match pointer; the view allocates and frees
// it (frame_new_state / frame_delete_state) in its create and destroy operations,
// and the frame makes and deletes the buffer's memory DC and runs the
// build-then-paint sequence around them.
#pragma once

#include <windows.h>

#include <new>

#include "base/memory.h"
#include "draw/gdi_handles_win.h"
#include "draw/view_frame.h"
#include "settings/settings_table.h"

struct match_state;

// The head of every view's window state.
struct frame_state_head {
  // The off-screen buffer: a memory DC with a transparent background holding a
  // bitmap of the client area's size.
  memory_dc mem_dc;
  // A bitmap of the buffer could not be made (a large window in a host short of
  // memory): the next refresh builds the buffer again before it paints.
  bool buffer_incomplete = false;
};

// The settings a view's frame reads and writes; absent ones are null.
struct frame_settings {
  settings_rect* geometry;  // right and bottom hold width and height
  int32_t* size_margin;
  int32_t* full_screen;  // result and large view
  int32_t* visible_set;  // small and large view
};

// Everything the frame, the exports, start-up and unload know of one view, in
// one constant per view (the view's own module defines it). The operations take
// the state's head; frame_op adapts a view's own function on its state type.
struct view_description {
  const char* class_name;
  const char* title;
  frame_settings settings;
  // Whether refresh_twice refreshes now and once more from a one-shot timer of
  // `second_refresh_ms` (id view_message::refresh_timer_id); otherwise the
  // message and the timer are left to the system.
  bool refreshes_twice;
  unsigned second_refresh_ms;
  frame_menu_commands menu;
  // The view's open window, as the exports keep it; cleared as that window is
  // destroyed, however it closes (its own menu, Alt+F4, the host), so that a
  // later window with the same handle value is never taken for the view.
  HWND* window;
  // frame_procedure<the description>, or the view's own that passes what it does
  // not handle itself on to frame_wnd_proc.
  WNDPROC procedure;
  // WM_CREATE after the frame has checked the record: allocate the state, keep
  // `match`, and make what lives as long as the window besides mem_dc (skin
  // bitmaps, brushes, other device contexts). Returns null to refuse the
  // creation, leaving nothing allocated. The frame then creates mem_dc,
  // builds the buffer, sets the transparent background mode and paints.
  frame_state_head* (*create_state)(HWND window, const match_state* match) noexcept;
  // WM_DESTROY, after the frame has released the buffer and deleted mem_dc:
  // delete everything else and free the state (frame_destroy_op).
  void (*destroy_state)(HWND window, frame_state_head* state) noexcept;
  void (*build_buffer)(HWND window, frame_state_head* state) noexcept;
  void (*release_buffer)(HWND window, frame_state_head* state) noexcept;
  // Draws the whole board into mem_dc from the match record.
  void (*paint)(HWND window, frame_state_head* state) noexcept;
  // Shows what the last paint changed; null: the whole client. The frame shows
  // the whole client itself after a rebuild.
  void (*show)(HWND window, frame_state_head* state) noexcept;
  // WM_PAINT: copies `area` of the picture to the window's paint DC; null:
  // from mem_dc as it stands. For a view that lays something over its buffer.
  void (*copy_to_window)(HWND window, frame_state_head* state, HDC window_dc, const RECT& area) noexcept;
  // A window timer of the view's own (any id but view_message::refresh_timer_id);
  // null when it has none. The view kills the timer when it is done with it.
  void (*timer)(HWND window, frame_state_head* state, uintptr_t id) noexcept;
  // A menu command the frame does not carry out itself (the score view's Edit
  // Title); may be null. The window may be gone when it returns if a modal loop
  // ran inside it.
  void (*command)(HWND window, frame_state_head* state, int id) noexcept;
};

// A view's own operation on its state type, as the description's operations take it.
template <class State, void (*Operation)(HWND, State*) noexcept>
void frame_op(HWND window, frame_state_head* head) noexcept {
  Operation(window, static_cast<State*>(head));
}

// A view's own timer operation on its state type.
template <class State, void (*Operation)(HWND, State*, uintptr_t) noexcept>
void frame_timer_op(HWND window, frame_state_head* head, uintptr_t id) noexcept {
  Operation(window, static_cast<State*>(head), id);
}

LRESULT frame_wnd_proc(const view_description& view, HWND window, UINT message, WPARAM wparam,
                       LPARAM lparam) noexcept;

// The window procedure of a view's class: every message to frame_wnd_proc.
template <const view_description& View>
LRESULT CALLBACK frame_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  return frame_wnd_proc(View, window, message, wparam, lparam);
}

// Registers a view class of the shared shape; returns the atom or 0.
ATOM frame_register_class(HINSTANCE instance, const char* class_name, WNDPROC procedure) noexcept;
inline ATOM frame_register_class(HINSTANCE instance, const view_description& view) noexcept {
  return frame_register_class(instance, view.class_name, view.procedure);
}

// Creates and shows the view's window at its saved place (maximised when its
// full-screen setting is on); null when creation failed (also when `match` is null).
HWND frame_create_window(HINSTANCE instance, const view_description& view, const match_state* match) noexcept;

// The window state published in the window's user data, or null.
frame_state_head* frame_state(HWND window) noexcept;

// Release buffer, build buffer, paint, then show the new picture at once.
void frame_rebuild_and_show(const view_description& view, HWND window, frame_state_head* state) noexcept;

// Buffer helpers for the views' builders: create the client-size buffer in
// mem_dc (returning the client size; buffer_incomplete tells whether it failed),
// and put back what it replaced.
SIZE frame_create_buffer_bitmap(HWND window, frame_state_head& state) noexcept;
void frame_release_buffer_bitmap(frame_state_head& state) noexcept;

// A solid brush of a settings colour (the flag byte passes to GDI unchanged).
HBRUSH frame_solid_brush(color_ref color) noexcept;

// Zeroed state from the local heap, constructed in place, keeping `match`;
// null on failure.
template <class State>
State* frame_new_state(const match_state* match) noexcept {
  void* block = mem_alloc_zeroed(sizeof(State));
  if (block == nullptr) return nullptr;
  auto* state = new (block) State{};
  state->match = match;
  return state;
}

// Destroys the state (its owners delete what they hold) and frees its memory.
template <class State>
void frame_delete_state(State*& state) noexcept {
  if (state == nullptr) return;
  state->~State();
  mem_free(state);
}

// A view's destroy_state when its state's owners delete all it holds.
template <class State>
void frame_destroy_op(HWND, frame_state_head* head) noexcept {
  auto* state = static_cast<State*>(head);
  frame_delete_state(state);
}
