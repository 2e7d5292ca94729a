// Where the settings file is looked for: beside the library, the directory cut
// without splitting a double-byte character, and never past the buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/settings_path.h"

namespace {

bool cp932_lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

TEST(SettingsPath, BesideTheLibrary) {
  struct row {
    const char* module;
    lead_byte_test lead;
    const char* path;
  } rows[] = {
      {"C:\\Darts\\plugins\\dsv_view.dsv", cp932_lead, "C:\\Darts\\plugins\\dsv_view.ini"},
      {"C:/Darts/dsv_view.dsv", cp932_lead, "C:/Darts\\dsv_view.ini"},
      {"dsv_view.dsv", cp932_lead, "\\dsv_view.ini"},
      {"\\dsv_view.dsv", cp932_lead, "\\dsv_view.ini"},
      {"", cp932_lead, "\\dsv_view.ini"},
      // 表 (95 5C) in a directory name and at the end of a file name
      {"C:\\\x95\x5c\\dsv_view.dsv", cp932_lead, "C:\\\x95\x5c\\dsv_view.ini"},
      {"C:\\d\\x\x95\x5c", cp932_lead, "C:\\d\\dsv_view.ini"},
      {"C:\\d\\x\x95\x5c", nullptr, "C:\\d\\x\x95\\dsv_view.ini"},  // single-byte code page
      {"C:\\d\\x\x95", cp932_lead, "C:\\d\\dsv_view.ini"},          // lead byte without trail
  };
  for (const row& r : rows) {
    char path[settings_path_size];
    EXPECT_EQ(settings_path_build(path, r.module, r.lead), 1) << r.module;
    EXPECT_STREQ(path, r.path) << r.module;
  }
}

TEST(SettingsPath, TooLongDirectoryGivesNoPath) {
  // 242 bytes of directory make 255 with "\dsv_view.ini": the longest that fits.
  for (std::size_t length : {242u, 243u, 300u}) {
    std::string module = "C:" + std::string(length - 2, 'd') + "\\dsv_view.dsv";
    char path[settings_path_size + 8];
    std::memset(path, '@', sizeof path);
    const int fits = settings_path_build(path, module.c_str(), cp932_lead);
    EXPECT_EQ(fits, length <= 242 ? 1 : 0) << length;
    EXPECT_EQ(std::strlen(path), length <= 242 ? 255u : 0u) << length;
    EXPECT_EQ(path[settings_path_size], '@');
  }
}

TEST(SettingsPath, CutInPlace) {
  char name[] = "C:\\a\\\x95\x5c\\b.dsv";
  module_directory_cut(name, cp932_lead);
  EXPECT_STREQ(name, "C:\\a\\\x95\x5c");
}

}  // namespace
