#include "settings/profile_document.h"

#include <cstring>

profile_document_state profile_document;

namespace {

enum class add_result { added, refused, no_memory };

int public_result(add_result r) { return r == add_result::added ? 1 : 0; }

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// What several editors put before the first line of a UTF-8 file.
constexpr char utf8_bom[3] = {'\xEF', '\xBB', '\xBF'};

// Where a key, section name or comment line lies once stored: cut to 255 bytes,
// then trimmed.
void stored_range(const char* text, std::size_t length, std::size_t& begin, std::size_t& end) {
  begin = 0;
  end = length < profile_name_limit ? length : profile_name_limit;
  trim_range(text, begin, end);
}

add_result add_section(const char* name, std::size_t length) noexcept {
  std::size_t begin;
  std::size_t end;
  stored_range(name, length, begin, end);
  // A name of blanks alone is refused like "[]": a section without a name
  // would be written as "[]", and its keys would join the section before it
  // the next time the file is read.
  if (begin == end) return add_result::refused;
  profile_section section;
  if (!section.name.assign(name + begin, end - begin)) return add_result::no_memory;
  section.hash = profile_hash(section.name.c_str());
  return profile_document.sections.push_back(std::move(section)) ? add_result::added : add_result::no_memory;
}

add_result add_entry(profile_section& section, const char* key, std::size_t key_length, const char* value,
                     std::size_t value_length, int is_comment) noexcept {
  std::size_t begin;
  std::size_t end;
  stored_range(key, key_length, begin, end);
  // A key of blanks alone could never be found and would not be written back.
  if (begin == end) return add_result::refused;
  profile_entry entry;
  if (!entry.key.assign(key + begin, end - begin) || !entry.value.assign(value, value_length)) {
    return add_result::no_memory;
  }
  entry.hash = is_comment ? 0 : profile_hash(entry.key.c_str());
  entry.is_comment = is_comment ? 1 : 0;
  return section.entries.push_back(std::move(entry)) ? add_result::added : add_result::no_memory;
}

// One line of the file, up to its line end or a NUL byte, into the last
// section. Lines that do not fit the format are dropped; false only when
// memory ran out.
bool read_line(const char* line, std::size_t length) noexcept {
  if (length == 0) return true;
  if (line[0] == '[') {
    // A header must end exactly in "]"; "[]" names nothing.
    if (length < 3 || line[length - 1] != ']') return true;
    return add_section(line + 1, length - 2) != add_result::no_memory;
  }
  profile_section& last = profile_document.sections.back();
  if (line[0] == '#') return add_entry(last, line, length, "", 0, 1) != add_result::no_memory;

  const char* equals = static_cast<const char*>(std::memchr(line, '=', length));
  const std::size_t key_length = equals != nullptr ? static_cast<std::size_t>(equals - line) : length;
  const char* value = equals != nullptr ? equals + 1 : line + length;
  const std::size_t value_length = static_cast<std::size_t>(line + length - value);
  std::size_t begin;
  std::size_t end;
  stored_range(line, key_length, begin, end);
  if (begin < end && (line[begin] == '[' || line[begin] == '#')) {
    // An indented "[" or "#" line would be written back from the first column,
    // where it reads as a header or a comment: take it as that line at once, so
    // that what is saved reads back the same.
    heap_text written;
    if (!written.reserve(end - begin + 1 + value_length) || !written.assign(line + begin, end - begin) ||
        !written.append('=') || !written.append(value, value_length)) {
      return false;
    }
    return read_line(written.data(), written.size());
  }
  return add_entry(last, line, key_length, value, value_length, 0) != add_result::no_memory;
}

bool section_is_written(const profile_section& section) { return !section.entries.empty(); }

std::size_t rendered_length() {
  std::size_t length = 0;
  for (std::size_t s = 0; s < profile_document.sections.size(); ++s) {
    const profile_section& section = profile_document.sections[s];
    if (!section_is_written(section)) continue;
    if (s != 0) length += section.name.size() + 4;
    for (const profile_entry& entry : section.entries) {
      if (entry.key.empty()) continue;
      length += entry.key.size() + 2;
      if (!entry.is_comment) length += 1 + entry.value.size();
    }
    length += 2;
  }
  return length;
}

}  // namespace

uint32_t profile_hash(const char* text) noexcept {
  uint32_t h = 0;
  if (text == nullptr) return h;
  for (const char* p = text; *p != 0; ++p) {
    char c = *p;
    if (c == ' ') continue;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    // The byte counts as a signed char: 0x80 to 0xFF are negative.
    h ^= (h << 4) + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
  }
  return h;
}

