// Typed access to the document: lookups, the getters' cleaning and defaults,
// the writers' text forms, deletion, and the colour conversions.
#include <gtest/gtest.h>

#include <climits>

#include "profile_test_support.h"
#include "settings/profile_values.h"

namespace {

const char* const path = "unused.ini";

std::string get_string(const char* section, const char* key, int size = 256) {
  char buffer[512];
  std::memset(buffer, '@', sizeof buffer);
  int length = profile_get_string(section, key, "D", buffer, size, path);
  EXPECT_EQ(length, static_cast<int>(std::strlen(buffer)));
  return buffer;
}

TEST(ProfileFind, IgnoresCaseButNotBlanks) {
  load_text("[VIEW_WINDOW]\n#left=1\nLeft=5\nleft=6");
  EXPECT_EQ(profile_find_section("view_window"), 1);
  EXPECT_EQ(profile_find_section(" view_window"), -1);
  EXPECT_EQ(profile_find_section(""), -1);  // the unnamed section is never found
  EXPECT_EQ(profile_find_key(&profile_document.sections[1], "LEFT"), 1);  // comments skipped, first wins
  EXPECT_EQ(profile_find_key(&profile_document.sections[1], "left "), -1);
  EXPECT_EQ(profile_get_int("view_window", "left", 0, path), 5);
  profile_write_int("view_window", "left", 7, path);
  EXPECT_EQ(rendered(), "[VIEW_WINDOW]\r\n#left=1\r\nLeft=7\r\nleft=6\r\n\r\n");
  profile_free();
}

TEST(ProfileGet, CleansTheValueOrFallsBackToTheDefault) {
  struct row {
    const char* line;
    const char* text;  // profile_get_string, default "D"
    int32_t number;    // profile_get_int, default 77
  } rows[] = {
      {"k=", "", 0},
      {"k=\"  x  \"", "  x  ", 0},
      {"k=  abc \t", "abc", 0},
      {"k=\"abc\"", "abc", 0},
      {"k=\"abc", "abc", 0},
      {"k=abc\"", "abc", 0},
      {"k=\"", "", 0},
      {"k=\"\"\"\"", "\"\"", 0},
      {"k=0x10", "0x10", 0},
      {"k=12px", "12px", 12},
      {"k= -42", "-42", -42},
      {"k=\" +7 \"", " +7 ", 7},
      {"k=99999999999", "99999999999", INT32_MAX},
      {"k=-99999999999", "-99999999999", INT32_MIN},
      {"other=1", "D", 77},
  };
  for (const row& r : rows) {
    load_text(std::string("[s]\n") + r.line);
    EXPECT_EQ(get_string("s", "k"), r.text) << r.line;
    EXPECT_EQ(profile_get_int("s", "k", 77, path), r.number) << r.line;
    EXPECT_EQ(get_string("t", "k"), "D") << r.line;
    profile_free();
  }
  EXPECT_EQ(get_string("s", "k"), "D");  // no document
  EXPECT_EQ(profile_get_int("s", "k", -3, path), -3);
}

TEST(ProfileGet, KeepsAtMostSizeMinusOneBytes) {
  load_text("[s]\nk=\"" + std::string(300, 'v') + "\"");
  EXPECT_EQ(get_string("s", "k", 255), std::string(254, 'v'));
  EXPECT_EQ(get_string("s", "k", 1), "");
  EXPECT_EQ(get_string("s", "missing", 1), "");
  profile_free();
}

TEST(ProfileWrite, TextFormsAndPlaces) {
  ASSERT_FALSE(profile_document.present);
  // Writing into no document starts one, so the first named section has its header.
  EXPECT_EQ(profile_write_int("s", "n", -5, path), 1);
  EXPECT_EQ(profile_write_string("s", "empty", "", path), 1);
  EXPECT_EQ(profile_write_string("s", "null", nullptr, path), 1);
  EXPECT_EQ(profile_write_string("s", "font", "Arial", path), 1);
  EXPECT_EQ(profile_write_color(path, "t", "red", 0x020000FF), 1);
  EXPECT_EQ(profile_write_color(path, "t", "c1", 0x0200FFFF), 1);
  EXPECT_EQ(profile_write_color(path, "t", "c2", 0x002D2D2D), 1);
  EXPECT_EQ(profile_write_value("s", "raw", "  x ", path), 1);
  EXPECT_EQ(profile_write_int("S", "N", 6, path), 1);  // an existing key keeps its text and place
  EXPECT_EQ(rendered(),
            "[s]\r\nn=6\r\nempty=\r\nnull=\r\nfont=\"Arial\"\r\nraw=  x \r\n\r\n"
            "[t]\r\nred=\"0xFF0000\"\r\nc1=\"0xFFFF00\"\r\nc2=\"0x2D2D2D\"\r\n\r\n");
  EXPECT_EQ(get_string("s", "empty"), "");
  EXPECT_EQ(get_string("s", "font"), "Arial");
  EXPECT_EQ(profile_write_value(nullptr, "k", "v", path), 0);
  profile_free();
}

TEST(ProfileWrite, DeletesKeysAndSections) {
  load_text("[a]\nx=1\ny=2\n[b]\nz=3\n#keep");
  EXPECT_EQ(profile_write_value("a", "x", nullptr, path), 1);
  EXPECT_EQ(profile_write_value("a", "x", nullptr, path), 0);  // already gone
  EXPECT_EQ(profile_find_key(&profile_document.sections[1], "x"), -1);
  EXPECT_EQ(profile_write_value("b", nullptr, nullptr, path), 1);
  EXPECT_EQ(profile_write_value("c", nullptr, nullptr, path), 1);  // added, empty
  EXPECT_EQ(rendered(), "[a]\r\ny=2\r\n\r\n");
  EXPECT_EQ(profile_write_int("b", "w", 4, path), 1);  // the kept record takes new keys
  EXPECT_EQ(rendered(), "[a]\r\ny=2\r\n\r\n[b]\r\nw=4\r\n\r\n");
  profile_free();
}

TEST(ColorFromText, ReadsRedGreenBlueFromTheNumber) {
  struct row {
    const char* text;
    color_ref colour;
  } rows[] = {
      {"0xFF0000", 0x020000FF}, {"0x00FF00", 0x0200FF00}, {"255", 0x02FF0000},   {"#FF0000", 0x02000000},
      {"", 0x00123456},         {" 0x0000ff", 0x02FF0000}, {"010", 0x02080000},  {"-1", 0x02FFFFFF},
      {"0x7F123456", 0x02563412}, {"0x1FFFFFFFF", 0x02FFFFFF}, {"0xg", 0x02000000}, {"12red", 0x020C0000},
  };
  for (const row& r : rows) EXPECT_EQ(color_from_text(r.text, 0x00123456), r.colour) << r.text;
}

}  // namespace
