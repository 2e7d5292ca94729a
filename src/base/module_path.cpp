#include "base/module_path.h"

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
