// The caller without a window: the scheme's file names, the check of a WAV
// file's bytes, the pack read from a real folder (a file of 4 GB, lying
// headers, the memory limit), and which sounds a notice calls, in what order.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "announce/caller_calls.h"
#include "announce/caller_pack.h"
#include "announce/wav_check.h"
#include "wav_test_support.h"

namespace {

using namespace wav_test;

TEST(CallerNames, TheSchemeAndNothingElse) {
  const struct {
    const char* name;
    int id;
    int variant;
  } cases[] = {
      {"0.wav", 0, 0},
      {"180.wav", 180, 0},
      {"180+1.wav", 180, 1},
      {"180+12.WAV", 180, 12},
      {"GameShot.wav", caller_id::gameshot, 0},
      {"setshot+2.wav", caller_id::setshot, 2},
      {"you_require.wav", caller_id::you_require, 0},
      {"gameon.wav", caller_id::gameon, 0},
      {"yr_2.wav", caller_id::required(2), 0},
      {"yr_170+3.wav", caller_id::required(170), 3},
      {"181.wav", -1, 0},
      {"007.wav", -1, 0},
      {"yr_1.wav", -1, 0},
      {"yr_171.wav", -1, 0},
      {"180+0.wav", -1, 0},
      {"180+.wav", -1, 0},
      {"180.wav.bak", -1, 0},
      {"180.mp3", -1, 0},
      {"gameshots.wav", -1, 0},
      {"1800.wav", -1, 0},
      {"", -1, 0},
  };
  for (const auto& c : cases) {
    int variant = -1;
    EXPECT_EQ(caller_id_of_name(c.name, &variant), c.id) << c.name;
    if (c.id >= 0) EXPECT_EQ(variant, c.variant) << c.name;
  }
  char name[16];
  for (int id = 0; id < caller_id::count; ++id) {
    caller_name_of_id(id, name);
    int variant = -1;
    EXPECT_EQ(caller_id_of_name(name, &variant), id) << name;
  }
}

wav_fault check(const std::string& file, wav_sound& sound) {
  return wav_check(reinterpret_cast<const unsigned char*>(file.data()), file.size(), sound);
}

TEST(WavCheck, TrustsNoSize) {
  const std::string fmt = chunk("fmt ", format_body(1, 1, 8000, 8));
  const std::string samples = marked("abc", 800);
  const struct {
    const char* what;
    std::string file;
    wav_fault fault;
  } cases[] = {
      {"plain", pcm_file(samples), wav_fault::none},
      {"a RIFF size of 4 GB and other chunks first",
       "RIFF" + u32(0xFFFFFFFF) + "WAVE" + chunk("LIST", "abc") + fmt + chunk("data", samples), wav_fault::none},
      {"not RIFF", "RIFX" + pcm_file(samples).substr(4), wav_fault::not_riff},
      {"too short", "RIFF", wav_fault::not_riff},
      {"data before the format", riff(chunk("data", samples) + fmt), wav_fault::no_format},
      {"a format chunk running past the end", riff(chunk("fmt ", format_body(1, 1, 8000, 8), 0x7FFFFFF0)),
       wav_fault::no_format},
      {"compressed", riff(chunk("fmt ", format_body(0x55, 1, 8000, 8)) + chunk("data", samples)), wav_fault::not_pcm},
      {"no channels", riff(chunk("fmt ", format_body(1, 0, 8000, 8)) + chunk("data", samples)), wav_fault::bad_format},
      {"12-bit", riff(chunk("fmt ", format_body(1, 1, 8000, 12)) + chunk("data", samples)), wav_fault::bad_format},
      {"a data size of 4 GB", riff(fmt + chunk("data", samples, 0xFFFFFFFF)), wav_fault::data_cut},
      {"a data size one byte too many", riff(fmt + chunk("data", samples, 801)), wav_fault::data_cut},
      {"a chunk size that would wrap the walk",
       riff(fmt + chunk("junk", "", 0xFFFFFFF8) + chunk("data", samples)), wav_fault::no_data},
      {"no data chunk", riff(fmt), wav_fault::no_data},
      {"an empty data chunk", riff(fmt + chunk("data", "")), wav_fault::no_data},
      {"half a sample of 16 bits", riff(chunk("fmt ", format_body(1, 1, 8000, 16)) + chunk("data", "x")),
       wav_fault::no_data},
  };
  for (const auto& c : cases) {
    wav_sound sound;
    EXPECT_EQ(check(c.file, sound), c.fault) << c.what;
  }
}

TEST(WavCheck, TheCleanImageHoldsTheSamplesBehindItsOwnHeader) {
  const std::string samples = marked("xyz", 801);  // 16-bit stereo: 200 whole frames, one byte over
  const std::string file = riff(chunk("LIST", "info") + chunk("fmt ", format_body(1, 2, 8000, 16)) +
                                chunk("data", samples) + chunk("LIST", "tail"));
  wav_sound sound;
  ASSERT_EQ(check(file, sound), wav_fault::none);
  EXPECT_EQ(sound.data_size, 800u);
  EXPECT_EQ(sound.duration_ms, 25u);  // 200 frames at 8 kHz
  std::string image(wav_header_size + sound.data_size, '\0');
  wav_write_image(sound, reinterpret_cast<const unsigned char*>(file.data()), reinterpret_cast<unsigned char*>(&image[0]));
  EXPECT_EQ(image, riff(chunk("fmt ", format_body(1, 2, 8000, 16)) + chunk("data", samples.substr(0, 800))));
}

// A fresh folder under /tmp, removed with everything in it.
struct temp_folder {
  std::string path;
  temp_folder() {
    char pattern[] = "/tmp/caller_test_XXXXXX";
    path = mkdtemp(pattern);
  }
  ~temp_folder() { std::system(("rm -rf '" + path + "'").c_str()); }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path + "/" + name, std::ios::binary) << bytes;
  }
};

