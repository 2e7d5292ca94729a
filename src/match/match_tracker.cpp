#include "match/match_tracker.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int32_t most_in_a_visit = 180;
constexpr int32_t lowest_finish = 2;
constexpr int32_t highest_finish = 170;
constexpr int32_t checkout_call_from = 100;

bool is_player(int32_t p) { return p == 0 || p == 1; }

// How far a counter rose from one notice to the next: 0 when it stayed or went down.
int32_t rise_of(int32_t was, int32_t now) {
  const int64_t rise = int64_t{now} - was;
  if (rise <= 0) return 0;
  return rise > INT32_MAX ? INT32_MAX : static_cast<int32_t>(rise);
}

// A visit measured from a turn's start: match_visit_unknown where no dart
// sequence of one visit gives it (a record that changed under the tracker).
int32_t visit_between(int32_t start, int32_t end) {
  const int64_t visit = int64_t{start} - end;
  return visit >= 0 && visit <= most_in_a_visit ? static_cast<int32_t>(visit) : match_visit_unknown;
}

match_events no_events() {
  match_events e;
  std::memset(&e, 0, sizeof e);
  e.undo_player = -1;
  e.visit_player = -1;
  e.visit_score = match_visit_unknown;
  e.turn_player = -1;
  return e;
}

// All legs and sets at 0 and both scores equal: how a match starts.
bool looks_fresh(const match_snapshot& s) {
  return s.sets[0] == 0 && s.sets[1] == 0 && s.legs[0] == 0 && s.legs[1] == 0 && s.score[0] == s.score[1];
}

// A new match: a fresh record after one that was not, with no score gone down
// (a visit taken back that restores a first leg with equal scores lowers the
// winner's score; a new match only raises scores to the start). Within the
// first leg, both scores must have risen: one alone is an undo.
bool is_new_match(const match_snapshot& was, const match_snapshot& now) {
  if (!looks_fresh(now)) return false;
  if (now.score[0] < was.score[0] || now.score[1] < was.score[1]) return false;
  const bool progress_back = was.sets[0] != 0 || was.sets[1] != 0 || was.legs[0] != 0 || was.legs[1] != 0;
  return progress_back || (now.score[0] != was.score[0] && now.score[1] != was.score[1]);
}

// Who won a leg (or a set) at this notice and who had one taken back; -1 for none.
struct leg_change {
  int32_t winner;
  bool set_won;
  int32_t taken_back;
};

leg_change leg_change_of(const match_snapshot& was, const match_snapshot& now) {
  leg_change c = {-1, false, -1};
  // Sets first: a set won puts both players' legs back to 0, and taking it
  // back raises them again.
  for (int p = 0; p < 2; ++p) {
    if (now.sets[p] > was.sets[p] && c.winner < 0) {
      c.winner = p;
      c.set_won = true;
    }
  }
  if (c.winner >= 0) return c;
  for (int p = 0; p < 2; ++p) {
    if (now.sets[p] < was.sets[p] && c.taken_back < 0) c.taken_back = p;
  }
  if (c.taken_back >= 0) return c;
  for (int p = 0; p < 2; ++p) {
    if (now.legs[p] > was.legs[p] && c.winner < 0) c.winner = p;
  }
  if (c.winner >= 0) return c;
  for (int p = 0; p < 2; ++p) {
    if (now.legs[p] < was.legs[p] && c.taken_back < 0) c.taken_back = p;
  }
  return c;
}

// Every player's turn measured afresh from the record as it stands.
void restart_turns(match_tracker& t, const match_snapshot& now) {
  for (int p = 0; p < 2; ++p) {
    t.turn_start[p] = now.score[p];
    t.turn_void[p] = false;
  }
}

void begin_turn(match_tracker& t, const match_snapshot& now, match_events& e) {
  if (!is_player(now.to_throw)) return;
  t.turn_start[now.to_throw] = now.score[now.to_throw];
  t.turn_void[now.to_throw] = false;
  e.turn_player = now.to_throw;
  e.turn_score = now.score[now.to_throw];
}

void complete_visit(match_tracker& t, int32_t player, int32_t visit, match_events& e) {
  t.last_visit[player] = visit;
  if (visit == match_visit_unknown) return;
  e.visit_player = player;
  e.visit_score = visit;
}

// Within a leg: an undo (a score up although its player was not throwing),
// then the visit that a turn change or, without a leg entry, a lowered score ends.
void follow_leg(match_tracker& t, const match_snapshot& was, const match_snapshot& now, match_events& e) {
  for (int p = 0; p < 2; ++p) {
    if (now.score[p] > was.score[p] && was.to_throw != p && e.undo_player < 0) {
      e.undo_player = p;
      t.last_visit[p] = match_visit_unknown;
      // The turn the other player had begun ends with this undo, not with a visit.
      if (was.to_throw == 1 - p) t.turn_void[1 - p] = true;
    }
  }
  if (is_player(was.to_throw) && is_player(now.to_throw)) {
    if (now.to_throw == was.to_throw) return;
    const int32_t p = was.to_throw;
    if (!t.turn_void[p]) complete_visit(t, p, visit_between(t.turn_start[p], now.score[p]), e);
    t.turn_void[p] = false;
    begin_turn(t, now, e);
    return;
  }
  // No readable leg entry at one of the two notices: one lowered score is a
  // visit, and every notice starts the next.
  if (e.undo_player < 0) {
    const bool changed[2] = {now.score[0] != was.score[0], now.score[1] != was.score[1]};
    for (int p = 0; p < 2; ++p) {
      const int64_t drop = int64_t{was.score[p]} - now.score[p];
      if (changed[p] && !changed[1 - p] && drop >= 1 && drop <= most_in_a_visit) {
        complete_visit(t, p, static_cast<int32_t>(drop), e);
      }
    }
  }
  restart_turns(t, now);
  begin_turn(t, now, e);
}

}  // namespace

