// The dsv Result window: registration and creation, called by the plug-in's exports
// and its start-up sequence.
#pragma once

#include <windows.h>

struct match_state;

// Registers class "dsv_result_wnd"; returns the atom, 0 on failure.
ATOM result_register_class(HINSTANCE instance) noexcept;

// Creates and shows the window for the host's match record; null on failure
// (also when `match` is null).
HWND result_create_window(HINSTANCE instance, const match_state* match) noexcept;

LRESULT CALLBACK result_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
