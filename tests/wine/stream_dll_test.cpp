// ctest-env: LC_ALL=ja_JP.UTF-8
// The stream feed through the real library, under code page 932: the folder
// read after each notice of scripted matches (each field's text in ANSI and in
// UTF-8, match.json), files replaced only when their content changed, never
// seen half written by a reader that reads all the time, and a folder that
// becomes read-only or is removed while the view is open.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fault_injection.h"
#include "large_view.h"
#include "match_script.h"
#include "plugin/host_protocol.h"
#include "test_host.h"

namespace {

constexpr const char* window_lines = "[view_window]\r\nleft=10\r\ntop=10\r\nright=400\r\nbottom=200\r\n";
const char* const fields[] = {"name", "score", "legs", "sets", "average", "last_visit", "checkout"};

struct file_seen {
  std::string bytes;
  uint64_t index = 0;  // the file system's number of the file: a new one with every replacement
};

// Every file of the feed's folder (and its utf8 folder) by relative name.
std::map<std::string, file_seen> read_feed(const std::string& dir) {
  std::map<std::string, file_seen> out;
  for (const char* sub : {"", "utf8\\"}) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((dir + sub + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::string name = std::string(sub) + entry.cFileName;
      HANDLE f = CreateFileA((dir + name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
      if (f == INVALID_HANDLE_VALUE) continue;
      BY_HANDLE_FILE_INFORMATION info = {};
      GetFileInformationByHandle(f, &info);
      char buffer[4096];
      DWORD got = 0;
      ReadFile(f, buffer, sizeof buffer, &got, nullptr);
      CloseHandle(f);
      std::string key = name;
      for (char& c : key) c = c == '\\' ? '/' : c;
      out[key] = {std::string(buffer, got), (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  return out;
}

// "山田" in code page 932 and in UTF-8.
const std::string yamada_932 = "\x8E\x52\x93\x63";
const std::string yamada_utf8 = "\xE5\xB1\xB1\xE7\x94\xB0";

struct feed_view {
  plugin_dll dll;
  fake_match match;
  fake_host host{match};
  match_script script{match, [this] { notice(); }};
  HWND window = nullptr;
  std::string feed_dir;

  explicit feed_view(const std::string& setting = "stream_dir=feed\r\n")
      : dll((std::string(window_lines) + setting).c_str()), feed_dir(dll.dir + "feed\\") {
    match.set_name(0, yamada_932.c_str());
    match.set_name(1, "Bob");
  }
  void open() {
    window = open_large_view(dll, host);
    ASSERT_NE(window, nullptr);
  }
  // Closing waits for the feed's writer to end.
  void close() {
    if (window != nullptr) dll.dsv_view(host.window, host_event::close, host.block(), 0);
    window = nullptr;
  }
  ~feed_view() { close(); }
  void notice() { dll.dsv_view(host.window, host_event::change, host.block(), 0); }
};

std::string number(int32_t v) { return std::to_string(v); }

// The feed is written by a thread of the library's own: a test waits until
// what it expects is there (or five seconds have passed).
template <class Ready>
bool wait_until(Ready ready) {
  for (int i = 0; i < 250; ++i) {
    if (ready()) return true;
    Sleep(20);
  }
  return ready();
}

int counter_of(const std::string& json) {
  const std::string head = "{\"counter\": ";
  return json.rfind(head, 0) == 0 ? std::atoi(json.c_str() + head.size()) : -1;
}

// After each notice: the texts as the record and the last visits say, both
// encodings, match.json; files whose content did not change keep their file.
void check_after_each_notice(bool per_dart) {
  feed_view view;
  view.script.per_dart = per_dart;
  view.script.set(180, 100, 0);
  view.open();
  ASSERT_TRUE(wait_until([&] { return read_feed(view.feed_dir).count("match.json") == 1; }));
  std::map<std::string, file_seen> before = read_feed(view.feed_dir);
  ASSERT_EQ(before.size(), 31u) << "every file at the opening";
  EXPECT_EQ(before["p1_name.txt"].bytes, yamada_932);
  EXPECT_EQ(before["utf8/p1_name.txt"].bytes, yamada_utf8);
  EXPECT_EQ(before["p1_last_visit.txt"].bytes, "-");
  EXPECT_EQ(before["p1_checkout.txt"].bytes, "");
  EXPECT_EQ(before["p2_checkout.txt"].bytes, "T20 D20");
  EXPECT_EQ(before["match.json"].bytes,
            "{\"counter\": 1, \"players\": [{\"name\": \"" + yamada_utf8 +
                "\", \"score\": 180, \"legs\": 0, \"sets\": 0, \"average\": 0.00, \"last_visit\": \"-\", "
                "\"checkout\": \"\"}, {\"name\": \"Bob\", \"score\": 100, \"legs\": 0, \"sets\": 0, \"average\": 0.00, "
                "\"last_visit\": \"-\", \"checkout\": \"T20 D20\"}], \"to_throw\": 0, \"threw_first\": 0, "
                "\"callout\": \"\"}\n");

  int32_t last_visit[2] = {-1, -1};
  const auto expect_board = [&](const char* step, const char* callout) {
    // match.json is written last: once it shows the board, every file does.
    const auto shown = [&] {
      const std::string json = read_feed(view.feed_dir)["match.json"].bytes;
      std::size_t at = 0;
      for (int p = 0; p < 2; ++p) {
        const std::string part = "\"score\": " + number(view.script.score[p]) + ", \"legs\": " +
                                 number(view.script.legs[p]) + ", \"sets\": " + number(view.script.sets[p]) + ", ";
        at = json.find(part, at);
        if (at == std::string::npos) return false;
        const std::string visit = last_visit[p] < 0 ? "\"-\"" : number(last_visit[p]);
        at = json.find("\"last_visit\": " + visit + ",", at);
        if (at == std::string::npos) return false;
      }
      if (json.find("\"callout\": \"" + std::string(callout) + "\"}") == std::string::npos) return false;
      // A file a reading test held at a write is written again a little later.
      std::map<std::string, file_seen> files = read_feed(view.feed_dir);
      for (const auto& [name, file] : files) {
        if (name.rfind("utf8/", 0) != 0 && name != "p1_name.txt" && name != "match.json" &&
            file.bytes != files["utf8/" + name].bytes) {
          return false;
        }
      }
      return true;
    };
    if (std::string(step) == "a notice that changes nothing") Sleep(100);
    EXPECT_TRUE(wait_until(shown)) << step;
    std::map<std::string, file_seen> now = read_feed(view.feed_dir);
    ASSERT_EQ(now.size(), 31u) << step;
    bool any_changed = false;
    for (int p = 0; p < 2; ++p) {
      const std::string prefix = "p" + std::to_string(p + 1) + "_";
      EXPECT_EQ(now[prefix + "score.txt"].bytes, number(view.script.score[p])) << step;
      EXPECT_EQ(now[prefix + "legs.txt"].bytes, number(view.script.legs[p])) << step;
      EXPECT_EQ(now[prefix + "last_visit.txt"].bytes, last_visit[p] < 0 ? "-" : number(last_visit[p])) << step;
    }
    EXPECT_EQ(now["callout.txt"].bytes, callout) << step;
    for (auto& [name, file] : now) {
      if (name == "match.json") continue;
      const std::string utf8_twin = name.rfind("utf8/", 0) == 0 ? name : "utf8/" + name;
      if (name != "p1_name.txt") {
        EXPECT_EQ(file.bytes, now[utf8_twin].bytes) << name << " ASCII in both";
      }
      const bool changed = file.bytes != before[name].bytes;
      any_changed = any_changed || changed;
      EXPECT_EQ(file.index != before[name].index, changed) << step << ": " << name << " replaced iff changed";
    }
    // One write more for each change, or a few when this test held match.json at a write.
    const int counter = counter_of(now["match.json"].bytes);
    const int counter_before = counter_of(before["match.json"].bytes);
    if (any_changed) {
      EXPECT_GT(counter, counter_before) << step;
    } else {
      EXPECT_EQ(counter, counter_before) << step;
    }
    before = now;
  };

  // Per dart, each dart's notice is read too: the score goes down, nothing else.
  view.script.after_dart = [&] { expect_board("a dart", ""); };
  view.script.visit({60, 60, 20});
  last_visit[0] = 140;
  expect_board("140 thrown", "");
  view.script.visit({60, 60, 60});  // 100 left: a bust
  last_visit[1] = 0;
  expect_board("a bust", "");
  view.script.visit({20, 20});  // D20
  last_visit[0] = last_visit[1] = -1;
  expect_board("the leg won", "GAME SHOT");
  view.notice();
  expect_board("a notice that changes nothing", "GAME SHOT");
  view.script.visit({60, 60, 60});
  last_visit[1] = 180;
  expect_board("a 180", "180");
  view.script.undo();
  last_visit[1] = -1;
  expect_board("the 180 taken back", "");
  view.script.visit({20, 20, 20});
  last_visit[1] = 60;
  expect_board("60", "");
  const std::string json = read_feed(view.feed_dir)["match.json"].bytes;
  EXPECT_NE(json.find("\"to_throw\": 0, \"threw_first\": 1, "), std::string::npos) << json;
}

TEST(StreamDll, AfterEachNoticePerVisit) { check_after_each_notice(false); }
TEST(StreamDll, AfterEachNoticePerDart) { check_after_each_notice(true); }

// A reader that reads the files all the time (sharing nothing, as a careless
// reader does) sees only whole contents; a file it held open at a notice is
// written at a later one.
TEST(StreamDll, NoPartialFileEverVisible) {
  feed_view view;
  view.open();
  const std::string short_name = "A";
  const std::string long_name(60, 'L');
  std::atomic<bool> stop{false};
  std::atomic<int> reads{0};
  std::vector<std::string> bad;
  struct reading {
    std::function<void()> body;
    static DWORD WINAPI run(void* self) {
      static_cast<reading*>(self)->body();
      return 0;
    }
  } loop{[&] {
    while (!stop) {
      for (const char* name : {"p2_name.txt", "match.json"}) {
        HANDLE f = CreateFileA((view.feed_dir + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        if (f == INVALID_HANDLE_VALUE) continue;
        char buffer[4096];
        DWORD got = 0;
        ReadFile(f, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(f);
        const std::string text(buffer, got);
        ++reads;
        const bool whole = name[0] == 'p' ? text == short_name || text == long_name || text == "Bob"
                                          : text.rfind("{\"counter\": ", 0) == 0 && text.size() > 200 &&
                                                text.substr(text.size() - 2) == "}\n";
        if (!whole && bad.size() < 5) bad.push_back(text);
      }
    }
  }};
  HANDLE reader = CreateThread(nullptr, 0, reading::run, &loop, 0, nullptr);
  ASSERT_NE(reader, nullptr);
  for (int i = 0; i < 301; ++i) {
    view.match.set_name(1, (i % 2 ? short_name : long_name).c_str());
    view.notice();
  }
  stop = true;
  WaitForSingleObject(reader, INFINITE);
  CloseHandle(reader);
  EXPECT_TRUE(bad.empty()) << bad.front();
  EXPECT_GT(reads.load(), 10);
  view.notice();  // nobody reads now: what was held is written
  const std::string last_name = 300 % 2 ? short_name : long_name;
  EXPECT_TRUE(wait_until([&] { return read_feed(view.feed_dir)["p2_name.txt"].bytes == last_name; }));
  std::map<std::string, file_seen> now = read_feed(view.feed_dir);
  EXPECT_NE(now["match.json"].bytes.find("\"name\": \"" + last_name + "\""), std::string::npos);
  for (const auto& [name, file] : now) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

// The folder's files cannot be made while `read_only` is on: the library's
// CreateFileA refuses as a read-only folder does.
std::atomic<bool> read_only{false};
std::atomic<int> refused{0};
std::string guarded_dir;
HANDLE WINAPI guarded_create(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD how,
                             DWORD flags, HANDLE from) {
  if (read_only && (access & GENERIC_WRITE) != 0 && std::string(name).rfind(guarded_dir, 0) == 0) {
    ++refused;
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  return CreateFileA(name, access, share, security, how, flags, from);
}

TEST(StreamDll, AFolderThatBecomesReadOnlyOrIsRemoved) {
  feed_view view;
  guarded_dir = view.feed_dir;
  replace_imports(view.dll.module, {{"kernel32.dll", "CreateFileA", reinterpret_cast<void*>(guarded_create)}});
  view.script.set(301, 301, 0);
  view.open();
  ASSERT_TRUE(wait_until([&] { return read_feed(view.feed_dir).size() == 31; }));
  const std::map<std::string, file_seen> opened = read_feed(view.feed_dir);
  read_only = true;
  view.script.visit({60, 60, 60});
  view.script.visit({20, 20, 20});
  // Until the writer has tried and given up: no refusal for a tenth of a second.
  ASSERT_TRUE(wait_until([] { return refused > 0; }));
  Sleep(100);
  EXPECT_EQ(read_feed(view.feed_dir)["p1_score.txt"].bytes, "301") << "left alone while it cannot be written";
  read_only = false;
  view.notice();  // writable again: what changed meanwhile is written, nothing else changed
  EXPECT_TRUE(wait_until([&] { return read_feed(view.feed_dir)["utf8/p2_score.txt"].bytes == "241"; }));
  std::map<std::string, file_seen> now = read_feed(view.feed_dir);
  EXPECT_EQ(now["p1_score.txt"].bytes, "121");
  EXPECT_EQ(now["utf8/p2_score.txt"].bytes, "241");
  EXPECT_EQ(now["p1_name.txt"].index, opened.at("p1_name.txt").index);
  EXPECT_EQ(now.size(), 31u) << "no temporary file left behind";

  // Removed while the view is open: made again at the next change, whole.
  for (const auto& [name, file] : now) DeleteFileA((view.feed_dir + name).c_str());
  ASSERT_TRUE(RemoveDirectoryA((view.feed_dir + "utf8").c_str()));
  ASSERT_TRUE(RemoveDirectoryA(view.feed_dir.c_str()));
  view.notice();
  Sleep(100);
  EXPECT_EQ(GetFileAttributesA(view.feed_dir.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing changed, nothing written";
  view.script.visit({60, 1, 1});
  view.close();
  now = read_feed(view.feed_dir);
  EXPECT_EQ(now.size(), 31u);
  EXPECT_EQ(now["p1_score.txt"].bytes, "59");
  EXPECT_EQ(now["utf8/p1_name.txt"].bytes, yamada_utf8);
}

TEST(StreamDll, AFolderThatCannotBeMadeOrIsOff) {
  {
    // Its parent is missing: only one level is made, so nothing is.
    feed_view view("stream_dir=no\\such\\feed\r\n");
    view.open();
    view.script.visit({60, 60, 60});
    view.close();
    EXPECT_EQ(GetFileAttributesA((view.dll.dir + "no").c_str()), INVALID_FILE_ATTRIBUTES);
  }
  {
    // A file where the folder should be.
    feed_view view;
    write_file(view.dll.dir + "feed", "a file");
    view.open();
    view.script.visit({60, 60, 60});
    view.close();
    EXPECT_EQ(read_file(view.dll.dir + "feed"), "a file");
  }
  {
    feed_view view("stream_dir=\r\n");
    view.open();
    view.script.visit({60, 60, 60});
    view.close();
    EXPECT_EQ(dir_listing(view.dll.dir), "dsv_view.dsv\ndsv_view.ini\n");
  }
}

}  // namespace

namespace {

// A folder named in code page 932 whose last character's second byte is a
// backslash ("表" is 95 5C), given with a separator after it: the folder is
// that name, not one cut inside the character.
TEST(StreamDll, AFolderNamedInCodePage932) {
  const std::string hyou = "\x95\x5C";
  feed_view view("stream_dir=" + hyou + "\\\r\n");
  view.open();
  view.script.visit({60, 60, 60});
  view.close();
  const std::map<std::string, file_seen> files = read_feed(view.dll.dir + hyou + "\\");
  EXPECT_EQ(files.size(), 31u);
  EXPECT_EQ(dir_listing(view.dll.dir), "dsv_view.dsv\ndsv_view.ini\n" + hyou + "\n");
}

}  // namespace
