// The host's match record, read in place through the pointer the host hands over.
// The host owns the record and its leg table; the views only read them, at paint
// time, through these accessors. Offsets are the host's and must not change.
#pragma once

#include <cstddef>
#include <cstdint>

// Opaque: the record lives in the host's memory and is only addressed by offset.
struct match_state;

namespace match_layout {
// Offsets in bytes from the start of the record.
constexpr std::size_t current_leg = 16;
constexpr std::size_t players = 56;
constexpr std::size_t player_stride = 308;
constexpr std::size_t leg_table = 672;
constexpr std::size_t record_size = 676;  // bytes the views read at most

// Offsets inside a player block.
constexpr std::size_t name = 0;
constexpr std::size_t name_size = 68;  // the name's NUL lies before this offset
constexpr std::size_t score = 68;
constexpr std::size_t sets = 72;
constexpr std::size_t legs = 76;
constexpr std::size_t stats_a = 84;
constexpr std::size_t stats_b = 188;

// Offsets inside a statistics block (52 bytes).
constexpr std::size_t count_100_plus = 0;
constexpr std::size_t count_140_plus = 8;
constexpr std::size_t count_180 = 12;
constexpr std::size_t high_out = 16;  // 16 bits wide
constexpr std::size_t best_leg = 20;
constexpr std::size_t score_total = 28;
constexpr std::size_t score_darts = 32;
constexpr std::size_t leg_darts = 36;
constexpr std::size_t leg_count = 40;
constexpr std::size_t first9_score = 44;
constexpr std::size_t first9_darts = 48;

// A leg entry (148 bytes); entry n lies at leg_table + 148 * n.
constexpr std::size_t leg_entry_size = 148;
constexpr std::size_t first_player = 0;
constexpr std::size_t current_player = 8;
constexpr std::size_t leg_entry_read = 12;  // bytes of an entry the views read
}  // namespace match_layout

// One statistics block as read from the record.
struct match_stats {
  int32_t count_100_plus;
  int32_t count_140_plus;
  int32_t count_180;
  int16_t high_out;
  int32_t best_leg;
  int32_t score_total;
  int32_t score_darts;
  int32_t leg_darts;
  int32_t leg_count;
  int32_t first9_score;
  int32_t first9_darts;
};

// Which block of a player: the record keeps two and the result view combines them.
enum class stats_block { a, b };

// The player's name as a NUL-terminated copy. A name without a NUL inside its
// 68 bytes is cut to 67 bytes, so nothing past the player block is ever read.
struct match_name {
  char text[match_layout::name_size];
};

int32_t match_current_leg(const match_state* match);
match_name match_player_name(const match_state* match, int player);
int32_t match_player_score(const match_state* match, int player);
int32_t match_player_sets(const match_state* match, int player);
int32_t match_player_legs(const match_state* match, int player);
match_stats match_player_stats(const match_state* match, int player, stats_block block);

// Tells whether `size` bytes at `at` exist and can be read.
using match_readable_fn = bool (*)(const void* at, std::size_t size);

// The current leg's first and current player. Returns 1 when the record names a
// leg entry (match_leg_entry_address) whose bytes `readable` says can be read;
// otherwise 0 with both left at -1, as for a null leg table.
int match_current_players(const match_state* match, match_readable_fn readable, int32_t* first_player,
                          int32_t* current_player);

// The leg table's 32-bit address as the record holds it (0 when there is none).
uint32_t match_leg_table_address(const match_state* match);

// The address of entry `leg` of the leg table at 32-bit address `table`, worked
// in 64 bits: 1 with it in `entry`, or 0 when no such entry can exist in the
// host's 32-bit address space (a null table, a negative leg, or an entry whose
// bytes the views read would end past 4 GB).
int match_leg_entry_address(uint32_t table, int32_t leg, uint64_t* entry);

// Reads the first and current player of entry `leg` of a leg table.
void match_leg_players(const void* leg_table, int32_t leg, int32_t* first_player, int32_t* current_player);

// Little-endian reads at a byte address, safe for any alignment.
int32_t match_read_i32(const void* at);
int16_t match_read_i16(const void* at);
