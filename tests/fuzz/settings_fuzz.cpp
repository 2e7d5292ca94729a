// Arbitrary bytes as a settings file. Each input is loaded, every setting is
// read and written back, the result saved; the saved text is loaded, read,
// written and saved again and must come out the same: the normalised form of a
// file is a fixed point. Lookups of the file's own names, getters with small
// buffers, colour conversion and deletion run on the side. The sanitizers and
// the leak checker watch all of it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "settings/profile_document.h"
#include "settings/profile_values.h"
#include "settings/settings_table.h"

namespace {

const char* const path = "fuzz.ini";

// Load, read every setting, load again, write every setting, save.
heap_text settings_cycle(const char* data, std::size_t size) {
  profile_load_text(data, size);
  view_settings.geometry = {0, 0, 1920, 1040};
  settings_read_all(path);
  profile_load_text(data, size);
  settings_write_all(path);
  heap_text text;
  profile_render(text);
  profile_free();
  return text;
}

// Every name the file holds, looked up as a query, read in every way.
void probe_own_names() {
  // Copies: the writers below may move the records.
  heap_array<heap_text> names;
  for (const profile_section& section : profile_document.sections) {
    for (const profile_entry& entry : section.entries) {
      heap_text name;
      heap_text key;
      if (!name.assign(section.name.data(), section.name.size()) || !key.assign(entry.key.data(), entry.key.size()) ||
          !names.push_back(std::move(name)) || !names.push_back(std::move(key))) {
        std::abort();
      }
    }
  }
  for (std::size_t i = 0; i + 1 < names.size(); i += 2) {
    const char* section = names[i].c_str();
    const char* key = names[i + 1].c_str();
    char buffer[8];
    profile_get_string(section, key, "default", buffer, static_cast<int>(i / 2 % (sizeof buffer + 1)), path);
    char value[300];
    profile_get_string(section, key, "", value, sizeof value, path);
    color_from_text(value, 0x00123456);
    profile_get_int(section, key, -1, path);
    // Delete every other key and, now and then, a whole section.
    if (i % 4 == 0) profile_write_value(section, key, nullptr, path);
    if (i % 14 == 6) profile_write_value(section, nullptr, nullptr, path);
  }
  heap_text text;
  profile_render(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const heap_text first = settings_cycle(bytes, size);
  const heap_text second = settings_cycle(first.data(), first.size());
  if (first != second) {
    std::fprintf(stderr, "second save differs from the first\n--- first\n%s\n--- second\n%s\n", first.c_str(),
                 second.c_str());
    std::abort();
  }
  profile_load_text(bytes, size);
  probe_own_names();
  profile_free();
  return 0;
}