void trim_range(const char* text, std::size_t& begin, std::size_t& end) noexcept {
  while (begin < end && is_blank(text[begin])) ++begin;
  while (end > begin && is_blank(text[end - 1])) --end;
}

int trim_blanks(char* text) noexcept {
  if (text == nullptr) return 1;
  std::size_t begin = 0;
  std::size_t end = std::strlen(text);
  trim_range(text, begin, end);
  std::memmove(text, text + begin, end - begin);
  text[end - begin] = 0;
  return 1;
}

int profile_add_section(const char* name) noexcept {
  if (name == nullptr || name[0] == 0 || !profile_document.present) return 0;
  return public_result(add_section(name, std::strlen(name)));
}

int profile_add_entry(profile_section* section, const char* key, const char* value, int is_comment) noexcept {
  if (section == nullptr || key == nullptr || key[0] == 0 || value == nullptr) return 0;
  return public_result(add_entry(*section, key, std::strlen(key), value, std::strlen(value), is_comment));
}

int profile_load_text(const char* data, std::size_t size) noexcept {
  profile_free();
  if (!profile_document.sections.emplace_back()) return 0;  // section 0
  profile_document.present = true;
  std::size_t at = 0;
  if (size >= sizeof utf8_bom && std::memcmp(data, utf8_bom, sizeof utf8_bom) == 0) {
    profile_document.utf8_bom = true;
    at = sizeof utf8_bom;
  }
  while (at < size && data[at] != 0) {
    std::size_t end = at;
    while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
    // A NUL byte inside a line ends the line there.
    const void* nul = std::memchr(data + at, 0, end - at);
    const std::size_t length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - (data + at)) : end - at;
    if (!read_line(data + at, length)) {
      // Out of memory: a document that lacks some of the file's lines must
      // never be saved over it.
      profile_free();
      return 0;
    }
    at = end;
    while (at < size && (data[at] == '\r' || data[at] == '\n')) ++at;
  }
  return 1;
}

int profile_load_with(const char* path, const profile_file_ops& files) noexcept {
  profile_free();
  if (path == nullptr || path[0] == 0) return 0;
  heap_text bytes;
  if (files.read(path, bytes) == 0) return 0;
  return profile_load_text(bytes.data(), bytes.size());
}

int profile_load(const char* path, int read_file) noexcept {
  if (read_file == 0) return profile_load_text("", 0);
  return profile_load_with(path, profile_platform_files);
}

int profile_render(heap_text& text) noexcept {
  if (!profile_document.present) return 0;
  text.clear();
  bool ok = text.reserve(rendered_length() + sizeof utf8_bom);
  for (std::size_t s = 0; ok && s < profile_document.sections.size(); ++s) {
    const profile_section& section = profile_document.sections[s];
    if (!section_is_written(section)) continue;
    if (s != 0) ok = text.append('[') && text.append(section.name) && text.append("]\r\n", 3);
    for (const profile_entry& entry : section.entries) {
      if (!ok) break;
      if (entry.key.empty()) continue;  // deleted
      ok = text.append(entry.key) && (entry.is_comment || (text.append('=') && text.append(entry.value))) &&
           text.append("\r\n", 2);
    }
    ok = ok && text.append("\r\n", 2);
  }
  // A file that had the mark gets it back. So does a text that would begin
  // with the mark's bytes (a first key that starts with them): read back, they would
  // be taken for the mark and lost from the key.
  if (ok && (profile_document.utf8_bom || text.starts_with(utf8_bom, sizeof utf8_bom))) {
    ok = text.prepend(utf8_bom, sizeof utf8_bom);
  }
  if (!ok) text.release();
  return ok ? 1 : 0;
}

int profile_save_with(const char* path, const profile_file_ops& files) noexcept {
  if (path == nullptr || path[0] == 0) return 0;
  heap_text text;
  if (profile_render(text) == 0) return 0;
  // The old file is replaced only once the whole new text is on the disk.
  heap_text temp;
  void* file = files.create_temp(path, temp);
  if (file == nullptr) return 0;
  bool ok = (text.empty() || files.write(file, text.data(), text.size()) != 0) && files.flush(file) != 0;
  ok = files.close(file) != 0 && ok;
  ok = ok && files.replace(temp.c_str(), path) != 0;
  if (!ok) files.remove(temp.c_str());
  return ok ? 1 : 0;
}

int profile_save(const char* path) noexcept { return profile_save_with(path, profile_platform_files); }

void profile_free() noexcept {
  profile_document.sections.release();
  profile_document.present = false;
  profile_document.utf8_bom = false;
}
