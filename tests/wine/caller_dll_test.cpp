// The caller through the real library: scripted matches, per visit and per
// dart, with a bust, a finish, a 180 with variants and an undo; the sounds the
// library asks the system to play are recorded through its imports (no sound
// device needed) and known by the marker in their samples. Files that lie, a
// file of 4 GB, a folder removed while the view is open; the sounds' memory
// given back when the view closes.
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <winioctl.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "../native/wav_test_support.h"
#include "fault_injection.h"
#include "large_view.h"
#include "match_script.h"
#include "plugin/host_protocol.h"
#include "test_host.h"

namespace {

using wav_test::marked;
using wav_test::pcm_file;

constexpr std::size_t samples_size = 80;  // 10 ms at 8 kHz

// What PlaySoundA was asked: the sound's marker, or "stop".
std::vector<std::string> played;

BOOL WINAPI record_play(LPCSTR sound, HMODULE, DWORD flags) {
  if (sound == nullptr) {
    played.push_back("stop");
    return TRUE;
  }
  if ((flags & SND_MEMORY) == 0 || (flags & SND_ASYNC) == 0) {
    played.push_back("not from memory, or not asynchronous");
    return TRUE;
  }
  const std::string samples(sound + 44, samples_size);
  played.push_back(samples.substr(0, samples.find('|')));
  return TRUE;
}

// The library's memory blocks: outstanding bytes of LocalAlloc less LocalFree.
std::map<HLOCAL, SIZE_T> blocks;
SIZE_T outstanding() {
  SIZE_T sum = 0;
  for (const auto& [block, size] : blocks) sum += size;
  return sum;
}
HLOCAL WINAPI counting_alloc(UINT flags, SIZE_T size) {
  HLOCAL block = LocalAlloc(flags, size);
  if (block != nullptr) blocks[block] = size;
  return block;
}
HLOCAL WINAPI counting_free(HLOCAL block) {
  blocks.erase(block);
  return LocalFree(block);
}

void write_sounds(const std::string& dir, const std::vector<std::string>& names) {
  CreateDirectoryA(dir.c_str(), nullptr);
  for (const std::string& name : names) {
    write_file(dir + name + ".wav", pcm_file(marked(name, samples_size)));
  }
}

std::vector<std::string> every_score_and_word() {
  std::vector<std::string> names;
  for (int n = 0; n <= 180; ++n) names.push_back(std::to_string(n));
  for (const char* w : {"gameshot", "you_require", "gameon", "yr_40", "180+1", "180+2"}) names.push_back(w);
  return names;
}

constexpr const char* window_lines = "[view_window]\r\nleft=10\r\ntop=10\r\nright=400\r\nbottom=200\r\n";

// The large view of a library whose PlaySoundA and heap calls are the test's.
struct caller_view {
  plugin_dll dll;
  fake_match match;
  fake_host host{match};
  HWND window = nullptr;

