// What the caller says at a notice, from what the match tracker saw happen: the
// sounds of the pack to play, in order, and whether they cut what still plays.
// Window-free; the view's side plays them (caller_win.h).
#pragma once

#include <cstdint>

#include "announce/caller_pack.h"
#include "match/match_tracker.h"

constexpr int caller_plan_most = 4;  // a visit, "game on", "you require" and the score

// Chooses among the variants of a call: any number; the plan takes it modulo
// the number of variants.
using caller_random_fn = uint32_t (*)(void* context);

struct caller_plan {
  bool cut;  // stop what plays and forget what waits (a new call, or an undo)
  int32_t count;
  int32_t sounds[caller_plan_most];  // indices into the pack's sounds
};

// The calls of one notice:
//   - the visit that ended: its score; "gameshot" when it won the leg;
//     "setshot" (or "gameshot" without it) when it won the set;
//   - "gameon" when a new match began;
//   - the turn that began with a finish on (2 to 170, with a route):
//     "yr_<n>", or "you_require" and "<n>", nothing without "<n>".
// The first notice calls nothing, an undo cuts and calls nothing, and a notice
// with no call leaves what plays alone (a dart of a turn under way).
caller_plan caller_plan_for(const match_events& events, const caller_pack& pack, caller_random_fn random,
                            void* context);

// The calls waiting to be played, one after the other.
struct caller_queue {
  int32_t sounds[caller_plan_most];
  int32_t count;
  int32_t next;
};

// Takes a plan: true when what plays must be stopped first. A plan that does not
// cut leaves the queue as it was.
bool caller_queue_take(caller_queue& queue, const caller_plan& plan);
// The next sound to play, -1 when the queue is done.
int32_t caller_queue_next(caller_queue& queue);
