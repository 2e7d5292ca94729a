// The simulated host's command line and its screenshot files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bitmap_file.h"
#include "host_options.h"

namespace {

TEST(HostOptions, ScriptLineParses) {
  host_options o;
  std::string error;
  ASSERT_TRUE(parse_host_options({"--open", "all", "--visits", "12", "--seed", "4294967295", "--delay", "0",
                                  "--screenshot", "C:\\shots", "--exit", "--average-mode", "0", "--sets", "2",
                                  "--legs", "1", "--notify", "dart", "--undo-every", "7", "my.dsv"},
                                 o, error))
      << error;
  EXPECT_EQ(o.open, (std::vector<std::string>{"dsv_view", "dsv_socre", "dsv_result"}));
  EXPECT_EQ(o.visits, 12);
  EXPECT_EQ(o.seed, 4294967295u);
  EXPECT_TRUE(o.seed_given);
  EXPECT_EQ(o.delay_ms, 0);
  EXPECT_EQ(o.screenshot_dir, "C:\\shots");
  EXPECT_TRUE(o.exit_at_end);
  EXPECT_EQ(o.average_mode, 0);
  EXPECT_EQ(o.sets_to_win, 2);
  EXPECT_EQ(o.legs_to_win, 1);
  EXPECT_TRUE(o.notify_per_dart);
  EXPECT_EQ(o.undo_every, 7);
  EXPECT_EQ(o.plugin_path, "my.dsv");
  ASSERT_TRUE(parse_host_options({"--notify", "visit"}, o, error)) << error;
  EXPECT_FALSE(o.notify_per_dart);
}

TEST(HostOptions, Defaults) {
  host_options o;
  std::string error;
  ASSERT_TRUE(parse_host_options({}, o, error));
  EXPECT_TRUE(o.plugin_path.empty());
  EXPECT_TRUE(o.open.empty());
  EXPECT_EQ(o.visits, -1);
  EXPECT_EQ(o.average_mode, 1);
  EXPECT_FALSE(o.exit_at_end);
  EXPECT_FALSE(o.seed_given);
  EXPECT_FALSE(o.list);
  EXPECT_FALSE(o.notify_per_dart);
  EXPECT_EQ(o.undo_every, 0);
  ASSERT_TRUE(parse_host_options({"--list", "--help"}, o, error));
  EXPECT_TRUE(o.list);
  EXPECT_TRUE(o.help);
}

TEST(HostOptions, PicturesLocaleAndNames) {
  host_options o;
  std::string error;
  ASSERT_TRUE(parse_host_options({"--screenshot", "s", "--shot-menu", "small,result", "--shot-menu", "large",
                                  "--shot-title-dialog", "--shot-desktop", "--japanese", "--names",
                                  "\x8e\x52\x93\x63 \x91\xbe\x98\x59,B"},
                                 o, error))
      << error;
  EXPECT_EQ(o.shot_menus, (std::vector<std::string>{"dsv_socre", "dsv_result", "dsv_view"}));
  EXPECT_TRUE(o.shot_title_dialog);
  EXPECT_TRUE(o.shot_desktop);
  EXPECT_TRUE(o.japanese);
  EXPECT_EQ(o.names[0], "\x8e\x52\x93\x63 \x91\xbe\x98\x59");
  EXPECT_EQ(o.names[1], "B");
  // A name of exactly the record's 67 bytes fits.
  ASSERT_TRUE(parse_host_options({"--names", std::string(67, 'a') + ",b"}, o, error)) << error;
}

TEST(HostOptions, OpenNamesViewsOrEntries) {
  EXPECT_EQ(host_open_names("large,result"), (std::vector<std::string>{"dsv_view", "dsv_result"}));
  EXPECT_EQ(host_open_names("small"), (std::vector<std::string>{"dsv_socre"}));
  EXPECT_EQ(host_open_names("other_entry,,"), (std::vector<std::string>{"other_entry"}));
  EXPECT_TRUE(host_open_names(",").empty());
}

TEST(HostOptions, QueriesAnsweredWithoutThePlugin) {
  host_options o;
  std::string error;
  ASSERT_TRUE(parse_host_options({"--checkout", "-5", "--checkout-table", "--check-settings", "a b.ini"}, o, error))
      << error;
  EXPECT_EQ(o.check_settings, "a b.ini");
  EXPECT_TRUE(o.checkout_given);
  EXPECT_EQ(o.checkout_score, -5);
  EXPECT_TRUE(o.checkout_table);
  EXPECT_EQ(host_checkout_line(170), "T20 T20 BULL");
  EXPECT_EQ(host_checkout_line(169), "none");
  EXPECT_EQ(host_checkout_line(-5), "none");
  const std::string table = host_checkout_table();
  EXPECT_EQ(table.find("2: D1\n3: 1 D1\n"), 0u);
  EXPECT_NE(table.find("\n169: none\n170: T20 T20 BULL\n"), std::string::npos);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 169);
}

