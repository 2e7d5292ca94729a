// The match tracker fed scripted matches: a host that notifies once per visit
// and one that notifies after every dart must give the same events; busts, a
// leg won on the bull, an undo, a new match and a record without a leg table
// each follow their own rule; and what a notice calls out.
#include "match/match_tracker.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "match/match_figures.h"
#include "views/result/result_table.h"

namespace {

// A host scoring a 501 match in a snapshot, telling the tracker after each
// visit or after each dart. It writes what a host writes: scores dart by dart
// (a bust restores the turn's start), the counters when a visit is complete,
// legs, sets and the player to throw; an undo puts everything back as it was
// before the last visit. The log holds what the tracker told, in words.
struct scripted_host {
  enum class notify { per_visit, per_dart };
  notify mode;
  bool leg_table = true;
  int legs_a_set = 2;
  match_snapshot s = {};
  match_tracker tracker = {};
  std::vector<std::string> log;
  struct saved {
    match_snapshot record;
    int opener;
    int turn;
  };
  std::vector<saved> before_visit;  // for undo
  int opener = 0;
  int turn = 0;

  explicit scripted_host(notify how) : mode(how) {
    s.score[0] = s.score[1] = 501;
    s.to_throw = s.threw_first = 0;
    tell();
  }

  void set_to_throw(int p) { s.to_throw = leg_table ? p : -1; }

  // A tracker that opens on the record as the test has set it: its starting point.
  void start_over() {
    match_tracker_reset(tracker);
    before_visit.clear();
    tell();
    log.clear();
  }

  void tell() {
    const match_events e = match_tracker_update(tracker, s);
    if (e.starting_point) log.push_back("start");
    if (e.new_match) log.push_back("new match");
    if (e.undo_player >= 0) log.push_back("undo P" + std::to_string(e.undo_player));
    if (e.visit_player >= 0) {
      const std::string what = e.visit_won_set ? " wins the set on " : e.visit_won_leg ? " wins the leg on " : " visit ";
      log.push_back("P" + std::to_string(e.visit_player) + what + std::to_string(e.visit_score));
    }
    if (e.new_leg && !e.new_match) log.push_back("new leg");
    for (int p = 0; p < 2; ++p) {
      if (e.rise_180[p] != 0) log.push_back("P" + std::to_string(p) + " 180 +" + std::to_string(e.rise_180[p]));
      if (e.rise_140_plus[p] != 0) log.push_back("P" + std::to_string(p) + " 140+");
      if (e.rise_100_plus[p] != 0) log.push_back("P" + std::to_string(p) + " 100+");
    }
    const match_callout call = match_callout_of(e);
    if (call.player >= 0) log.push_back("call P" + std::to_string(call.player) + " " + call.text);
    if (e.turn_player >= 0) log.push_back("turn P" + std::to_string(e.turn_player) + " at " + std::to_string(e.turn_score));
  }

  // One visit of the player to throw: the darts' points in order. A visit
  // that does not leave 2 or more, or 0 on its last dart, is a bust.
  void visit(std::vector<int> darts, bool finish_on_double = true) {
    before_visit.push_back({s, opener, turn});
    const int p = turn;
    const int32_t start = s.score[p];
    bool bust = false;
    for (std::size_t i = 0; i < darts.size(); ++i) {
      const int32_t left = s.score[p] - darts[i];
      bust = left < 0 || left == 1 || (left == 0 && !finish_on_double);
      s.score[p] = bust ? start : left;
      if (bust || left == 0) break;
      if (mode == notify::per_dart && i + 1 < darts.size()) tell();
    }
    const int32_t scored = start - s.score[p];
    if (scored == 180) s.count_180[p] += 1;
    else if (scored >= 140) s.count_140_plus[p] += 1;
    else if (scored >= 100) s.count_100_plus[p] += 1;
    if (s.score[p] == 0) {
      win_leg(p);
    } else {
      turn = 1 - p;
      set_to_throw(turn);
    }
    tell();
  }

  void win_leg(int p) {
    s.legs[p] += 1;
    if (s.legs[p] == legs_a_set) {
      s.sets[p] += 1;
      s.legs[0] = s.legs[1] = 0;
    }
    s.score[0] = s.score[1] = 501;
    opener = 1 - opener;
    turn = opener;
    s.threw_first = leg_table ? opener : -1;
    set_to_throw(turn);
  }

