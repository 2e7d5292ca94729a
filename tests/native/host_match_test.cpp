// The simulated host's match: the record it writes must read back through the
// plug-in's accessors exactly as a real host's would, and the match must follow
// 501 double-out rules so the views show believable numbers.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "board_status.h"
#include "match/match_state.h"
#include "match/match_tracker.h"
#include "match_sim.h"

namespace {

constexpr uint32_t fake_table_address = 0x20010000u;

struct sim_fixture {
  sim_config config;
  std::vector<unsigned char> record;
  std::vector<unsigned char> legs;
  std::unique_ptr<match_sim> sim;

  explicit sim_fixture(uint32_t seed, int sets = 3, int legs_to_win = 3) {
    config.seed = seed;
    config.sets_to_win = sets;
    config.legs_to_win = legs_to_win;
    record.assign(match_layout::record_size, 0);
    legs.assign(sim_leg_capacity(config) * match_layout::leg_entry_size, 0);
    sim = std::make_unique<match_sim>(record.data(), legs.data(), sim_leg_capacity(config), fake_table_address, config);
  }
  const match_state* match() const { return reinterpret_cast<const match_state*>(record.data()); }
  void leg_players(int32_t* first, int32_t* current) const {
    match_leg_players(legs.data(), match_current_leg(match()), first, current);
  }
  // The record as the tracker reads it (the table's address here is not this process's).
  match_snapshot snapshot() const {
    match_snapshot s = match_snapshot_of(match(), nullptr);
    leg_players(&s.threw_first, &s.to_throw);
    return s;
  }
};

int32_t combined(const match_state* m, int p, int32_t match_stats::*field) {
  return match_player_stats(m, p, stats_block::a).*field + match_player_stats(m, p, stats_block::b).*field;
}

// Bytes of the record that no field covers.
std::vector<std::size_t> gap_offsets() {
  std::vector<bool> used(match_layout::record_size, false);
  auto mark = [&used](std::size_t at, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) used[at + i] = true;
  };
  mark(match_layout::current_leg, 4);
  mark(match_layout::leg_table, 4);
  for (int p = 0; p < 2; ++p) {
    const std::size_t base = match_layout::players + match_layout::player_stride * p;
    mark(base, match_layout::name_size);
    mark(base + match_layout::score, 12);
    for (std::size_t block : {match_layout::stats_a, match_layout::stats_b}) {
      for (std::size_t f : {match_layout::count_100_plus, match_layout::count_140_plus, match_layout::count_180,
                            match_layout::best_leg, match_layout::score_total, match_layout::score_darts,
                            match_layout::leg_darts, match_layout::leg_count, match_layout::first9_score,
                            match_layout::first9_darts}) {
        mark(base + block + f, 4);
      }
      mark(base + block + match_layout::high_out, 2);
    }
  }
  std::vector<std::size_t> gaps;
  for (std::size_t i = 0; i < used.size(); ++i) {
    if (!used[i]) gaps.push_back(i);
  }
  return gaps;
}

TEST(HostMatch, NewMatchReadsBackThroughTheAccessors) {
  sim_fixture f(11);
  const match_state* m = f.match();
  EXPECT_STREQ(match_player_name(m, 0).text, "Anna Lindqvist");
  EXPECT_STREQ(match_player_name(m, 1).text, "Mark Devlin");
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(match_player_score(m, p), 501);
    EXPECT_EQ(match_player_sets(m, p), 0);
    EXPECT_EQ(match_player_legs(m, p), 0);
    EXPECT_EQ(combined(m, p, &match_stats::score_darts), 0);
  }
  EXPECT_EQ(match_current_leg(m), 0);
  EXPECT_EQ(match_leg_table_address(m), fake_table_address);
  int32_t first = -1, current = -1;
  f.leg_players(&first, &current);
  EXPECT_EQ(first, f.sim->player_to_throw());
  EXPECT_EQ(current, first);
  // The gaps carry a pattern a reader must skip: 16 + 36 bytes of the record
  // head plus 4 + 52 + 68 + 2 x (4 + 2 + 4) bytes in each player block.
  const std::vector<std::size_t> gaps = gap_offsets();
  EXPECT_EQ(gaps.size(), 16u + 36u + 2u * (4u + 52u + 68u + 2u * 10u));
  for (std::size_t at : gaps) EXPECT_EQ(f.record[at], sim_gap_fill) << "gap byte " << at;
}

