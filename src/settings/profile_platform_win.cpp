// The settings file's Win32 side: whole-file reading, the steps of the safe
// save (a fresh temporary file beside the old one, which then takes its
// place), and the case-insensitive name comparison.
#include <windows.h>

#include "settings/profile_platform.h"

namespace {

int win_read(const char* path, heap_text& bytes) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  LARGE_INTEGER size;
  // A settings file of 2 GB or more is not one of ours.
  bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart >= 0 && size.QuadPart < 0x7FFFFFFF;
  ok = ok && bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD got = 0;
    if (ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr) == 0 || got == 0) {
      ok = false;
    }
    done += got;
  }
  CloseHandle(file);
  return ok ? 1 : 0;
}

int win_exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? 1 : 0; }

void* win_create_temp(const char* target, heap_text& temp) {
  char directory[MAX_PATH];
  char* name_part = nullptr;
  const DWORD length = GetFullPathNameA(target, MAX_PATH, directory, &name_part);
  if (length == 0 || length >= MAX_PATH || name_part == nullptr) return nullptr;
  *name_part = 0;  // the directory, with its separator
  char name[MAX_PATH];
  // The system picks a name that is free and creates the file empty.
  if (GetTempFileNameA(directory, "dsv", 0, name) == 0) return nullptr;
  HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    if (temp.assign(name)) return file;
    CloseHandle(file);
  }
  DeleteFileA(name);
  return nullptr;
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

// The access rights set on a file as the system describes them; empty when
// they cannot be read.
heap_text file_rights(const char* path) noexcept {
  heap_text rights;
  DWORD needed = 0;
  GetFileSecurityA(path, DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
  if (needed == 0 || !rights.resize(needed) ||
      GetFileSecurityA(path, DACL_SECURITY_INFORMATION, rights.data(), needed, &needed) == 0) {
    rights.release();
  }
  return rights;
}

int win_replace(const char* from, const char* to) {
  const DWORD attributes = GetFileAttributesA(to);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ? 1 : 0;
  }
  // A read-only settings file is the user's way of keeping it as it is.
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return 0;
  // ReplaceFileA keeps the old file's attributes and rights on Windows; where it
  // only renames (Wine's does), they are put back from what the old file had.
  heap_text rights = file_rights(to);
  if (ReplaceFileA(to, from, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) == 0) {
    // Windows may report that it removed the old file but could not move the
    // new one in: the new one then takes the old one's place, or the removal
    // of the temporary file would leave no settings file at all.
    if (GetLastError() != ERROR_UNABLE_TO_MOVE_REPLACEMENT || GetFileAttributesA(to) != INVALID_FILE_ATTRIBUTES) {
      return 0;
    }
    return MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH) != 0 ? 1 : 0;
  }
  constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const DWORD now = GetFileAttributesA(to);
  if (now != INVALID_FILE_ATTRIBUTES && (now & kept) != (attributes & kept)) {
    SetFileAttributesA(to, (now & ~kept) | (attributes & kept));
  }
  if (!rights.empty() && file_rights(to) != rights) {
    SetFileSecurityA(to, DACL_SECURITY_INFORMATION, rights.data());
  }
  return 1;
}

int win_remove(const char* path) { return DeleteFileA(path) != 0 ? 1 : 0; }

}  // namespace

const profile_file_ops profile_platform_files = {win_read,  win_exists, win_create_temp, win_write,
                                                 win_flush, win_close,  win_replace,     win_remove};

int profile_names_equal(const char* a, const char* b) noexcept { return lstrcmpiA(a, b) == 0 ? 1 : 0; }
