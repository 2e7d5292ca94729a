// Follows the match from one notice to the next: what the record says now
// (a snapshot), and what happened since the last notice (visits, finishes,
// 180s and the other counters, an undo, a new leg or match). Window-free; the
// large view keeps one tracker, and whatever shows or calls the match (board
// options, caller, stream feed) reads the same events. A host may notify once
// per visit or once per dart: the events come out the same either way.
#pragma once

#include <cstdint>

#include "match/match_figures.h"
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
  bool visit_won_leg;   // the visit finished the leg: visit_score is the finish,
                        // match_visit_unknown when the tracker never saw that turn begin
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
// last_visit is match_visit_unknown after a reset and after the starting
// point; a tracker merely zeroed holds 0 there until its first update.
struct match_tracker {
  bool started;
  match_snapshot previous;
  int32_t turn_start[2];  // each player's score when that player's turn began
  int32_t last_visit[2];  // the last completed visit in this leg; match_visit_unknown before the first
  bool turn_void[2];      // an undo came while this player's turn was under way: it ends no visit
};

void match_tracker_reset(match_tracker& tracker);

// Feeds the record as it stands at a notice; tells what happened since the last.
// - A visit is the thrower's score when the turn began less the score when the
//   player to throw changes; what happens within the turn (darts, a bust that
//   restores the score) counts for nothing until then. Without a readable leg
//   entry, a notice that lowers one score (the other unchanged) by 1 to 180 is
//   a visit.
// - A leg won: that player's legs or sets went up; the finish is the score the
//   player had left when the turn began.
// - An undo: a score went up although its player was not the one to throw (or
//   legs or sets went down: the leg's winning visit was taken back). The turn
//   change that comes with it ends no visit; that player's last visit is unknown.
// - A new match: all legs and sets at 0 and both scores equal again, with no
//   score lowered (in the first leg both scores must have risen).
match_events match_tracker_update(match_tracker& tracker, const match_snapshot& now);

// A visit as a board shows it: "-" for match_visit_unknown, else the number.
constexpr int match_visit_text_size = 12;
int match_visit_text(int32_t visit, char (&text)[match_visit_text_size]);

// What a notice calls out, for a banner or a caller: "180" for a 180, "GAME
// SHOT" for a leg won ("121 CHECKOUT" with a finish of 100 or more), "GAME SHOT
// AND THE SET" for a set won (the match's last set too). An undo, a new match
// and the starting point call nothing.
constexpr int match_callout_text_size = 24;
struct match_callout {
  int32_t player;  // whose event it is; -1 when there is nothing to call
  char text[match_callout_text_size];  // "" when there is nothing to call
};
match_callout match_callout_of(const match_events& events);
