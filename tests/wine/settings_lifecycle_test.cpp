// The settings file through the real library, loaded and freed from a
// directory of its own: what the first unload writes, what any number of
// cycles keep, and the files it must leave alone.
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <string>

#include "../native/settings_default_text.h"
#include "plugin/host_protocol.h"
#include "test_host.h"

namespace {

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What a save leaves beside the library: the settings file and nothing else.
const char only_dll_and_ini[] = "dsv_view.dsv\ndsv_view.ini\n";

std::string default_text() {
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return default_settings_text(area.right, area.bottom);
}

// The access rights set on a file, as text.
std::string rights_of(const std::string& path) {
  alignas(8) char buffer[4096];
  DWORD needed = 0;
  if (!GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, buffer, sizeof buffer, &needed)) return "<none>";
  char* text = nullptr;
  if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(buffer, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                            &text, nullptr)) {
    return "<none>";
  }
  std::string out = text;
  LocalFree(text);
  return out;
}

// Leaves the file's owner alone with any rights on it.
void keep_to_owner(const std::string& path) {
  alignas(8) char buffer[4096];
  DWORD needed = 0;
  PSID owner = nullptr;
  BOOL defaulted = FALSE;
  char* sid = nullptr;
  ASSERT_NE(GetFileSecurityA(path.c_str(), OWNER_SECURITY_INFORMATION, buffer, sizeof buffer, &needed), 0);
  ASSERT_NE(GetSecurityDescriptorOwner(buffer, &owner, &defaulted), 0);
  ASSERT_NE(ConvertSidToStringSidA(owner, &sid), 0);
  const std::string sddl = std::string("D:P(A;;FA;;;") + sid + ")";
  LocalFree(sid);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_NE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr), 0);
  EXPECT_NE(SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor), 0);
  LocalFree(descriptor);
}

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
  EXPECT_EQ(read_file(dll.ini_path()), default_text());
  EXPECT_EQ(dir_listing(dll.dir), only_dll_and_ini);
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
    EXPECT_EQ(dir_listing(dll.dir), only_dll_and_ini);
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
    EXPECT_EQ(dir_listing(dll.dir), only_dll_and_ini);
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
  EXPECT_EQ(dir_listing(too_long.dir), only_dll_and_ini);
}

TEST(SettingsLifecycle, AFileHeldAtStartUpKeepsTheUserValues) {
  plugin_dll dll(
      "# mine\r\n[score_window]\r\ntitle=\"Club Night\"\r\nleft=40\r\ntop=50\r\nright=600\r\n"
      "color_name_back=\"0x112233\"\r\n[reslut_window]\r\nreslut_full_screen=1\r\n");
  dll.unload();
  const std::string user = read_file(dll.ini_path());
  const std::string place = "title=\"Club Night\"\r\nleft=40\r\ntop=50\r\n";
  ASSERT_NE(user.find(place), std::string::npos) << user;
  // A scanner holds the file without sharing while the library loads; the
  // settings are the defaults then.
  auto load_while_held = [&] {
    HANDLE held = CreateFileA(dll.ini_path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    dll.reload();
    CloseHandle(held);
  };
  load_while_held();
  dll.unload();
  EXPECT_EQ(read_file(dll.ini_path()), user) << "nothing changed, nothing written";
  // The small view moved: its place is written, every other value stays the user's.
  load_while_held();
  {
    fake_match match;
    fake_host host(match);
    ASSERT_EQ(dll.dsv_socre(host.window, host_event::open, host.block(), 0), 1);
    HWND view = find_thread_window("dsv_score_wnd");
    ASSERT_NE(view, nullptr);
    SetWindowPos(view, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(view, WM_EXITSIZEMOVE, 0, 0);
    dll.dsv_socre(host.window, host_event::close, host.block(), 0);
  }
  dll.unload();
  std::string expected = user;
  expected.replace(expected.find(place), place.size(), "title=\"Club Night\"\r\nleft=300\r\ntop=200\r\n");
  EXPECT_EQ(read_file(dll.ini_path()), expected);
  EXPECT_EQ(dir_listing(dll.dir), only_dll_and_ini);
}

TEST(SettingsLifecycle, AStaleTemporaryFileDoesNotStopTheSave) {
  for (int kind = 0; kind < 3; ++kind) {
    SCOPED_TRACE(kind);
    plugin_dll dll;
    const std::string stale = dll.ini_path() + ".tmp";
    HANDLE held = INVALID_HANDLE_VALUE;
    if (kind == 0) {
      ASSERT_NE(CreateDirectoryA(stale.c_str(), nullptr), 0);
    } else {
      write_file(stale, "stale");
      if (kind == 1) SetFileAttributesA(stale.c_str(), FILE_ATTRIBUTE_READONLY);
      if (kind == 2) held = CreateFileA(stale.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    dll.unload();
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    EXPECT_EQ(read_file(dll.ini_path()), default_text());
    EXPECT_EQ(dir_listing(dll.dir), "dsv_view.dsv\ndsv_view.ini\ndsv_view.ini.tmp\n");
    SetFileAttributesA(stale.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST(SettingsLifecycle, TheReplacedFileKeepsItsAttributesAndRights) {
  plugin_dll dll("[score_window]\r\nright=5\r\n");
  const std::string ini = dll.ini_path();
  ASSERT_NE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0);
  const std::string usual = rights_of(ini);
  keep_to_owner(ini);
  const std::string rights = rights_of(ini);
  ASSERT_NE(rights, usual);
  dll.unload();
  EXPECT_EQ(read_file(ini).find("[score_window]\r\nright=460\r\n"), 0u) << "saved";
  const DWORD attributes = GetFileAttributesA(ini.c_str());
  EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
  EXPECT_EQ(rights_of(ini), rights);
  EXPECT_EQ(dir_listing(dll.dir), only_dll_and_ini);
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SettingsLifecycle, AByteOrderMarkIsReadAndWrittenBack) {
  plugin_dll dll("\xEF\xBB\xBF[score_window]\r\ntitle=\"Club\"\r\nright=5\r\n");
  dll.unload();
  const std::string saved = read_file(dll.ini_path());
  EXPECT_EQ(saved.find("\xEF\xBB\xBF[score_window]\r\ntitle=\"Club\"\r\nright=460\r\nleft=0\r\n"), 0u) << saved;
  EXPECT_EQ(saved.find("[score_window]", 4), std::string::npos) << "one section, read as a header";
  // A second cycle keeps it byte for byte.
  dll.reload();
  dll.unload();
  EXPECT_EQ(read_file(dll.ini_path()), saved);
}

}  // namespace
