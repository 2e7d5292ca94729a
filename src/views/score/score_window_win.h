// The dsv Score window: registration and creation, called by the plug-in's exports
// and its start-up sequence.
#pragma once

#include <windows.h>

struct match_state;

// Registers class "dsv_score_wnd"; returns the atom, 0 on failure.
ATOM score_register_class(HINSTANCE instance) noexcept;

// Creates and shows the window for the host's match record; null on failure
// (also when `match` is null).
HWND score_create_window(HINSTANCE instance, const match_state* match) noexcept;

LRESULT CALLBACK score_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
