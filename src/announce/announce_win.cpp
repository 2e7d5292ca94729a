#include "announce/announce_win.h"

#include <mmsystem.h>

#include <cstring>
#include <new>

#include "announce/caller_calls.h"
#include "announce/stream_writer_win.h"
#include "base/memory.h"
#include "base/module_path_win.h"
#include "match/match_tracker.h"
#include "settings/settings_table.h"

namespace {

// The timer that moves the caller's queue on; its procedure is called
// directly, so the frame never sees it.
constexpr UINT_PTR caller_timer_id = 0x4341;
// Room between two calls, so they never run into each other.
constexpr UINT caller_gap_ms = 40;

struct announce_session {
  HWND window;
  match_snapshot last;
  bool caller_on;
  caller_pack pack;
  caller_queue queue;
  bool sounded;  // PlaySound was asked to play since the last stop
  uint32_t random_state;
  bool cut_pending;  // what plays is to stop at the next tick of the timer
  stream_writer* writer;  // null while the feed is off
  char callout[match_callout_text_size];
};

// One large view at most, hence one session.
announce_session* session = nullptr;

uint32_t next_random(void* context) {
  uint32_t& x = *static_cast<uint32_t*>(context);
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  return x;
}

// A folder named by a setting, relative to the library's folder; false when
// the setting is empty or the path does not fit.
bool resolve_folder(HWND window, const char* setting, char (&out)[MAX_PATH]) {
  out[0] = '\0';
  if (setting[0] == '\0') return false;
  char library_dir[MAX_PATH] = {};
  auto module = reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE));
  if (module_file_name(module, library_dir)) module_directory_cut(library_dir, ansi_lead_byte);
  if (!module_relative_path(out, sizeof out, library_dir, setting, ansi_lead_byte)) return false;
  // A trailing separator would double in the names made from it.
  std::size_t length = std::strlen(out);
  const std::size_t keep = module_directory_length(out, ansi_lead_byte);
  if (length > 3 && keep == length - 1) out[keep] = '\0';
  return out[0] != '\0';
}

// Stops what plays: only where something was asked to play, since stopping
// may wait for the system's sound thread.
void stop_sound(announce_session& s) {
  KillTimer(s.window, caller_timer_id);
  if (s.sounded) PlaySoundA(nullptr, nullptr, 0);
  s.sounded = false;
}

void CALLBACK caller_timer(HWND window, UINT, UINT_PTR id, DWORD) noexcept;

// Plays the queue's next sound and sets the timer for the one after it.
void play_next(announce_session& s) {
  KillTimer(s.window, caller_timer_id);
  const int32_t next = caller_queue_next(s.queue);
  if (next < 0) return;
  const caller_sound& sound = s.pack.sounds[static_cast<std::size_t>(next)];
  s.sounded = true;
  PlaySoundA(reinterpret_cast<LPCSTR>(sound.image), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
  SetTimer(s.window, caller_timer_id, sound.duration_ms + caller_gap_ms, caller_timer);
}

void CALLBACK caller_timer(HWND window, UINT, UINT_PTR id, DWORD) noexcept {
  KillTimer(window, id);
  announce_session* s = session;
  if (s == nullptr || s->window != window) return;
  if (s->cut_pending && s->queue.count == 0) stop_sound(*s);
  s->cut_pending = false;
  play_next(*s);
}

// The notice only sets the queue: the timer's first tick, as soon as the
// notice has returned, stops or plays, so the host never waits for the
// system's sound thread.
void call(announce_session& s, const match_events& events) {
  const caller_plan plan = caller_plan_for(events, s.pack, next_random, &s.random_state);
  if (!caller_queue_take(s.queue, plan)) return;
  s.cut_pending = true;
  SetTimer(s.window, caller_timer_id, 0, caller_timer);
}

void feed(announce_session& s, const match_state* match, const match_snapshot& now, const match_events& events,
          const match_tracker& tracker) {
  const match_callout raised = match_callout_of(events);
  // A call-out stands until the board changes again.
  if (raised.text[0] != '\0' || events.undo_player >= 0 || std::memcmp(&now, &s.last, sizeof now) != 0) {
    std::memcpy(s.callout, raised.text, sizeof raised.text);
  }
  stream_board board = {};
  for (int p = 0; p < 2; ++p) {
    board.name[p] = match_player_name(match, p);
    board.score[p] = now.score[p];
    board.legs[p] = now.legs[p];
    board.sets[p] = now.sets[p];
    match_three_dart_average_text(match, p, board.average[p]);
    board.last_visit[p] = tracker.last_visit[p];
  }
  board.to_throw = now.to_throw == 0 || now.to_throw == 1 ? now.to_throw : -1;
  board.threw_first = now.threw_first == 0 || now.threw_first == 1 ? now.threw_first : -1;
  std::memcpy(board.callout, s.callout, sizeof board.callout);
  stream_writer_post(s.writer, board);
}

}  // namespace

void announce_open(HWND window) noexcept {
  announce_close(session != nullptr ? session->window : nullptr);
  const view_window_extras& x = view_extras;
  char caller_dir[MAX_PATH];
  const bool caller_on = resolve_folder(window, x.caller_dir, caller_dir);
  stream_folder folder;
  const bool feed_on = resolve_folder(window, x.stream_dir, folder.dir);
  if (!caller_on && !feed_on) return;
  void* block = mem_alloc_zeroed(sizeof(announce_session));
  if (block == nullptr) return;
  auto* s = new (block) announce_session();
  s->window = window;
  s->random_state = GetTickCount() | 1u;
  if (feed_on) s->writer = stream_writer_start(folder);
  if (caller_on) {
    caller_pack_load(s->pack, caller_dir, caller_platform_files, nullptr, nullptr);
    s->caller_on = !s->pack.sounds.empty();
  }
  session = s;
}

bool announce_on(HWND window) noexcept { return session != nullptr && session->window == window; }

void announce_events(HWND window, const match_state* match, const match_snapshot& now, const match_events& events,
                     const match_tracker& tracker) noexcept {
  announce_session* s = session;
  if (s == nullptr || s->window != window || match == nullptr) return;
  if (s->caller_on) call(*s, events);
  if (s->writer != nullptr) feed(*s, match, now, events, tracker);
  s->last = now;
}

void announce_close(HWND window) noexcept {
  announce_session* s = session;
  if (s == nullptr || s->window != window) return;
  session = nullptr;
  stop_sound(*s);  // before the sounds' memory goes
  caller_pack_release(s->pack);
  stream_writer_stop(s->writer);
  s->~announce_session();
  mem_free(s);
}
