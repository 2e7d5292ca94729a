// The simulated host run as scripts run it: a headless match with the real DLL,
// screenshots, and a clear message with a non-zero exit for bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "board_test_skin.h"
#include "test_host.h"

namespace {

struct run_result {
  DWORD exit_code = 9999;
  std::string out;
  std::string err;
};

std::string read_pipe(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD n = 0;
  while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &n, nullptr) && n > 0 &&
         ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) {
    text.append(buffer, n);
  }
  return text;
}

// Copies the host and the DLL into a fresh directory and runs the host there.
class HostProgram : public ::testing::Test {
 protected:
  std::string dir = make_temp_dir();

  void SetUp() override {
    for (const char* name : {"dsv_host.exe", "dsv_view.dsv"}) {
      ASSERT_TRUE(CopyFileA((test_bin_dir() + name).c_str(), (dir + name).c_str(), FALSE)) << name;
    }
  }

  run_result run(const std::string& args) {
    run_result result;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE out_read = nullptr, out_write = nullptr, err_read = nullptr, err_write = nullptr;
    CreatePipe(&out_read, &out_write, &sa, 1 << 16);
    CreatePipe(&err_read, &err_write, &sa, 1 << 16);
    SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out_write;
    si.hStdError = err_write;
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + dir + "dsv_host.exe\" " + args;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, dir.c_str(), &si, &pi)) {
      if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 9998);
      GetExitCodeProcess(pi.hProcess, &result.exit_code);
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
    CloseHandle(out_write);
    CloseHandle(err_write);
    result.out = read_pipe(out_read);
    result.err = read_pipe(err_read);
    CloseHandle(out_read);
    CloseHandle(err_read);
    return result;
  }
};

TEST_F(HostProgram, PlaysAHeadlessMatchWithAllViewsOpen) {
  const run_result r = run("--open all --visits 12 --delay 0 --seed 3 --exit");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("played 12 visits"), std::string::npos) << r.out;
}

// Dart by dart, with visits taken back: the views follow, and the host says at
// the end what the board shows.
TEST_F(HostProgram, PlaysDartByDartAndTakesVisitsBack) {
  const run_result r = run("--open large,small --notify dart --undo-every 4 --visits 12 --delay 0 --seed 3 --exit");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("played 10 visits\n"), std::string::npos) << "two of twelve taken back: " << r.out;
  EXPECT_NE(r.out.find("Board: "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("; last visits "), std::string::npos) << r.out;
}

TEST_F(HostProgram, WritesOneScreenshotPerOpenView) {
  const std::string shots = dir + "shots";
  const run_result r = run("--open large,result --visits 3 --delay 0 --seed 9 --screenshot \"" + shots + "\" --exit");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  for (const char* name : {"dsv_view_wnd.bmp", "dsv_result_wnd.bmp"}) {
    const std::string bytes = read_file(shots + "\\" + name);
    ASSERT_GT(bytes.size(), 54u) << name;
    EXPECT_EQ(bytes.substr(0, 2), "BM") << name;
  }
  EXPECT_EQ(GetFileAttributesA((shots + "\\dsv_score_wnd.bmp").c_str()), INVALID_FILE_ATTRIBUTES)
      << "the small view was not opened";
}

// Width and height of a .bmp file's picture; 0 x 0 when it is no BMP.
SIZE bmp_size(const std::string& bytes) {
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return {0, 0};
  int32_t w = 0;
  int32_t h = 0;
  std::memcpy(&w, bytes.data() + 18, 4);
  std::memcpy(&h, bytes.data() + 22, 4);
  return {w, h < 0 ? -h : h};
}

TEST_F(HostProgram, PicturesMenusOverTheirViewsAndTheTitleDialog) {
  const std::string shots = dir + "shots";
  const run_result r = run("--open small,result --visits 2 --delay 0 --seed 4 --screenshot \"" + shots +
                           "\" --shot-menu small,result --shot-title-dialog --exit");
  ASSERT_EQ(r.exit_code, 0u) << r.err;
  EXPECT_EQ(r.err, "");
  for (const char* view : {"dsv_score_wnd", "dsv_result_wnd"}) {
    const std::string plain = read_file(shots + "\\" + view + ".bmp");
    const std::string menu = read_file(shots + "\\" + view + "_menu.bmp");
    const SIZE plain_size = bmp_size(plain);
    const SIZE menu_size = bmp_size(menu);
    ASSERT_GT(plain_size.cx, 0) << view;
    // The menu opens in the middle of the view: the picture holds the whole
    // view, and the menu over it changes what the view alone shows.
    EXPECT_GE(menu_size.cx, plain_size.cx) << view;
    EXPECT_GE(menu_size.cy, plain_size.cy) << view;
    EXPECT_NE(menu, plain) << view;
    EXPECT_NE(r.out.find(std::string(view) + "_menu.bmp"), std::string::npos) << r.out;
  }
  const SIZE dialog = bmp_size(read_file(shots + "\\title_dialog.bmp"));
  EXPECT_GT(dialog.cx, 200);
  EXPECT_GT(dialog.cy, 60);
  // The dialog was cancelled: the title the plug-in saves is still empty.
  const std::string ini = read_file(dir + "dsv_view.ini");
  EXPECT_NE(ini.find("[score_window]\r\ntitle=\r\n"), std::string::npos) << ini.substr(0, 200);
}

