// The large view's banner without a window: what raises it, what takes it
// down, how long it stays and where it lies.
#include <gtest/gtest.h>

#include <cstring>

#include "views/board/board_callout.h"

namespace {

match_snapshot snapshot(int32_t score0, int32_t score1, int32_t to_throw) {
  match_snapshot s;
  std::memset(&s, 0, sizeof s);
  s.score[0] = score0;
  s.score[1] = score1;
  s.to_throw = to_throw;
  s.threw_first = 0;
  return s;
}

// A visit-by-visit and a dart-by-dart host: the banner comes with the 180 and
// goes with the first dart of the next visit, not with the turn passing.
TEST(BoardCallout, RaisedByTheEventAndGoneWhenTheNextVisitBegins) {
  for (bool per_dart : {false, true}) {
    match_tracker tracker = {};
    board_callout callout = {};
    match_snapshot before = snapshot(501, 501, 0);
    auto feed = [&](match_snapshot now) {
      const match_snapshot was = tracker.previous;
      const match_events e = match_tracker_update(tracker, now);
      return board_callout_step(callout, e, was, now);
    };
    EXPECT_EQ(feed(before), board_callout_change::none) << "the starting point calls nothing";
    match_snapshot s = before;
    if (per_dart) {
      for (int32_t left : {441, 381}) {
        s.score[0] = left;
        EXPECT_EQ(feed(s), board_callout_change::none);
      }
    }
    s.score[0] = 321;
    s.count_180[0] = 1;
    s.to_throw = per_dart ? 0 : 1;
    EXPECT_EQ(feed(s), board_callout_change::raise) << per_dart;
    EXPECT_TRUE(callout.shown);
    EXPECT_STREQ(callout.text, "180");
    if (per_dart) {
      s.to_throw = 1;  // the turn passes: the banner stays
      EXPECT_EQ(feed(s), board_callout_change::none);
    }
    EXPECT_EQ(feed(s), board_callout_change::none) << "the same record again";
    s.score[1] = 441;  // the next visit's first dart (or whole visit)
    EXPECT_EQ(feed(s), board_callout_change::clear) << per_dart;
    EXPECT_FALSE(callout.shown);
    EXPECT_EQ(feed(s), board_callout_change::none);
  }
}

TEST(BoardCallout, LegAndSetWonUndoAndNewMatch) {
  match_tracker tracker = {};
  board_callout callout = {};
  auto feed = [&](const match_snapshot& now) {
    const match_snapshot was = tracker.previous;
    const match_events e = match_tracker_update(tracker, now);
    return board_callout_step(callout, e, was, now);
  };
  match_snapshot s = snapshot(121, 300, 0);
  feed(s);
  // A finish of 121: the scores start again and player 0's legs go up.
  s = snapshot(501, 501, 1);
  s.legs[0] = 1;
  EXPECT_EQ(feed(s), board_callout_change::raise);
  EXPECT_STREQ(callout.text, "121 CHECKOUT");
  // The host takes the visit back: the banner goes.
  s = snapshot(121, 300, 0);
  EXPECT_EQ(feed(s), board_callout_change::clear);
  // A finish below 100, seen from a fresh start.
  tracker = match_tracker{};
  s = snapshot(40, 300, 0);
  feed(s);
  match_snapshot won = snapshot(501, 501, 1);
  won.legs[0] = 1;
  EXPECT_EQ(feed(won), board_callout_change::raise);
  EXPECT_STREQ(callout.text, "GAME SHOT");
  won.score[1] = 461;
  feed(won);
  won.score[1] = 501;
  won.to_throw = 0;
  feed(won);  // the score back up while player 1 throws: a bust, no banner
  EXPECT_FALSE(callout.shown);
}

TEST(BoardCallout, TimeAndPlace) {
  EXPECT_EQ(board_callout_milliseconds(3), 3000u);
  EXPECT_EQ(board_callout_milliseconds(0), 1000u) << "at least a second";
  EXPECT_EQ(board_callout_milliseconds(-5), 1000u);
  EXPECT_EQ(board_callout_milliseconds(3600), 60000u) << "at most a minute";
  const board_banner_layout b = board_banner_layout_of(1000, 500);
  EXPECT_EQ(b.band.left, 0);
  EXPECT_EQ(b.band.right, 1000);
  EXPECT_EQ(b.band.top, 187);
  EXPECT_EQ(b.band.bottom, 312);
  EXPECT_EQ(b.text_em, 87) << "seven tenths of the band";
  EXPECT_EQ(board_banner_layout_of(0, 0).band.bottom - board_banner_layout_of(0, 0).band.top, 3);
}

}  // namespace
