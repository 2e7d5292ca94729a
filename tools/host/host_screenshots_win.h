// The pictures at the end of a run with --screenshot: every view's client area,
// the screen, and the views' menus and the Edit Title dialog, one after the
// other; then, with --exit, the end of the run.
#pragma once

#include "host_app_win.h"

// Writes DIR\<class name>.bmp of every view and, when asked, DIR\desktop.bmp.
void take_screenshots(host_app& app);

// Queues the menu and dialog pictures of --shot-menu and --shot-title-dialog.
void queue_popup_shots(host_app& app);

// Takes the next queued picture, or ends the run when none is left.
void next_popup_shot(host_app& app);

// The picture being taken is done (`ok`) or failed; reports it and goes on.
void on_popup_shot_done(host_app& app, bool ok);
