#include "host_match_win.h"

#include "plugin/host_protocol.h"

namespace {

constexpr UINT finish_delay_ms = 200;  // lets the views' one-shot redraw timers fire first

}  // namespace

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

void match_play_visit(host_app& app) {
  if (app.sim->match_over()) {
    app.sim->new_match();
    notify_views(app, host_event::change);
    notify_views(app, host_event::change_twice);
  }
  const visit_report report = app.sim->play_visit();
  app.last_visit = visit_text(app.sim->name(report.player), report);
  notify_views(app, host_event::change);
  if (report.leg_won) {
    notify_views(app, host_event::change_twice);
    notify_views(app, host_event::result_change);
  }
  if (app.visits_left > 0) --app.visits_left;
  match_show_state(app);
}

void match_on_clock(host_app& app) {
  if (!app.running) return;
  match_play_visit(app);
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
  match_show_state(app);
}
