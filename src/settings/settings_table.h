// The plug-in's 79 settings, one record per section of dsv_view.ini.
// The records are module-wide globals: filled at library load, read and changed
// by the views while they are open, written back into the file at unload.
#pragma once

#include <cstdint>

// Same layout as a Windows RECT, so the Win32 side can write into it in one call.
// Stored and used, right holds the window's width and bottom its height.
struct settings_rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// A Windows colour reference, 0xTTBBGGRR (red in the low byte).
using color_ref = uint32_t;

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
