#include "settings/profile_values.h"

#include <cstdio>
#include <cstring>

namespace {

// Room on the stack for a quoted value: 255 bytes, two quotes and the NUL.
constexpr std::size_t quoted_value_room = 258;

// The value as the getters see it: blanks around it trimmed, then one double
// quote dropped at each end if there is one.
void clean_value(const heap_text& value, const char*& text, std::size_t& length) {
  std::size_t begin = 0;
  std::size_t end = value.size();
  trim_range(value.data(), begin, end);
  if (begin < end && value[begin] == '"') ++begin;
  if (begin < end && value[end - 1] == '"') --end;
  text = value.data() + begin;
  length = end - begin;
}

// The entry of `key` in `section`, or null.
const profile_entry* find_entry(const char* section, const char* key) {
  int s = profile_find_section(section);
  if (s < 0) return nullptr;
  const profile_section& record = profile_document.sections[static_cast<std::size_t>(s)];
  int e = profile_find_key(&record, key);
  return e < 0 ? nullptr : &record.entries[static_cast<std::size_t>(e)];
}

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

// The leading number of text[0, length) in `base` (0: C notation) as the C
// library reads it: white space, a sign, digits up to the first other byte;
// clamped to the 32-bit limits.
int32_t leading_number(const char* text, std::size_t length, int base) {
  std::size_t at = 0;
  while (at < length && is_space(text[at])) ++at;
  bool negative = false;
  if (at < length && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  if (base == 0) {
    base = 10;
    if (at < length && text[at] == '0') {
      base = 8;
      if (at + 2 < length && (text[at + 1] == 'x' || text[at + 1] == 'X') && digit_value(text[at + 2]) < 16) {
        base = 16;
        at += 2;
      }
    }
  }
  const int64_t limit = int64_t{1} << 31;
  int64_t n = 0;
  for (; at < length && digit_value(text[at]) < base; ++at) {
    n = n * base + digit_value(text[at]);
    if (n > limit) n = limit;
  }
  if (negative) return static_cast<int32_t>(-n);
  return n >= limit ? INT32_MAX : static_cast<int32_t>(n);
}

}  // namespace

int profile_find_section(const char* name) noexcept {
  if (!profile_document.present || name == nullptr || name[0] == 0) return -1;
  const uint32_t hash = profile_hash(name);
  const profile_section* sections = profile_document.sections.data();
  const std::size_t count = profile_document.sections.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (sections[i].hash == hash && profile_names_equal(sections[i].name.c_str(), name)) return static_cast<int>(i);
  }
  return -1;
}

int profile_find_key(const profile_section* section, const char* key) noexcept {
  if (section == nullptr || key == nullptr || key[0] == 0) return -1;
  const uint32_t hash = profile_hash(key);
  const profile_entry* entries = section->entries.data();
  const std::size_t count = section->entries.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (entries[i].hash != hash || entries[i].is_comment) continue;
    if (profile_names_equal(entries[i].key.c_str(), key)) return static_cast<int>(i);
  }
  return -1;
}

int profile_get_string(const char* section, const char* key, const char* default_text, char* buffer, int size,
                       const char*) noexcept {
  if (buffer == nullptr || size <= 0) return 0;
  const char* text = default_text != nullptr ? default_text : "";
  std::size_t length = std::strlen(text);
  if (const profile_entry* entry = find_entry(section, key)) clean_value(entry->value, text, length);
  if (length > static_cast<std::size_t>(size - 1)) length = static_cast<std::size_t>(size - 1);
  std::memmove(buffer, text, length);
  buffer[length] = 0;
  return static_cast<int>(length);
}

int32_t profile_get_int(const char* section, const char* key, int32_t default_value, const char*) noexcept {
  const profile_entry* entry = find_entry(section, key);
  if (entry == nullptr) return default_value;
  const char* text;
  std::size_t length;
  clean_value(entry->value, text, length);
  return leading_number(text, length, 10);
}

int profile_write_value(const char* section, const char* key, const char* value, const char*) noexcept {
  if (section == nullptr) return 0;
  if (!profile_document.present && profile_load_text("", 0) == 0) return 0;
  int s = profile_find_section(section);
  if (s < 0) {
    if (profile_add_section(section) == 0) return 0;
    s = static_cast<int>(profile_document.sections.size()) - 1;
  }
  profile_section& record = profile_document.sections[static_cast<std::size_t>(s)];
  if (key == nullptr) {
    record.entries.release();
    return 1;
  }
  int e = profile_find_key(&record, key);
  if (e < 0) return profile_add_entry(&record, key, value, 0);
  profile_entry& entry = record.entries[static_cast<std::size_t>(e)];
  if (value == nullptr) {
    entry.key.release();
    entry.value.release();
    return 1;
  }
  return entry.value.assign(value) ? 1 : 0;
}

int profile_write_string(const char* section, const char* key, const char* value, const char* path) noexcept {
  if (value == nullptr || value[0] == 0) return profile_write_value(section, key, "", path);
  // Every setting's text fits the buffer on the stack; a longer one is quoted on
  // the heap, and is not written when memory runs out (a value written without
  // its quotes would read back otherwise).
  const std::size_t length = std::strlen(value);
  char small[quoted_value_room];
  heap_text large;
  char* quoted = small;
  if (length + 3 > sizeof small) {
    if (!large.resize(length + 2)) return 0;
    quoted = large.data();
  }
  quoted[0] = '"';
  std::memcpy(quoted + 1, value, length);
  quoted[length + 1] = '"';
  quoted[length + 2] = 0;
  return profile_write_value(section, key, quoted, path);
}

int profile_write_int(const char* section, const char* key, int32_t value, const char* path) noexcept {
  char text[256];
  std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
  return profile_write_value(section, key, text, path);
}

color_ref color_from_text(const char* text, color_ref default_color) noexcept {
  if (text == nullptr || text[0] == 0) return default_color;
  const uint32_t n = static_cast<uint32_t>(leading_number(text, std::strlen(text), 0));
  return 0x02000000u + ((n & 0xFF) << 16) + (n & 0xFF00) + ((n >> 16) & 0xFF);
}

int profile_write_color(const char* path, const char* section, const char* key, color_ref color) noexcept {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X%02X%02X", static_cast<unsigned>(color & 0xFF),
                static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>((color >> 16) & 0xFF));
  return profile_write_string(section, key, text, path);
}