struct reported {
  std::vector<std::string> lines;
  static void add(void* context, const char* name, int, wav_fault fault) {
    static_cast<reported*>(context)->lines.push_back(std::string(name) + ": " + wav_fault_text(fault));
  }
};

TEST(CallerPack, ReadsTheSchemeInCallOrderAndSkipsWhatCannotPlay) {
  temp_folder dir;
  dir.write("180+2.wav", pcm_file(marked("180 b")));
  dir.write("180.wav", pcm_file(marked("180")));
  dir.write("gameshot.wav", pcm_file(marked("gameshot")));
  dir.write("26.wav", "ID3 an mp3 under a WAV name");
  dir.write("60.wav", riff(chunk("fmt ", format_body(1, 1, 8000, 8)) + chunk("data", "abc", 0x10000000)));
  dir.write("readme.txt", "not opened");
  dir.write("jingle.wav", pcm_file(marked("not in the scheme")));
  mkdir((dir.path + "/100.wav").c_str(), 0755);  // a folder is no file
  // 4 GB and one byte, without the disk space: never read.
  ASSERT_EQ(truncate((dir.path + "/140.wav").c_str(), 0), -1);
  {
    std::ofstream(dir.path + "/140.wav", std::ios::binary) << "RIFF";
  }
  ASSERT_EQ(truncate((dir.path + "/140.wav").c_str(), 0x100000001LL), 0);

  caller_pack pack;
  reported report;
  ASSERT_EQ(caller_pack_load(pack, dir.path.c_str(), caller_platform_files, reported::add, &report),
            caller_folder::listed);
  EXPECT_EQ(report.lines, (std::vector<std::string>{
                              "26.wav: " + std::string(wav_fault_text(wav_fault::not_riff)),
                              "60.wav: " + std::string(wav_fault_text(wav_fault::data_cut)),
                              "140.wav: " + std::string(wav_fault_text(wav_fault::too_large)),
                              "180.wav: played",
                              "180+2.wav: played",
                              "gameshot.wav: played",
                          }));
  ASSERT_EQ(pack.sounds.size(), 3u);
  EXPECT_EQ(pack.variants[180], 2);
  EXPECT_EQ(pack.variants[caller_id::gameshot], 1);
  EXPECT_EQ(pack.variants[60], 0);
  EXPECT_EQ(pack.sounds[static_cast<std::size_t>(pack.first[180]) + 1].variant, 2);
  EXPECT_EQ(pack.memory, 3 * (wav_header_size + 160));
  caller_pack_release(pack);
  EXPECT_TRUE(pack.sounds.empty());
  EXPECT_EQ(pack.variants[180], 0);

  EXPECT_EQ(caller_pack_load(pack, (dir.path + "/gone").c_str(), caller_platform_files, nullptr, nullptr),
            caller_folder::missing);
}