match_snapshot match_snapshot_of(const match_state* match, match_readable_fn readable) {
  match_snapshot s;
  std::memset(&s, 0, sizeof s);
  for (int p = 0; p < 2; ++p) {
    s.score[p] = match_player_score(match, p);
    s.sets[p] = match_player_sets(match, p);
    s.legs[p] = match_player_legs(match, p);
    const match_stats a = match_player_stats(match, p, stats_block::a);
    const match_stats b = match_player_stats(match, p, stats_block::b);
    s.count_100_plus[p] = match_sum32(a.count_100_plus, b.count_100_plus);
    s.count_140_plus[p] = match_sum32(a.count_140_plus, b.count_140_plus);
    s.count_180[p] = match_sum32(a.count_180, b.count_180);
  }
  int32_t first = -1;
  int32_t current = -1;
  match_current_players(match, readable, &first, &current);
  // Values other than 0 and 1 name nobody.
  s.to_throw = is_player(current) ? current : -1;
  s.threw_first = is_player(first) ? first : -1;
  return s;
}

void match_tracker_reset(match_tracker& tracker) {
  std::memset(&tracker, 0, sizeof tracker);
  tracker.last_visit[0] = tracker.last_visit[1] = match_visit_unknown;
}

match_events match_tracker_update(match_tracker& t, const match_snapshot& now) {
  match_events e = no_events();
  const match_snapshot was = t.previous;
  t.previous = now;
  if (!t.started || is_new_match(was, now)) {
    e.starting_point = !t.started;
    e.new_match = t.started;
    e.new_leg = t.started;
    t.started = true;
    restart_turns(t, now);
    t.last_visit[0] = t.last_visit[1] = match_visit_unknown;
    if (e.new_match) begin_turn(t, now, e);
    return e;
  }
  const leg_change change = leg_change_of(was, now);
  if (change.winner >= 0) {
    // The visit that ended the leg finished what its player had left.
    const int32_t left = t.turn_start[change.winner];
    const bool finish = left >= lowest_finish && left <= highest_finish;
    e.visit_player = change.winner;
    e.visit_score = finish ? left : match_visit_unknown;
    e.visit_won_leg = true;
    e.visit_won_set = change.set_won;
    e.new_leg = true;
    restart_turns(t, now);
    t.last_visit[0] = t.last_visit[1] = match_visit_unknown;
    begin_turn(t, now, e);
  } else if (change.taken_back >= 0) {
    // The visit that won the last leg was taken back: that leg is in play again.
    e.undo_player = change.taken_back;
    restart_turns(t, now);
    t.last_visit[change.taken_back] = match_visit_unknown;
    begin_turn(t, now, e);
  } else {
    follow_leg(t, was, now, e);
  }
  for (int p = 0; p < 2; ++p) {
    e.rise_180[p] = rise_of(was.count_180[p], now.count_180[p]);
    e.rise_140_plus[p] = rise_of(was.count_140_plus[p], now.count_140_plus[p]);
    e.rise_100_plus[p] = rise_of(was.count_100_plus[p], now.count_100_plus[p]);
  }
  return e;
}

int match_visit_text(int32_t visit, char (&text)[match_visit_text_size]) {
  if (visit == match_visit_unknown) return std::snprintf(text, sizeof text, "-");
  return std::snprintf(text, sizeof text, "%d", static_cast<int>(visit));
}

match_callout match_callout_of(const match_events& e) {
  match_callout c;
  std::memset(&c, 0, sizeof c);
  c.player = -1;
  if (e.starting_point || e.new_match || e.undo_player >= 0) return c;
  if (e.visit_won_leg && is_player(e.visit_player)) {
    c.player = e.visit_player;
    if (e.visit_won_set) {
      std::snprintf(c.text, sizeof c.text, "GAME SHOT AND THE SET");
    } else if (e.visit_score >= checkout_call_from) {
      std::snprintf(c.text, sizeof c.text, "%d CHECKOUT", static_cast<int>(e.visit_score));
    } else {
      std::snprintf(c.text, sizeof c.text, "GAME SHOT");
    }
    return c;
  }
  for (int p = 0; p < 2; ++p) {
    if (e.rise_180[p] > 0) {
      c.player = p;
      std::snprintf(c.text, sizeof c.text, "180");
      return c;
    }
  }
  return c;
}
