// The caller pack's file operations on the system's files (ANSI names).
#include <windows.h>

#include "announce/caller_pack.h"

namespace {

caller_folder list_files(const char* dir, void (*found)(void* context, const char* name), void* context) {
  heap_text pattern;
  if (!pattern.assign(dir) || !pattern.append("\\*")) return caller_folder::unreadable;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return caller_folder::listed;  // an empty folder on some systems
    const DWORD attributes = GetFileAttributesA(dir);
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return folder ? caller_folder::unreadable : caller_folder::missing;
  }
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) found(context, entry.cFileName);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return caller_folder::listed;
}

HANDLE open_for_reading(const char* path) {
  return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

bool file_size(const char* path, uint64_t& size) {
  HANDLE file = open_for_reading(path);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER length = {};
  const bool known = GetFileSizeEx(file, &length) != 0 && length.QuadPart >= 0;
  CloseHandle(file);
  size = known ? static_cast<uint64_t>(length.QuadPart) : 0;
  return known;
}

bool read_file(const char* path, unsigned char* out, std::size_t size) {
  HANDLE file = open_for_reading(path);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::size_t done = 0;
  while (done < size) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(size - done < 0x100000 ? size - done : 0x100000);
    if (ReadFile(file, out + done, want, &got, nullptr) == 0 || got == 0) break;
    done += got;
  }
  CloseHandle(file);
  return done == size;
}

}  // namespace

const caller_file_ops caller_platform_files = {'\\', list_files, file_size, read_file};
