#include "match_sim.h"

#include <cstring>

#include "match/match_state.h"

namespace {

constexpr int start_score = 501;

}  // namespace

std::size_t sim_leg_capacity(const sim_config& config) {
  return static_cast<std::size_t>(2 * config.sets_to_win - 1) * static_cast<std::size_t>(2 * config.legs_to_win - 1);
}

match_sim::match_sim(unsigned char* record, unsigned char* leg_table, std::size_t leg_capacity,
                     uint32_t leg_table_address, const sim_config& config)
    : record_(record),
      legs_(leg_table),
      leg_capacity_(leg_capacity),
      leg_table_address_(leg_table_address),
      config_(config),
      random_(config.seed) {
  if (config_.sets_to_win < 1) config_.sets_to_win = 1;
  if (config_.sets_to_win > 9) config_.sets_to_win = 9;
  if (config_.legs_to_win < 1) config_.legs_to_win = 1;
  if (config_.legs_to_win > 9) config_.legs_to_win = 9;
  new_match();
}

void match_sim::write_i32(std::size_t offset, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) record_[offset + i] = static_cast<unsigned char>(v >> (8 * i));
}

void match_sim::write_i16(std::size_t offset, int16_t value) {
  const uint16_t v = static_cast<uint16_t>(value);
  record_[offset] = static_cast<unsigned char>(v);
  record_[offset + 1] = static_cast<unsigned char>(v >> 8);
}

int32_t match_sim::read_i32(std::size_t offset) const {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | record_[offset + i];
  return static_cast<int32_t>(v);
}

int16_t match_sim::read_i16(std::size_t offset) const {
  return static_cast<int16_t>(static_cast<uint16_t>(record_[offset] | record_[offset + 1] << 8));
}

std::string match_sim::name(int player) const {
  const char* text = reinterpret_cast<const char*>(record_ + player_base(player) + match_layout::name);
  std::size_t n = 0;
  while (n < match_layout::name_size && text[n] != 0) ++n;
  return std::string(text, n);
}

int32_t match_sim::score(int player) const { return read_i32(player_base(player) + match_layout::score); }
int32_t match_sim::sets(int player) const { return read_i32(player_base(player) + match_layout::sets); }
int32_t match_sim::legs(int player) const { return read_i32(player_base(player) + match_layout::legs); }

std::size_t match_sim::player_base(int player) const {
  return match_layout::players + match_layout::player_stride * static_cast<std::size_t>(player);
}

std::size_t match_sim::stats_base(int player) const {
  return player_base(player) + (player == leg_opener_ ? match_layout::stats_a : match_layout::stats_b);
}

void match_sim::add_stat(int player, std::size_t field, int32_t amount) {
  const std::size_t at = stats_base(player) + field;
  write_i32(at, read_i32(at) + amount);
}

void match_sim::write_leg_entry(int leg, int first, int current) {
  if (leg < 0 || static_cast<std::size_t>(leg) >= leg_capacity_) return;
  unsigned char* entry = legs_ + match_layout::leg_entry_size * static_cast<std::size_t>(leg);
  const int32_t values[2] = {first, current};
  const std::size_t offsets[2] = {match_layout::first_player, match_layout::current_player};
  for (int k = 0; k < 2; ++k) {
    const uint32_t v = static_cast<uint32_t>(values[k]);
    for (int i = 0; i < 4; ++i) entry[offsets[k] + i] = static_cast<unsigned char>(v >> (8 * i));
  }
}

