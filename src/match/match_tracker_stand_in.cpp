// Stand-in of the match tracker until its own implementation is merged; goes then.
#include <cstring>

#include "match/match_tracker.h"

namespace {
int32_t wrap_sum(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
bool fresh(const match_snapshot& s) {
  return s.legs[0] == 0 && s.legs[1] == 0 && s.sets[0] == 0 && s.sets[1] == 0 && s.score[0] == s.score[1];
}
}  // namespace

match_snapshot match_snapshot_of(const match_state* match, match_readable_fn readable) {
  match_snapshot s = {};
  for (int p = 0; p < 2; ++p) {
    s.score[p] = match_player_score(match, p);
    s.sets[p] = match_player_sets(match, p);
    s.legs[p] = match_player_legs(match, p);
    const match_stats a = match_player_stats(match, p, stats_block::a);
    const match_stats b = match_player_stats(match, p, stats_block::b);
    s.count_100_plus[p] = wrap_sum(a.count_100_plus, b.count_100_plus);
    s.count_140_plus[p] = wrap_sum(a.count_140_plus, b.count_140_plus);
    s.count_180[p] = wrap_sum(a.count_180, b.count_180);
  }
  match_current_players(match, readable, &s.threw_first, &s.to_throw);
  return s;
}

void match_tracker_reset(match_tracker& tracker) { std::memset(&tracker, 0, sizeof tracker); }

match_events match_tracker_update(match_tracker& t, const match_snapshot& now) {
  match_events e = {};
  e.undo_player = -1;
  e.visit_player = -1;
  e.turn_player = -1;
  if (!t.started) {
    t.started = true;
    t.previous = now;
    for (int p = 0; p < 2; ++p) {
      t.turn_start[p] = now.score[p];
      t.last_visit[p] = match_visit_unknown;
    }
    e.starting_point = true;
    return e;
  }
  const match_snapshot& was = t.previous;
  for (int p = 0; p < 2; ++p) {
    if (now.count_180[p] > was.count_180[p]) e.rise_180[p] = now.count_180[p] - was.count_180[p];
    if (now.count_140_plus[p] > was.count_140_plus[p]) e.rise_140_plus[p] = now.count_140_plus[p] - was.count_140_plus[p];
    if (now.count_100_plus[p] > was.count_100_plus[p]) e.rise_100_plus[p] = now.count_100_plus[p] - was.count_100_plus[p];
  }
  int winner = -1;
  for (int p = 0; p < 2; ++p) {
    if (now.legs[p] > was.legs[p] || now.sets[p] > was.sets[p]) winner = p;
  }
  const bool was_fresh = fresh(was) && was.score[0] == now.score[0] && was.score[1] == now.score[1];
  e.new_match = fresh(now) && !was_fresh && (was.legs[0] + was.legs[1] + was.sets[0] + was.sets[1] > 0 ||
                                             (now.score[0] > was.score[0] && now.score[1] > was.score[1]));
  e.new_leg = e.new_match || winner >= 0;
  if (e.new_leg) {
    if (winner >= 0 && !e.new_match) {
      e.visit_player = winner;
      e.visit_score = t.turn_start[winner];
      e.visit_won_leg = true;
      e.visit_won_set = now.sets[winner] > was.sets[winner];
    }
    for (int p = 0; p < 2; ++p) {
      t.turn_start[p] = now.score[p];
      t.last_visit[p] = match_visit_unknown;
    }
    if (now.to_throw >= 0 && now.to_throw <= 1) {
      e.turn_player = now.to_throw;
      e.turn_score = now.score[now.to_throw];
    }
    t.previous = now;
    return e;
  }
  for (int p = 0; p < 2; ++p) {
    if (now.score[p] > was.score[p] && (was.to_throw != p || now.to_throw < 0)) e.undo_player = p;
  }
  if (e.undo_player >= 0) {
    const int p = e.undo_player;
    t.last_visit[p] = match_visit_unknown;
    t.turn_start[p] = now.score[p];
    if (now.to_throw >= 0 && now.to_throw <= 1) t.turn_start[now.to_throw] = now.score[now.to_throw];
    t.previous = now;
    return e;
  }
  if (now.to_throw >= 0 && now.to_throw <= 1 && was.to_throw >= 0 && was.to_throw <= 1) {
    if (now.to_throw != was.to_throw) {
      const int q = was.to_throw;
      int32_t v = t.turn_start[q] - now.score[q];
      if (v < 0 || v > 180) v = 0;
      e.visit_player = q;
      e.visit_score = v;
      t.last_visit[q] = v;
      e.turn_player = now.to_throw;
      e.turn_score = now.score[now.to_throw];
      t.turn_start[now.to_throw] = now.score[now.to_throw];
    }
  } else {
    for (int p = 0; p < 2; ++p) {
      const int32_t v = was.score[p] - now.score[p];
      if (v >= 1 && v <= 180) {
        e.visit_player = p;
        e.visit_score = v;
        t.last_visit[p] = v;
      }
    }
  }
  t.previous = now;
  return e;
}

double match_three_dart_average(const match_state* match, int player) {
  const match_stats a = match_player_stats(match, player, stats_block::a);
  const match_stats b = match_player_stats(match, player, stats_block::b);
  const int32_t darts = wrap_sum(a.score_darts, b.score_darts);
  if (darts <= 0) return 0.0;
  return static_cast<double>(wrap_sum(a.score_total, b.score_total)) * 3.0 / darts;
}
