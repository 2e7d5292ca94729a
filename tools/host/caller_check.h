// The settings check's lines about the caller's sound folder ("caller_dir"):
// a folder that is missing or cannot be read, how many of the files every pack
// is expected to have are there, and each file the caller would skip, and why.
// Window-free; the folder is read as the plug-in reads it.
#pragma once

#include <string>
#include <vector>

#include "base/module_path.h"

// `settings_dir`: the settings file's folder, beside which the plug-in lies.
// Appends "[view_window] caller_dir: ..." lines; none for an empty setting.
void caller_check(const char* caller_dir, const std::string& settings_dir, lead_byte_test is_lead_byte,
                  std::vector<std::string>& lines);