TEST(HostMatch, LongNamesAreCutWithANulInsideTheBlock) {
  sim_config config;
  const std::string long_name(90, 'x');
  config.names[0] = long_name.c_str();
  config.names[1] = "";
  std::vector<unsigned char> record(match_layout::record_size), legs(sim_leg_capacity(config) * 148);
  match_sim sim(record.data(), legs.data(), sim_leg_capacity(config), 0, config);
  EXPECT_EQ(record[56 + 67], 0);
  EXPECT_EQ(std::string(match_player_name(reinterpret_cast<const match_state*>(record.data()), 0).text),
            std::string(67, 'x'));
  EXPECT_EQ(record[364], 0);
}

// A whole match per seed, checked after every visit against the rules of the game
// and against what the record says through the plug-in's accessors.
TEST(HostMatch, WholeMatchesFollowTheRules) {
  for (uint32_t seed : {1u, 2u, 3u, 99u, 12345u, 0xDEADBEEFu}) {
    SCOPED_TRACE(seed);
    sim_fixture f(seed);
    const match_state* m = f.match();
    int32_t scored[2] = {0, 0}, darts[2] = {0, 0}, legs_won[2] = {0, 0}, legs_finished = 0;
    int visits = 0;
    while (!f.sim->match_over()) {
      ASSERT_LT(++visits, 2000) << "the match never ends";
      const int p = f.sim->player_to_throw();
      const int32_t before = match_player_score(m, p);
      const visit_report r = f.sim->play_visit();
      ASSERT_EQ(r.player, p);
      ASSERT_GE(r.darts, 1);
      ASSERT_LE(r.darts, 3);
      scored[p] += r.scored;
      darts[p] += r.darts;
      if (r.bust) {
        EXPECT_EQ(r.scored, 0);
      } else {
        int sum = 0;
        for (int i = 0; i < r.darts; ++i) sum += r.thrown[i].points();
        EXPECT_EQ(sum, r.scored);
      }
      if (r.leg_won) {
        ++legs_won[p];
        ++legs_finished;
        EXPECT_EQ(before, r.scored) << "a leg ends exactly on zero";
        EXPECT_TRUE(r.thrown[r.darts - 1].is_double()) << "double out";
      } else {
        EXPECT_EQ(match_player_score(m, p), before - r.scored);
        EXPECT_NE(match_player_score(m, p), 1);
        EXPECT_GT(match_player_score(m, p), 1);
      }
      if (!f.sim->match_over()) {
        EXPECT_EQ(match_current_leg(m), legs_finished);
        int32_t first = -1, current = -1;
        f.leg_players(&first, &current);
        EXPECT_EQ(current, f.sim->player_to_throw());
        if (r.leg_won) {
          EXPECT_EQ(first, current) << "the opener throws first";
          EXPECT_EQ(match_player_score(m, 0), 501);
          EXPECT_EQ(match_player_score(m, 1), 501);
        } else {
          EXPECT_EQ(current, 1 - p);
        }
        EXPECT_LT(match_player_legs(m, 0), 3);
        EXPECT_LT(match_player_legs(m, 1), 3);
      }
    }
    const int winner = match_player_sets(m, 0) == 3 ? 0 : 1;
    EXPECT_EQ(match_player_sets(m, winner), 3);
    EXPECT_LT(match_player_sets(m, 1 - winner), 3);
    EXPECT_EQ(match_player_legs(m, winner), 3) << "the final leg stays on the board";
    for (int p = 0; p < 2; ++p) {
      EXPECT_EQ(combined(m, p, &match_stats::score_total), scored[p]);
      EXPECT_EQ(combined(m, p, &match_stats::score_darts), darts[p]);
      EXPECT_EQ(combined(m, p, &match_stats::leg_count), legs_won[p]);
      EXPECT_LE(combined(m, p, &match_stats::first9_darts), 9 * legs_finished);
      EXPECT_LE(combined(m, p, &match_stats::first9_score), 9 * 60 * legs_finished);
      EXPECT_GE(combined(m, p, &match_stats::leg_darts), 9 * legs_won[p]);
      for (stats_block b : {stats_block::a, stats_block::b}) {
        const match_stats s = match_player_stats(m, p, b);
        EXPECT_LE(s.high_out, 170);
        EXPECT_GE(s.high_out, 0);
        EXPECT_TRUE(s.best_leg == 0 || s.best_leg >= 9) << s.best_leg;
        EXPECT_EQ(s.leg_count == 0, s.best_leg == 0);
      }
    }
    // Over a whole match the thrower shows the numbers a result table needs.
    const int32_t big = combined(m, 0, &match_stats::count_100_plus) + combined(m, 1, &match_stats::count_100_plus) +
                        combined(m, 0, &match_stats::count_140_plus) + combined(m, 1, &match_stats::count_140_plus);
    EXPECT_GT(big, 0);
    const double average = 3.0 * (scored[0] + scored[1]) / (darts[0] + darts[1]);
    EXPECT_GT(average, 35.0);
    EXPECT_LT(average, 110.0);
    for (std::size_t at : gap_offsets()) ASSERT_EQ(f.record[at], sim_gap_fill) << "gap byte " << at;
    // Once over, a visit does nothing.
    const std::vector<unsigned char> after = f.record;
    EXPECT_EQ(f.sim->play_visit().player, -1);
    EXPECT_EQ(f.record, after);
  }
}

