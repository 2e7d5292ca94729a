// ctest-env: LC_ALL=ja_JP.UTF-8
// Under code page 932 the library's path may hold 表 (bytes 95 5C), whose
// trail byte is a backslash: the settings file is still found beside the library.
#include <gtest/gtest.h>

#include <string>

#include "test_host.h"

namespace {

// Loads and frees the library copied as `dll_name` into `dir` (created), with a
// settings file asking for a width of 5; returns the settings file afterwards.
std::string cycle_in(const std::string& dir, const std::string& dll_name) {
  EXPECT_NE(CreateDirectoryA(dir.c_str(), nullptr), 0) << dir;
  const std::string dll = dir + "\\" + dll_name;
  EXPECT_NE(CopyFileA((test_bin_dir() + "dsv_view.dsv").c_str(), dll.c_str(), FALSE), 0);
  write_file(dir + "\\dsv_view.ini", "[view_window]\r\nright=5\r\n");
  plugin_dll::at_path(dll).unload();
  return read_file(dir + "\\dsv_view.ini");
}

TEST(SettingsCodePage932, PathWithTrailByte5C) {
  ASSERT_EQ(GetACP(), 932u);
  // 表 ending a directory name, then 表 as the library's own name: read (5
  // becomes 100) and written back beside the library.
  // 表
  const std::string in_directory = cycle_in(make_temp_dir() + "\x95\x5c", "dsv_view.dsv");
  EXPECT_EQ(in_directory.find("[view_window]\r\nright=100\r\n"), 0u) << in_directory;
  EXPECT_NE(in_directory.find("[reslut_window]\r\n"), std::string::npos);
  // 表表.dsv
  const std::string in_name = cycle_in(make_temp_dir() + "x", "\x95\x5c\x95\x5c.dsv");
  EXPECT_EQ(in_name.find("[view_window]\r\nright=100\r\n"), 0u) << in_name;
}

}  // namespace
