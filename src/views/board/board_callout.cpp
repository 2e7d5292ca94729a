#include "views/board/board_callout.h"

#include <algorithm>
#include <cstring>

namespace {

bool a_score_went_down(const match_snapshot& before, const match_snapshot& now) {
  return now.score[0] < before.score[0] || now.score[1] < before.score[1];
}

}  // namespace

board_callout_change board_callout_step(board_callout& callout, const match_events& events,
                                        const match_snapshot& before, const match_snapshot& now) {
  const match_callout called = match_callout_of(events);
  if (called.text[0] != '\0') {
    callout.shown = true;
    std::memcpy(callout.text, called.text, sizeof callout.text);
    return board_callout_change::raise;
  }
  if (!callout.shown) return board_callout_change::none;
  const bool next_visit = !events.starting_point && a_score_went_down(before, now);
  if (next_visit || events.undo_player >= 0 || events.new_match) {
    callout = board_callout{};
    return board_callout_change::clear;
  }
  return board_callout_change::none;
}

uint32_t board_callout_milliseconds(int32_t seconds) {
  return static_cast<uint32_t>(std::clamp(seconds, 1, 60)) * 1000u;
}

board_banner_layout board_banner_layout_of(int32_t width, int32_t height) {
  board_banner_layout b = {};
  const int32_t h = std::max(3, height / 4);
  const int32_t top = (height - h) / 2;
  b.band = {0, top, width, top + h};
  b.frame = std::max(1, h / 20);
  b.text_em = h * 7 / 10;
  b.text_room = std::max(0, width - 2 * std::max(b.frame, width / 20));
  return b;
}
