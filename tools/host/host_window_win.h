// The simulated host's main window: what it shows of the match and the plug-in,
// its Views menu (each view's event codes by hand) and Match menu, the answer to
// the plug-in's query message, and the timers and messages that drive the run.
#pragma once

#include "host_app_win.h"

// Creates app.window (its menu in app.match_menu); false when it cannot be made.
bool create_main_window(host_app& app, HINSTANCE instance);