TEST(HostOptions, BadLinesAreRefusedWithAReason) {
  struct row {
    std::vector<std::string> args;
    const char* reason_part;
  };
  const row rows[] = {
      {{"--bogus"}, "unknown option --bogus"},
      {{"--visits"}, "needs a value"},
      {{"--visits", "ten"}, "not a whole number"},
      {{"--visits", "-1"}, "not a whole number"},
      {{"--visits", "12x"}, "not a whole number"},
      {{"--seed", "4294967296"}, "not a whole number"},
      {{"--delay", "99999999999999999999"}, "not a whole number"},
      {{"--sets", "0"}, "from 1 to 9"},
      {{"--average-mode", ""}, "not a whole number"},
      {{"--open", ","}, "needs a view"},
      {{"a.dsv", "b.dsv"}, "more than one plug-in path"},
      {{"--names", "Anna"}, "two names"},
      {{"--names", "A,B,C"}, "two names"},
      {{"--names", ",B"}, "two names"},
      {{"--names", "A,"}, "two names"},
      {{"--names", std::string(68, 'a') + ",b"}, "more than 67 bytes"},
      {{"--shot-menu", ","}, "needs a view"},
      {{"--checkout"}, "needs a value"},
      {{"--notify"}, "needs a value"},
      {{"--notify", "throw"}, "neither dart nor visit"},
      {{"--notify", "Dart"}, "neither dart nor visit"},
      {{"--undo-every", "0"}, "from 1 to 1000000"},
      {{"--checkout", "T20"}, "not a whole number"},
      {{"--check-settings"}, "needs a value"},
      {{"--check-settings", ""}, "needs a settings file"},
      {{"--shot-desktop"}, "need --screenshot"},
      {{"--open", "all", "--shot-title-dialog", "--exit"}, "need --screenshot"},
  };
  for (const row& r : rows) {
    host_options o;
    std::string error;
    EXPECT_FALSE(parse_host_options(r.args, o, error)) << r.args[0];
    EXPECT_NE(error.find(r.reason_part), std::string::npos) << error;
  }
}

TEST(BitmapFile, HeaderAndPaddedBottomUpRows) {
  // 3 x 2 pixels: rows of 9 bytes padded to 12.
  const std::vector<uint32_t> pixels = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00102030, 0x00405060, 0x00708090};
  const std::vector<unsigned char> b = bmp_file_bytes(3, 2, pixels);
  ASSERT_EQ(b.size(), 54u + 2 * 12);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(b[2], 54 + 24);
  EXPECT_EQ(b[10], 54);
  EXPECT_EQ(b[18], 3);
  EXPECT_EQ(b[22], 2);
  EXPECT_EQ(b[28], 24);
  // The bottom row (second given) comes first, blue green red.
  EXPECT_EQ(b[54], 0x30);
  EXPECT_EQ(b[55], 0x20);
  EXPECT_EQ(b[56], 0x10);
  EXPECT_EQ(b[54 + 9], 0);  // padding
  // The top row: red first pixel.
  EXPECT_EQ(b[66], 0x00);
  EXPECT_EQ(b[67], 0x00);
  EXPECT_EQ(b[68], 0xFF);
}

TEST(BitmapFile, NothingForAnEmptyOrShortPicture) {
  EXPECT_TRUE(bmp_file_bytes(0, 5, {}).empty());
  EXPECT_TRUE(bmp_file_bytes(2, 2, {1, 2, 3}).empty());
}

}  // namespace
