// What the large view should show as the match goes on, for the simulated
// host's status line: the host follows its own record with the tracker the
// plug-in keeps, so whoever watches both sees at once whether they agree.
// Window-free.
#pragma once

#include <cstdint>
#include <string>

#include "match/match_tracker.h"

struct board_status {
  match_tracker tracker = {};
  std::string callout;        // the call-out the board shows; "" for none
  int32_t callout_player = -1;
  std::string note;           // the last event that is no call-out: an undo, a new leg or match
};

// Follows one notice; `now` is the record as the views read it at that notice.
// A call-out stays until the next visit begins (a score moves, a visit ends or
// is taken back, a new match starts); the board also lets it go when its time is up.
void board_status_follow(board_status& status, const match_snapshot& now, const std::string (&names)[2]);

// The status line: "Board: 180 for Anna; last visits 180 / -; new leg".
std::string board_status_line(const board_status& status, const std::string (&names)[2]);
