#include "match_script.h"

#include "match/match_state.h"

match_script::match_script(fake_match& m, std::function<void()> notify) : match(m), notice(std::move(notify)) {
  write();
}

void match_script::write() {
  for (int p = 0; p < 2; ++p) {
    match.set_score(p, score[p]);
    match.set_legs(p, legs[p]);
    match.set_sets(p, sets[p]);
    match.set_stat(p, 0, match_layout::count_180, count_180[p]);
    match.set_stat(p, 0, match_layout::score_total, total[p]);
    match.set_stat(p, 0, match_layout::score_darts, darts[p]);
  }
  match.set_current_leg(leg);
  match.set_leg_players(leg, first, to_throw);
}

void match_script::set(int32_t score_0, int32_t score_1, int32_t thrower) {
  score[0] = score_0;
  score[1] = score_1;
  to_throw = thrower;
  write();
}

void match_script::visit(std::vector<int32_t> thrown, bool last_is_double) {
  const int p = to_throw;
  history.push_back({p, score[p], count_180[p], total[p], darts[p]});
  const int32_t start = score[p];
  int32_t sum = 0;
  bool won = false;
  bool bust = false;
  for (std::size_t i = 0; i < thrown.size(); ++i) {
    sum += thrown[i];
    const int32_t left = start - sum;
    const bool last = i + 1 == thrown.size();
    won = left == 0 && last && last_is_double;
    bust = left < 0 || left == 1 || (left == 0 && !won);
    score[p] = bust ? start : left;
    ++darts[p];
    if (bust || won || last) break;
    write();
    if (per_dart) {
      notice();
      if (after_dart) after_dart();
    }
  }
  if (!bust) total[p] += sum;
  if (sum == 180) ++count_180[p];
  if (won) {
    ++legs[p];
    if (legs[p] == legs_per_set) {
      legs[0] = legs[1] = 0;
      ++sets[p];
    }
    score[0] = score[1] = 501;
    ++leg;
    first = 1 - first;
    to_throw = first;
  } else {
    to_throw = 1 - p;
  }
  write();
  notice();
}

void match_script::undo() {
  if (history.empty()) return;
  const taken t = history.back();
  history.pop_back();
  score[t.player] = t.score_before;
  count_180[t.player] = t.count_180_before;
  total[t.player] = t.total_before;
  darts[t.player] = t.darts_before;
  to_throw = t.player;
  write();
  notice();
}
