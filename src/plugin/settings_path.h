// Where the settings file lies: "dsv_view.ini" in the library's own directory.
// The path is built once at load and used again at unload.
#pragma once

#include <cstddef>

#include "base/module_path.h"

constexpr std::size_t settings_path_size = 256;
constexpr const char* settings_file_name = "dsv_view.ini";

// The settings file's full path; empty when it could not be built.
extern char settings_path[settings_path_size];

// Writes "<directory of module_name>\dsv_view.ini" into `path` (settings_path_size
// bytes). 1, or 0 with an empty path when the result would not fit: a cut
// path could name some other file.
int settings_path_build(char* path, const char* module_name, lead_byte_test is_lead_byte) noexcept;
