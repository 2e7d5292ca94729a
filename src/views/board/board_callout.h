// The large view's call-out banner without a window: when a notice raises it
// (a 180, a leg or a set won, as match_callout_of calls them), when it goes
// (its time is up, or the next visit begins: a score goes down at a later
// notice, a visit is taken back or a new match starts), and where it lies on
// the board.
#pragma once

#include <cstdint>

#include "draw/pixel_box.h"
#include "match/match_tracker.h"

struct board_callout {
  bool shown;
  char text[match_callout_text_size];
};

enum class board_callout_change { none, raise, clear };

// What the notice with `events` (between the snapshots `before` and `now`) does
// to the banner; updates `callout`. A raise replaces a banner that is up.
board_callout_change board_callout_step(board_callout& callout, const match_events& events,
                                        const match_snapshot& before, const match_snapshot& now);

// How long a banner stays: "callout_seconds" in milliseconds, 1 to 60 seconds.
uint32_t board_callout_milliseconds(int32_t seconds);

// The banner across the middle of a `width` x `height` client: its full width,
// a quarter of its height (at least 3 pixels), centred; the text's character
// height, filling seven tenths of it, is then cut to the width by the painter.
struct board_banner_layout {
  pixel_box band;
  int32_t frame;     // the band's edge in the text colour, this thick
  int32_t text_em;   // character height of the text before it is fitted to the width
  int32_t text_room; // width the text may take
};
board_banner_layout board_banner_layout_of(int32_t width, int32_t height);
