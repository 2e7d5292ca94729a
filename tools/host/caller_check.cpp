#include "caller_check.h"

#include "announce/caller_pack.h"

namespace {

struct findings {
  std::vector<std::string>& lines;
  std::string place;
};

void skipped(void* context, const char* name, int, wav_fault fault) {
  if (fault == wav_fault::none) return;
  auto& f = *static_cast<findings*>(context);
  f.lines.push_back(f.place + std::string(name) + " is not played: " + wav_fault_text(fault));
}

}  // namespace

void caller_check(const char* caller_dir, const std::string& settings_dir, lead_byte_test is_lead_byte,
                  std::vector<std::string>& lines) {
  if (caller_dir[0] == '\0') return;
  const std::string place = "[view_window] caller_dir: ";
  char path[1024];
  if (!module_relative_path(path, sizeof path, settings_dir.c_str(), caller_dir, is_lead_byte)) {
    lines.push_back(place + "the name is too long to be opened; the caller stays silent");
    return;
  }
  caller_pack pack;
  findings f{lines, place};
  const caller_folder folder = caller_pack_load(pack, path, caller_platform_files, skipped, &f);
  if (folder != caller_folder::listed) {
    lines.push_back(place + path +
                    (folder == caller_folder::missing ? " is missing" : " cannot be read") +
                    "; the caller stays silent");
    return;
  }
  int there = 0;
  std::string missing;
  int missing_count = 0;
  for (int id = 0; id < caller_id::expected; ++id) {
    if (pack.variants[id] > 0) {
      ++there;
      continue;
    }
    if (++missing_count <= 8) {
      char name[16];
      caller_name_of_id(id, name);
      missing += (missing.empty() ? "" : ", ") + std::string(name);
    }
  }
  if (missing_count > 8) missing += " and " + std::to_string(missing_count - 8) + " more";
  if (missing_count > 0) {
    lines.push_back(place + std::to_string(there) + " of the " + std::to_string(caller_id::expected) +
                    " expected files are there (0.wav to 180.wav, gameshot, setshot, you_require, gameon); "
                    "missing, so not called: " + missing);
  }
  caller_pack_release(pack);
}
