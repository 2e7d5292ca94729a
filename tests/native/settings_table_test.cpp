// The 79 settings: defaults, the window-size normalisation, and the order and
// form in which they are written back.
#include <gtest/gtest.h>

#include <cstring>

#include "profile_test_support.h"
#include "settings/settings_table.h"
#include "settings_default_text.h"

namespace {

const settings_rect work_area = {0, 0, 1920, 1040};

// Fills the globals from `file` (none when null) as the start-up does.
void start_with(const char* file, std::size_t size) {
  std::memset(&view_settings, 0x5A, sizeof view_settings);
  std::memset(&score_settings, 0x5A, sizeof score_settings);
  std::memset(&result_settings, 0x5A, sizeof result_settings);
  if (file != nullptr) profile_load_text(file, size);
  view_settings.geometry = work_area;
  settings_read_all("unused.ini");
  profile_free();
}
void start_with(const std::string& file) { start_with(file.data(), file.size()); }

// What the shut-down writes into `file` (none when null).
std::string saved_over(const std::string* file) {
  if (file != nullptr) load_text(*file);
  settings_write_all("unused.ini");
  std::string out = rendered();
  profile_free();
  return out;
}

TEST(SettingsTable, FirstSaveWithoutFileHoldsEveryDefaultInOrder) {
  start_with(nullptr, 0);
  EXPECT_EQ(saved_over(nullptr), default_settings_text(1920, 1040));
  EXPECT_STREQ(view_settings.font_name, "Arial");
  EXPECT_STREQ(score_settings.title, "");
  EXPECT_EQ(view_settings.color_name_text, 0x0000FFFFu);  // yellow, no file flag
  EXPECT_EQ(score_settings.color_sets_back, 0x006A240Au);
  EXPECT_EQ(result_settings.color_title_text, 0x00404040u);
}

TEST(SettingsTable, NormalisesWindowSizesOnly) {
  struct row {
    const char* file;
    const int32_t* field;
    int32_t value;
  } rows[] = {
      {"[view_window]\nright=5", &view_settings.geometry.right, 100},
      {"[view_window]\nbottom=10", &view_settings.geometry.bottom, 100},
      {"[view_window]\nbottom=11", &view_settings.geometry.bottom, 11},
      {"", &view_settings.geometry.bottom, 1040},
      {"[score_window]\nbottom=-20", &score_settings.geometry.bottom, 114},
      {"[score_window]\nbottom=11", &score_settings.geometry.bottom, 11},
      {"[score_window]\nright=0", &score_settings.geometry.right, 460},
      {"[reslut_window]\nright=abc", &result_settings.geometry.right, 437},
      {"[reslut_window]\nbottom=", &result_settings.geometry.bottom, 357},
      {"[reslut_window]\nleft=-1200", &result_settings.geometry.left, -1200},
      {"[view_window]\nvisible_set=7", &view_settings.visible_set, 7},
      {"[view_window]\nsize_width=-4", &view_settings.size_width, -4},
      {"[score_window]\nline_width=0", &score_settings.line_width, 0},
      {"[reslut_window]\nreslut_full_screen=1", &result_settings.reslut_full_screen, 1},
      {"[view_window]\nbmp_legs_y_2=9", &view_settings.bmp_legs_y[1], 9},
      {"[view_window]\nbmp_name_top_1=8", &view_settings.bmp_name_top[0], 8},
  };
  for (const row& r : rows) {
    start_with(r.file);
    EXPECT_EQ(*r.field, r.value) << r.file;
  }
}

TEST(SettingsTable, ColoursAndTexts) {
  start_with(
      "[view_window]\ncolor_name_text=\ncolor_name_back=\"0x0000FF\"\ncolor_sets_back=0x0000FF\n"
      "bmp_back=\"skin.bmp\"\nfont_name=\"" +
      std::string(300, 'f') +
      "\"\n"
      "[score_window]\ntitle=\"  Final  \"");
  EXPECT_EQ(view_settings.color_name_text, 0x0000FFFFu);  // empty: the default
  EXPECT_EQ(view_settings.color_name_back, 0x02FF0000u);  // blue from the file
  EXPECT_EQ(view_settings.color_sets_back, 0x02FF0000u);
  EXPECT_STREQ(view_settings.bmp_back, "skin.bmp");
  EXPECT_EQ(std::string(view_settings.font_name), std::string(254, 'f'));
  EXPECT_STREQ(score_settings.title, "  Final  ");
  EXPECT_STREQ(score_settings.font_name, "Arial");
}

TEST(SettingsTable, SaveKeepsWhatTheFileHoldsAndAppendsWhatItLacks) {
  const std::string file =
      "# my settings\n[score_window]\nTitle=\"Old\"\nfoo=bar\n; not ours\n[other]\nx=1\n[VIEW_WINDOW]\nLEFT=-7\n";
  start_with(file);
  std::strcpy(score_settings.title, "New");
  const std::string out = saved_over(&file);
  const std::string full = default_settings_text(1920, 1040);
  EXPECT_EQ(out.find("# my settings\r\n\r\n[score_window]\r\nTitle=\"New\"\r\nfoo=bar\r\n; not ours=\r\nleft=0\r\n"), 0u)
      << out;
  EXPECT_NE(out.find("\r\n[other]\r\nx=1\r\n\r\n[VIEW_WINDOW]\r\nLEFT=-7\r\ntop=0\r\nright=1920\r\n"), std::string::npos);
  EXPECT_EQ(out.find("[view_window]"), std::string::npos);
  // The result section was missing: appended whole, at the end.
  EXPECT_EQ(out.substr(out.find("[reslut_window]")), full.substr(full.find("[reslut_window]")));
  // Every key of the table is there once loaded again, and a second cycle changes nothing.
  start_with(out);
  EXPECT_EQ(saved_over(&out), out);
}

TEST(SettingsTable, LargeViewOptionsAreReadButNeverWritten) {
  start_with(nullptr, 0);
  EXPECT_EQ(view_extras.show_checkout, 0);
  EXPECT_EQ(view_extras.show_average, 0);
  EXPECT_EQ(view_extras.show_first_mark, 0);
  EXPECT_EQ(view_extras.color_first_mark, 0x00000080u);  // 0x800000, the small view's dark red
  EXPECT_EQ(view_extras.bmp_extra_right[1], 0);
  EXPECT_EQ(view_extras.show_last_visit, 0);
  EXPECT_EQ(view_extras.show_callout, 0);
  EXPECT_EQ(view_extras.callout_seconds, 3);
  EXPECT_EQ(view_extras.show_turn, 0);
  EXPECT_EQ(view_extras.color_turn, 0x0000E000u);
  EXPECT_EQ(view_extras.color_checkout_waiting, 0x00909090u);
  const std::string file =
      "[view_window]\nshow_checkout = 1 \nshow_average=2\ncolor_first_mark=\"0x00FF00\"\nbmp_extra_bottom_2=40\n"
      "callout_seconds=5\n";
  start_with(file);
  EXPECT_EQ(view_extras.show_checkout, 1);
  EXPECT_EQ(view_extras.show_average, 2);
  EXPECT_EQ(view_extras.show_first_mark, 0);
  EXPECT_EQ(view_extras.color_first_mark, 0x0200FF00u);
  EXPECT_EQ(view_extras.bmp_extra_bottom[1], 40);
  EXPECT_EQ(view_extras.callout_seconds, 5);
  // The save keeps the lines as the file has them and adds none of the others.
  view_extras.show_checkout = 0;
  view_extras.show_first_mark = 1;
  view_extras.show_callout = 1;
  view_extras.callout_seconds = 9;
  const std::string out = saved_over(&file);
  const std::string kept = round_trip(file);
  EXPECT_EQ(out.find(kept.substr(0, kept.find("\r\n\r\n"))), 0u) << out;
  EXPECT_NE(out.find("callout_seconds=5\r\n"), std::string::npos) << out;
  for (const char* absent : {"show_first_mark", "bmp_extra_left", "bmp_extra_top", "bmp_extra_right_1", "show_callout",
                             "show_last_visit", "show_turn", "color_turn", "color_checkout_waiting"}) {
    EXPECT_EQ(out.find(absent), std::string::npos) << absent;
  }
}

TEST(SettingsTable, StartAndEndThroughTheFile) {
  scratch_dir dir;
  const std::string ini = dir.file("dsv_view.ini");
  settings_load_from_file(ini.c_str(), &work_area, profile_platform_files);
  EXPECT_EQ(view_settings.geometry.right, 1920);
  view_settings.full_screen = 1;
  EXPECT_EQ(settings_save_to_file(ini.c_str(), profile_platform_files), 1);
  std::string expected = default_settings_text(1920, 1040);
  expected.replace(expected.find("full_screen=0"), 13, "full_screen=1");
  EXPECT_EQ(read_bytes(ini), expected);
  EXPECT_FALSE(profile_document.present);
  // An empty path (no place for the file) reads nothing and writes nothing.
  settings_load_from_file("", &work_area, profile_platform_files);
  EXPECT_EQ(view_settings.full_screen, 0);
  EXPECT_EQ(settings_save_to_file("", profile_platform_files), 0);
}

}  // namespace
