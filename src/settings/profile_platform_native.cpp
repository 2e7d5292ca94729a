// POSIX stand-ins for the settings file's Win32 side, for the native tests,
// the fuzz target and the benchmark.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/profile_platform.h"

namespace {

int native_read(const char* path, heap_text& bytes) {
  int fd = ::open(path, O_RDONLY);
  if (fd < 0) return 0;
  struct stat info;
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  ok = ok && bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return ok ? 1 : 0;
}

int native_exists(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0 ? 1 : 0;
}

void* native_create_temp(const char* target, heap_text& temp) {
  const char* slash = std::strrchr(target, '/');
  if (!temp.assign(target, slash != nullptr ? static_cast<std::size_t>(slash + 1 - target) : 0) ||
      !temp.append("dsvXXXXXX.tmp")) {
    return nullptr;
  }
  const int fd = ::mkstemps(temp.data(), 4);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    ::close(fd);
    ::unlink(temp.c_str());
  }
  return file;
}

int native_write(void* file, const char* data, std::size_t size) {
  return std::fwrite(data, 1, size, static_cast<std::FILE*>(file)) == size ? 1 : 0;
}

int native_flush(void* file) {
  auto* f = static_cast<std::FILE*>(file);
  return std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0 ? 1 : 0;
}

int native_close(void* file) { return std::fclose(static_cast<std::FILE*>(file)) == 0 ? 1 : 0; }

int native_replace(const char* from, const char* to) { return std::rename(from, to) == 0 ? 1 : 0; }

int native_remove(const char* path) { return std::remove(path) == 0 ? 1 : 0; }

char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

}  // namespace

const profile_file_ops profile_platform_files = {native_read,  native_exists, native_create_temp, native_write,
                                                 native_flush, native_close,  native_replace,     native_remove};

int profile_names_equal(const char* a, const char* b) noexcept {
  for (;; ++a, ++b) {
    if (fold(*a) != fold(*b)) return 0;
    if (*a == 0) return 1;
  }
}