TEST(HostMatch, SameSeedSameMatchOtherSeedOtherMatch) {
  sim_fixture a(42), b(42), c(43);
  for (int i = 0; i < 40; ++i) {
    a.sim->play_visit();
    b.sim->play_visit();
    c.sim->play_visit();
  }
  EXPECT_EQ(a.record, b.record);
  EXPECT_EQ(a.legs, b.legs);
  EXPECT_NE(a.record, c.record);
}

TEST(HostMatch, ShortFormatEndsAfterOneLeg) {
  sim_fixture f(5, 1, 1);
  EXPECT_EQ(sim_leg_capacity(f.config), 1u);
  while (!f.sim->match_over()) f.sim->play_visit();
  EXPECT_EQ(match_player_sets(f.match(), 0) + match_player_sets(f.match(), 1), 1);
  EXPECT_EQ(match_current_leg(f.match()), 0);
}

// Whatever the thrower aims at, hitting it never busts when the remaining score
// can be finished, and a finishing dart is a double.
TEST(HostMatch, AimNeverBustsOnAHit) {
  for (int remaining = 2; remaining <= 501; ++remaining) {
    for (int darts_left = 1; darts_left <= 3; ++darts_left) {
      const dart aim = sim_choose_target(remaining, darts_left);
      const int left = remaining - aim.points();
      ASSERT_GE(aim.points(), 1);
      ASSERT_TRUE(left >= 2 || (left == 0 && aim.is_double())) << remaining << " with " << darts_left << " darts";
    }
  }
}

TEST(HostMatch, AimTakesTheFinish) {
  struct row {
    int remaining, darts_left, number, multiplier;
  };
  const row rows[] = {
      {40, 1, 20, 2}, {32, 3, 16, 2}, {50, 2, 25, 2}, {170, 3, 20, 3}, {100, 3, 20, 3},
      {41, 1, 9, 1},  // no finish with one dart: leave 32
      {36, 2, 18, 2}, {501, 3, 20, 3},
  };
  for (const row& r : rows) {
    const dart aim = sim_choose_target(r.remaining, r.darts_left);
    EXPECT_EQ(aim.number, r.number) << r.remaining;
    EXPECT_EQ(aim.multiplier, r.multiplier) << r.remaining;
  }
}

TEST(HostMatch, RandomStaysBelowItsBound) {
  sim_random random(0);  // a zero seed is replaced, not stuck at zero
  uint32_t seen_nonzero = 0;
  for (int i = 0; i < 10000; ++i) {
    const uint32_t v = random.below(7);
    ASSERT_LT(v, 7u);
    seen_nonzero |= v;
  }
  EXPECT_NE(seen_nonzero, 0u);
}

// --- dart by dart, and visits taken back ---------------------------------------

// Per dart, the record moves as a host's does: the score down with each dart,
// back to the turn's start on a bust, and the statistics, legs and the player
// to throw only with the dart that ends the visit. Visit by visit it ends up as
// the per-visit match of the same seed.
TEST(HostMatch, DartByDartTheRecordFollowsEachDart) {
  for (uint32_t seed : {3u, 2024u}) {
    SCOPED_TRACE(seed);
    sim_fixture per_dart(seed);
    sim_fixture per_visit(seed);
    const match_state* m = per_dart.match();
    int visits = 0;
    while (!per_dart.sim->match_over()) {
      ASSERT_LT(++visits, 2000);
      const int p = per_dart.sim->player_to_throw();
      const int32_t start = match_player_score(m, p);
      const match_stats stats_before = match_player_stats(m, p, stats_block::a);
      visit_report r;
      int32_t running = start;
      do {
        r = per_dart.sim->play_dart();
        ASSERT_EQ(r.player, p);
        const dart& d = r.thrown[r.darts - 1];
        if (r.complete) break;
        running -= d.points();
        EXPECT_EQ(match_player_score(m, p), running) << "dart " << r.darts;
        EXPECT_TRUE(per_dart.sim->visit_under_way());
        int32_t first = -1, current = -1;
        per_dart.leg_players(&first, &current);
        EXPECT_EQ(current, p) << "the turn passes with the last dart";
        EXPECT_EQ(match_player_stats(m, p, stats_block::a).score_darts, stats_before.score_darts);
      } while (true);
      EXPECT_FALSE(per_dart.sim->visit_under_way());
      if (r.bust) EXPECT_EQ(match_player_score(m, p), start) << "a bust puts the turn's score back";
      const visit_report whole = per_visit.sim->play_visit();
      EXPECT_EQ(visit_text("x", whole), visit_text("x", r));
      ASSERT_EQ(per_dart.record, per_visit.record) << "after visit " << visits;
      ASSERT_EQ(per_dart.legs, per_visit.legs);
    }
  }
}

