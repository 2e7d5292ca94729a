// The plug-in's exports as the host sees them: names, results, shared functions,
// and the enumeration in English.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "test_host.h"

namespace {

TEST(Exports, EveryExportByNameAndItsResult) {
  plugin_dll dll;
  struct row {
    const char* name;
    int result;
  };
  const row small_exports[] = {
      {"dsv_view_initialize", 646},  {"dsv_socre_initialize", 646}, {"dsv_result_initialize", 678},
      {"dsv_view_property", 0},      {"dsv_socre_property", 0},     {"dsv_result_property", 0},
  };
  for (const row& r : small_exports) {
    // The property exports have the initialize exports' signature.
    auto fn = reinterpret_cast<plugin_initialize_fn>(reinterpret_cast<void*>(dll.proc(r.name)));
    ASSERT_NE(fn, nullptr) << r.name;
    EXPECT_EQ(fn(7, 9), r.result) << r.name;
    EXPECT_EQ(fn(0, 0), r.result) << r.name;
  }
  ASSERT_NE(dll.get_plugin_info, nullptr);
  // The view entry points return 1 for any code, also with no window to act on.
  fake_match match;
  fake_host host(match);
  for (auto entry : {dll.dsv_view, dll.dsv_socre, dll.dsv_result}) {
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry(host.window, 128, host.block(), 0), 1);
    EXPECT_EQ(entry(host.window, 0x40, host.block(), 0xFFFFFFFFu), 1);
  }
  // Names that differ only slightly do not resolve.
  for (const char* name : {"dsv_score", "DSV_VIEW", "dsv_view_init", "dsv_result_properties"}) {
    EXPECT_EQ(dll.proc(name), nullptr) << name;
  }
}

TEST(Exports, CompanionsShareOneFunction) {
  plugin_dll dll;
  EXPECT_EQ(dll.proc("dsv_socre_initialize"), dll.proc("dsv_view_initialize"));
  EXPECT_NE(dll.proc("dsv_result_initialize"), dll.proc("dsv_view_initialize"));
  EXPECT_EQ(dll.proc("dsv_socre_property"), dll.proc("dsv_view_property"));
  EXPECT_EQ(dll.proc("dsv_result_property"), dll.proc("dsv_view_property"));
}

// Every locale but Japanese gets the English captions, byte for byte.
TEST(Exports, EnumerationInEnglishForEveryOtherLocale) {
  plugin_dll dll;
  const char* captions[] = {"Score View (&Large)", "Score View (&Small)", "&Result View"};
  const char* entries[] = {"dsv_view", "dsv_socre", "dsv_result"};
  const LCID original = GetThreadLocale();
  for (LCID locale : {0x409u, 0x809u, 0x407u, 0x804u, 0x412u}) {
    ASSERT_TRUE(SetThreadLocale(locale)) << std::hex << locale;
    for (uint32_t i = 0; i < 3; ++i) {
      std::vector<char> info(1024, 0x55);
      ASSERT_EQ(dll.get_plugin_info(0, i, info.data()), 1);
      EXPECT_EQ(std::string(info.data() + 4), captions[i]) << std::hex << locale;
      EXPECT_EQ(std::string(info.data() + 260), entries[i]);
      EXPECT_EQ(info[516], 0) << "extra_text is always empty";
      // Bytes outside the three texts are the host's.
      EXPECT_EQ(static_cast<unsigned char>(info[0]), 0x55);
      EXPECT_EQ(static_cast<unsigned char>(info[3]), 0x55);
      EXPECT_EQ(static_cast<unsigned char>(info[517]), 0x55);
      EXPECT_EQ(static_cast<unsigned char>(info[4 + std::strlen(captions[i]) + 1]), 0x55);
    }
  }
  SetThreadLocale(original);
}

TEST(Exports, IndexesPastTheLastViewAreRefusedAndWriteNothing) {
  plugin_dll dll;
  for (uint32_t index : {3u, 4u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
    std::vector<char> info(1024, 0x55);
    const std::vector<char> before = info;
    EXPECT_EQ(dll.get_plugin_info(0, index, info.data()), 0) << index;
    EXPECT_EQ(info, before) << index;
  }
}

}  // namespace