TEST(CallerPack, TheMemoryLimitCountsEverySoundKept) {
  temp_folder dir;
  const std::size_t eleven_mb = 11u * 1024 * 1024;
  for (const char* name : {"1.wav", "2.wav", "3.wav", "4.wav"}) dir.write(name, pcm_file(std::string(eleven_mb, 'x')));
  dir.write("5.wav", pcm_file(marked("small")));
  caller_pack pack;
  reported report;
  caller_pack_load(pack, dir.path.c_str(), caller_platform_files, reported::add, &report);
  const std::string over = wav_fault_text(wav_fault::over_total);
  EXPECT_EQ(report.lines, (std::vector<std::string>{"1.wav: played", "2.wav: played", "3.wav: " + over,
                                                    "4.wav: " + over, "5.wav: played"}));
  EXPECT_LE(pack.memory, caller_memory_limit);
  caller_pack_release(pack);
}

// A pack with the given calls, each as many variants as given, without files.
struct fake_pack {
  caller_pack pack;
  explicit fake_pack(std::initializer_list<std::pair<int, int>> ids) {
    for (const auto& [id, variants] : ids) {
      pack.first[id] = static_cast<int32_t>(pack.sounds.size());
      pack.variants[id] = variants;
      for (int v = 0; v < variants; ++v) {
        caller_sound sound = {static_cast<int16_t>(id), static_cast<int16_t>(v), nullptr, 0, 10};
        pack.sounds.push_back(std::move(sound));
      }
    }
  }
  // The calls of a plan as "id" or "id+variant".
  std::vector<std::string> names(const caller_plan& plan) const {
    std::vector<std::string> out;
    for (int i = 0; i < plan.count; ++i) {
      const caller_sound& s = pack.sounds[static_cast<std::size_t>(plan.sounds[i])];
      char name[16];
      caller_name_of_id(s.id, name);
      out.push_back(std::string(name) + (s.variant > 0 ? "+" + std::to_string(s.variant) : ""));
    }
    return out;
  }
};

match_events quiet() {
  match_events e = {};
  e.undo_player = -1;
  e.visit_player = -1;
  e.turn_player = -1;
  return e;
}

match_events visit(int player, int score, int turn_player = -1, int turn_score = 0) {
  match_events e = quiet();
  e.visit_player = player;
  e.visit_score = score;
  e.turn_player = turn_player;
  e.turn_score = turn_score;
  return e;
}

uint32_t fixed_random(void* context) { return *static_cast<uint32_t*>(context); }

