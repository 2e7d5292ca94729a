// The caller pack's file operations in the native build (tests and the
// checker's tests): POSIX folders and files. A path joined the Windows way
// (the checker's folder names) has its backslashes read as slashes.
#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "announce/caller_pack.h"

namespace {

std::string posix(const char* path) {
  std::string p(path);
  for (char& c : p) c = c == '\\' ? '/' : c;
  return p;
}

caller_folder list_files(const char* dir, void (*found)(void* context, const char* name), void* context) {
  DIR* folder = opendir(posix(dir).c_str());
  if (folder == nullptr) return errno == ENOENT || errno == ENOTDIR ? caller_folder::missing : caller_folder::unreadable;
  heap_text path;
  while (const dirent* entry = readdir(folder)) {
    struct stat info;
    if (!path.assign(posix(dir).c_str()) || !path.append('/') || !path.append(entry->d_name)) continue;
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) found(context, entry->d_name);
  }
  closedir(folder);
  return caller_folder::listed;
}

bool file_size(const char* path, uint64_t& size) {
  FILE* file = std::fopen(posix(path).c_str(), "rb");
  if (file == nullptr) return false;
  struct stat info;
  const bool known = stat(posix(path).c_str(), &info) == 0;
  std::fclose(file);
  size = known ? static_cast<uint64_t>(info.st_size) : 0;
  return known;
}

bool read_file(const char* path, unsigned char* out, std::size_t size) {
  FILE* file = std::fopen(posix(path).c_str(), "rb");
  if (file == nullptr) return false;
  const std::size_t got = std::fread(out, 1, size, file);
  std::fclose(file);
  return got == size;
}

}  // namespace

const caller_file_ops caller_platform_files = {'/', list_files, file_size, read_file};
