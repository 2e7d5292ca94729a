#include "announce/stream_feed.h"

#include <cstdio>
#include <cstring>

#include "match/checkout_routes.h"

namespace {

constexpr const char* file_names[stream_files] = {
    "p1_name.txt",      "p1_score.txt",      "p1_legs.txt",      "p1_sets.txt",         "p1_average.txt",
    "p1_last_visit.txt", "p1_checkout.txt",   "p2_name.txt",      "p2_score.txt",        "p2_legs.txt",
    "p2_sets.txt",      "p2_average.txt",    "p2_last_visit.txt", "p2_checkout.txt",    "callout.txt",
    "utf8/p1_name.txt", "utf8/p1_score.txt", "utf8/p1_legs.txt", "utf8/p1_sets.txt",    "utf8/p1_average.txt",
    "utf8/p1_last_visit.txt", "utf8/p1_checkout.txt", "utf8/p2_name.txt", "utf8/p2_score.txt",
    "utf8/p2_legs.txt", "utf8/p2_sets.txt",  "utf8/p2_average.txt", "utf8/p2_last_visit.txt",
    "utf8/p2_checkout.txt", "utf8/callout.txt", "match.json"};

constexpr int fields_per_player = 7;
enum field { name, score, legs, sets, average, last_visit, checkout };
constexpr int callout_file = 2 * fields_per_player;

bool number_text(heap_text& out, int32_t value) {
  char text[16];
  const int n = std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
  return out.assign(text, static_cast<std::size_t>(n));
}

bool field_text(heap_text& out, const stream_board& b, int player, int f) {
  switch (f) {
    case name:
      return out.assign(b.name[player].text);
    case score:
      return number_text(out, b.score[player]);
    case legs:
      return number_text(out, b.legs[player]);
    case sets:
      return number_text(out, b.sets[player]);
    case average:
      return out.assign(b.average[player]);
    case last_visit: {
      char text[match_visit_text_size];
      return out.assign(text, static_cast<std::size_t>(match_visit_text(b.last_visit[player], text)));
    }
    default: {
      const char* route = checkout_route(b.score[player]);
      out.clear();
      return route == nullptr || out.assign(route);
    }
  }
}

// A JSON string of UTF-8 text: quotes, backslashes and control bytes escaped.
bool append_json_text(heap_text& out, const heap_text& text) {
  bool ok = out.append('"');
  for (std::size_t i = 0; i < text.size() && ok; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      ok = out.append('\\') && out.append(static_cast<char>(c));
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      ok = out.append(escaped);
    } else {
      ok = out.append(static_cast<char>(c));
    }
  }
  return ok && out.append('"');
}

bool append_player_or_null(heap_text& out, int32_t player) {
  return player == 0 ? out.append("0") : player == 1 ? out.append("1") : out.append("null");
}

// match.json after its counter, from the UTF-8 texts (files stream_text_files on).
bool json_fields(heap_text& out, const heap_text* utf8, const stream_board& b) {
  static constexpr const char* keys[fields_per_player] = {"name", "score", "legs", "sets",
                                                          "average", "last_visit", "checkout"};
  bool ok = out.append(", \"players\": [");
  for (int p = 0; p < 2 && ok; ++p) {
    ok = out.append(p == 0 ? "{" : ", {");
    for (int f = 0; f < fields_per_player && ok; ++f) {
      const heap_text& value = utf8[p * fields_per_player + f];
      ok = out.append(f == 0 ? "\"" : ", \"") && out.append(keys[f]) && out.append("\": ");
      const bool text = f == name || f == checkout || (f == last_visit && b.last_visit[p] == match_visit_unknown);
      ok = ok && (text ? append_json_text(out, value) : out.append(value));
    }
    ok = ok && out.append("}");
  }
  ok = ok && out.append("], \"to_throw\": ") && append_player_or_null(out, b.to_throw);
  ok = ok && out.append(", \"threw_first\": ") && append_player_or_null(out, b.threw_first);
  ok = ok && out.append(", \"callout\": ") && append_json_text(out, utf8[callout_file]);
  return ok && out.append("}\n");
}

// Writes one file unless it holds `content` already; false when the folder had
// to be made anew, which leaves every other file to be written again.
bool write_if_changed(stream_feed& feed, int file, const heap_text& content, const stream_ops& ops) {
  if (feed.current[file] && feed.shown[file] == content) return true;
  const int done = ops.replace(ops.context, file_names[file], content.data(), content.size());
  feed.current[file] = done != 0 && feed.shown[file].assign(content.data(), content.size());
  if (done != stream_folder_made) return true;
  for (int i = 0; i < stream_files; ++i) feed.current[i] = feed.current[i] && i == file;
  return false;
}

}  // namespace

const char* stream_file_name(int file) { return file >= 0 && file < stream_files ? file_names[file] : ""; }

void stream_feed_update(stream_feed& feed, const stream_board& board, const stream_ops& ops) {
  heap_text ansi[stream_text_files];
  heap_text utf8[stream_text_files];
  for (int i = 0; i < stream_text_files; ++i) {
    const bool made = i == callout_file ? ansi[i].assign(board.callout)
                                        : field_text(ansi[i], board, i / fields_per_player, i % fields_per_player);
    if (!made) return;  // short of memory: the next notice tries again
    if (!ansi[i].empty() && !ops.to_utf8(ansi[i].data(), ansi[i].size(), utf8[i])) return;
  }
  heap_text fields;
  if (!json_fields(fields, utf8, board)) return;
  // Once more from the start when the folder had to be made anew on the way.
  for (int pass = 0; pass < 2; ++pass) {
    bool whole = true;
    for (int i = 0; i < stream_text_files && whole; ++i) {
      whole = write_if_changed(feed, i, ansi[i], ops) && write_if_changed(feed, stream_text_files + i, utf8[i], ops);
    }
    if (whole) break;
  }
  constexpr int json = stream_files - 1;
  if (feed.current[json] && fields == feed.json_fields) return;
  char head[32];
  const int n = std::snprintf(head, sizeof head, "{\"counter\": %lu", static_cast<unsigned long>(feed.counter + 1));
  heap_text whole;
  if (!whole.assign(head, static_cast<std::size_t>(n)) || !whole.append(fields)) return;
  ++feed.counter;
  feed.current[json] = ops.replace(ops.context, file_names[json], whole.data(), whole.size()) != 0;
  if (feed.current[json]) feed.json_fields = std::move(fields);
}

bool stream_feed_settled(const stream_feed& feed) {
  for (const bool current : feed.current) {
    if (!current) return false;
  }
  return true;
}

void stream_feed_release(stream_feed& feed) {
  for (heap_text& text : feed.shown) text.release();
  feed.json_fields.release();
  std::memset(feed.current, 0, sizeof feed.current);
}