TEST(CallerPlan, WhatANoticeCalls) {
  const fake_pack full({{0, 1},
                        {26, 1},
                        {40, 1},
                        {100, 1},
                        {180, 1},
                        {caller_id::gameshot, 1},
                        {caller_id::setshot, 1},
                        {caller_id::you_require, 1},
                        {caller_id::gameon, 1},
                        {caller_id::required(32), 1}});
  const fake_pack bare({{26, 1}, {40, 1}, {caller_id::gameshot, 1}, {caller_id::you_require, 1}});
  match_events won_leg = visit(0, 40);
  won_leg.visit_won_leg = true;
  match_events won_set = won_leg;
  won_set.visit_won_set = true;
  match_events new_match = quiet();
  new_match.new_match = true;
  new_match.new_leg = true;
  match_events first = visit(0, 26, 1, 40);
  first.starting_point = true;
  match_events undo = visit(0, 26, 1, 40);
  undo.undo_player = 1;
  using names = std::vector<std::string>;
  const struct {
    const char* what;
    const fake_pack& pack;
    match_events events;
    names calls;
    bool cut;
  } cases[] = {
      {"a visit", full, visit(0, 26), {"26.wav"}, true},
      {"a bust", full, visit(0, 0, 1, 100), {"0.wav", "you_require.wav", "100.wav"}, true},
      {"a visit, then the other player requires 40", full, visit(0, 26, 1, 40), {"26.wav", "you_require.wav", "40.wav"}, true},
      {"requires 32: the single file", full, visit(0, 26, 1, 32), {"26.wav", "yr_32.wav"}, true},
      {"requires 171: no finish", full, visit(0, 26, 1, 171), {"26.wav"}, true},
      {"requires 169: no route", full, visit(0, 26, 1, 169), {"26.wav"}, true},
      {"requires 100 without 100.wav", bare, visit(0, 40, 1, 100), {"40.wav"}, true},
      {"a score without its file", bare, visit(0, 180), {}, false},
      {"a leg won", full, won_leg, {"gameshot.wav"}, true},
      {"a set won", full, won_set, {"setshot.wav"}, true},
      {"a set won without setshot.wav", bare, won_set, {"gameshot.wav"}, true},
      {"a new match", full, new_match, {"gameon.wav"}, true},
      {"the first notice", full, first, {}, false},
      {"an undo", full, undo, {}, true},
      {"a dart of a turn under way", full, quiet(), {}, false},
  };
  for (const auto& c : cases) {
    const caller_plan plan = caller_plan_for(c.events, c.pack.pack, nullptr, nullptr);
    EXPECT_EQ(c.pack.names(plan), c.calls) << c.what;
    EXPECT_EQ(plan.cut, c.cut) << c.what;
  }
}

TEST(CallerPlan, VariantsArePickedByTheRandomSource) {
  const fake_pack pack({{180, 3}});
  for (uint32_t r = 0; r < 6; ++r) {
    uint32_t value = r;
    const caller_plan plan = caller_plan_for(visit(1, 180), pack.pack, fixed_random, &value);
    ASSERT_EQ(plan.count, 1);
    EXPECT_EQ(plan.sounds[0], static_cast<int32_t>(r % 3));
  }
}

TEST(CallerQueue, ANewCallCutsAnUndoSilencesADartLeavesAlone) {
  const fake_pack pack({{26, 1}, {40, 1}, {60, 1}, {caller_id::you_require, 1}});
  caller_queue queue = {};
  ASSERT_TRUE(caller_queue_take(queue, caller_plan_for(visit(0, 26, 1, 40), pack.pack, nullptr, nullptr)));
  EXPECT_EQ(caller_queue_next(queue), 0);  // 26 plays; "you require 40" waits
  EXPECT_FALSE(caller_queue_take(queue, caller_plan_for(quiet(), pack.pack, nullptr, nullptr)));
  EXPECT_EQ(caller_queue_next(queue), pack.pack.first[caller_id::you_require]);
  // The next visit ends before "40" was called: its call replaces the rest.
  ASSERT_TRUE(caller_queue_take(queue, caller_plan_for(visit(1, 60), pack.pack, nullptr, nullptr)));
  EXPECT_EQ(caller_queue_next(queue), pack.pack.first[60]);
  EXPECT_EQ(caller_queue_next(queue), -1);
  ASSERT_TRUE(caller_queue_take(queue, caller_plan_for(visit(0, 26, 1, 40), pack.pack, nullptr, nullptr)));
  match_events undo = quiet();
  undo.undo_player = 0;
  EXPECT_TRUE(caller_queue_take(queue, caller_plan_for(undo, pack.pack, nullptr, nullptr)));
  EXPECT_EQ(caller_queue_next(queue), -1);
}

}  // namespace
