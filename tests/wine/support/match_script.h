// A host's side of a scripted match for the Wine tests: darts thrown into a
// fake_match as a host records them (score, current player, legs, the 180 and
// average counters), with a change notice after each dart or after each visit,
// and a visit taken back the way a host's undo does it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "test_host.h"

struct match_script {
  fake_match& match;
  std::function<void()> notice;  // the host's change notice to the view
  bool per_dart = false;         // a notice after every dart, or after every visit
  std::function<void()> after_dart;  // called after each dart's notice (per dart only), e.g. to pump messages

  int32_t score[2] = {501, 501};
  int32_t legs[2] = {0, 0};
  int32_t sets[2] = {0, 0};
  int32_t to_throw = 0;
  int32_t first = 0;
  int32_t leg = 0;

  match_script(fake_match& m, std::function<void()> notify);

  // Writes the whole state into the record (no notice).
  void write();
  // Sets both scores and who is to throw, as a host resuming a match would.
  void set(int32_t score_0, int32_t score_1, int32_t thrower);
  // The player to throw throws these darts (1 to 3 values; a double as its
  // points). A score below 2 that is not 0, or a checkout not on a double
  // (`last_is_double` false), is a bust: the score goes back. A leg won starts
  // the next with both scores at 501 and the other player throwing first; each
  // `legs_per_set` legs win a set.
  void visit(std::vector<int32_t> darts, bool last_is_double = true);
  // Takes the last visit back: the score it took and the turn return.
  void undo();
  int legs_per_set = 3;

 private:
  struct taken {
    int32_t player;
    int32_t score_before;
    int32_t count_180_before;
    int32_t total_before;
    int32_t darts_before;
  };
  std::vector<taken> history;
  int32_t count_180[2] = {0, 0};
  int32_t total[2] = {0, 0};
  int32_t darts[2] = {0, 0};
};
