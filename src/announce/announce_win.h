// The caller and the stream feed of the large view: started when its window
// is made, told of every notice, stopped when the window goes. Both are off
// unless "caller_dir" or "stream_dir" names a folder; then nothing is loaded,
// written or played, and each call below returns at once.
//
// The caller's sounds are read once, at the start, into memory and played
// through the system's PlaySound from memory, asynchronously: a notice never
// waits for a sound. The calls of one notice follow one another on a timer of
// the view's window.
#pragma once

#include <windows.h>

#include "match/match_tracker.h"

struct match_state;

// At the view's creation: reads the options and loads the caller's sounds.
// The view's first picture tells the record as it stands, the starting point.
void announce_open(HWND window) noexcept;
// At each picture the view paints from the record: what the view's tracker saw
// (`now` fed to `tracker`, which gave `events`). The call-outs the view shows
// and the calls and the feed come from the same tracker, so they agree.
void announce_events(HWND window, const match_state* match, const match_snapshot& now, const match_events& events,
                     const match_tracker& tracker) noexcept;
// Whether the caller or the feed is on for `window`: then its notices need the tracker.
bool announce_on(HWND window) noexcept;
// At the view's destruction: silences the caller and gives every sound back.
void announce_close(HWND window) noexcept;
