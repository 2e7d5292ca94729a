// The settings file through the real library, loaded and freed from a
// directory of its own: what the first unload writes, what any number of
// cycles keep, and the files it must leave alone.
#include <gtest/gtest.h>

#include <string>

#include "../native/settings_default_text.h"
#include "test_host.h"

namespace {

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The library copied into a new directory whose path is `length` bytes long,
// with `ini` as its settings file when given; loaded.
plugin_dll dll_in_directory_of_length(std::size_t length, const char* ini) {
  std::string dir = make_temp_dir();
  dir += std::string(length - dir.size(), 'd');
  EXPECT_NE(CreateDirectoryA(dir.c_str(), nullptr), 0) << dir;
  const std::string dll = dir + "\\dsv_view.dsv";
  EXPECT_NE(CopyFileA((test_bin_dir() + "dsv_view.dsv").c_str(), dll.c_str(), FALSE), 0);
  if (ini != nullptr) write_file(dir + "\\dsv_view.ini", ini);
  return plugin_dll::at_path(dll);
}

TEST(SettingsLifecycle, NoFileGivesEveryDefaultAndTheWorkArea) {
  plugin_dll dll;
  ASSERT_FALSE(exists(dll.ini_path()));
  dll.unload();
  RECT area;
  ASSERT_NE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0), 0);
  EXPECT_EQ(read_file(dll.ini_path()), default_settings_text(area.right, area.bottom));
  EXPECT_FALSE(exists(dll.ini_path() + ".tmp"));
}

TEST(SettingsLifecycle, CommentsAndForeignKeysSurviveInPlace) {
  plugin_dll dll(
      "# my darts settings\r\n[score_window]\r\n# set for the club night\r\nTitle=\"Club Night\"\r\n"
      "my_tool_key=42\r\nright=5\r\n# end\r\n[my_tool]\r\nx=1\r\n");
  dll.unload();
  const std::string first = read_file(dll.ini_path());
  EXPECT_EQ(first.find("# my darts settings\r\n\r\n[score_window]\r\n# set for the club night\r\n"
                       "Title=\"Club Night\"\r\nmy_tool_key=42\r\nright=460\r\n# end\r\nleft=0\r\n"),
            0u)
      << first;
  EXPECT_NE(first.find("\r\n\r\n[my_tool]\r\nx=1\r\n\r\n[view_window]\r\n"), std::string::npos) << first;
  for (int cycle = 2; cycle <= 3; ++cycle) {
    dll.reload();
    dll.unload();
    EXPECT_EQ(read_file(dll.ini_path()), first) << "cycle " << cycle;
  }
}

TEST(SettingsLifecycle, ReadOnlyOrLockedFileIsLeftAlone) {
  const char ini[] = "[view_window]\r\nright=5\r\n";
  {
    plugin_dll dll(ini);
    ASSERT_NE(SetFileAttributesA(dll.ini_path().c_str(), FILE_ATTRIBUTE_READONLY), 0);
    dll.unload();
    EXPECT_EQ(read_file(dll.ini_path()), ini);
    EXPECT_FALSE(exists(dll.ini_path() + ".tmp"));
    SetFileAttributesA(dll.ini_path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  {
    // Held open without sharing by another program while the library unloads.
    plugin_dll dll(ini);
    HANDLE held = CreateFileA(dll.ini_path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    dll.unload();
    CloseHandle(held);
    EXPECT_EQ(read_file(dll.ini_path()), ini);
    EXPECT_FALSE(exists(dll.ini_path() + ".tmp"));
  }
}

TEST(SettingsLifecycle, DirectoryTooLongForThePathMeansNoSettingsFile) {
  // A 242-byte directory makes a 255-byte settings path: the longest that fits.
  plugin_dll fits = dll_in_directory_of_length(242, "[view_window]\r\nright=5\r\n");
  const std::string fits_ini = fits.ini_path();
  fits.unload();
  EXPECT_EQ(read_file(fits_ini).find("[view_window]\r\nright=100\r\n"), 0u);
  // One byte more: the file there is neither read nor replaced.
  plugin_dll too_long = dll_in_directory_of_length(243, "[view_window]\r\nright=5\r\n");
  const std::string too_long_ini = too_long.ini_path();
  too_long.unload();
  EXPECT_EQ(read_file(too_long_ini), "[view_window]\r\nright=5\r\n");
  EXPECT_FALSE(exists(too_long_ini + ".tmp"));
}

}  // namespace