void match_sim::new_match() {
  std::memset(record_, sim_gap_fill, match_layout::record_size);
  std::memset(legs_, sim_gap_fill, match_layout::leg_entry_size * leg_capacity_);
  write_i32(match_layout::current_leg, 0);
  for (int p = 0; p < 2; ++p) {
    const std::size_t base = player_base(p);
    const char* name = config_.names[p] != nullptr ? config_.names[p] : "";
    std::size_t length = std::strlen(name);
    if (length > match_layout::name_size - 1) length = match_layout::name_size - 1;
    std::memcpy(record_ + base + match_layout::name, name, length);
    record_[base + match_layout::name + length] = 0;
    write_i32(base + match_layout::score, start_score);
    write_i32(base + match_layout::sets, 0);
    write_i32(base + match_layout::legs, 0);
    for (std::size_t block : {match_layout::stats_a, match_layout::stats_b}) {
      for (std::size_t field : {match_layout::count_100_plus, match_layout::count_140_plus, match_layout::count_180,
                                match_layout::best_leg, match_layout::score_total, match_layout::score_darts,
                                match_layout::leg_darts, match_layout::leg_count, match_layout::first9_score,
                                match_layout::first9_darts}) {
        write_i32(base + block + field, 0);
      }
      write_i16(base + block + match_layout::high_out, 0);
    }
  }
  write_i32(match_layout::leg_table, static_cast<int32_t>(leg_table_address_));
  leg_ = 0;
  set_opener_ = static_cast<int>(random_.below(2));  // the bull-up
  leg_opener_ = set_opener_;
  match_over_ = false;
  in_turn_ = false;
  history_.clear();
  start_leg();
}

void match_sim::start_leg() {
  write_i32(match_layout::current_leg, leg_);
  for (int p = 0; p < 2; ++p) {
    write_i32(player_base(p) + match_layout::score, start_score);
    progress_[p] = player_progress{};
  }
  to_throw_ = leg_opener_;
  write_leg_entry(leg_, leg_opener_, to_throw_);
}

visit_report match_sim::play_visit() {
  visit_report report = play_dart();
  while (report.player >= 0 && !report.complete) report = play_dart();
  return report;
}

visit_report match_sim::play_dart() {
  if (match_over_) return visit_report{};
  const int p = to_throw_;
  const std::size_t score_at = player_base(p) + match_layout::score;
  if (!in_turn_) {
    history_.push_back(saved_state{});
    saved_state& saved = history_.back();
    saved.record.assign(record_, record_ + match_layout::record_size);
    saved.entries.assign(legs_ + match_layout::leg_entry_size * static_cast<std::size_t>(leg_),
                         legs_ + match_layout::leg_entry_size * static_cast<std::size_t>(leg_) + saved_entry_bytes());
    saved.leg = leg_;
    saved.leg_opener = leg_opener_;
    saved.set_opener = set_opener_;
    saved.to_throw = to_throw_;
    saved.match_over = match_over_;
    saved.visits = visits_;
    saved.progress[0] = progress_[0];
    saved.progress[1] = progress_[1];
    in_turn_ = true;
    turn_ = visit_report{};
    turn_.player = p;
    turn_start_ = read_i32(score_at);
  }
  const int remaining = read_i32(score_at);
  const dart d = sim_throw(sim_choose_target(remaining, 3 - turn_.darts), config_.skill[p], random_);
  turn_.thrown[turn_.darts++] = d;
  const int left = remaining - d.points();
  turn_.bust = left < 0 || left == 1 || (left == 0 && !d.is_double());
  write_i32(score_at, turn_.bust ? turn_start_ : left);  // a bust puts the turn's score back
  turn_.remaining = read_i32(score_at);
  turn_.scored = turn_start_ - turn_.remaining;
  if (turn_.bust || turn_.remaining == 0 || turn_.darts == 3) end_visit(turn_);
  return turn_;
}

void match_sim::end_visit(visit_report& report) {
  in_turn_ = false;
  report.complete = true;
  const int p = report.player;
  add_stat(p, match_layout::score_total, report.scored);
  add_stat(p, match_layout::score_darts, report.darts);
  if (progress_[p].visits_in_leg < 3) {
    add_stat(p, match_layout::first9_score, report.scored);
    add_stat(p, match_layout::first9_darts, report.darts);
  }
  if (report.scored == 180) {
    add_stat(p, match_layout::count_180, 1);
  } else if (report.scored >= 140) {
    add_stat(p, match_layout::count_140_plus, 1);
  } else if (report.scored >= 100) {
    add_stat(p, match_layout::count_100_plus, 1);
  }
  progress_[p].visits_in_leg += 1;
  progress_[p].darts_in_leg += report.darts;
  ++visits_;

  if (report.remaining == 0) {
    finish_leg(p, report.scored, report);
  } else {
    to_throw_ = 1 - p;
    write_leg_entry(leg_, leg_opener_, to_throw_);
  }
}

