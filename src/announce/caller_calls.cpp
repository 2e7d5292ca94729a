#include "announce/caller_calls.h"

#include "match/checkout_routes.h"

namespace {

struct planner {
  const caller_pack& pack;
  caller_random_fn random;
  void* context;
  caller_plan plan;

  bool has(int id) const { return pack.variants[id] > 0; }
  void call(int id) {
    if (!has(id) || plan.count == caller_plan_most) return;
    const uint32_t n = static_cast<uint32_t>(pack.variants[id]);
    const uint32_t pick = n > 1 && random != nullptr ? random(context) % n : 0;
    plan.sounds[plan.count++] = pack.first[id] + static_cast<int32_t>(pick);
  }
};

}  // namespace

caller_plan caller_plan_for(const match_events& events, const caller_pack& pack, caller_random_fn random,
                            void* context) {
  planner p{pack, random, context, caller_plan{}};
  if (events.starting_point) return p.plan;
  if (events.undo_player >= 0) {
    p.plan.cut = true;
    return p.plan;
  }
  if (events.visit_player >= 0) {
    if (events.visit_won_set && p.has(caller_id::setshot)) {
      p.call(caller_id::setshot);
    } else if (events.visit_won_leg || events.visit_won_set) {
      p.call(caller_id::gameshot);
    } else if (events.visit_score >= 0 && events.visit_score <= 180) {
      p.call(events.visit_score);
    }
  }
  if (events.new_match) p.call(caller_id::gameon);
  const int32_t n = events.turn_score;
  if (events.turn_player >= 0 && n >= 2 && n <= checkout_highest && checkout_route(n) != nullptr) {
    if (p.has(caller_id::required(n))) {
      p.call(caller_id::required(n));
    } else if (p.has(n)) {
      p.call(caller_id::you_require);
      p.call(n);
    }
  }
  p.plan.cut = p.plan.count > 0;
  return p.plan;
}

bool caller_queue_take(caller_queue& queue, const caller_plan& plan) {
  if (!plan.cut) return false;
  queue.count = plan.count;
  queue.next = 0;
  for (int32_t i = 0; i < plan.count; ++i) queue.sounds[i] = plan.sounds[i];
  return true;
}

int32_t caller_queue_next(caller_queue& queue) {
  if (queue.next >= queue.count) return -1;
  return queue.sounds[queue.next++];
}
