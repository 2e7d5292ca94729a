#include "board_status.h"

namespace {

const std::string& name_of(const std::string (&names)[2], int32_t player) {
  static const std::string nobody;
  return player == 0 || player == 1 ? names[player] : nobody;
}

}  // namespace

void board_status_follow(board_status& status, const match_snapshot& now, const std::string (&names)[2]) {
  const bool started = status.tracker.started;
  const match_snapshot was = status.tracker.previous;
  const match_events e = match_tracker_update(status.tracker, now);
  const match_callout call = match_callout_of(e);
  const bool scores_moved = started && (now.score[0] != was.score[0] || now.score[1] != was.score[1]);
  if (call.player >= 0) {
    status.callout = call.text;
    status.callout_player = call.player;
  } else if (scores_moved || e.visit_player >= 0 || e.undo_player >= 0 || e.new_match) {
    status.callout.clear();
    status.callout_player = -1;
  }
  if (e.new_match) {
    status.note = "new match";
  } else if (e.undo_player >= 0) {
    status.note = name_of(names, e.undo_player) + "'s last visit taken back";
  } else if (e.new_leg) {
    status.note = "new leg";
  } else if (scores_moved || e.visit_player >= 0) {
    status.note.clear();
  }
}

std::string board_status_line(const board_status& status, const std::string (&names)[2]) {
  std::string line = "Board: ";
  line += status.callout.empty() ? "no call-out" : status.callout + " for " + name_of(names, status.callout_player);
  char visits[2][match_visit_text_size];
  for (int p = 0; p < 2; ++p) {
    match_visit_text(status.tracker.started ? status.tracker.last_visit[p] : match_visit_unknown, visits[p]);
  }
  line += std::string("; last visits ") + visits[0] + " / " + visits[1];
  if (!status.note.empty()) line += "; " + status.note;
  return line;
}
