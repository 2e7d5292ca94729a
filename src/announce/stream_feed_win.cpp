#include "announce/stream_feed_win.h"

namespace {

// `dir`, a backslash and `name` with its slashes made backslashes, then `suffix`.
bool join(heap_text& out, const char* dir, const char* name, const char* suffix) {
  if (!out.assign(dir) || !out.append('\\')) return false;
  for (const char* c = name; *c != '\0'; ++c) {
    if (!out.append(*c == '/' ? '\\' : *c)) return false;
  }
  return out.append(suffix);
}

HANDLE create_temp(const char* path) {
  return CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

int replace_file(void* context, const char* name, const char* bytes, std::size_t size) {
  const auto& folder = *static_cast<const stream_folder*>(context);
  heap_text target;
  heap_text temp;
  if (!join(target, folder.dir, name, "") || !join(temp, folder.dir, name, ".tmp")) return 0;
  HANDLE file = create_temp(temp.c_str());
  bool made = false;
  if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PATH_NOT_FOUND) {
    // Missing (never made, or removed while the view was open): one level only.
    made = CreateDirectoryA(folder.dir, nullptr) != 0;
    heap_text utf8;
    if (join(utf8, folder.dir, "utf8", "")) CreateDirectoryA(utf8.c_str(), nullptr);
    file = create_temp(temp.c_str());
  }
  if (file == INVALID_HANDLE_VALUE) return 0;
  DWORD written = 0;
  const bool whole = size == 0 || (WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) != 0 &&
                                   written == size);
  const bool closed = CloseHandle(file) != 0;
  if (whole && closed && MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) {
    return made ? stream_folder_made : stream_replaced;
  }
  DeleteFileA(temp.c_str());
  return 0;
}

bool ansi_to_utf8(const char* ansi, std::size_t size, heap_text& out) {
  out.clear();
  if (size == 0) return true;
  const int n = static_cast<int>(size);
  const int wide_count = MultiByteToWideChar(CP_ACP, 0, ansi, n, nullptr, 0);
  if (wide_count <= 0) return false;
  heap_text wide;
  if (!wide.resize(static_cast<std::size_t>(wide_count) * sizeof(WCHAR))) return false;
  auto* w = reinterpret_cast<WCHAR*>(wide.data());
  if (MultiByteToWideChar(CP_ACP, 0, ansi, n, w, wide_count) != wide_count) return false;
  const int count = WideCharToMultiByte(CP_UTF8, 0, w, wide_count, nullptr, 0, nullptr, nullptr);
  if (count <= 0 || !out.resize(static_cast<std::size_t>(count))) return false;
  return WideCharToMultiByte(CP_UTF8, 0, w, wide_count, out.data(), count, nullptr, nullptr) == count;
}

}  // namespace

stream_ops stream_platform_ops(stream_folder& folder) { return stream_ops{replace_file, ansi_to_utf8, &folder}; }
