// The plug-in's 79 settings, one record per section of dsv_view.ini.
// The records are module-wide globals: filled at library load, read and changed
// by the views while they are open, written back into the file at unload.
#pragma once

#include <cstdint>

#include "base/color_ref.h"
struct profile_file_ops;

// Same layout as a Windows RECT, so the Win32 side can write into it in one call.
// Stored and used, right holds the window's width and bottom its height.
struct settings_rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

constexpr int settings_text_size = 256;

// Section "view_window": the large score view.
struct view_window_settings {
  settings_rect geometry;
  int32_t visible_set;
  int32_t size_width;
  int32_t full_screen;
  char font_name[settings_text_size];
  int32_t name_font_size;
  color_ref color_line_color;
  color_ref color_head_text;
  color_ref color_name_text;
  color_ref color_name_back;
  color_ref color_sets_text;
  color_ref color_sets_back;
  color_ref color_legs_text;
  color_ref color_legs_back;
  color_ref color_score_text;
  color_ref color_score_back;
  char bmp_back[settings_text_size];
  char bmp_num_l[settings_text_size];
  char bmp_num_s[settings_text_size];
  // Skin positions by player index (0 for the keys ending in _1, 1 for _2),
  // in pixels of the background bitmap.
  int32_t bmp_name_left[2];
  int32_t bmp_name_top[2];
  int32_t bmp_name_right[2];
  int32_t bmp_name_bottom[2];
  int32_t bmp_score_x[2];
  int32_t bmp_score_y[2];
  int32_t bmp_sets_x[2];
  int32_t bmp_sets_y[2];
  int32_t bmp_legs_x[2];
  int32_t bmp_legs_y[2];
};

// Section "score_window": the small score view.
struct score_window_settings {
  char title[settings_text_size];
  settings_rect geometry;
  int32_t visible_set;
  int32_t line_width;
  int32_t size_width;
  char font_name[settings_text_size];
  color_ref color_line_color;
  color_ref color_first_mark;
  color_ref color_head_text;
  color_ref color_head_back;
  color_ref color_name_text;
  color_ref color_name_back;
  color_ref color_sets_text;
  color_ref color_sets_back;
  color_ref color_legs_text;
  color_ref color_legs_back;
  color_ref color_score_text;
  color_ref color_score_back;
  color_ref color_current_mark;
  color_ref color_current_back;
};

// Section "reslut_window" (spelled so in the file): the result view.
struct result_window_settings {
  settings_rect geometry;
  int32_t reslut_line_width;
  int32_t reslut_size_width;
  int32_t reslut_full_screen;
  char font_name[settings_text_size];
  color_ref color_line_color;
  color_ref color_head_back;
  color_ref color_body_back;
  color_ref color_head_text;
  color_ref color_title_text;
  color_ref color_stats_text;
};

extern view_window_settings view_settings;
extern score_window_settings score_settings;
extern result_window_settings result_settings;

// One row of the settings table: where a setting lives in the file and in the
// globals, how it is read and written, and its default.
enum class setting_kind { integer, text, colour };
struct setting_row {
  const char* section;
  const char* key;
  setting_kind kind;
  void* field;              // int32_t, char[settings_text_size] or color_ref in a record above
  uint32_t default_number;  // integer (as its 32 bits) or colour default
  const char* default_text;
  int32_t fixed_size;       // window sizes: a value of 10 or less becomes this; 0 for the rest
  bool default_is_field;    // the large view's width and height: the default is what the field holds
};

constexpr int settings_count = 79;
// The 79 settings in load and save order: "view_window", "score_window", "reslut_window".
extern const setting_row settings_rows[settings_count];

// Options of the large view beyond the table above, all off unless the file
// sets them. They are read at start-up with the others but never written back:
// a file keeps them as the user wrote them, and a file without them stays as it is.
struct view_window_extras {
  int32_t show_checkout;    // 1: the route of the player to throw; 2: both players' routes
  int32_t show_average;     // each player's three-dart average under the name
  int32_t show_first_mark;  // a circle beside the name of who threw first in the leg
  color_ref color_first_mark;
  int32_t show_last_visit;  // each player's last visit in the leg, "-" before the first
  int32_t show_callout;     // a banner across the board for a 180, a leg or a set won
  int32_t callout_seconds;  // how long the banner stays (board_callout_milliseconds clamps it)
  int32_t show_turn;        // the player to throw marked beside the name
  color_ref color_turn;
  color_ref color_checkout_waiting;  // the waiting player's route with show_checkout 2
  // Bitmap mode: where the three go, per player, in pixels of the background.
  int32_t bmp_extra_left[2];
  int32_t bmp_extra_top[2];
  int32_t bmp_extra_right[2];
  int32_t bmp_extra_bottom[2];
  // The caller's sound folder and the stream feed's folder, relative to the
  // library's folder or absolute; empty: no sound, no feed.
  char caller_dir[settings_text_size];
  char stream_dir[settings_text_size];
};

extern view_window_extras view_extras;

constexpr int settings_read_only_count = 20;
// Read after the table above, in this order; settings_write_all skips them.
extern const setting_row settings_read_only_rows[settings_read_only_count];

// Reads every setting from the profile document into its global, in table
// order (the read-only rows last), with its default where the document has no
// value and the window sizes normalised. The large view's geometry must hold the work area beforehand: its
// right and bottom are the defaults of that window's width and height.
void settings_read_all(const char* path) noexcept;

// Writes every setting from its global into the profile document, in table order.
void settings_write_all(const char* path) noexcept;

// The start-up half: loads the file at `path`, puts `work_area` (when not null)
// into the large view's geometry, reads every setting and frees the document.
// Remembers whether a file was there but could not be read, and the values
// the settings start with.
void settings_load_from_file(const char* path, const settings_rect* work_area, const profile_file_ops& files) noexcept;

// The shut-down half: loads the file again (keeping what it holds besides our
// settings), writes every setting into it, saves and frees the document. A
// file that exists but cannot be read is left alone. When it could not be read
// at start-up, only the settings changed since then are written, and the file
// is not touched when none did. Nothing is saved unless every setting to be
// written went into the document. 1 when saved, 0 otherwise.
int settings_save_to_file(const char* path, const profile_file_ops& files) noexcept;
