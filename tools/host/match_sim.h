// The simulated host's match: 501 double out between two players, thrown by a
// seeded random thrower, kept in a byte record and leg table laid out exactly as
// the host keeps them, so the plug-in's views read it as they read the real one.
// Window-free: the host program owns the memory and the windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A small deterministic generator (xorshift32), the same on every platform.
class sim_random {
 public:
  explicit sim_random(uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
  uint32_t next();
  // Uniform in [0, bound); bound > 0.
  uint32_t below(uint32_t bound);

 private:
  uint32_t state_;
};

// Where a dart lands: a segment number 1..20 or 25 (bull), times 1, 2 or 3
// (bull only 1 or 2), or a miss (number 0).
struct dart {
  int number = 0;
  int multiplier = 0;
  int points() const { return number * multiplier; }
  bool is_double() const { return multiplier == 2 && number != 0; }
};

// The thrower's aim for `remaining` points with `darts_left` darts of the visit:
// the double that finishes, a shot that sets one up, or the treble twenty.
dart sim_choose_target(int remaining, int darts_left);

// Where a dart aimed at `target` lands; `skill` 0..100 raises the chance to hit.
dart sim_throw(const dart& target, int skill, sim_random& random);

struct sim_config {
  uint32_t seed = 1;
  int sets_to_win = 3;  // first to this many sets wins the match (1..9)
  int legs_to_win = 3;  // first to this many legs wins a set (1..9)
  const char* names[2] = {"Anna Lindqvist", "Mark Devlin"};
  int skill[2] = {62, 58};
};

// Leg entries the table needs for the longest match of `config`.
std::size_t sim_leg_capacity(const sim_config& config);

// What one visit did (or, dart by dart, has done so far), for the host's
// notices and its status line.
struct visit_report {
  int player = -1;        // who threw; -1 when the match was already over
  int darts = 0;          // darts thrown (1..3)
  bool complete = false;  // the visit is over: the turn passed or the leg ended
  int scored = 0;         // points scored, 0 on a bust
  bool bust = false;
  int remaining = 0;      // the thrower's score after the visit (so far)
  bool leg_won = false;   // the visit finished a leg
  bool set_won = false;
  bool match_won = false;
  dart thrown[3];
};

// A dart as the host's main window names it: "T20", "D16", "S5", "Bull", "25", "miss".
std::string dart_text(const dart& d);

// One line on a visit: "<name>: T20 T20 S5 = 125, 376 left", or ", bust", then
// whether it won the leg, the set or the match; a visit under way ends
// "..., 381 left so far".
std::string visit_text(const std::string& name, const visit_report& report);

// Plays the match in a record of at least match_layout::record_size bytes and a
// leg table of sim_leg_capacity() entries, both owned by the caller. The record's
// leg table field holds `leg_table_address`, the table's 32-bit address as the
// plug-in will read it. Gap bytes are filled with a pattern that a reader must skip.
class match_sim {
 public:
  match_sim(unsigned char* record, unsigned char* leg_table, std::size_t leg_capacity, uint32_t leg_table_address,
            const sim_config& config);

  // Starts a new match: names, 501 each, no legs or sets, empty statistics.
  void new_match();
  // Throws one visit of the player to throw (the rest of it when darts of it
  // are thrown already); after the match is won it does nothing and returns a
  // report with player -1.
  visit_report play_visit();
  // Throws one dart. The record follows dart by dart: the score goes down with
  // each dart, a bust puts back the score the turn began with, and the
  // statistics, the legs and sets and the player to throw change with the
  // dart that ends the visit (report.complete). Player -1 after the match.
  visit_report play_dart();
  // Takes the last complete visit back, and any darts thrown since: the record,
  // the leg table and the match's progress as they were before it (the
  // statistics and the player to throw too). The thrower does not throw the
  // same darts again. False, changing nothing, when no visit of this match is left.
  bool undo_visit();
  bool visit_under_way() const { return in_turn_; }

  bool match_over() const { return match_over_; }
  int current_leg() const { return leg_; }
  int player_to_throw() const { return to_throw_; }
  uint32_t visits_played() const { return visits_; }
  // The record's fields as this host wrote them.
  std::string name(int player) const;
  int32_t score(int player) const;
  int32_t sets(int player) const;
  int32_t legs(int player) const;

 private:
  struct player_progress {
    int visits_in_leg = 0;
    int darts_in_leg = 0;
  };
  // What undo_visit puts back: the record, the entries of the leg in play and
  // of the next one (a leg won writes that), and the match's progress.
  struct saved_state {
    std::vector<unsigned char> record;
    std::vector<unsigned char> entries;
    int leg, leg_opener, set_opener, to_throw;
    bool match_over;
    uint32_t visits;
    player_progress progress[2];
  };

  void start_leg();
  void write_i32(std::size_t offset, int32_t value);
  void write_i16(std::size_t offset, int16_t value);
  int32_t read_i32(std::size_t offset) const;
  int16_t read_i16(std::size_t offset) const;
  std::size_t player_base(int player) const;
  // The statistics block a visit of `player` in the current leg counts in:
  // block a for legs the player opened, block b for legs the opponent opened.
  std::size_t stats_base(int player) const;
  void add_stat(int player, std::size_t field, int32_t amount);
  void write_leg_entry(int leg, int first, int current);
  void finish_leg(int winner, int checkout, visit_report& report);
  void end_visit(visit_report& report);
  std::size_t saved_entry_bytes() const;

  unsigned char* record_;
  unsigned char* legs_;
  std::size_t leg_capacity_;
  uint32_t leg_table_address_;
  sim_config config_;
  sim_random random_;
  int leg_ = 0;
  int leg_opener_ = 0;
  int set_opener_ = 0;
  int to_throw_ = 0;
  bool match_over_ = false;
  uint32_t visits_ = 0;
  player_progress progress_[2];
  bool in_turn_ = false;
  visit_report turn_;       // the visit under way
  int32_t turn_start_ = 0;  // the thrower's score when it began
  std::vector<saved_state> history_;  // before each visit of this match, oldest first
};

// The byte that fills the record's gaps.
constexpr unsigned char sim_gap_fill = 0xCD;
