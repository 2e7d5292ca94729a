// The plug-in's exports as the host sees them: names, results, enumeration,
// and the event dispatch of the three views.
#include <gtest/gtest.h>

#include <cstring>

#include "test_host.h"

namespace {

TEST(Exports, SmallExportsReturnTheirMasks) {
  plugin_dll dll;
  using small_fn = plugin_dll::small_fn;
  EXPECT_EQ(reinterpret_cast<small_fn>((void*)dll.proc("dsv_view_initialize"))(0, 0), 646);
  EXPECT_EQ(reinterpret_cast<small_fn>((void*)dll.proc("dsv_socre_initialize"))(0, 0), 646);
  EXPECT_EQ(reinterpret_cast<small_fn>((void*)dll.proc("dsv_result_initialize"))(0, 0), 678);
  for (const char* name : {"dsv_view_property", "dsv_socre_property", "dsv_result_property"}) {
    EXPECT_EQ(reinterpret_cast<small_fn>((void*)dll.proc(name))(7, 9), 0) << name;
  }
}

TEST(Exports, EnumerationInEnglish) {
  plugin_dll dll;
  SetThreadLocale(0x409);
  char info[1024];
  const char* captions[] = {"Score View (&Large)", "Score View (&Small)", "&Result View"};
  const char* entries[] = {"dsv_view", "dsv_socre", "dsv_result"};
  for (uint32_t i = 0; i < 3; ++i) {
    std::memset(info, 0x55, sizeof info);
    ASSERT_EQ(dll.get_plugin_info(0, i, info), 1);
    EXPECT_STREQ(info + 4, captions[i]);
    EXPECT_STREQ(info + 260, entries[i]);
    EXPECT_EQ(info[516], 0);
    EXPECT_EQ(static_cast<unsigned char>(info[0]), 0x55);
  }
}

}  // namespace
