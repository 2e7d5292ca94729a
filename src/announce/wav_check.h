// The caller's sound files: a check of a WAV file's bytes that trusts none of
// the sizes it declares, and the clean image the caller plays instead of the
// file itself. The player only ever sees a header written here, over sound
// bytes that are really there. Window-free.
#pragma once

#include <cstddef>
#include <cstdint>

// Why a file of the caller's folder is not played.
enum class wav_fault {
  none,
  unreadable,  // it could not be opened or read whole
  too_large,   // larger than all the memory the caller's sounds may take
  over_total,  // the sounds before it use up that memory
  not_riff,    // no "RIFF" ... "WAVE" at its start
  no_format,   // no "fmt " chunk wholly inside the file
  not_pcm,     // the format is not PCM
  bad_format,  // channels, sample rate, sample size or block size out of range or at odds
  no_data,     // no "data" chunk, or one without a whole sample
  data_cut,    // the "data" chunk says it holds more than the file has
};

// One line for the checker: "the file is not a WAV (no RIFF/WAVE header)" and so on.
const char* wav_fault_text(wav_fault fault);

// All the memory the caller's sounds may take together, clean headers included.
constexpr std::size_t caller_memory_limit = 32u * 1024u * 1024u;

// The bytes of the clean header the caller puts before a sound's samples.
constexpr std::size_t wav_header_size = 44;

// A playable sound found in a file: where its samples lie in the file, and
// their format.
struct wav_sound {
  std::size_t data_at;    // offset of the first sample byte in the file
  std::size_t data_size;  // whole sample frames only
  uint16_t channels;
  uint16_t bits;
  uint32_t rate;
  uint32_t duration_ms;  // rounded up
};

// Checks `size` bytes of a file. Chunk sizes are checked against the bytes
// that are there (in 64 bits, so no size can wrap); "fmt " must come before
// "data". Unknown chunks are skipped.
wav_fault wav_check(const unsigned char* bytes, std::size_t size, wav_sound& sound);

// Writes the clean image of a checked sound into `out`, which holds
// wav_header_size + sound.data_size bytes: a plain 44-byte PCM header, then
// the samples.
void wav_write_image(const wav_sound& sound, const unsigned char* file, unsigned char* out);
