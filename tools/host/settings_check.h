// dsv_host --check-settings: reads a settings file with the plug-in's own reader
// and settings table, and says in one line per problem what the plug-in will do
// with what it finds: keys no view reads, colours and window sizes that do not
// read as the user may think, skin files and places that do not fit, and the
// caller's sound files it would not play.
// Window-free; the host passes the system's files.
#pragma once

#include <string>
#include <vector>

struct profile_file_ops;

namespace settings_check_exit {
constexpr int clean = 0;       // nothing to report
constexpr int problems = 1;    // one line or more in the report
constexpr int unreadable = 2;  // the file is missing or cannot be read (a directory, say)
}  // namespace settings_check_exit

// Checks the settings file at `path`. Skin files named in it are read through
// `files` too, relative names beside the settings file, as the plug-in (which
// sits beside its settings file) finds them; `is_lead_byte` (null for
// single-byte text) keeps double-byte names whole. Appends one line per problem,
// "[section] key: what happens", to `lines`, or for an unreadable file the
// reason. Returns a settings_check_exit code. Leaves no profile document behind;
// the settings globals hold what the file gives.
int settings_check(const std::string& path, const profile_file_ops& files, bool (*is_lead_byte)(unsigned char),
                   std::vector<std::string>& lines);

// The known name closest to `name` (ASCII case ignored), or "" when none is
// close enough to be a likely misspelling.
std::string settings_nearest_name(const std::string& name, const std::vector<std::string>& known);
