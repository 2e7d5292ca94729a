#include "announce/wav_check.h"

#include <cstring>

namespace {

uint32_t u16_at(const unsigned char* p) { return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8; }
uint32_t u32_at(const unsigned char* p) { return u16_at(p) | u16_at(p + 2) << 16; }

void put16(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
void put32(unsigned char* p, uint32_t v) {
  put16(p, v);
  put16(p + 2, v >> 16);
}

bool tag_is(const unsigned char* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

constexpr uint16_t format_pcm = 1;

}  // namespace

const char* wav_fault_text(wav_fault fault) {
  switch (fault) {
    case wav_fault::none:
      return "played";
    case wav_fault::unreadable:
      return "cannot be read";
    case wav_fault::too_large:
      return "larger than the 32 MB all the caller's sounds may take";
    case wav_fault::over_total:
      return "the sounds before it already take the 32 MB the caller's sounds may take";
    case wav_fault::not_riff:
      return "not a WAV file (no RIFF/WAVE header)";
    case wav_fault::no_format:
      return "no format chunk wholly inside the file";
    case wav_fault::not_pcm:
      return "not PCM sound (compressed or another format)";
    case wav_fault::bad_format:
      return "a format the caller does not play (channels, sample rate or sample size)";
    case wav_fault::no_data:
      return "no sound data in it";
    case wav_fault::data_cut:
      return "the header promises more sound data than the file holds";
  }
  return "not played";
}

wav_fault wav_check(const unsigned char* bytes, std::size_t size, wav_sound& sound) {
  sound = wav_sound{};
  if (size < 12 || !tag_is(bytes, "RIFF") || !tag_is(bytes + 8, "WAVE")) return wav_fault::not_riff;
  // The RIFF size is not trusted: the chunks are walked within the bytes there are.
  const uint64_t end = size;
  uint64_t at = 12;
  bool have_format = false;
  uint32_t block = 0;
  while (at + 8 <= end) {
    const unsigned char* head = bytes + at;
    const uint64_t length = u32_at(head + 4);
    const uint64_t body = at + 8;
    if (tag_is(head, "fmt ")) {
      if (length < 16 || body + length > end) return wav_fault::no_format;
      const unsigned char* f = bytes + body;
      if (u16_at(f) != format_pcm) return wav_fault::not_pcm;
      sound.channels = static_cast<uint16_t>(u16_at(f + 2));
      sound.rate = u32_at(f + 4);
      block = u16_at(f + 12);
      sound.bits = static_cast<uint16_t>(u16_at(f + 14));
      const bool bits_known = sound.bits == 8 || sound.bits == 16 || sound.bits == 24 || sound.bits == 32;
      if (sound.channels < 1 || sound.channels > 8 || sound.rate < 1000 || sound.rate > 384000 || !bits_known ||
          block != static_cast<uint32_t>(sound.channels) * sound.bits / 8) {
        return wav_fault::bad_format;
      }
      have_format = true;
    } else if (tag_is(head, "data")) {
      if (!have_format) return wav_fault::no_format;
      if (body + length > end) return wav_fault::data_cut;
      const uint64_t whole = length - length % block;
      if (whole == 0) return wav_fault::no_data;
      sound.data_at = static_cast<std::size_t>(body);
      sound.data_size = static_cast<std::size_t>(whole);
      const uint64_t per_second = static_cast<uint64_t>(sound.rate) * block;
      sound.duration_ms = static_cast<uint32_t>((whole * 1000 + per_second - 1) / per_second);
      return wav_fault::none;
    }
    at = body + length + (length & 1);  // chunks are padded to an even length
  }
  return have_format ? wav_fault::no_data : wav_fault::no_format;
}

void wav_write_image(const wav_sound& sound, const unsigned char* file, unsigned char* out) {
  const uint32_t block = static_cast<uint32_t>(sound.channels) * sound.bits / 8;
  const uint32_t data = static_cast<uint32_t>(sound.data_size);
  std::memcpy(out, "RIFF", 4);
  put32(out + 4, static_cast<uint32_t>(wav_header_size - 8) + data);
  std::memcpy(out + 8, "WAVEfmt ", 8);
  put32(out + 16, 16);
  put16(out + 20, format_pcm);
  put16(out + 22, sound.channels);
  put32(out + 24, sound.rate);
  put32(out + 28, sound.rate * block);
  put16(out + 32, block);
  put16(out + 34, sound.bits);
  std::memcpy(out + 36, "data", 4);
  put32(out + 40, data);
  std::memcpy(out + wav_header_size, file + sound.data_at, sound.data_size);
}
