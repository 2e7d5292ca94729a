// The stream feed: what the board shows, as small files for streaming
// programs, one text per field in the system's ANSI code page and a UTF-8 copy
// of each under "utf8/", and match.json. A file is replaced only when its
// content changed, or when it could not be replaced at an earlier notice.
// Window-free: the view's side (stream_feed_win.h) replaces the files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "match/match_figures.h"
#include "match/match_state.h"
#include "match/match_tracker.h"
#include "settings/heap_containers.h"

// What the feed shows; player 0 is the record's first player, the left one.
struct stream_board {
  match_name name[2];
  int32_t score[2];
  int32_t legs[2];
  int32_t sets[2];
  char average[2][match_average_text_size];  // as the result view shows it
  int32_t last_visit[2];  // match_visit_unknown: "-"
  int32_t to_throw;       // 0, 1, or -1 when the record does not say
  int32_t threw_first;    // likewise
  char callout[match_callout_text_size];  // "" when none
};

// The fields per player, then callout.txt: 15 texts, each also under "utf8/".
constexpr int stream_text_files = 15;
constexpr int stream_files = 2 * stream_text_files + 1;  // and match.json, the last

// "p1_name.txt", ... "callout.txt", "utf8/p1_name.txt", ... "match.json".
const char* stream_file_name(int file);

constexpr int stream_replaced = 1;
constexpr int stream_folder_made = 2;

struct stream_ops {
  // Replaces file `name` of the feed's folder whole with `size` bytes:
  // stream_replaced, stream_folder_made (the folder was missing and is made
  // anew: the files written before are gone), or 0 when it could not.
  int (*replace)(void* context, const char* name, const char* bytes, std::size_t size);
  // The UTF-8 form of `size` bytes of ANSI text into `out`: false when it cannot be made.
  bool (*to_utf8)(const char* ansi, std::size_t size, heap_text& out);
  void* context;
};

struct stream_feed {
  heap_text shown[stream_files];  // what each file holds, as far as the feed knows
  bool current[stream_files];     // false until the file was written with the content it should hold
  heap_text json_fields;          // match.json without its counter, as written last
  uint32_t counter;               // match.json's counter: one more with every write
};

// Writes what changed since the last update, and what could not be written then.
void stream_feed_update(stream_feed& feed, const stream_board& board, const stream_ops& ops);

// True when every file was written with the content it should hold (none
// waits to be written again).
bool stream_feed_settled(const stream_feed& feed);

// Gives the feed's memory back; it starts afresh (every file written at the next update).
void stream_feed_release(stream_feed& feed);
