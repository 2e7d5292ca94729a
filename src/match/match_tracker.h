// Follows the match from one notice to the next: what the record says now
// (a snapshot), and what happened since the last notice (visits, finishes,
// 180s and the other counters, an undo, a new leg or match). Window-free; the
// large view keeps one tracker, and whatever shows or calls the match (board
// options, caller, stream feed) reads the same events. A host may notify once
// per visit or once per dart: the events come out the same either way.
#pragma once

#include <cstdint>

#include "match/match_state.h"

// What the tracker reads of the record at one notice.
struct match_snapshot {
  int32_t score[2];
  int32_t sets[2];
  int32_t legs[2];
  int32_t count_100_plus[2];  // both statistics blocks summed
  int32_t count_140_plus[2];
  int32_t count_180[2];
  int32_t to_throw;     // current_player of the current leg entry; -1 without a readable entry
  int32_t threw_first;  // first_player of the same entry; -1 likewise
};

// Reads a snapshot; `readable` guards the leg entry as match_current_players does.
match_snapshot match_snapshot_of(const match_state* match, match_readable_fn readable);

constexpr int32_t match_visit_unknown = -1;  // shown as "-"

// What happened between the previous notice and this one.
struct match_events {
  bool starting_point;  // the first notice the tracker saw: nothing else below is set
  bool new_match;       // legs and sets all back to 0, both scores equal again
  bool new_leg;         // a leg ended (new_match too implies a fresh leg)

  int32_t undo_player;  // a visit of this player was taken back; -1 none

  // A visit that ended at this notice; visit_player -1 when none.
  int32_t visit_player;
  int32_t visit_score;  // 0 for a bust
  bool visit_won_leg;   // the visit finished the leg (visit_score is the finish)
  bool visit_won_set;   // ... and the set with it

  // The player whose turn began at this notice (-1 when the turn did not pass
  // or the record has no readable leg entry), with the score that player has
  // left to throw at.
  int32_t turn_player;
  int32_t turn_score;

  // Counter rises at this notice, per player (0 when the counter did not rise;
  // a counter that went down counts nothing).
  int32_t rise_180[2];
  int32_t rise_140_plus[2];
  int32_t rise_100_plus[2];
};

// The tracker's memory between notices. Zero-initialised (or after
// match_tracker_reset) it takes the next snapshot as its starting point.
struct match_tracker {
  bool started;
  match_snapshot previous;
  int32_t turn_start[2];  // each player's score when that player's turn began
  int32_t last_visit[2];  // the last completed visit in this leg; match_visit_unknown before the first
};

void match_tracker_reset(match_tracker& tracker);

// Feeds the record as it stands at a notice; tells what happened since the last.
match_events match_tracker_update(match_tracker& tracker, const match_snapshot& now);

// A player's three-dart match average as the players know it (both blocks'
// score total over their darts, times three), 0.0 with no darts.
double match_three_dart_average(const match_state* match, int player);