TEST(HostMatch, AVisitUnderWayReadsAsSoFar) {
  visit_report r;
  r.darts = 2;
  r.thrown[0] = dart{20, 3};
  r.thrown[1] = dart{5, 1};
  r.remaining = 436;
  EXPECT_EQ(visit_text("Anna", r), "Anna: T20 S5, 436 left so far");
  r.complete = true;
  r.scored = 65;
  EXPECT_EQ(visit_text("Anna", r), "Anna: T20 S5 = 65, 436 left");
}

// Taking a visit back restores the record and the leg table byte for byte as
// they were before it: the statistics, the legs and sets, the player to throw,
// across leg and set ends and the match's end, and from a visit under way too.
TEST(HostMatch, TakingAVisitBackRestoresTheRecord) {
  sim_fixture f(77, 2, 2);
  EXPECT_FALSE(f.sim->undo_visit()) << "nothing to take back yet";
  int visits = 0;
  int legs_seen = 0;
  while (!f.sim->match_over()) {
    ASSERT_LT(++visits, 2000);
    const std::vector<unsigned char> record = f.record;
    const std::vector<unsigned char> legs = f.legs;
    const uint32_t played = f.sim->visits_played();
    const int to_throw = f.sim->player_to_throw();
    const visit_report r = f.sim->play_visit();
    if (r.leg_won) ++legs_seen;
    ASSERT_TRUE(f.sim->undo_visit());
    ASSERT_EQ(f.record, record) << "visit " << visits;
    ASSERT_EQ(f.legs, legs);
    EXPECT_EQ(f.sim->visits_played(), played);
    EXPECT_EQ(f.sim->player_to_throw(), to_throw);
    EXPECT_FALSE(f.sim->match_over());
    // Played again (other darts), and on: a dart of the next visit goes too.
    f.sim->play_visit();
    if (!f.sim->match_over() && visits % 5 == 0) {
      const std::vector<unsigned char> before = f.record;
      f.sim->play_visit();
      f.sim->play_dart();
      ASSERT_TRUE(f.sim->undo_visit());
      EXPECT_EQ(f.record, before);
      EXPECT_FALSE(f.sim->visit_under_way());
    }
  }
  EXPECT_GT(legs_seen, 2);
  // Back to the first dart of the match, and no further.
  while (f.sim->undo_visit()) {
  }
  EXPECT_EQ(f.sim->visits_played(), 0u);
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(match_player_score(f.match(), p), 501);
    EXPECT_EQ(match_player_sets(f.match(), p), 0);
    EXPECT_EQ(match_player_stats(f.match(), p, stats_block::a).score_darts, 0);
  }
  f.sim->play_visit();
  f.sim->new_match();
  EXPECT_FALSE(f.sim->undo_visit()) << "a new match forgets the last one's visits";
}

// The tracker that follows the simulated host: per dart and per visit it tells
// the same events, each visit as the thrower scored it, each finish, 180 and
// undo where the host made them; the darts within a visit tell nothing.
std::string events_text(const match_events& e) {
  std::string t;
  if (e.undo_player >= 0) t += "undo " + std::to_string(e.undo_player) + ";";
  if (e.visit_player >= 0) t += "visit " + std::to_string(e.visit_player) + " " + std::to_string(e.visit_score) + ";";
  if (e.visit_won_leg) t += e.visit_won_set ? "set;" : "leg;";
  if (e.new_leg) t += "new leg;";
  if (e.new_match) t += "new match;";
  for (int p = 0; p < 2; ++p) {
    if (e.rise_180[p] != 0) t += "180 " + std::to_string(p) + ";";
    if (e.rise_140_plus[p] != 0) t += "140 " + std::to_string(p) + ";";
    if (e.rise_100_plus[p] != 0) t += "100 " + std::to_string(p) + ";";
  }
  if (e.turn_player >= 0) t += "turn " + std::to_string(e.turn_player) + " " + std::to_string(e.turn_score) + ";";
  return t;
}

