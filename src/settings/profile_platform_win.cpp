// The settings file's Win32 side: whole-file reading, the steps of the safe
// save, and the case-insensitive name comparison.
#include <windows.h>

#include "settings/profile_platform.h"

namespace {

int win_read(const char* path, heap_string& bytes) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  LARGE_INTEGER size;
  // A settings file of 2 GB or more is not one of ours.
  bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart >= 0 && size.QuadPart < 0x7FFFFFFF;
  try {
    if (ok) bytes.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (...) {
    ok = false;
  }
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD got = 0;
    if (ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr) == 0 || got == 0) {
      ok = false;
    }
    done += got;
  }
  CloseHandle(file);
  return ok ? 1 : 0;
}

int win_exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? 1 : 0; }

void* win_create(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

int win_write(void* file, const char* data, std::size_t size) {
  while (size > 0) {
    DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (WriteFile(static_cast<HANDLE>(file), data, chunk, &written, nullptr) == 0 || written == 0) return 0;
    data += written;
    size -= written;
  }
  return 1;
}

int win_flush(void* file) { return FlushFileBuffers(static_cast<HANDLE>(file)) != 0 ? 1 : 0; }

int win_close(void* file) { return CloseHandle(static_cast<HANDLE>(file)) != 0 ? 1 : 0; }

int win_replace(const char* from, const char* to) {
  // A read-only settings file is the user's way of keeping it as it is.
  DWORD attributes = GetFileAttributesA(to);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return 0;
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ? 1 : 0;
}

int win_remove(const char* path) { return DeleteFileA(path) != 0 ? 1 : 0; }

}  // namespace

const profile_file_ops profile_platform_files = {win_read,  win_exists, win_create,  win_write,
                                                 win_flush, win_close,  win_replace, win_remove};

int profile_names_equal(const char* a, const char* b) noexcept { return lstrcmpiA(a, b) == 0 ? 1 : 0; }