  explicit caller_view(const std::string& ini) : dll(ini.c_str()) {
    replace_imports(dll.module, {{"winmm.dll", "PlaySoundA", reinterpret_cast<void*>(record_play)},
                                 {"kernel32.dll", "LocalAlloc", reinterpret_cast<void*>(counting_alloc)},
                                 {"kernel32.dll", "LocalFree", reinterpret_cast<void*>(counting_free)}});
    played.clear();
  }
  void open() {
    window = open_large_view(dll, host);
    ASSERT_NE(window, nullptr);
  }
  void close() {
    dll.dsv_view(host.window, host_event::close, host.block(), 0);
    pump_messages();
    window = nullptr;
  }
  ~caller_view() {
    if (window != nullptr) close();
  }
  void notice() { dll.dsv_view(host.window, host_event::change, host.block(), 0); }
  // The calls that played until now, from the last check on.
  std::vector<std::string> calls(int wait_ms = 300) {
    pump_messages(wait_ms);
    std::vector<std::string> out;
    out.swap(played);
    return out;
  }
};

using calls = std::vector<std::string>;

// The same match per visit and per dart: the calls come out the same.
void play_scripted_match(bool per_dart) {
  caller_view view(std::string(window_lines) + "caller_dir=calls\r\n");
  write_sounds(view.dll.dir + "calls\\", every_score_and_word());
  match_script script(view.match, [&] { view.notice(); });
  script.per_dart = per_dart;
  // Darts of a turn under way while the last call still plays cut nothing.
  script.after_dart = [] { pump_messages(5); };
  script.set(180, 100, 0);
  view.open();
  EXPECT_EQ(view.calls(), calls{}) << "the view opened in the middle of a match";

  script.visit({60, 60, 20});
  EXPECT_EQ(view.calls(), (calls{"140", "you_require", "100"}));
  script.visit({60, 20, 10});
  EXPECT_EQ(view.calls(), (calls{"90", "yr_40"}));
  script.visit({20, 20, 1});  // 40 and no double: a bust
  EXPECT_EQ(view.calls(), (calls{"0", "you_require", "10"}));
  script.visit({10});  // D5
  EXPECT_EQ(view.calls(), (calls{"gameshot"}));
  script.visit({60, 60, 60});  // the next leg: player 1 begins
  const calls c = view.calls();
  ASSERT_EQ(c.size(), 1u);
  EXPECT_TRUE(c[0] == "180" || c[0] == "180+1" || c[0] == "180+2") << c[0];
  script.undo();
  EXPECT_EQ(view.calls(), calls{"stop"});
  script.visit({20, 5, 1});
  EXPECT_EQ(view.calls(), calls{"26"});
  view.close();
  EXPECT_EQ(view.calls(), calls{"stop"}) << "silenced before the sounds' memory goes";
}

TEST(CallerDll, AMatchPerVisit) { play_scripted_match(false); }
TEST(CallerDll, AMatchPerDart) { play_scripted_match(true); }

TEST(CallerDll, ANewVisitCutsTheCallsStillWaiting) {
  caller_view view(std::string(window_lines) + "caller_dir=calls\r\n");
  write_sounds(view.dll.dir + "calls\\", every_score_and_word());
  match_script script(view.match, [&] { view.notice(); });
  script.set(180, 100, 0);
  view.open();
  script.visit({60, 60, 20});  // "140", then "you require 100" waits
  pump_messages(20);           // "140" plays
  script.visit({60, 20, 10});  // before it ends: "90" and "yr_40" instead
  EXPECT_EQ(view.calls(), (calls{"140", "90", "yr_40"}));
}

TEST(CallerDll, ANewMatchAndAFolderGivenAbsolute) {
  const std::string dir = make_temp_dir();
  write_sounds(dir, {"gameon", "60"});
  caller_view view(std::string(window_lines) + "caller_dir=\"" + dir + "\"\r\n");
  match_script script(view.match, [&] { view.notice(); });
  script.legs[0] = 2;
  script.set(301, 40, 0);
  view.open();
  script.legs[0] = 0;
  script.set(501, 501, 0);  // the host starts a new match
  view.notice();
  EXPECT_EQ(view.calls(), calls{"gameon"});
  script.visit({20, 20, 20});
  EXPECT_EQ(view.calls(), calls{"60"});
}

TEST(CallerDll, BadFilesAreSkippedAndTheRestIsCalled) {
  caller_view view(std::string(window_lines) + "caller_dir=calls\r\n");
  const std::string dir = view.dll.dir + "calls\\";
  write_sounds(dir, {"60", "100"});
  // A header that promises 2 GB of sound after a few bytes.
  write_file(dir + "140.wav", wav_test::riff(wav_test::chunk("fmt ", wav_test::format_body(1, 1, 8000, 8)) +
                                             wav_test::chunk("data", marked("140", 80), 0x7FFFFFF0)));
  write_file(dir + "gameshot.wav", "not a sound at all");
  // 4 GB and a byte, sparse: never read.
  HANDLE big = CreateFileA((dir + "180.wav").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(big, INVALID_HANDLE_VALUE);
  DWORD ignored = 0;
  DeviceIoControl(big, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = 0x100000001LL;
  ASSERT_TRUE(SetFilePointerEx(big, end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(big));
  CloseHandle(big);

  match_script script(view.match, [&] { view.notice(); });
  script.set(300, 300, 0);
  const SIZE_T before = outstanding();
  view.open();
  const SIZE_T open_with_sounds = outstanding();
  script.visit({60, 60, 60});
  script.visit({20, 20, 20});
  EXPECT_EQ(view.calls(), calls{"60"}) << "the 180 is too large, the 140 lies";
  script.visit({60, 20, 20});
  EXPECT_EQ(view.calls(), calls{"100"});
  // The folder goes while the view is open: the sounds are in memory.
  for (const char* name : {"60.wav", "100.wav", "140.wav", "180.wav", "gameshot.wav"}) DeleteFileA((dir + name).c_str());
  ASSERT_TRUE(RemoveDirectoryA(dir.c_str()));
  script.visit({60, 20, 20});
  EXPECT_EQ(view.calls(), calls{"100"});
  view.close();
  EXPECT_GT(open_with_sounds, before + 2 * (44 + samples_size));
  EXPECT_EQ(outstanding(), before) << "every block of the view and its sounds given back";
}

TEST(CallerDll, NoFolderNoSoundNoMemory) {
  for (const std::string& setting : {std::string(), std::string("caller_dir=\r\n"), std::string("caller_dir=gone\r\n")}) {
    caller_view view(std::string(window_lines) + setting);
    match_script script(view.match, [&] { view.notice(); });
    script.set(100, 100, 0);
    view.open();
    script.visit({60, 20, 20});
    EXPECT_EQ(view.calls(50), calls{}) << setting;
  }
}

}  // namespace

namespace {

// Each allocation of a view's life with the caller and the feed on refused in
// turn, as a full heap refuses it: the view opens or does not, the notices and
// the close go through, and the host's process goes on.
TEST(CallerDll, EveryAllocationRefusedInTurn) {
  plugin_dll dll((std::string(window_lines) + "caller_dir=calls\r\nstream_dir=feed\r\n").c_str());
  write_sounds(dll.dir + "calls\\", {"60", "100", "gameshot", "you_require"});
  replace_imports(dll.module, alloc_faults::replacements());
  replace_imports(dll.module, {{"winmm.dll", "PlaySoundA", reinterpret_cast<void*>(record_play)}});
  fake_match match;
  fake_host host(match);
  const auto life = [&] {
    match_script script(match, [&] { dll.dsv_view(host.window, host_event::change, host.block(), 0); });
    script.set(160, 100, 0);
    dll.dsv_view(host.window, host_event::open, host.block(), 0);
    script.visit({60, 20, 20});
    pump_messages(15);  // the caller's timer plays
    dll.dsv_view(host.window, host_event::close, host.block(), 0);
  };
  alloc_faults::calls = 0;
  alloc_faults::refuse_from = alloc_faults::refuse_to = 0;
  life();
  const long total = alloc_faults::calls;
  ASSERT_GT(total, 20);
  std::printf("%ld allocations in a view's life with the caller and the feed\n", total);
  for (long k = 1; k <= total; ++k) {
    alloc_faults::calls = 0;
    alloc_faults::refuse_from = alloc_faults::refuse_to = k;
    life();
    EXPECT_EQ(find_thread_window("dsv_view_wnd"), nullptr) << "allocation " << k;
  }
  alloc_faults::refuse_from = alloc_faults::refuse_to = 0;
  played.clear();
}

}  // namespace
