// The caller's sound pack: the file names of the scheme that caller packs use,
// and the pack as it is held in memory once its folder has been read. The
// folder is read through a table of file operations, so the checker and the
// tests read it as the view does. Window-free.
//
// Names, case ignored: "0.wav" ... "180.wav" (a visit's score), "gameshot.wav",
// "setshot.wav", "you_require.wav", "gameon.wav", "yr_2.wav" ... "yr_170.wav"
// (the score a player requires); any of them also as "<name>+<k>.wav", a variant
// of the same call (k from 1 to 999).
#pragma once

#include <cstddef>
#include <cstdint>

#include "announce/wav_check.h"
#include "base/module_path.h"
#include "settings/heap_containers.h"

namespace caller_id {
constexpr int gameshot = 181;
constexpr int setshot = 182;
constexpr int you_require = 183;
constexpr int gameon = 184;
constexpr int required_first = 185;  // yr_2 is 185, yr_170 is 353
constexpr int count = required_first + 169;
// The ids every pack is expected to have: the scores and the four words.
constexpr int expected = gameon + 1;
constexpr int required(int score) { return required_first + score - 2; }
}  // namespace caller_id

// The call a file name stands for, with its variant number (0 for the plain
// name); -1 for a name outside the scheme.
int caller_id_of_name(const char* name, int* variant);
// The plain file name of a call: "180.wav", "yr_40.wav"; `out` holds 16 bytes.
void caller_name_of_id(int id, char (&out)[16]);

enum class caller_folder { listed, missing, unreadable };

// What the pack needs of the file system.
struct caller_file_ops {
  char separator;  // between a folder and a name
  // Calls `found` with the name of every file (not folder) of `dir`.
  caller_folder (*list)(const char* dir, void (*found)(void* context, const char* name), void* context);
  // The size of a file that can be opened for reading: false when it cannot.
  bool (*size)(const char* path, uint64_t& size);
  // Reads the first `size` bytes of a file into `out`: false unless all were read.
  bool (*read)(const char* path, unsigned char* out, std::size_t size);
};
extern const caller_file_ops caller_platform_files;

// One sound ready to play: its clean image (header and samples) in memory.
struct caller_sound {
  int16_t id;
  int16_t variant;
  unsigned char* image;  // owned by the pack
  uint32_t size;
  uint32_t duration_ms;
};

struct caller_pack {
  heap_array<caller_sound> sounds;  // by id, then variant
  std::size_t memory = 0;           // bytes the images take
  int32_t first[caller_id::count] = {};     // index in sounds of an id's first variant
  int32_t variants[caller_id::count] = {};  // 0 when the pack has no file for the id
};

// What became of one file of the scheme (for the checker).
using caller_report_fn = void (*)(void* context, const char* name, int id, wav_fault fault);

// Reads the scheme's files of `dir` into `pack` (emptied first), in the order
// of their calls, within caller_memory_limit; a file that cannot be played is
// skipped and, with `report`, named. Files outside the scheme are not opened,
// and of a folder with more than caller_files_most files of the scheme only
// the first so many found are looked at.
constexpr std::size_t caller_files_most = 4096;
caller_folder caller_pack_load(caller_pack& pack, const char* dir, const caller_file_ops& files,
                               caller_report_fn report, void* context);

// Gives every image back and empties the pack.
void caller_pack_release(caller_pack& pack);
