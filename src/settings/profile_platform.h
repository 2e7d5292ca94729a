// What the profile document needs from the operating system: whole-file
// reading, the steps of a safe save, and the case-insensitive name comparison.
// The Win32 versions live in profile_platform_win.cpp; profile_platform_native.cpp
// stands in for them in the native build (tests, fuzzing, benchmarks), and tests
// pass their own table to make single steps fail.
#pragma once

#include <cstddef>

#include "settings/heap_containers.h"

struct profile_file_ops {
  // Reads the whole of an existing file into `bytes`: 1, or 0 when the file is
  // missing or cannot be read.
  int (*read)(const char* path, heap_text& bytes);
  // 1 when something (a file, even an unreadable one) exists at `path`.
  int (*exists)(const char* path);
  // Creates a new empty file for writing in the directory of `target`, under a
  // name that no file had (whatever stale files lie there), and puts its path
  // into `temp`: the open file, or null with nothing created.
  void* (*create_temp)(const char* target, heap_text& temp);
  // Writes all `size` bytes: 1, or 0.
  int (*write)(void* file, const char* data, std::size_t size);
  // Forces the written bytes to the disk: 1, or 0.
  int (*flush)(void* file);
  // Closes a file from `create_temp`: 1, or 0.
  int (*close)(void* file);
  // Puts `from` in place of `to` in one step, replacing `to` and keeping what
  // was set on it (hidden and system attributes, access rights); a read-only
  // `to` is refused. 1, or 0 with both files as they were.
  int (*replace)(const char* from, const char* to);
  // Deletes a file: 1, or 0.
  int (*remove)(const char* path);
};

// The operating system's files.
extern const profile_file_ops profile_platform_files;

// 1 when two section names or keys are the same ignoring case (lstrcmpiA on
// Windows, ASCII case folding in the native build), 0 otherwise.
int profile_names_equal(const char* a, const char* b) noexcept;
