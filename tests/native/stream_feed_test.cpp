// The stream feed without files: the content of each file, match.json's keys
// and counter, and which files a notice writes (only those that changed, and
// again those that could not be written before).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "announce/stream_feed.h"

namespace {

// The feed's files as a folder in memory; names in `refused` cannot be replaced.
struct fake_folder {
  std::map<std::string, std::string> files;
  std::vector<std::string> written;  // names, in the order of one update
  std::vector<std::string> refused;

  bool made_anew = false;  // the next write finds the folder gone and makes it

  static int replace(void* context, const char* name, const char* bytes, std::size_t size) {
    auto& f = *static_cast<fake_folder*>(context);
    for (const std::string& r : f.refused) {
      if (r == name) return 0;
    }
    const bool made = f.made_anew;
    if (made) f.files.clear();
    f.made_anew = false;
    f.files[name] = std::string(bytes, size);
    f.written.push_back(name);
    return made ? stream_folder_made : stream_replaced;
  }
  // Latin-1 as the ANSI code page: each byte from 0x80 on takes two in UTF-8.
  static bool latin1_to_utf8(const char* ansi, std::size_t size, heap_text& out) {
    out.clear();
    for (std::size_t i = 0; i < size; ++i) {
      const auto c = static_cast<unsigned char>(ansi[i]);
      const bool ok = c < 0x80 ? out.append(static_cast<char>(c))
                               : out.append(static_cast<char>(0xC0 | (c >> 6))) &&
                                     out.append(static_cast<char>(0x80 | (c & 0x3F)));
      if (!ok) return false;
    }
    return true;
  }
  stream_ops ops() { return stream_ops{replace, latin1_to_utf8, this}; }
  std::vector<std::string> update(stream_feed& feed, const stream_board& board) {
    written.clear();
    stream_feed_update(feed, board, ops());
    return written;
  }
};

stream_board start_of_match() {
  stream_board b = {};
  std::strcpy(b.name[0].text, "Ren\xE9");  // René in Latin-1
  std::strcpy(b.name[1].text, "Bob \"The\" \\Bull");
  for (int p = 0; p < 2; ++p) {
    b.score[p] = 501;
    b.last_visit[p] = match_visit_unknown;
    std::strcpy(b.average[p], "0.00");
  }
  b.to_throw = 0;
  b.threw_first = 0;
  return b;
}

TEST(StreamFeed, EveryFileAtTheFirstUpdate) {
  fake_folder folder;
  stream_feed feed = {};
  const std::vector<std::string> written = folder.update(feed, start_of_match());
  EXPECT_EQ(written.size(), static_cast<std::size_t>(stream_files));
  const std::map<std::string, std::string> expected_text = {
      {"p1_name.txt", "Ren\xE9"},  {"utf8/p1_name.txt", "Ren\xC3\xA9"},
      {"p1_score.txt", "501"},     {"p1_legs.txt", "0"},
      {"p1_sets.txt", "0"},        {"p1_average.txt", "0.00"},
      {"p1_last_visit.txt", "-"},  {"p1_checkout.txt", ""},
      {"p2_name.txt", "Bob \"The\" \\Bull"}, {"callout.txt", ""},
      {"utf8/callout.txt", ""},
  };
  for (const auto& [name, text] : expected_text) EXPECT_EQ(folder.files[name], text) << name;
  EXPECT_EQ(folder.files["match.json"],
            "{\"counter\": 1, \"players\": [{\"name\": \"Ren\xC3\xA9\", \"score\": 501, \"legs\": 0, \"sets\": 0, "
            "\"average\": 0.00, \"last_visit\": \"-\", \"checkout\": \"\"}, {\"name\": \"Bob \\\"The\\\" \\\\Bull\", "
            "\"score\": 501, \"legs\": 0, \"sets\": 0, \"average\": 0.00, \"last_visit\": \"-\", \"checkout\": \"\"}], "
            "\"to_throw\": 0, \"threw_first\": 0, \"callout\": \"\"}\n");
  stream_feed_release(feed);
}

TEST(StreamFeed, OnlyWhatChangedAndTheCounterWithEachWrite) {
  fake_folder folder;
  stream_feed feed = {};
  stream_board b = start_of_match();
  folder.update(feed, b);
  EXPECT_TRUE(folder.update(feed, b).empty()) << "nothing changed, nothing written";

  // Player 1 throws 140 and leaves 361 (no route); player 2 to throw.
  b.score[0] = 361;
  b.last_visit[0] = 140;
  std::strcpy(b.average[0], "140.00");
  b.to_throw = 1;
  EXPECT_EQ(folder.update(feed, b),
            (std::vector<std::string>{"p1_score.txt", "utf8/p1_score.txt", "p1_average.txt", "utf8/p1_average.txt",
                                      "p1_last_visit.txt", "utf8/p1_last_visit.txt", "match.json"}));
  EXPECT_EQ(folder.files["p1_average.txt"], "140.00");
  const std::string& json = folder.files["match.json"];
  EXPECT_EQ(json.rfind("{\"counter\": 2, ", 0), 0u) << json;
  EXPECT_NE(json.find("\"score\": 361, \"legs\": 0, \"sets\": 0, \"average\": 140.00, \"last_visit\": 140, "
                      "\"checkout\": \"\"}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"to_throw\": 1, "), std::string::npos) << json;

  // Player 2 leaves 100: a route; then a call-out; then a record without a leg entry.
  b.score[1] = 100;
  b.callout[0] = '\0';
  folder.update(feed, b);
  EXPECT_EQ(folder.files["p2_checkout.txt"], "T20 D20");
  std::strcpy(b.callout, "180");
  folder.update(feed, b);
  EXPECT_EQ(folder.files["utf8/callout.txt"], "180");
  b.to_throw = -1;
  b.threw_first = -1;
  EXPECT_EQ(folder.update(feed, b), (std::vector<std::string>{"match.json"}));
  EXPECT_NE(folder.files["match.json"].find("\"to_throw\": null, \"threw_first\": null, \"callout\": \"180\"}"),
            std::string::npos);
  EXPECT_EQ(folder.files["match.json"].rfind("{\"counter\": 5, ", 0), 0u);
  stream_feed_release(feed);
}

TEST(StreamFeed, AFileThatCouldNotBeReplacedIsWrittenAgainAtTheNextNotice) {
  fake_folder folder;
  stream_feed feed = {};
  stream_board b = start_of_match();
  folder.refused = {"p1_score.txt", "match.json"};
  folder.update(feed, b);
  EXPECT_EQ(folder.files.count("p1_score.txt"), 0u);
  // The reader let go; nothing changed on the board, yet both are written now.
  folder.refused.clear();
  EXPECT_EQ(folder.update(feed, b), (std::vector<std::string>{"p1_score.txt", "match.json"}));
  EXPECT_EQ(folder.files["p1_score.txt"], "501");
  EXPECT_EQ(folder.files["match.json"].rfind("{\"counter\": 2, ", 0), 0u);
  // A file that failed holding an old content must not be skipped when the
  // board comes back to the content it held before.
  b.score[0] = 441;
  folder.refused = {"p1_score.txt"};
  folder.update(feed, b);
  b.score[0] = 501;
  folder.refused.clear();
  const std::vector<std::string> again = folder.update(feed, b);
  EXPECT_NE(std::find(again.begin(), again.end(), "p1_score.txt"), again.end());
  EXPECT_EQ(folder.files["p1_score.txt"], "501");
  stream_feed_release(feed);
}

}  // namespace

namespace {

TEST(StreamFeed, AFolderMadeAnewGetsEveryFile) {
  fake_folder folder;
  stream_feed feed = {};
  stream_board b = start_of_match();
  folder.update(feed, b);
  // The folder is removed; the next change makes it again, with every file in it.
  folder.made_anew = true;
  b.score[1] = 401;
  folder.update(feed, b);
  EXPECT_EQ(folder.files.size(), static_cast<std::size_t>(stream_files));
  EXPECT_EQ(folder.files["p2_score.txt"], "401");
  EXPECT_EQ(folder.files["p1_score.txt"], "501");
  stream_feed_release(feed);
}

}  // namespace