std::size_t match_sim::saved_entry_bytes() const {
  const std::size_t left = leg_capacity_ - static_cast<std::size_t>(leg_);
  return match_layout::leg_entry_size * (left < 2 ? left : 2);
}

bool match_sim::undo_visit() {
  // A visit under way saved the state at its first dart; the visit before it is the one taken back.
  const std::size_t under_way = in_turn_ ? 1 : 0;
  if (history_.size() <= under_way) return false;
  if (under_way != 0) history_.pop_back();
  const saved_state& saved = history_.back();
  std::memcpy(record_, saved.record.data(), saved.record.size());
  if (!saved.entries.empty()) {
    std::memcpy(legs_ + match_layout::leg_entry_size * static_cast<std::size_t>(saved.leg), saved.entries.data(),
                saved.entries.size());
  }
  leg_ = saved.leg;
  leg_opener_ = saved.leg_opener;
  set_opener_ = saved.set_opener;
  to_throw_ = saved.to_throw;
  match_over_ = saved.match_over;
  visits_ = saved.visits;
  progress_[0] = saved.progress[0];
  progress_[1] = saved.progress[1];
  in_turn_ = false;
  turn_ = visit_report{};
  history_.pop_back();
  return true;
}

void match_sim::finish_leg(int winner, int checkout, visit_report& report) {
  report.leg_won = true;
  const std::size_t stats = stats_base(winner);
  if (checkout > read_i16(stats + match_layout::high_out)) {
    write_i16(stats + match_layout::high_out, static_cast<int16_t>(checkout));
  }
  const int darts = progress_[winner].darts_in_leg;
  const int32_t best = read_i32(stats + match_layout::best_leg);
  if (best == 0 || darts < best) write_i32(stats + match_layout::best_leg, darts);
  add_stat(winner, match_layout::leg_darts, darts);
  add_stat(winner, match_layout::leg_count, 1);

  const std::size_t base = player_base(winner);
  const int32_t legs = read_i32(base + match_layout::legs) + 1;
  write_i32(base + match_layout::legs, legs);
  bool new_set = false;
  if (legs >= config_.legs_to_win) {
    report.set_won = true;
    const int32_t sets = read_i32(base + match_layout::sets) + 1;
    write_i32(base + match_layout::sets, sets);
    if (sets >= config_.sets_to_win) {
      report.match_won = true;
      match_over_ = true;
      write_leg_entry(leg_, leg_opener_, winner);
      return;  // the final legs stay on the board
    }
    for (int p = 0; p < 2; ++p) write_i32(player_base(p) + match_layout::legs, 0);
    new_set = true;
  }
  if (static_cast<std::size_t>(leg_) + 1 >= leg_capacity_) {  // a table too small for the match
    match_over_ = true;
    return;
  }
  ++leg_;
  if (new_set) {
    set_opener_ = 1 - set_opener_;
    leg_opener_ = set_opener_;
  } else {
    leg_opener_ = 1 - leg_opener_;
  }
  start_leg();
}

std::string visit_text(const std::string& name, const visit_report& report) {
  std::string text = name + ":";
  for (int i = 0; i < report.darts; ++i) text += " " + dart_text(report.thrown[i]);
  if (!report.complete) return text + ", " + std::to_string(report.remaining) + " left so far";
  if (report.bust) {
    text += ", bust";
  } else {
    text += " = " + std::to_string(report.scored) + ", " + std::to_string(report.remaining) + " left";
  }
  if (report.match_won) {
    text += ", wins the match";
  } else if (report.set_won) {
    text += ", wins the set";
  } else if (report.leg_won) {
    text += ", wins the leg";
  }
  return text;
}