TEST(HostMatch, TheTrackerHearsTheSameMatchPerDartAndPerVisit) {
  for (uint32_t seed : {5u, 2024u}) {
    SCOPED_TRACE(seed);
    sim_fixture per_visit(seed);
    sim_fixture per_dart(seed);
    match_tracker visit_tracker = {};
    match_tracker dart_tracker = {};
    match_tracker_update(visit_tracker, per_visit.snapshot());
    match_tracker_update(dart_tracker, per_dart.snapshot());
    int visits = 0, finishes = 0, undos = 0, calls_180 = 0, last_player = -1;
    while (!per_visit.sim->match_over()) {
      ASSERT_LT(++visits, 2000);
      if (visits % 9 == 0) {  // the last visit taken back
        ASSERT_TRUE(per_visit.sim->undo_visit());
        ASSERT_TRUE(per_dart.sim->undo_visit());
        const match_events a = match_tracker_update(visit_tracker, per_visit.snapshot());
        const match_events b = match_tracker_update(dart_tracker, per_dart.snapshot());
        ASSERT_EQ(events_text(a), events_text(b));
        EXPECT_EQ(a.undo_player, last_player);
        EXPECT_EQ(visit_tracker.last_visit[last_player], match_visit_unknown);
        EXPECT_EQ(match_callout_of(a).player, -1);
        ++undos;
        continue;
      }
      const visit_report r = per_visit.sim->play_visit();
      const match_events a = match_tracker_update(visit_tracker, per_visit.snapshot());
      match_events b{};
      visit_report d;
      do {
        d = per_dart.sim->play_dart();
        b = match_tracker_update(dart_tracker, per_dart.snapshot());
        if (!d.complete) ASSERT_EQ(events_text(b), "") << "a dart within the visit tells nothing";
      } while (!d.complete);
      ASSERT_EQ(events_text(a), events_text(b)) << "visit " << visits;
      EXPECT_EQ(a.visit_player, r.player);
      EXPECT_EQ(a.visit_score, r.scored);
      EXPECT_EQ(a.visit_won_leg, r.leg_won);
      EXPECT_EQ(a.visit_won_set, r.set_won);
      EXPECT_EQ(a.rise_180[r.player], r.scored == 180 ? 1 : 0);
      last_player = r.player;
      if (r.leg_won) ++finishes;
      if (match_callout_of(a).text == std::string("180")) ++calls_180;
      if (!r.leg_won) EXPECT_EQ(visit_tracker.last_visit[r.player], r.scored);
    }
    EXPECT_GT(finishes, 5);
    EXPECT_GT(undos, 5);
    EXPECT_GT(calls_180, 0);
  }
}

// The host's status line: the call-out until the next visit begins, the last
// visits, and an undo.
TEST(HostMatch, TheStatusLineTellsWhatTheBoardShows) {
  const std::string names[2] = {"Anna", "Mark"};
  board_status status;
  match_snapshot s = {};
  s.score[0] = s.score[1] = 501;
  s.to_throw = 0;
  EXPECT_EQ(board_status_line(status, names), "Board: no call-out; last visits - / -");
  board_status_follow(status, s, names);
  s.score[0] = 321;
  s.count_180[0] = 1;
  s.to_throw = 1;
  board_status_follow(status, s, names);
  EXPECT_EQ(board_status_line(status, names), "Board: 180 for Anna; last visits 180 / -");
  board_status_follow(status, s, names);  // the same record again: the call-out stays
  EXPECT_EQ(board_status_line(status, names), "Board: 180 for Anna; last visits 180 / -");
  s.score[1] = 441;  // Mark's first dart: the next visit has begun
  board_status_follow(status, s, names);
  EXPECT_EQ(board_status_line(status, names), "Board: no call-out; last visits 180 / -");
  s.score[1] = 401;
  s.to_throw = 0;
  board_status_follow(status, s, names);
  EXPECT_EQ(board_status_line(status, names), "Board: no call-out; last visits 180 / 100");
  s.score[1] = 501;  // Mark's visit taken back
  s.to_throw = 1;
  board_status_follow(status, s, names);
  EXPECT_EQ(board_status_line(status, names), "Board: no call-out; last visits 180 / -; Mark's last visit taken back");
}

}  // namespace
