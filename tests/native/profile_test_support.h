// Helpers of the settings tests: load a document from text, see what a save
// would write, and scratch files in a directory of their own.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "settings/profile_document.h"

// Starts the document from `text` (which may hold NUL bytes).
inline int load_text(const std::string& text) { return profile_load_text(text.data(), text.size()); }

// What a save would write now; "<none>" when no document exists.
inline std::string rendered() {
  heap_text text;
  if (profile_render(text) == 0) return "<none>";
  return std::string(text.data(), text.size());
}

// What loading `text` and saving it again writes.
inline std::string round_trip(const std::string& text) {
  load_text(text);
  std::string out = rendered();
  profile_free();
  return out;
}

// A fresh directory, removed with its files when the object goes.
struct scratch_dir {
  std::string path;
  scratch_dir() {
    char name[] = "/tmp/dsv_settings_XXXXXX";
    path = mkdtemp(name);
  }
  ~scratch_dir() { std::system(("rm -rf '" + path + "'").c_str()); }
  std::string file(const char* name) const { return path + "/" + name; }
  // The names of the files in it, sorted, one per line.
  std::string listing() const {
    std::set<std::string> names;
    if (DIR* d = opendir(path.c_str())) {
      while (dirent* e = readdir(d)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.insert(e->d_name);
      }
      closedir(d);
    }
    std::string out;
    for (const std::string& name : names) out += name + "\n";
    return out;
  }
};

inline std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline bool file_exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }
