// The settings document's containers: edits whose text lies in the container's
// own bytes, and growth the heap refuses, which must leave them as they were.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings/heap_containers.h"

// Requests too large for the heap get null here, as they do on Windows, rather
// than a sanitizer report.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace {

std::string text_of(const heap_text& t) { return std::string(t.data(), t.size()); }

TEST(HeapText, EditsMayReadTheTextsOwnBytes) {
  heap_text t;
  ASSERT_TRUE(t.assign("abcdef"));
  ASSERT_TRUE(t.reserve(32));
  ASSERT_TRUE(t.append(t.data() + 1, 3));  // in place
  EXPECT_EQ(text_of(t), "abcdefbcd");
  ASSERT_TRUE(t.prepend(t.data() + 3, 4));  // from the bytes that move aside
  EXPECT_EQ(text_of(t), "defbabcdefbcd");
  ASSERT_TRUE(t.append(t));
  EXPECT_EQ(text_of(t), "defbabcdefbcddefbabcdefbcd");
  ASSERT_TRUE(t.append(t));  // into a new block
  EXPECT_EQ(text_of(t), "defbabcdefbcddefbabcdefbcddefbabcdefbcddefbabcdefbcd");
  ASSERT_TRUE(t.assign(t.data() + 4, 3));
  EXPECT_EQ(text_of(t), "abc");
  EXPECT_STREQ(t.c_str(), "abc");
  // Shorter text over the place its end closes up to.
  ASSERT_TRUE(t.assign("abcdef"));
  ASSERT_TRUE(t.assign(t.data() + 1, 3));
  EXPECT_EQ(text_of(t), "bcd");
  ASSERT_TRUE(t.assign("", 0));
  EXPECT_STREQ(t.c_str(), "");
}

TEST(HeapContainers, RefusedGrowthLeavesThemAsTheyWere) {
  const std::size_t huge = SIZE_MAX / 4;
  heap_text t;
  ASSERT_TRUE(t.assign("kept"));
  EXPECT_FALSE(t.resize(huge));
  EXPECT_FALSE(t.reserve(SIZE_MAX));
  EXPECT_FALSE(t.append("x", SIZE_MAX - 2));  // the length cannot be counted
  EXPECT_FALSE(t.prepend("x", SIZE_MAX));
  EXPECT_EQ(text_of(t), "kept");
  EXPECT_STREQ(t.c_str(), "kept");
  // Edited again after the refusals: the block is still the small one (under
  // the address checker a write past it stops the test).
  ASSERT_TRUE(t.append(", and a good deal longer than the first block"));
  EXPECT_EQ(text_of(t), "kept, and a good deal longer than the first block");

  heap_array<heap_text> a;
  for (const char* s : {"one", "two", "three"}) {
    heap_text item;
    ASSERT_TRUE(item.assign(s));
    ASSERT_TRUE(a.push_back(std::move(item)));
  }
  EXPECT_FALSE(a.reserve(huge));
  EXPECT_FALSE(a.reserve(SIZE_MAX / sizeof(heap_text) / 2));  // counted, but more than the heap has
  EXPECT_FALSE(a.reserve(SIZE_MAX));
  ASSERT_EQ(a.size(), 3u);
  EXPECT_EQ(text_of(a[0]), "one");
  EXPECT_EQ(text_of(a.back()), "three");
  for (const char* s : {"four", "five", "six", "seven", "eight"}) {
    heap_text item;
    ASSERT_TRUE(item.assign(s));
    ASSERT_TRUE(a.push_back(std::move(item)));
  }
  ASSERT_EQ(a.size(), 8u);
  EXPECT_EQ(text_of(a[2]), "three");
  EXPECT_EQ(text_of(a.back()), "eight");
}

}  // namespace
