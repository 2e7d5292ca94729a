// ctest-env: LC_ALL=ja_JP.UTF-8
// The enumeration under a Japanese thread locale: code page 932 captions, byte
// for byte, decided afresh on every call.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "draw/view_frame.h"
#include "test_host.h"

namespace {

// 大きいスコアを表示(&V)
const char* const large_ja = "\x91\xe5\x82\xab\x82\xa2\x83\x58\x83\x52\x83\x41\x82\xf0\x95\x5c\x8e\xa6" "(&V)";
// 小さいスコアを表示(&S)
const char* const small_ja = "\x8f\xac\x82\xb3\x82\xa2\x83\x58\x83\x52\x83\x41\x82\xf0\x95\x5c\x8e\xa6" "(&S)";
// 結果を表示(&R)
const char* const result_ja = "\x8c\x8b\x89\xca\x82\xf0\x95\x5c\x8e\xa6" "(&R)";

std::string caption(plugin_dll& dll, uint32_t index) {
  std::vector<char> info(1024, 0x55);
  EXPECT_EQ(dll.get_plugin_info(0, index, info.data()), 1);
  EXPECT_EQ(info[516], 0);
  EXPECT_EQ(static_cast<unsigned char>(info[0]), 0x55);
  return std::string(info.data() + 4);
}

std::string entry_name(plugin_dll& dll, uint32_t index) {
  std::vector<char> info(1024, 0);
  dll.get_plugin_info(0, index, info.data());
  return std::string(info.data() + 260);
}

TEST(EnumerationJapanese, CaptionsAreCodePage932Bytes) {
  plugin_dll dll;
  const LCID original = GetThreadLocale();
  ASSERT_TRUE(SetThreadLocale(0x411));
  EXPECT_EQ(caption(dll, 0), large_ja);
  EXPECT_EQ(caption(dll, 1), small_ja);
  EXPECT_EQ(caption(dll, 2), result_ja);
  // The entry names stay the export names.
  EXPECT_EQ(entry_name(dll, 0), "dsv_view");
  EXPECT_EQ(entry_name(dll, 1), "dsv_socre");
  EXPECT_EQ(entry_name(dll, 2), "dsv_result");
  std::vector<char> info(1024, 0x55);
  const std::vector<char> before = info;
  EXPECT_EQ(dll.get_plugin_info(0, 3, info.data()), 0);
  EXPECT_EQ(info, before);
  SetThreadLocale(original);
}

// The locale is read on every call, not once at load.
TEST(EnumerationJapanese, LocaleIsTestedOnEveryCall) {
  plugin_dll dll;
  const LCID original = GetThreadLocale();
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(SetThreadLocale(0x411));
    EXPECT_EQ(caption(dll, 2), result_ja);
    ASSERT_TRUE(SetThreadLocale(0x409));
    EXPECT_EQ(caption(dll, 2), "&Result View");
  }
  SetThreadLocale(original);
}

// Japanese is the primary language 0x11 in the low 10 bits, whatever the
// sublanguage and sort bits say.
TEST(EnumerationJapanese, PrimaryLanguageDecides) {
  struct row {
    uint32_t lcid;
    bool japanese;
  };
  const row rows[] = {{0x0411, true},  {0x0811, true},   {0x10411, true}, {0xFC11, true},
                      {0x0409, false}, {0x0412, false},  {0x0404, false}, {0x0011, true},
                      {0x0111, false}, {0x0000, false}};
  for (const row& r : rows) EXPECT_EQ(locale_is_japanese(r.lcid), r.japanese) << std::hex << r.lcid;
}

}  // namespace
