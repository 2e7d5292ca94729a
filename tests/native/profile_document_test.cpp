// The document's names and its round trip through the file format: what a
// load keeps, what a save writes, and what reading the saved text gives.
#include <gtest/gtest.h>

#include "profile_test_support.h"

namespace {

TEST(ProfileHash, IgnoresAsciiCaseAndSpaces) {
  struct row {
    const char* text;
    uint32_t hash;
  } rows[] = {
      {"abc", 26496},      {"A B C", 26496}, {"Left", 479195}, {"left", 479195}, {"", 0},
      {" ", 0},            {"\x95", 0xFFFFFF95u},  // high bytes count as negative
  };
  for (const row& r : rows) EXPECT_EQ(profile_hash(r.text), r.hash) << r.text;
  EXPECT_NE(profile_hash("a\tb"), profile_hash("ab"));  // a tab is not skipped
}

TEST(TrimBlanks, DropsSpacesAndTabsAtBothEnds) {
  struct row {
    const char* in;
    const char* out;
  } rows[] = {{"  a b\t ", "a b"}, {"\t \t", ""}, {"", ""}, {"x", "x"}, {"\r x\n", "\r x\n"}};
  for (const row& r : rows) {
    char buffer[32];
    std::strcpy(buffer, r.in);
    EXPECT_EQ(trim_blanks(buffer), 1);
    EXPECT_STREQ(buffer, r.out) << '"' << r.in << '"';
  }
}

struct round_trip_row {
  const char* what;
  std::string in;
  std::string out;
};

const std::string k300(300, 'k');
const std::string c300 = "#" + std::string(299, 'c');

const round_trip_row round_trip_rows[] = {
    {"empty file", "", ""},
    {"key before any header", "a=1", "a=1\r\n\r\n"},
    {"blank lines and blanks around a key", "\r\n\r\n[Main]\r\n\r\nkey = value\r\n", "[Main]\r\nkey= value\r\n\r\n"},
    {"LF line ends", "[s]\nk=1\n#c\n", "[s]\r\nk=1\r\n#c\r\n\r\n"},
    {"CR line ends", "[s]\rk=1\r#c\r", "[s]\r\nk=1\r\n#c\r\n\r\n"},
    {"mixed runs of line ends", "[s]\n\r\n\rk=1\r\r\n", "[s]\r\nk=1\r\n\r\n"},
    {"key without =", "foo", "foo=\r\n\r\n"},
    {"indented comment is a key", "  # note", "# note=\r\n\r\n"},
    {"comment keeps its text", "# a = b ;x\t ", "# a = b ;x\r\n\r\n"},
    {"header blanks trimmed", "[ Main\t]\nk=1", "[Main]\r\nk=1\r\n\r\n"},
    {"header with trailing blank ignored", "[A]\nx=1\n[Main] \ny=2", "[A]\r\nx=1\r\ny=2\r\n\r\n"},
    {"empty header ignored", "[]\ny=2", "y=2\r\n\r\n"},
    {"duplicate sections kept apart", "[M]\na=1\n[M]\nb=2", "[M]\r\na=1\r\n\r\n[M]\r\nb=2\r\n\r\n"},
    {"section without entries dropped", "[empty]\n[full]\nk=v", "[full]\r\nk=v\r\n\r\n"},
    {"value starts after the first =", "key==x", "key==x\r\n\r\n"},
    {"value kept byte for byte", "k=  \"x\"  \t", "k=  \"x\"  \t\r\n\r\n"},
    {"letter case kept", "[VIEW_WINDOW]\nLeft=5", "[VIEW_WINDOW]\r\nLeft=5\r\n\r\n"},
    {"byte-order mark skipped and written back", "\xEF\xBB\xBF[s]\r\nk=1", "\xEF\xBB\xBF[s]\r\nk=1\r\n\r\n"},
    {"byte-order mark of an otherwise empty file", "\xEF\xBB\xBF", "\xEF\xBB\xBF"},
    {"byte-order mark past the start is text", "a=1\n\xEF\xBB\xBF[s]", "a=1\r\n\xEF\xBB\xBF[s]=\r\n\r\n"},
    {"first key starting with the mark's bytes gets a mark before it", "\r\n\xEF\xBB\xBFk=1",
     "\xEF\xBB\xBF\xEF\xBB\xBFk=1\r\n\r\n"},
    {"NUL at a line start ends the file", std::string("a=1\nb=2\n\0c=3\nd=4", 17), "a=1\r\nb=2\r\n\r\n"},
    {"NUL inside a value ends the line", std::string("a=1\0junk\nb=2", 12), "a=1\r\nb=2\r\n\r\n"},
    {"NUL inside a key ends the line", std::string("ab\0=c\nd=1", 9), "ab=\r\nd=1\r\n\r\n"},
    {"300-byte key keeps 255", k300 + "=v", std::string(255, 'k') + "=v\r\n\r\n"},
    {"key cut then trimmed", std::string(250, 'a') + "      x=1", std::string(250, 'a') + "=1\r\n\r\n"},
    {"300-byte comment keeps 255", c300, c300.substr(0, 255) + "\r\n\r\n"},
    // What would not read back the same is read as it will be written.
    {"blank header ignored like []", "[A]\nx=1\n[ \t]\ny=2", "[A]\r\nx=1\r\ny=2\r\n\r\n"},
    {"blank key dropped", "[A]\n   =1\n", ""},
    {"indented header-like key dropped", "a=1\n  [x]\nb=2", "a=1\r\nb=2\r\n\r\n"},
    {"indented header-like key is a header", "a=1\n [x]=]\nb=2", "a=1\r\n\r\n[x]=]\r\nb=2\r\n\r\n"},
    {"indented long comment cut as a comment", " #" + std::string(260, 'c') + "=v",
     "#" + std::string(253, 'c') + "=\r\n\r\n"},
};

TEST(ProfileRoundTrip, SavesTheNormalisedFile) {
  for (const round_trip_row& r : round_trip_rows) {
    const std::string once = round_trip(r.in);
    EXPECT_EQ(once, r.out) << r.what;
    // The normalised text reads back to itself.
    EXPECT_EQ(round_trip(once), once) << r.what;
  }
}

TEST(ProfileLoad, KeysGoToTheLastAcceptedHeader) {
  ASSERT_EQ(load_text("a=1\n[Main]\nb=2\n[Main]\nc=3\n[Main] \nd=4"), 1);
  const auto& sections = profile_document.sections;
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_STREQ(sections[0].name.c_str(), "");
  EXPECT_EQ(sections[0].entries.size(), 1u);
  EXPECT_EQ(sections[1].entries.size(), 1u);
  ASSERT_EQ(sections[2].entries.size(), 2u);
  EXPECT_STREQ(sections[2].entries[1].key.c_str(), "d");
  EXPECT_EQ(sections[2].entries[1].hash, profile_hash("d"));
  profile_free();
}

TEST(ProfileLoad, MissingFileGivesNoDocumentAndEmptyFileAnEmptyOne) {
  scratch_dir dir;
  EXPECT_EQ(profile_load(dir.file("none.ini").c_str(), 1), 0);
  EXPECT_FALSE(profile_document.present);
  EXPECT_EQ(rendered(), "<none>");
  EXPECT_EQ(profile_save(dir.file("none.ini").c_str()), 0);
  EXPECT_FALSE(file_exists(dir.file("none.ini")));

  write_bytes(dir.file("empty.ini"), "");
  EXPECT_EQ(profile_load(dir.file("empty.ini").c_str(), 1), 1);
  EXPECT_EQ(profile_document.sections.size(), 1u);
  write_bytes(dir.file("empty.ini"), "junk");
  EXPECT_EQ(profile_save(dir.file("empty.ini").c_str()), 1);
  EXPECT_EQ(read_bytes(dir.file("empty.ini")), "");
  profile_free();
  EXPECT_FALSE(profile_document.present);
  EXPECT_TRUE(profile_document.sections.empty());
}

TEST(ProfileAdd, RefusesEmptyNamesAndKeysAndCutsLongOnes) {
  ASSERT_EQ(load_text(""), 1);
  EXPECT_EQ(profile_add_section(nullptr), 0);
  EXPECT_EQ(profile_add_section(""), 0);
  EXPECT_EQ(profile_add_section(" \t"), 0);
  EXPECT_EQ(profile_add_section(("  " + k300).c_str()), 1);
  profile_section* s = &profile_document.sections.back();
  EXPECT_EQ(std::string(s->name.c_str()), std::string(253, 'k'));
  EXPECT_EQ(profile_add_entry(s, "", "v", 0), 0);
  EXPECT_EQ(profile_add_entry(s, "k", nullptr, 0), 0);
  EXPECT_EQ(profile_add_entry(s, " Key ", "", 0), 1);
  EXPECT_EQ(profile_add_entry(s, "#c", "", 1), 1);
  EXPECT_EQ(s->entries[0].hash, profile_hash("key"));
  EXPECT_EQ(s->entries[1].hash, 0u);
  EXPECT_EQ(rendered(), "[" + std::string(253, 'k') + "]\r\nKey=\r\n#c\r\n\r\n");
  profile_free();
}

}  // namespace
