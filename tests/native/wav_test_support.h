// WAV files for the caller's tests (native and Wine): a plain PCM file whose
// samples spell a marker, so that a test knows a sound by its bytes, and the
// pieces to make files that lie about themselves.
#pragma once

#include <cstdint>
#include <string>

namespace wav_test {

inline std::string u16(uint32_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
inline std::string u32(uint32_t v) { return u16(v & 0xFFFF) + u16(v >> 16); }

inline std::string chunk(const char* tag, const std::string& body, uint32_t declared) {
  std::string c = std::string(tag, 4) + u32(declared) + body;
  if (body.size() % 2 == 1) c += '\0';
  return c;
}
inline std::string chunk(const char* tag, const std::string& body) {
  return chunk(tag, body, static_cast<uint32_t>(body.size()));
}

inline std::string format_body(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  const uint32_t block = channels * bits / 8u;
  return u16(tag) + u16(channels) + u32(rate) + u32(rate * block) + u16(block) + u16(bits);
}

inline std::string riff(const std::string& chunks) { return "RIFF" + u32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks; }

// 8 kHz, mono, 8 bits: `samples` bytes last samples.size() / 8 ms. The marker
// is repeated to `samples_size` bytes.
inline std::string marked(const std::string& marker, std::size_t samples_size = 160) {
  std::string samples;
  while (samples.size() < samples_size) samples += marker + "|";
  samples.resize(samples_size);
  return samples;
}
inline std::string pcm_file(const std::string& samples) {
  return riff(chunk("fmt ", format_body(1, 1, 8000, 8)) + chunk("data", samples));
}

}  // namespace wav_test