  // The host takes the last visit back: the record as it was before it.
  void undo() {
    ASSERT_FALSE(before_visit.empty());
    s = before_visit.back().record;
    opener = before_visit.back().opener;
    turn = before_visit.back().turn;
    before_visit.pop_back();
    tell();
  }

  std::string last_visits() const {
    char a[match_visit_text_size];
    char b[match_visit_text_size];
    match_visit_text(tracker.last_visit[0], a);
    match_visit_text(tracker.last_visit[1], b);
    return std::string(a) + " " + b;
  }
};

using notify = scripted_host::notify;

// Three legs, the last winning a set: 180s, a 140, a 100, a bust, a leg won with
// a 121 checkout and one on the bull; per visit and per dart the same events.
void play_three_legs(scripted_host& h) {
  h.visit({60, 60, 60});  // P0 321
  h.visit({60, 20, 20});  // P1 401
  h.visit({60, 60, 20});  // P0 181
  h.visit({20, 20, 5});   // P1 356
  h.visit({60, 0, 0});    // P0 121
  h.visit({60, 60, 60});  // P1 176
  h.visit({60, 11, 50});  // P0 checks out 121
  // Leg two, P1 opens.
  h.visit({60, 60, 60});  // P1 321
  h.visit({1, 1, 1});     // P0 498
  h.visit({60, 60, 60});  // P1 141
  h.visit({1, 1, 1});     // P0 495
  h.visit({60, 60, 20});  // P1 bust on 141: 1 left
  h.visit({1, 1, 1});     // P0 492
  h.visit({57, 34, 50});  // P1 checks out 141 on the bull
  // Leg three, P0 opens and wins the set with nine darts.
  h.visit({60, 60, 60});
  h.visit({1, 1, 1});
  h.visit({60, 60, 60});
  h.visit({1, 1, 1});
  h.visit({60, 57, 24});
}

const std::vector<std::string> three_legs_log = {
    "start",
    "P0 visit 180", "P0 180 +1", "call P0 180", "turn P1 at 501",
    "P1 visit 100", "P1 100+", "turn P0 at 321",
    "P0 visit 140", "P0 140+", "turn P1 at 401",
    "P1 visit 45", "turn P0 at 181",
    "P0 visit 60", "turn P1 at 356",
    "P1 visit 180", "P1 180 +1", "call P1 180", "turn P0 at 121",
    "P0 wins the leg on 121", "new leg", "P0 100+", "call P0 121 CHECKOUT", "turn P1 at 501",
    "P1 visit 180", "P1 180 +1", "call P1 180", "turn P0 at 501",
    "P0 visit 3", "turn P1 at 321",
    "P1 visit 180", "P1 180 +1", "call P1 180", "turn P0 at 498",
    "P0 visit 3", "turn P1 at 141",
    "P1 visit 0", "turn P0 at 495",
    "P0 visit 3", "turn P1 at 141",
    "P1 wins the leg on 141", "new leg", "P1 140+", "call P1 141 CHECKOUT", "turn P0 at 501",
    "P0 visit 180", "P0 180 +1", "call P0 180", "turn P1 at 501",
    "P1 visit 3", "turn P0 at 321",
    "P0 visit 180", "P0 180 +1", "call P0 180", "turn P1 at 498",
    "P1 visit 3", "turn P0 at 141",
    "P0 wins the set on 141", "new leg", "P0 140+", "call P0 GAME SHOT AND THE SET", "turn P1 at 501",
};

TEST(MatchTracker, PerVisitAndPerDartGiveTheSameEvents) {
  scripted_host per_visit(notify::per_visit);
  scripted_host per_dart(notify::per_dart);
  play_three_legs(per_visit);
  play_three_legs(per_dart);
  EXPECT_EQ(per_visit.log, three_legs_log);
  EXPECT_EQ(per_dart.log, three_legs_log);
  EXPECT_EQ(per_dart.s.sets[0], 1);
}

// Within a turn the score may go down and come back: nothing counts until the
// turn passes, and what shows is the last completed visit.
TEST(MatchTracker, ABustEndsAsAVisitOfNothing) {
  scripted_host h(notify::per_dart);
  h.visit({60, 60, 60});
  h.visit({20, 20, 20});
  EXPECT_EQ(h.last_visits(), "180 60");
  // P0 on 321 throws T20 T20 (201 left), then the score comes back: a bust by
  // a host that restores early, then the turn passes with the score unchanged.
  h.s.score[0] = 261;
  h.tell();
  EXPECT_EQ(h.last_visits(), "180 60") << "a turn under way shows the last completed visit";
  h.s.score[0] = 321;
  h.tell();
  h.s.to_throw = 1;
  h.turn = 1;
  h.log.clear();
  h.tell();
  EXPECT_EQ(h.log, (std::vector<std::string>{"P0 visit 0", "turn P1 at 441"}));
  EXPECT_EQ(h.last_visits(), "0 60");
  // Per visit: the turn passes, the score unchanged.
  scripted_host v(notify::per_visit);
  v.visit({60, 60, 60});
  v.s.to_throw = 0;
  v.turn = 0;
  v.log.clear();
  v.tell();
  EXPECT_EQ(v.log, (std::vector<std::string>{"P1 visit 0", "turn P0 at 321"}));
}

TEST(MatchTracker, ALegWonOnTheBull) {
  for (notify mode : {notify::per_visit, notify::per_dart}) {
    scripted_host h(mode);
    h.legs_a_set = 3;
    h.s.score[0] = 50;
    h.s.score[1] = 110;
    h.start_over();  // 50 and 110 left, P0 to throw
    h.visit({50});
    EXPECT_EQ(h.log, (std::vector<std::string>{"P0 wins the leg on 50", "new leg", "call P0 GAME SHOT",
                                               "turn P1 at 501"}));
    EXPECT_EQ(h.last_visits(), "- -") << "a new leg starts without visits";
    EXPECT_EQ(h.s.legs[0], 1);
    // And 110 on T20 and the bull is a checkout of 100 or more, per dart too.
    h.s.score[1] = 110;
    h.start_over();
    h.visit({60, 50});
    EXPECT_EQ(h.log, (std::vector<std::string>{"P1 wins the leg on 110", "new leg", "P1 100+",
                                               "call P1 110 CHECKOUT", "turn P0 at 501"}));
  }
}

// The host takes a visit back: no call-out, no visit for the player whose turn
// it had become, and the next visit is measured from the restored score.
TEST(MatchTracker, AnUndoForgetsTheVisitAndMeasuresFromTheRestoredScore) {
  for (notify mode : {notify::per_visit, notify::per_dart}) {
    SCOPED_TRACE(mode == notify::per_dart ? "per dart" : "per visit");
    scripted_host h(mode);
    h.visit({20, 20, 20});  // P0 441
    h.visit({60, 60, 60});  // P1 321, a 180
    EXPECT_EQ(h.last_visits(), "60 180");
    h.log.clear();
    h.undo();  // P1 back on 501 with no 180, P1 to throw again
    EXPECT_EQ(h.log, (std::vector<std::string>{"undo P1", "turn P1 at 501"}));
    EXPECT_EQ(h.last_visits(), "60 -");
    h.log.clear();
    h.visit({20, 5, 1});
    EXPECT_EQ(h.log, (std::vector<std::string>{"P1 visit 26", "turn P0 at 441"}));
    // P0 has thrown one dart of the next turn when the host takes P1's visit
    // back: P0's dart goes with it, and P0's turn ends no visit.
    if (mode == notify::per_dart) {
      h.s.score[0] -= 60;
      h.tell();
      h.log.clear();
      h.undo();
      EXPECT_EQ(h.log, (std::vector<std::string>{"undo P1", "turn P1 at 501"}));
      EXPECT_EQ(h.last_visits(), "60 -");
    }
  }
}

// A host that writes the score back at one notice and the player to throw at
// the next: the turn change still ends no visit.
TEST(MatchTracker, AnUndoToldInTwoNoticesEndsNoVisit) {
  scripted_host h(notify::per_visit);
  h.visit({20, 20, 20});  // P0 441, P1 to throw
  h.s.score[0] = 501;
  h.tell();
  h.s.to_throw = 0;
  h.log.clear();
  h.tell();
  EXPECT_EQ(h.log, (std::vector<std::string>{"turn P0 at 501"}));
  EXPECT_EQ(h.last_visits(), "- -");
}

// Taking back the visit that won a leg (or a set) puts that leg in play again:
// no finish, no new leg, and the legs that go back up are no leg won.
TEST(MatchTracker, AnUndoOfTheWinningVisitReopensTheLeg) {
  const struct {
    const char* what;
    int legs_a_set;
    int32_t legs, score[2];
  } rows[] = {
      {"a set won: both players' legs back to 0 at once", 1, 0, {40, 501}},
      {"a set taken back while the loser had a leg: that one's legs rise again", 2, 1, {32, 501}},
      {"the first leg back with equal scores: no new match", 2, 0, {40, 40}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    scripted_host h(notify::per_visit);
    h.legs_a_set = r.legs_a_set;
    h.s.legs[0] = h.s.legs[1] = r.legs;
    h.s.score[0] = r.score[0];
    h.s.score[1] = r.score[1];
    h.start_over();
    h.visit({r.score[0]});
    h.log.clear();
    h.undo();
    const std::string turn = "turn P0 at " + std::to_string(r.score[0]);
    EXPECT_EQ(h.log, (std::vector<std::string>{"undo P0", turn}));
    h.log.clear();
    h.visit({r.score[0] - 20, 20});
    EXPECT_EQ(h.log.front(), "P0 wins the " + std::string(r.legs_a_set == 2 && r.legs == 0 ? "leg" : "set") + " on " +
                                 std::to_string(r.score[0]))
        << "the finish is measured from the restored score";
  }
}

TEST(MatchTracker, ANewMatchStartsAfresh) {
  scripted_host h(notify::per_visit);
  play_three_legs(h);
  h.visit({60, 60, 60});
  EXPECT_EQ(h.last_visits(), "- 180");
  // The host starts a new match: everything back to 0, 501 each, counters cleared.
  h.s = match_snapshot{};
  h.s.score[0] = h.s.score[1] = 501;
  h.s.to_throw = h.s.threw_first = 1;
  h.turn = h.opener = 1;
  h.log.clear();
  h.tell();
  EXPECT_EQ(h.log, (std::vector<std::string>{"new match", "turn P1 at 501"}));
  EXPECT_EQ(h.last_visits(), "- -");
  h.log.clear();
  h.visit({60, 60, 60});
  EXPECT_EQ(h.log, (std::vector<std::string>{"P1 visit 180", "P1 180 +1", "call P1 180", "turn P0 at 501"}));
  // In the first leg, both scores back to 501 at once is a new match too.
  h.visit({20, 20, 20});
  h.s.score[0] = h.s.score[1] = 501;
  h.log.clear();
  h.tell();
  EXPECT_EQ(h.log.front(), "new match");
}

// No readable leg entry: each notice that lowers one score by 1 to 180 is a visit.
TEST(MatchTracker, ARecordWithoutALegTable) {
  scripted_host h(notify::per_visit);
  h.leg_table = false;
  h.s.to_throw = h.s.threw_first = -1;
  h.start_over();
  h.visit({60, 60, 60});
  h.visit({20, 20, 20});
  h.visit({});            // a bust: the score unchanged, nothing to see
  h.visit({60, 60, 1});   // P1's 121
  EXPECT_EQ(h.log, (std::vector<std::string>{"P0 visit 180", "P0 180 +1", "call P0 180", "P1 visit 60",
                                             "P1 visit 121", "P1 100+"}));
  EXPECT_EQ(h.last_visits(), "180 121");
  // A score that goes up is an undo; a drop of more than 180 is no visit.
  h.log.clear();
  h.undo();
  EXPECT_EQ(h.log, (std::vector<std::string>{"undo P1"}));
  EXPECT_EQ(h.last_visits(), "180 -");
  h.s.score[1] -= 181;
  h.log.clear();
  h.tell();
  EXPECT_TRUE(h.log.empty());
  // A leg won finishes what was left at the notice before.
  h.s.score[1] = 32;
  h.tell();
  h.turn = 1;
  h.log.clear();
  h.visit({32});
  EXPECT_EQ(h.log, (std::vector<std::string>{"P1 wins the leg on 32", "new leg", "call P1 GAME SHOT"}));
}

TEST(MatchTracker, TheFirstNoticeIsOnlyAStartingPoint) {
  match_snapshot s = {};
  s.score[0] = 121;
  s.score[1] = 40;
  s.legs[0] = 2;
  s.count_180[0] = 4;
  s.to_throw = 1;
  match_tracker t = {};
  const match_events e = match_tracker_update(t, s);
  EXPECT_TRUE(e.starting_point);
  EXPECT_FALSE(e.new_match || e.new_leg);
  EXPECT_EQ(e.visit_player, -1);
  EXPECT_EQ(e.turn_player, -1);
  EXPECT_EQ(e.rise_180[0], 0);
  EXPECT_EQ(match_callout_of(e).player, -1);
  // The same record again tells nothing.
  const match_events again = match_tracker_update(t, s);
  EXPECT_FALSE(again.starting_point);
  EXPECT_EQ(again.visit_player, -1);
  EXPECT_EQ(again.turn_player, -1);
  EXPECT_STREQ(match_callout_of(again).text, "");
}

TEST(MatchTracker, CountersThatGoDownRaiseNothing) {
  match_snapshot s = {};
  s.score[0] = s.score[1] = 301;
  s.count_180[1] = 3;
  s.count_140_plus[1] = 2;
  s.to_throw = 0;
  match_tracker t = {};
  match_tracker_update(t, s);
  s.count_180[1] = 2;  // a host correcting its count
  s.count_140_plus[1] = 1;
  match_events e = match_tracker_update(t, s);
  EXPECT_EQ(e.rise_180[1], 0);
  EXPECT_EQ(e.rise_140_plus[1], 0);
  EXPECT_EQ(match_callout_of(e).player, -1);
  s.count_180[1] = 4;  // two at one notice
  e = match_tracker_update(t, s);
  EXPECT_EQ(e.rise_180[1], 2);
  EXPECT_STREQ(match_callout_of(e).text, "180");
  // Counters from the ends of the 32-bit range rise without overflowing.
  s.count_100_plus[0] = INT32_MIN;
  match_tracker_update(t, s);
  s.count_100_plus[0] = INT32_MAX;
  EXPECT_EQ(match_tracker_update(t, s).rise_100_plus[0], INT32_MAX);
}

TEST(MatchTracker, CallOuts) {
  struct row {
    bool won_leg, won_set;
    int32_t finish;
    int32_t rise_180;
    int32_t undo_player;
    const char* text;
  } rows[] = {
      {true, false, 121, 0, -1, "121 CHECKOUT"},
      {true, false, 100, 0, -1, "100 CHECKOUT"},
      {true, false, 99, 0, -1, "GAME SHOT"},
      {true, false, match_visit_unknown, 0, -1, "GAME SHOT"},
      {true, true, 170, 0, -1, "GAME SHOT AND THE SET"},
      {false, false, 180, 1, -1, "180"},
      {false, false, 140, 0, -1, ""},
      {false, false, 180, 1, 0, ""},  // whatever a notice with an undo holds
  };
  for (const row& r : rows) {
    match_events e = {};
    e.undo_player = r.undo_player;
    e.visit_player = 1;
    e.visit_score = r.finish;
    e.visit_won_leg = r.won_leg;
    e.visit_won_set = r.won_set;
    e.rise_180[1] = r.rise_180;
    EXPECT_STREQ(match_callout_of(e).text, r.text) << r.finish;
    EXPECT_EQ(match_callout_of(e).player, r.text[0] != '\0' ? 1 : -1);
  }
}

// --- the record ---------------------------------------------------------------

struct record {
  std::vector<unsigned char> bytes = std::vector<unsigned char>(match_layout::record_size, 0);
  const match_state* get() const { return reinterpret_cast<const match_state*>(bytes.data()); }
  void set(int player, std::size_t field, int32_t value) {
    std::memcpy(&bytes[match_layout::players + match_layout::player_stride * player + field], &value, 4);
  }
};

// A leg table where the record's 32-bit address can reach it.
unsigned char* low_leg_table() {
  static void* table = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  return table == MAP_FAILED ? nullptr : static_cast<unsigned char*>(table);
}

bool table_readable(const void* at, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(at);
  return low_leg_table() != nullptr && p >= low_leg_table() && p + size <= low_leg_table() + 4096;
}

TEST(MatchTracker, SnapshotSumsBothBlocksAndReadsTheLegEntry) {
  record m;
  m.set(1, match_layout::score, 141);
  m.set(1, match_layout::legs, 2);
  m.set(0, match_layout::sets, 1);
  m.set(1, match_layout::stats_a + match_layout::count_180, 2);
  m.set(1, match_layout::stats_b + match_layout::count_180, 3);
  m.set(0, match_layout::stats_b + match_layout::count_140_plus, 7);
  m.set(0, match_layout::stats_a + match_layout::count_100_plus, 1);
  m.set(0, match_layout::stats_b + match_layout::count_100_plus, 1);
  const match_snapshot none = match_snapshot_of(m.get(), table_readable);
  EXPECT_EQ(none.score[1], 141);
  EXPECT_EQ(none.legs[1], 2);
  EXPECT_EQ(none.sets[0], 1);
  EXPECT_EQ(none.count_180[1], 5);
  EXPECT_EQ(none.count_140_plus[0], 7);
  EXPECT_EQ(none.count_100_plus[0], 2);
  EXPECT_EQ(none.to_throw, -1) << "a null leg table";
  EXPECT_EQ(none.threw_first, -1);

  unsigned char* table = low_leg_table();
  ASSERT_NE(table, nullptr);
  const int32_t leg = 1;
  std::memcpy(&m.bytes[match_layout::current_leg], &leg, 4);
  const uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(table));
  std::memcpy(&m.bytes[match_layout::leg_table], &address, 4);
  unsigned char* entry = table + match_layout::leg_entry_size;
  const struct {
    int32_t first, current;
    int32_t threw_first, to_throw;
  } rows[] = {{1, 0, 1, 0}, {0, 1, 0, 1}, {2, -1, -1, -1}, {0, 7, 0, -1}};
  for (const auto& r : rows) {
    std::memcpy(entry + match_layout::first_player, &r.first, 4);
    std::memcpy(entry + match_layout::current_player, &r.current, 4);
    const match_snapshot s = match_snapshot_of(m.get(), table_readable);
    EXPECT_EQ(s.threw_first, r.threw_first) << r.first;
    EXPECT_EQ(s.to_throw, r.to_throw) << r.current;
  }
  EXPECT_EQ(match_snapshot_of(m.get(), nullptr).to_throw, -1) << "nothing said readable";
}

TEST(MatchFigures, TheAverageIsTheResultViewsScoreRow) {
  record m;
  // 501 in 27 darts over the two blocks.
  m.set(0, match_layout::stats_a + match_layout::score_total, 301);
  m.set(0, match_layout::stats_b + match_layout::score_total, 200);
  m.set(0, match_layout::stats_a + match_layout::score_darts, 20);
  m.set(0, match_layout::stats_b + match_layout::score_darts, 7);
  // Player 1: sums that wrap as the host's 32-bit counters do, and no darts.
  m.set(1, match_layout::stats_a + match_layout::score_total, INT32_MAX);
  m.set(1, match_layout::stats_b + match_layout::score_total, 2);
  EXPECT_NEAR(match_three_dart_average(m.get(), 0), 55.666666, 1e-5);
  EXPECT_EQ(match_three_dart_average(m.get(), 1), 0.0);
  for (int darts : {0, -3, 1, 7}) {
    m.set(1, match_layout::stats_a + match_layout::score_darts, darts);
    for (int p = 0; p < 2; ++p) {
      char ours[match_average_text_size];
      char table[result_text_size];
      const int length = match_three_dart_average_text(m.get(), p, ours);
      result_value_text(result_player_figures_of(m.get(), p), 8, 1, table);
      EXPECT_STREQ(ours, table) << darts;
      EXPECT_EQ(length, static_cast<int>(std::strlen(ours)));
    }
  }
  char text[match_average_text_size];
  m.set(1, match_layout::stats_a + match_layout::score_darts, 1);
  m.set(1, match_layout::stats_a + match_layout::score_total, INT32_MIN);
  m.set(1, match_layout::stats_b + match_layout::score_total, 0);
  match_three_dart_average_text(m.get(), 1, text);
  EXPECT_STREQ(text, "-6442450944.00") << "the longest text fits";
}

}  // namespace
