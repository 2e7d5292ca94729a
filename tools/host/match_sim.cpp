#include "match_sim.h"

#include <cstring>

#include "match/match_state.h"

namespace {

constexpr int start_score = 501;

// Board order clockwise from the top, for the neighbours a missed dart falls into.
constexpr int board_order[20] = {20, 1, 18, 4, 13, 6, 10, 15, 2, 17, 3, 19, 7, 16, 8, 11, 14, 9, 12, 5};

int neighbour(int number, int side) {
  for (int i = 0; i < 20; ++i) {
    if (board_order[i] == number) return board_order[(i + (side < 0 ? 19 : 1)) % 20];
  }
  return number;
}

bool is_finish_double(int remaining) {
  return (remaining >= 2 && remaining <= 40 && remaining % 2 == 0) || remaining == 50;
}

dart double_for(int remaining) { return remaining == 50 ? dart{25, 2} : dart{remaining / 2, 2}; }

// Every target a thrower may aim at to score or set up: trebles high first, bulls, singles.
struct target_list {
  dart items[42];
  int count = 0;
};

target_list setup_targets(bool singles_first) {
  target_list list;
  auto add = [&list](int number, int multiplier) { list.items[list.count++] = dart{number, multiplier}; };
  if (singles_first) {
    for (int n = 20; n >= 1; --n) add(n, 1);
  }
  for (int n = 20; n >= 1; --n) add(n, 3);
  add(25, 1);
  add(25, 2);
  if (!singles_first) {
    for (int n = 20; n >= 1; --n) add(n, 1);
  }
  return list;
}

// True when `remaining` can be finished with at most `darts` darts, the last a double.
bool finishable(int remaining, int darts) {
  if (remaining < 2 || darts < 1) return false;
  if (is_finish_double(remaining)) return true;
  if (darts == 1) return false;
  const target_list all = setup_targets(false);
  for (int i = 0; i < all.count; ++i) {
    if (finishable(remaining - all.items[i].points(), darts - 1)) return true;
  }
  return false;
}

// Doubles a player likes to be left on, best first.
constexpr int preferred_leaves[] = {32, 40, 16, 24, 36, 20, 8, 12, 28, 4, 30, 18, 10, 26, 34, 38, 22, 14, 6, 2, 50};

}  // namespace

uint32_t sim_random::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

uint32_t sim_random::below(uint32_t bound) { return static_cast<uint32_t>((static_cast<uint64_t>(next()) * bound) >> 32); }

dart sim_choose_target(int remaining, int darts_left) {
  if (is_finish_double(remaining)) return double_for(remaining);
  if (remaining < 2) return dart{20, 1};  // cannot happen in a valid leg; any dart busts
  if (darts_left >= 2) {
    const target_list list = setup_targets(remaining <= 60);
    for (int i = 0; i < list.count; ++i) {
      if (finishable(remaining - list.items[i].points(), darts_left - 1)) return list.items[i];
    }
  }
  if (remaining > 61) return dart{20, 3};
  // No finish this visit: leave a good double for the next one.
  for (int leave : preferred_leaves) {
    const int need = remaining - leave;
    if (need >= 1 && need <= 20) return dart{need, 1};
    if (need == 25) return dart{25, 1};
    if (need > 0 && need % 3 == 0 && need / 3 <= 20) return dart{need / 3, 3};
  }
  return dart{1, 1};
}

dart sim_throw(const dart& target, int skill, sim_random& random) {
  const uint32_t roll = random.below(1000);
  const uint32_t side = random.below(2);
  const int other = neighbour(target.number, side == 0 ? -1 : 1);
  const int s = skill < 0 ? 0 : skill > 100 ? 100 : skill;
  if (target.number == 25) {
    const uint32_t hit = static_cast<uint32_t>(target.multiplier == 2 ? 150 + 2 * s : 300 + 3 * s);
    if (roll < hit) return target;
    if (target.multiplier == 2 && roll < hit + (1000 - hit) / 2) return dart{25, 1};
    return dart{static_cast<int>(random.below(20)) + 1, 1};
  }
  switch (target.multiplier) {
    case 3: {
      const uint32_t hit = static_cast<uint32_t>(200 + 3 * s);
      if (roll < hit) return target;
      if (roll < hit + (1000 - hit) * 7 / 10) return dart{target.number, 1};
      return dart{other, 1};
    }
    case 2: {
      const uint32_t hit = static_cast<uint32_t>(250 + 3 * s);
      if (roll < hit) return target;
      if (roll < hit + (1000 - hit) / 2) return dart{target.number, 1};
      if (roll < hit + (1000 - hit) * 85 / 100) return dart{};  // outside the board's scoring ring
      return dart{other, 1};
    }
    default: {
      const uint32_t hit = static_cast<uint32_t>(850 + s);
      if (roll < hit) return target;
      if (roll < hit + (1000 - hit) / 5) return dart{target.number, 3};
      return dart{other, 1};
    }
  }
}

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
  visit_report report;
  if (match_over_) return report;
  const int p = to_throw_;
  const std::size_t score_at = player_base(p) + match_layout::score;
  const int start = read_i32(score_at);
  int remaining = start;
  report.player = p;
  for (int i = 0; i < 3; ++i) {
    const dart d = sim_throw(sim_choose_target(remaining, 3 - i), config_.skill[p], random_);
    report.thrown[report.darts++] = d;
    const int left = remaining - d.points();
    if (left < 0 || left == 1 || (left == 0 && !d.is_double())) {
      report.bust = true;
      break;
    }
    remaining = left;
    if (remaining == 0) break;
  }
  if (report.bust) remaining = start;
  report.scored = start - remaining;
  report.remaining = remaining;
  write_i32(score_at, remaining);

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

  if (remaining == 0) {
    finish_leg(p, report.scored, report);
  } else {
    to_throw_ = 1 - p;
    write_leg_entry(leg_, leg_opener_, to_throw_);
  }
  return report;
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

std::string dart_text(const dart& d) {
  if (d.number == 0) return "miss";
  if (d.number == 25) return d.multiplier == 2 ? "Bull" : "25";
  const char prefix = d.multiplier == 3 ? 'T' : d.multiplier == 2 ? 'D' : 'S';
  return prefix + std::to_string(d.number);
}

std::string visit_text(const std::string& name, const visit_report& report) {
  std::string text = name + ":";
  for (int i = 0; i < report.darts; ++i) text += " " + dart_text(report.thrown[i]);
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
