#include "base/module_path.h"

#include <cstring>

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool is_drive_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char upper_ascii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool lead_at(const char* text, std::size_t i, bool (*is_lead_byte)(unsigned char)) {
  return is_lead_byte != nullptr && is_lead_byte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0';
}

// Length of the root of a directory: "X:" for a drive, "\\server\share" for a
// share; 0 when it has neither.
std::size_t root_length(const char* dir, bool (*is_lead_byte)(unsigned char)) {
  if (is_drive_letter(dir[0]) && dir[1] == ':') return 2;
  if (!(is_separator(dir[0]) && is_separator(dir[1]))) return 0;
  std::size_t i = 2;
  for (int part = 0; part < 2; ++part) {
    while (dir[i] != '\0' && !is_separator(dir[i])) i += lead_at(dir, i, is_lead_byte) ? 2 : 1;
    if (part == 0 && dir[i] != '\0') ++i;  // the separator between server and share
  }
  return i;
}

// Appends bytes to a bounded NUL-terminated text; false when they do not fit.
struct path_builder {
  char* out;
  std::size_t size;
  std::size_t length = 0;

  bool append(const char* text, std::size_t count) {
    if (count >= size - length) return false;
    std::memcpy(out + length, text, count);
    length += count;
    out[length] = '\0';
    return true;
  }
  bool append(const char* text) { return append(text, std::strlen(text)); }
};

}  // namespace

std::size_t module_directory_length(const char* name, lead_byte_test is_lead_byte) {
  std::size_t mark = 0;
  std::size_t at = 0;
  while (name[at] != 0) {
    const unsigned char byte = static_cast<unsigned char>(name[at]);
    if (is_lead_byte != nullptr && is_lead_byte(byte)) {
      if (name[at + 1] == 0) break;  // a lead byte without its trail ends the name
      at += 2;
      continue;
    }
    if (byte == '\\' || byte == '/') mark = at;
    ++at;
  }
  return mark;
}

void module_directory_cut(char* name, lead_byte_test is_lead_byte) noexcept {
  name[module_directory_length(name, is_lead_byte)] = 0;
}

bool module_relative_path(char* out, std::size_t out_size, const char* library_dir, const char* name,
                          lead_byte_test is_lead_byte) {
  if (out_size == 0) return false;
  out[0] = '\0';
  path_builder path{out, out_size};
  bool fits = true;
  if (library_dir[0] == '\0' || (is_separator(name[0]) && is_separator(name[1]))) {
    fits = path.append(name);  // no directory known, or a share or device path
  } else if (is_drive_letter(name[0]) && name[1] == ':') {
    if (is_separator(name[2])) {
      fits = path.append(name);
    } else if (is_drive_letter(library_dir[0]) && library_dir[1] == ':' &&
               upper_ascii(library_dir[0]) == upper_ascii(name[0])) {
      // Relative to the current directory of the library's own drive.
      fits = path.append(library_dir) && path.append("\\") && path.append(name + 2);
    } else {
      fits = path.append(name);  // another drive's current directory: the system resolves it
    }
  } else if (is_separator(name[0])) {
    const std::size_t root = root_length(library_dir, is_lead_byte);
    fits = path.append(library_dir, root) && path.append(name);
  } else {
    fits = path.append(library_dir) && path.append("\\") && path.append(name);
  }
  if (!fits) out[0] = '\0';
  return fits;
}
