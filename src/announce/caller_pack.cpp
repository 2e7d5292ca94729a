#include "announce/caller_pack.h"

#include <cstdio>
#include <cstring>

#include "base/memory.h"

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A number of 1 to 3 digits without a leading zero (or "0" itself) at `text`,
// ended by a byte that is not a digit; -1 otherwise.
int number_at(const char* text, std::size_t& length) {
  length = 0;
  int value = 0;
  while (text[length] >= '0' && text[length] <= '9') {
    if (length == 3) return -1;
    value = value * 10 + (text[length] - '0');
    ++length;
  }
  if (length == 0 || (length > 1 && text[0] == '0')) return -1;
  return value;
}

bool word_at(const char* text, const char* word) {
  for (std::size_t i = 0; word[i] != '\0'; ++i) {
    if (lower(text[i]) != word[i]) return false;
  }
  return true;
}

struct found_file {
  int16_t id;
  int16_t variant;
  heap_text name;
};

struct listing {
  heap_array<found_file> files;
  bool short_of_memory = false;
};

void collect(void* context, const char* name) {
  auto& list = *static_cast<listing*>(context);
  int variant = 0;
  const int id = caller_id_of_name(name, &variant);
  if (id < 0 || list.files.size() >= caller_files_most) return;
  found_file file;
  file.id = static_cast<int16_t>(id);
  file.variant = static_cast<int16_t>(variant);
  if (!file.name.assign(name) || !list.files.push_back(std::move(file))) list.short_of_memory = true;
}

bool before(const found_file& a, const found_file& b) {
  return a.id != b.id ? a.id < b.id : a.variant < b.variant;
}

void sort(heap_array<found_file>& files) {
  for (std::size_t i = 1; i < files.size(); ++i) {
    for (std::size_t j = i; j > 0 && before(files[j], files[j - 1]); --j) {
      found_file moved = std::move(files[j]);
      files[j] = std::move(files[j - 1]);
      files[j - 1] = std::move(moved);
    }
  }
}

// Reads, checks and keeps one file; the fault when it is skipped.
wav_fault load_one(caller_pack& pack, const char* path, const found_file& file, const caller_file_ops& ops) {
  uint64_t size = 0;
  if (!ops.size(path, size)) return wav_fault::unreadable;
  if (size > caller_memory_limit) return wav_fault::too_large;
  auto* bytes = static_cast<unsigned char*>(mem_alloc(size > 0 ? static_cast<std::size_t>(size) : 1));
  if (bytes == nullptr) return wav_fault::unreadable;
  wav_fault fault = wav_fault::unreadable;
  wav_sound sound;
  if (ops.read(path, bytes, static_cast<std::size_t>(size))) fault = wav_check(bytes, static_cast<std::size_t>(size), sound);
  if (fault == wav_fault::none) {
    const std::size_t image_size = wav_header_size + sound.data_size;
    caller_sound kept = {file.id, file.variant, nullptr, static_cast<uint32_t>(image_size), sound.duration_ms};
    if (image_size > caller_memory_limit - pack.memory) {
      fault = wav_fault::over_total;
    } else if ((kept.image = static_cast<unsigned char*>(mem_alloc(image_size))) == nullptr) {
      fault = wav_fault::unreadable;
    } else {
      wav_write_image(sound, bytes, kept.image);
      if (pack.sounds.push_back(std::move(kept))) {
        pack.memory += image_size;
      } else {
        mem_free(kept.image);
        fault = wav_fault::unreadable;
      }
    }
  }
  mem_free(bytes);
  return fault;
}

}  // namespace

int caller_id_of_name(const char* name, int* variant) {
  *variant = 0;
  std::size_t at = 0;
  int id = -1;
  std::size_t length = 0;
  if (name[0] >= '0' && name[0] <= '9') {
    const int score = number_at(name, length);
    if (score < 0 || score > 180) return -1;
    id = score;
    at = length;
  } else if (word_at(name, "yr_")) {
    const int score = number_at(name + 3, length);
    if (score < 2 || score > 170) return -1;
    id = caller_id::required(score);
    at = 3 + length;
  } else {
    static constexpr struct {
      const char* word;
      int id;
    } words[] = {{"gameshot", caller_id::gameshot},
                 {"setshot", caller_id::setshot},
                 {"you_require", caller_id::you_require},
                 {"gameon", caller_id::gameon}};
    for (const auto& w : words) {
      if (word_at(name, w.word)) {
        id = w.id;
        at = std::strlen(w.word);
        break;
      }
    }
    if (id < 0) return -1;
  }
  if (name[at] == '+') {
    const int k = number_at(name + at + 1, length);
    if (k < 1) return -1;
    *variant = k;
    at += 1 + length;
  }
  if (!word_at(name + at, ".wav") || name[at + 4] != '\0') return -1;
  return id;
}

void caller_name_of_id(int id, char (&out)[16]) {
  if (id >= 0 && id <= 180) {
    std::snprintf(out, sizeof out, "%d.wav", id);
  } else if (id >= caller_id::required_first && id < caller_id::count) {
    std::snprintf(out, sizeof out, "yr_%d.wav", id - caller_id::required_first + 2);
  } else {
    const char* word = id == caller_id::gameshot  ? "gameshot"
                       : id == caller_id::setshot ? "setshot"
                       : id == caller_id::gameon  ? "gameon"
                                                  : "you_require";
    std::snprintf(out, sizeof out, "%s.wav", word);
  }
}

caller_folder caller_pack_load(caller_pack& pack, const char* dir, const caller_file_ops& files,
                               caller_report_fn report, void* context) {
  caller_pack_release(pack);
  listing list;
  const caller_folder folder = files.list(dir, collect, &list);
  if (folder != caller_folder::listed) return folder;
  sort(list.files);
  heap_text path;
  for (const found_file& file : list.files) {
    wav_fault fault = wav_fault::unreadable;
    if (path.assign(dir) && path.append(files.separator) && path.append(file.name)) {
      fault = load_one(pack, path.c_str(), file, files);
    }
    if (report != nullptr) report(context, file.name.c_str(), file.id, fault);
  }
  for (std::size_t i = pack.sounds.size(); i-- > 0;) {
    const int id = pack.sounds[i].id;
    pack.first[id] = static_cast<int32_t>(i);
    ++pack.variants[id];
  }
  return folder;
}

void caller_pack_release(caller_pack& pack) {
  for (caller_sound& sound : pack.sounds) mem_free(sound.image);
  pack.sounds.release();
  pack.memory = 0;
  std::memset(pack.first, 0, sizeof pack.first);
  std::memset(pack.variants, 0, sizeof pack.variants);
}
