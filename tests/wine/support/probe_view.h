// A test view on the shared frame: the settings, menu and refreshes of one of
// the real views, with a state of its own that fills the client with one
// colour and counts its paints. Its windows record non-client presses instead
// of passing them on, so no modal move loop starts.
#pragma once

#include <windows.h>

#include <vector>

#include "draw/gdi_handles_win.h"
#include "draw/view_frame_win.h"

struct match_state;

struct probe_state : frame_state_head {
  unique_hbrush brush;  // RGB(10, 200, 30), the whole client
  int paints = 0;
  const match_state* match = nullptr;
};

enum class view_kind { result, score, board };

// The probes of the result, score and large view, in view_kind order, with the
// classes "probe_result", "probe_score" and "probe_board" and the title "probe".
// The score view's probe records its commands in probe_commands_seen.
extern const view_description probe_views[3];

// The id of the last command a probe received; 0 until one does.
extern int probe_commands_seen;
// The hit-test codes of the non-client presses the probes received, oldest first.
extern std::vector<WPARAM> probe_nc_presses;

// Registers the three probe classes in this program; again is harmless.
void probe_register_classes();

// The probe state of a probe window; null when it has none.
inline probe_state* probe_state_of(HWND window) { return static_cast<probe_state*>(frame_state(window)); }