TEST_F(HostProgram, JapaneseLocaleReachesThePlugin) {
  const run_result r = run("--japanese --list");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  // 結果を表示(&R)
  EXPECT_NE(r.out.find("2\tdsv_result\t678\t\x8c\x8b\x89\xca\x82\xf0\x95\x5c\x8e\xa6" "(&R)\n"), std::string::npos)
      << r.out;
  if (GetACP() != 932) {
    EXPECT_NE(r.err.find("not 932"), std::string::npos) << r.err;
  }
}

TEST_F(HostProgram, ListsThePluginsViews) {
  const run_result r = run("--list");
  EXPECT_EQ(r.exit_code, 0u) << r.err;
  EXPECT_EQ(r.out,
            "0\tdsv_view\t646\tScore View (&Large)\n"
            "1\tdsv_socre\t646\tScore View (&Small)\n"
            "2\tdsv_result\t678\t&Result View\n");
}

TEST_F(HostProgram, HelpExitsCleanly) {
  const run_result r = run("--help");
  EXPECT_EQ(r.exit_code, 0u);
  EXPECT_NE(r.out.find("usage: dsv_host"), std::string::npos) << r.out;
}

TEST_F(HostProgram, CheckoutRoutesNeedNoPlugin) {
  ASSERT_TRUE(DeleteFileA((dir + "dsv_view.dsv").c_str()));
  const struct {
    const char* args;
    const char* out;
  } rows[] = {{"--checkout 170", "T20 T20 BULL\n"}, {"--checkout 169", "none\n"}, {"--checkout -1", "none\n"}};
  for (const auto& row : rows) {
    const run_result r = run(row.args);
    EXPECT_EQ(r.exit_code, 0u) << row.args << "\n" << r.err;
    EXPECT_EQ(r.out, row.out) << row.args;
  }
  const run_result table = run("--checkout-table");
  EXPECT_EQ(table.exit_code, 0u) << table.err;
  EXPECT_EQ(table.out.find("2: D1\n3: 1 D1\n"), 0u) << table.out.substr(0, 40);
  EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n'), 169);
}

TEST_F(HostProgram, ChecksSettingsWithSkinNamesBesideTheFile) {
  // The plug-in's own first save passes.
  ASSERT_EQ(run("--visits 0 --exit").exit_code, 0u);
  const run_result first = run("--check-settings dsv_view.ini");
  EXPECT_EQ(first.exit_code, 0u) << first.out << first.err;
  EXPECT_EQ(first.out, "");
  // Relative skin names are found beside the settings file, not in the current
  // directory (the host runs in `dir`).
  ASSERT_TRUE(CreateDirectoryA((dir + "conf").c_str(), nullptr));
  board_skin::write_skin_dir(dir + "conf\\");
  write_file(dir + "conf\\dsv_view.ini",
             "[view_window]\r\ncolour_line_color=\"0x000000\"\r\nbmp_back=\"skin\\back.bmp\"\r\n"
             "bmp_num_l=\"skin\\num_l.bmp\"\r\nbmp_num_s=\"num_s.bmp\"\r\n");
  const run_result r = run("--check-settings conf\\dsv_view.ini");
  EXPECT_EQ(r.exit_code, 1u) << r.err;
  EXPECT_EQ(r.out,
            "[view_window] colour_line_color: no view reads this key; did you mean color_line_color\n"
            "[view_window] bmp_num_s: " + dir + "conf\\num_s.bmp is missing; no sets or legs are drawn\n");
  const run_result missing = run("--check-settings nothing.ini");
  EXPECT_EQ(missing.exit_code, 2u);
  EXPECT_NE(missing.err.find("nothing.ini not found"), std::string::npos) << missing.err;
}

TEST_F(HostProgram, BadInputGetsAMessageAndANonZeroExit) {
  write_file(dir + "notes.dsv", "not a library at all");
  char system_dir[MAX_PATH] = {};
  GetSystemDirectoryA(system_dir, MAX_PATH);
  struct row {
    std::string args;
    DWORD exit_code;
    const char* message_part;
  };
  const row rows[] = {
      {"--bogus --exit", 2, "unknown option --bogus"},
      {"--visits many --exit", 2, "not a whole number"},
      {"missing.dsv --exit", 3, "plug-in not found"},
      {"notes.dsv --exit", 3, "cannot load"},
      {"\"" + std::string(system_dir) + "\\version.dll\" --exit", 3, "no get_plugin_info"},
      {"--open nosuchview --exit", 2, "has no view nosuchview"},
      {"--shot-menu small --exit", 2, "need --screenshot"},
      {"--screenshot shots --shot-menu small --visits 0 --exit", 4, "view dsv_socre is not open"},
  };
  for (const row& c : rows) {
    const run_result r = run(c.args);
    EXPECT_EQ(r.exit_code, c.exit_code) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message_part), std::string::npos) << c.args << "\n" << r.err;
  }
}

}  // namespace
