// The simulated thrower: where it aims for a remaining score and where its
// darts land, from a seeded generator, so that a seed always plays the same match.
#include "match_sim.h"

namespace {

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

std::string dart_text(const dart& d) {
  if (d.number == 0) return "miss";
  if (d.number == 25) return d.multiplier == 2 ? "Bull" : "25";
  const char prefix = d.multiplier == 3 ? 'T' : d.multiplier == 2 ? 'D' : 'S';
  return prefix + std::to_string(d.number);
}

