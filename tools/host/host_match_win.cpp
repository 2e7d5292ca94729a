#include "host_match_win.h"

#include "match/match_memory_win.h"
#include "match/match_state.h"
#include "plugin/host_protocol.h"

namespace {

constexpr UINT finish_delay_ms = 200;  // lets the views' one-shot redraw timers fire first

// The record as the views read it, followed by the board's status line.
void follow_board(host_app& app) {
  const std::string names[2] = {app.sim->name(0), app.sim->name(1)};
  const auto* record = reinterpret_cast<const match_state*>(app.record);
  board_status_follow(app.board, match_snapshot_of(record, match_bytes_readable), names);
}

// The notices of a change that may have moved legs, sets and the statistics.
void tell_leg_change(host_app& app) {
  notify_views(app, host_event::change);
  notify_views(app, host_event::change_twice);
  notify_views(app, host_event::result_change);
}

void new_match_if_over(host_app& app) {
  if (!app.sim->match_over()) return;
  app.sim->new_match();
  notify_views(app, host_event::change);
  notify_views(app, host_event::change_twice);
  follow_board(app);
}

// The notices after a visit or a dart, and the count of visits played.
void tell_thrown(host_app& app, const visit_report& report) {
  app.last_visit = visit_text(app.sim->name(report.player), report);
  if (report.complete && report.leg_won) {
    tell_leg_change(app);
  } else {
    notify_views(app, host_event::change);
  }
  follow_board(app);
  if (report.complete) {
    if (app.visits_left > 0) --app.visits_left;
    ++app.visits_since_undo;
  }
  match_show_state(app);
}

}  // namespace

bool match_shows_board(const host_app& app) {
  return app.options.notify_per_dart || app.options.undo_every > 0 || app.undone;
}

void match_show_state(host_app& app) {
  if (app.match_menu != nullptr) {
    ModifyMenuA(app.match_menu, cmd_start_pause, MF_BYCOMMAND | MF_STRING, cmd_start_pause,
                app.running ? "&Pause\tSpace" : "&Start\tSpace");
    CheckMenuItem(app.match_menu, cmd_average,
                  MF_BYCOMMAND | (app.options.average_mode == 1 ? MF_CHECKED : MF_UNCHECKED));
  }
  InvalidateRect(app.window, nullptr, TRUE);
}

void match_finish(host_app& app) {
  app.running = false;
  app.finishing = true;
  KillTimer(app.window, visit_timer);
  SetTimer(app.window, finish_timer, finish_delay_ms, nullptr);
}

void match_follow_start(host_app& app) { follow_board(app); }

void match_play_visit(host_app& app) {
  new_match_if_over(app);
  if (!app.options.notify_per_dart) {
    tell_thrown(app, app.sim->play_visit());
    return;
  }
  visit_report report;
  do {
    report = match_play_dart(app);
  } while (report.player >= 0 && !report.complete);
}

visit_report match_play_dart(host_app& app) {
  new_match_if_over(app);
  const visit_report report = app.sim->play_dart();
  tell_thrown(app, report);
  return report;
}

void match_undo(host_app& app) {
  app.visits_since_undo = 0;
  if (!app.sim->undo_visit()) return;
  app.undone = true;
  app.last_visit = "taken back";
  tell_leg_change(app);
  follow_board(app);
  match_show_state(app);
}

void match_on_clock(host_app& app) {
  if (!app.running) return;
  const bool undo_due = app.options.undo_every > 0 && app.visits_since_undo >= app.options.undo_every &&
                        !app.sim->visit_under_way();
  if (undo_due) {
    match_undo(app);
  } else if (app.options.notify_per_dart) {
    match_play_dart(app);
  } else {
    match_play_visit(app);
  }
  if (app.visits_left == 0) {
    match_finish(app);
    match_show_state(app);
    return;
  }
  if (app.options.delay_ms == 0) PostMessageA(app.window, next_visit_message, 0, 0);
}

void match_start(host_app& app) {
  app.running = true;
  if (app.options.delay_ms == 0) {
    PostMessageA(app.window, next_visit_message, 0, 0);
  } else {
    SetTimer(app.window, visit_timer, static_cast<UINT>(app.options.delay_ms), nullptr);
  }
  match_show_state(app);
}

void match_pause(host_app& app) {
  app.running = false;
  KillTimer(app.window, visit_timer);
  match_show_state(app);
}

void match_restart(host_app& app) {
  app.sim->new_match();
  app.last_visit.clear();
  notify_views(app, host_event::change);
  notify_views(app, host_event::change_twice);
  follow_board(app);
  match_show_state(app);
}
