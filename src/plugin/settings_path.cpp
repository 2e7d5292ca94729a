#include "plugin/settings_path.h"

#include <cstring>

char settings_path[settings_path_size];

int settings_path_build(char* path, const char* module_name, lead_byte_test is_lead_byte) noexcept {
  path[0] = 0;
  const std::size_t directory = module_directory_length(module_name, is_lead_byte);
  const std::size_t file = std::strlen(settings_file_name);
  if (directory + 1 + file >= settings_path_size) return 0;
  std::memcpy(path, module_name, directory);
  path[directory] = '\\';
  std::memcpy(path + directory + 1, settings_file_name, file + 1);
  return 1;
}
