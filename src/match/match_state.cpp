#include "match/match_state.h"


namespace {

const unsigned char* bytes(const match_state* match) {
  return reinterpret_cast<const unsigned char*>(match);
}

const unsigned char* player_block(const match_state* match, int player) {
  return bytes(match) + match_layout::players + match_layout::player_stride * static_cast<std::size_t>(player);
}

int32_t stats_field(const unsigned char* block, std::size_t field) {
  return match_read_i32(block + field);
}

}  // namespace

int32_t match_read_i32(const void* at) {
  const unsigned char* p = static_cast<const unsigned char*>(at);
  uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
               static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
  return static_cast<int32_t>(v);
}

int16_t match_read_i16(const void* at) {
  const unsigned char* p = static_cast<const unsigned char*>(at);
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
}

int32_t match_current_leg(const match_state* match) {
  return match_read_i32(bytes(match) + match_layout::current_leg);
}

match_name match_player_name(const match_state* match, int player) {
  match_name name{};
  const unsigned char* src = player_block(match, player) + match_layout::name;
  std::size_t n = 0;
  while (n < match_layout::name_size - 1 && src[n] != 0) {
    name.text[n] = static_cast<char>(src[n]);
    ++n;
  }
  name.text[n] = 0;
  return name;
}

int32_t match_player_score(const match_state* match, int player) {
  return match_read_i32(player_block(match, player) + match_layout::score);
}

int32_t match_player_sets(const match_state* match, int player) {
  return match_read_i32(player_block(match, player) + match_layout::sets);
}

int32_t match_player_legs(const match_state* match, int player) {
  return match_read_i32(player_block(match, player) + match_layout::legs);
}

match_stats match_player_stats(const match_state* match, int player, stats_block block) {
  const unsigned char* s = player_block(match, player) +
                           (block == stats_block::a ? match_layout::stats_a : match_layout::stats_b);
  match_stats out{};
  out.count_100_plus = stats_field(s, match_layout::count_100_plus);
  out.count_140_plus = stats_field(s, match_layout::count_140_plus);
  out.count_180 = stats_field(s, match_layout::count_180);
  out.high_out = match_read_i16(s + match_layout::high_out);
  out.best_leg = stats_field(s, match_layout::best_leg);
  out.score_total = stats_field(s, match_layout::score_total);
  out.score_darts = stats_field(s, match_layout::score_darts);
  out.leg_darts = stats_field(s, match_layout::leg_darts);
  out.leg_count = stats_field(s, match_layout::leg_count);
  out.first9_score = stats_field(s, match_layout::first9_score);
  out.first9_darts = stats_field(s, match_layout::first9_darts);
  return out;
}

uint32_t match_leg_table_address(const match_state* match) {
  return static_cast<uint32_t>(match_read_i32(bytes(match) + match_layout::leg_table));
}

void match_leg_players(const void* leg_table, int32_t leg, int32_t* first_player, int32_t* current_player) {
  const unsigned char* entry = static_cast<const unsigned char*>(leg_table) +
                               static_cast<std::ptrdiff_t>(match_layout::leg_entry_size) * leg;
  *first_player = match_read_i32(entry + match_layout::first_player);
  *current_player = match_read_i32(entry + match_layout::current_player);
}

int match_leg_entry_address(uint32_t table, int32_t leg, uint64_t* entry) {
  if (table == 0 || leg < 0) return 0;
  const uint64_t at = uint64_t{table} + uint64_t{match_layout::leg_entry_size} * static_cast<uint64_t>(leg);
  if (at + match_layout::leg_entry_read > (uint64_t{1} << 32)) return 0;
  *entry = at;
  return 1;
}

int match_current_players(const match_state* match, match_readable_fn readable, int32_t* first_player,
                          int32_t* current_player) {
  *first_player = -1;
  *current_player = -1;
  uint64_t address = 0;
  if (!match_leg_entry_address(match_leg_table_address(match), match_current_leg(match), &address)) return 0;
  // The host's pointers are 32 bits wide, as is the process the plug-in runs in.
  const void* entry = reinterpret_cast<const void*>(static_cast<uintptr_t>(address));
  if (readable == nullptr || !readable(entry, match_layout::leg_entry_read)) return 0;
  match_leg_players(entry, 0, first_player, current_player);
  return 1;
}
