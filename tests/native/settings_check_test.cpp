// dsv_host --check-settings without Windows: one file with each kind of problem
// and the line each gives, skin files found beside the settings file, and the
// files that must pass clean (the plug-in's first save and the sample).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bitmap_file.h"
#include "settings_check.h"
#include "profile_test_support.h"
#include "settings/profile_platform.h"
#include "settings_default_text.h"
#include "wav_test_support.h"

namespace {

// The system's files with the Windows separator the checker joins skin names
// with turned into this system's.
std::string posix_path(const char* path) {
  std::string p(path);
  for (char& c : p) c = c == '\\' ? '/' : c;
  return p;
}
int read_posix(const char* path, heap_text& bytes) { return profile_platform_files.read(posix_path(path).c_str(), bytes); }
int exists_posix(const char* path) { return profile_platform_files.exists(posix_path(path).c_str()); }
const profile_file_ops files = [] {
  profile_file_ops ops = profile_platform_files;
  ops.read = read_posix;
  ops.exists = exists_posix;
  return ops;
}();

void write_bmp(const std::string& path, int width, int height) {
  const std::vector<unsigned char> bytes =
      bmp_file_bytes(width, height, std::vector<uint32_t>(static_cast<std::size_t>(width) * height, 0x00102030));
  write_bytes(path, std::string(bytes.begin(), bytes.end()));
}

struct checked {
  int code;
  std::vector<std::string> lines;
};

checked check(const std::string& path) {
  checked c;
  c.code = settings_check(path, files, nullptr, c.lines);
  return c;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(SettingsCheck, OneLineForEachProblem) {
  scratch_dir dir;
  ASSERT_EQ(mkdir(dir.file("skin").c_str(), 0700), 0);
  write_bmp(dir.file("skin/back.bmp"), 400, 300);
  write_bmp(dir.file("skin/num_l.bmp"), 405, 30);  // cells of 40, five columns spare
  write_bytes(dir.file("ini"),
              "stray=1\n"
              "[view_window]\n"
              "colour_line_color=\"0xFF0000\"\n"
              "right=5\n"
              "color_name_text=\"yellow\"\n"
              "color_head_text=\"0xff00ff\"\n"
              "color_sets_text=\"0xFF00FF00\"\n"
              "zebra=1\n"
              "left=10\n"
              "LEFT=20\n"
              "bmp_back=\"skin\\back.bmp\"\n"
              "bmp_num_l=\"skin/num_l.bmp\"\n"
              "bmp_num_s=\"skin\\num_s.bmp\"\n"
              "bmp_score_x_1=300\nbmp_score_y_1=50\n"
              "bmp_legs_x_2=450\nbmp_legs_y_2=10\n"
              "bmp_name_left_2=200\nbmp_name_top_2=0\nbmp_name_right_2=420\nbmp_name_bottom_2=40\n"
              "bmp_extra_left_1=10\nbmp_extra_top_1=280\nbmp_extra_right_1=200\nbmp_extra_bottom_1=320\n"
              "show_checkout=1\n"
              "[score_window]\nbottom=-20\n"
              "[result_window]\nleft=3\n"
              "[view_window]\ntop=4\n");
  const checked c = check(dir.file("ini"));
  EXPECT_EQ(c.code, settings_check_exit::problems);
  const std::string skin = dir.path + "\\skin\\";
  EXPECT_EQ(joined(c.lines),
            "stray: a key before the first section; no view reads it\n"
            "[view_window] colour_line_color: no view reads this key; did you mean color_line_color\n"
            "[view_window] zebra: no view reads this key\n"
            "[view_window] LEFT: given again; only the first value is read\n"
            "[result_window]: no view reads this section; did you mean reslut_window\n"
            "[view_window]: the section appears again; no view reads the keys of this second one\n"
            "[view_window] right: 5 is 10 or less; the window's width becomes 100\n"
            "[view_window] color_name_text: \"yellow\" is not in the form 0xRRGGBB; it reads as 0x000000\n"
            "[view_window] color_sets_text: \"0xFF00FF00\" is not in the form 0xRRGGBB; it reads as 0xFFFFFF\n"
            "[score_window] bottom: -20 is 10 or less; the window's height becomes 114\n"
            "[view_window] bmp_num_s: " + skin + "num_s.bmp is missing; no sets or legs are drawn\n"
            "[view_window] bmp_num_l: the strip is 405 pixels wide, not a multiple of ten; each digit is 40 pixels "
            "wide and the last 5 columns are never shown\n"
            "[view_window] bmp_score_x_1, bmp_score_y_1: (300, 50) with three digits to (420, 80) reaches outside "
            "the 400 x 300 background; the score's digits outside it are not shown\n"
            "[view_window] bmp_extra_left_1, bmp_extra_top_1, bmp_extra_right_1, bmp_extra_bottom_1: (10, 280, 200, "
            "320) reaches outside the 400 x 300 background; what the options draw there is cut at its edge\n"
            "[view_window] bmp_name_left_2, bmp_name_top_2, bmp_name_right_2, bmp_name_bottom_2: (200, 0, 420, 40) "
            "reaches outside the 400 x 300 background; the name is cut at its edge\n"
            "[view_window] bmp_legs_x_2, bmp_legs_y_2: (450, 10) lies outside the 400 x 300 background; the legs' "
            "digits are not shown\n");
}

// The large view's newer options: known keys, with the values they cannot take.
TEST(SettingsCheck, NewerOptionsOfTheLargeView) {
  scratch_dir dir;
  write_bytes(dir.file("dsv_view.ini"),
              "[view_window]\nshow_checkout=3\nshow_callout=1\ncallout_seconds=0\nshow_last_visits=1\n"
              "color_turn=\"green\"\n");
  const checked c = check(dir.file("dsv_view.ini"));
  EXPECT_EQ(c.code, settings_check_exit::problems);
  EXPECT_EQ(joined(c.lines),
            "[view_window] show_last_visits: no view reads this key; did you mean show_last_visit\n"
            "[view_window] show_checkout: 3 is neither 0, 1 nor 2; it shows the route of the player to throw, as 1\n"
            "[view_window] callout_seconds: 0 is outside 1 to 60; the banner stays 1 second\n"
            "[view_window] color_turn: \"green\" is not in the form 0xRRGGBB; it reads as 0x000000\n");
}

TEST(SettingsCheck, SkinFilesThatDoNotLoad) {
  scratch_dir dir;
  write_bmp(dir.file("num.bmp"), 200, 20);
  write_bytes(dir.file("back.bmp"), "BM but no picture");
  const struct {
    const char* names;
    std::vector<std::string> lines;
  } rows[] = {
      {"bmp_back=back.bmp\nbmp_num_l=num.bmp\nbmp_num_s=num.bmp\nbmp_score_x_1=5000\nbmp_score_y_1=1\n",
       {"[view_window] bmp_back: " + dir.path + "\\back.bmp is not a bitmap the view can load; the large view stays "
        "in text mode"}},
      {"bmp_back=num.bmp\nbmp_num_s=\n",
       {"[view_window] bmp_num_l: empty, so no skin is loaded: bmp_back, bmp_num_l and bmp_num_s must all be named",
        "[view_window] bmp_num_s: empty, so no skin is loaded: bmp_back, bmp_num_l and bmp_num_s must all be named"}},
  };
  for (const auto& r : rows) {
    write_bytes(dir.file("dsv_view.ini"), std::string("[view_window]\n") + r.names);
    const checked c = check(dir.file("dsv_view.ini"));
    EXPECT_EQ(c.code, settings_check_exit::problems) << r.names;
    EXPECT_EQ(c.lines, r.lines) << r.names;
  }
}

TEST(SettingsCheck, TheFirstSaveTheSampleAndAWholeSkinAreClean) {
  scratch_dir dir;
  write_bmp(dir.file("back.bmp"), 400, 300);
  write_bmp(dir.file("num_l.bmp"), 200, 30);
  write_bmp(dir.file("num_s.bmp"), 100, 16);
  const std::string skin =
      "[view_window]\nbmp_back=\"" + dir.file("back.bmp") + "\"\nbmp_num_l=num_l.bmp\nbmp_num_s=num_s.bmp\n"
      "bmp_score_x_1=340\nbmp_score_y_1=270\nbmp_legs_x_2=370\nbmp_legs_y_2=284\n"
      "bmp_name_left_1=0\nbmp_name_top_1=0\nbmp_name_right_1=400\nbmp_name_bottom_1=300\n"
      "bmp_extra_left_2=300\nbmp_extra_top_2=250\nbmp_extra_right_2=200\nbmp_extra_bottom_2=900\n"
      "show_checkout=1\nshow_average=1\nshow_first_mark=1\ncolor_first_mark=\"0x800000\"\ncolor_name_text=\n"
      "show_last_visit=1\nshow_callout=1\ncallout_seconds=60\nshow_turn=1\ncolor_turn=\"0x00E000\"\n"
      "color_checkout_waiting=\"0x909090\"\n";
  const std::string sample = read_bytes(std::string(DSV_SOURCE_DIR) + "/docs/dsv_view.ini");
  ASSERT_NE(sample, "<missing>");
  for (const std::string& text : {default_settings_text(1920, 1040), sample, skin}) {
    write_bytes(dir.file("dsv_view.ini"), text);
    const checked c = check(dir.file("dsv_view.ini"));
    EXPECT_EQ(c.code, settings_check_exit::clean) << joined(c.lines);
    EXPECT_FALSE(profile_document.present);
  }
}

TEST(SettingsCheck, AFileThatCannotBeRead) {
  scratch_dir dir;
  for (const std::string& path : {dir.file("missing.ini"), dir.path}) {
    const checked c = check(path);
    EXPECT_EQ(c.code, settings_check_exit::unreadable) << path;
    ASSERT_EQ(c.lines.size(), 1u);
    EXPECT_EQ(c.lines[0], path == dir.path ? "cannot read " + path + " (not a file, or not readable)"
                                           : path + " not found");
  }
}

}  // namespace

namespace {

TEST(SettingsCheck, TheCallersFolder) {
  scratch_dir dir;
  ASSERT_EQ(mkdir(dir.file("calls").c_str(), 0700), 0);
  const std::string wav = wav_test::pcm_file(wav_test::marked("a call"));
  for (int score = 0; score <= 180; ++score) write_bytes(dir.file(("calls/" + std::to_string(score) + ".wav").c_str()), wav);
  write_bytes(dir.file("calls/gameshot.wav"), wav);
  write_bytes(dir.file("calls/yr_40.wav"), wav);
  write_bytes(dir.file("calls/60.wav"), "ID3");
  write_bytes(dir.file("calls/60+1.wav"), wav);
  write_bytes(dir.file("calls/180+1.wav"), wav.substr(0, 50));
  write_bytes(dir.file("calls/notes.txt"), "not a call");
  write_bytes(dir.file("dsv_view.ini"), "[view_window]\ncaller_dir=calls\n");
  checked c = check(dir.file("dsv_view.ini"));
  EXPECT_EQ(c.code, settings_check_exit::problems);
  EXPECT_EQ(joined(c.lines),
            "[view_window] caller_dir: 60.wav is not played: not a WAV file (no RIFF/WAVE header)\n"
            "[view_window] caller_dir: 180+1.wav is not played: the header promises more sound data than the file "
            "holds\n"
            "[view_window] caller_dir: 182 of the 185 expected files are there (0.wav to 180.wav, gameshot, setshot, "
            "you_require, gameon); missing, so not called: setshot.wav, you_require.wav, gameon.wav\n");

  for (const char* word : {"setshot", "you_require", "gameon"}) write_bytes(dir.file(("calls/" + std::string(word) + ".wav").c_str()), wav);
  std::remove(dir.file("calls/60.wav").c_str());
  std::remove(dir.file("calls/180+1.wav").c_str());
  c = check(dir.file("dsv_view.ini"));
  EXPECT_EQ(c.code, settings_check_exit::clean) << joined(c.lines);

  write_bytes(dir.file("dsv_view.ini"), "[view_window]\ncaller_dir=" + dir.file("gone") + "\n");
  c = check(dir.file("dsv_view.ini"));
  EXPECT_EQ(joined(c.lines), "[view_window] caller_dir: " + dir.file("gone") + " is missing; the caller stays silent\n");
}

}  // namespace
