// The simulated match as the host plays it: one visit at a time, on a timer or
// posted when there is no delay, each visit followed by the change notices the
// application sends; the Match menu and the main window show where it stands.
#pragma once

#include "host_app_win.h"

// The board's status line starts from the record as the views first see it.
void match_follow_start(host_app& app);

// Plays one visit (a new match first when the last one is over) and tells the
// views: once, or with --notify dart after every dart.
void match_play_visit(host_app& app);

// Throws one dart (a new match first when the last one is over) and tells the views.
visit_report match_play_dart(host_app& app);

// Takes the last visit back and tells the views; nothing when there is none.
void match_undo(host_app& app);

// Whether the main window shows the board's status line: with the options that
// make the board change (per-dart notices, undos) or once a visit was taken back.
bool match_shows_board(const host_app& app);

// A visit's (or with --notify dart a dart's) time has come: plays it while the
// match runs, takes a visit back when --undo-every says so, and stops at the
// end of the visits asked for.
void match_on_clock(host_app& app);

// Starts and pauses the visit clock.
void match_start(host_app& app);
void match_pause(host_app& app);

// Stops playing and, a moment later (the views' one-shot redraws first), sets
// off the end of the run through the finish timer.
void match_finish(host_app& app);

// A new match from the first leg, told to the views.
void match_restart(host_app& app);

// The Match menu's Start/Pause text and averaging check as they stand; the main window repainted.
void match_show_state(host_app& app);
