#include "plugin/settings_path.h"

#include <cstring>

char settings_path[settings_path_size];

namespace {

// Length of the directory part of `name`: the place of its last separator.
std::size_t directory_length(const char* name, lead_byte_test is_lead_byte) {
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

}  // namespace

void module_directory_cut(char* name, lead_byte_test is_lead_byte) noexcept {
  name[directory_length(name, is_lead_byte)] = 0;
}

int settings_path_build(char* path, const char* module_name, lead_byte_test is_lead_byte) noexcept {
  path[0] = 0;
  const std::size_t directory = directory_length(module_name, is_lead_byte);
  const std::size_t file = std::strlen(settings_file_name);
  if (directory + 1 + file >= settings_path_size) return 0;
  std::memcpy(path, module_name, directory);
  path[directory] = '\\';
  std::memcpy(path + directory + 1, settings_file_name, file + 1);
  return 1;
}
