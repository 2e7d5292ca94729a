// The settings file that a first unload writes when there was none: every
// setting at its default, the large view's width and height from the work area.
#pragma once

#include <string>

inline std::string default_settings_text(int width, int height) {
  return "[view_window]\r\nleft=0\r\ntop=0\r\nright=" + std::to_string(width) +
         "\r\nbottom=" + std::to_string(height) +
         "\r\n"
         "visible_set=1\r\nsize_width=3\r\nfull_screen=0\r\nfont_name=\"Arial\"\r\nname_font_size=0\r\n"
         "color_line_color=\"0x000000\"\r\ncolor_head_text=\"0xFFFFFF\"\r\n"
         "color_name_text=\"0xFFFF00\"\r\ncolor_name_back=\"0x2D2D2D\"\r\n"
         "color_sets_text=\"0xFFFF00\"\r\ncolor_sets_back=\"0x2D2D2D\"\r\n"
         "color_legs_text=\"0xFFFF00\"\r\ncolor_legs_back=\"0x2D2D2D\"\r\n"
         "color_score_text=\"0xFFFF00\"\r\ncolor_score_back=\"0x2D2D2D\"\r\n"
         "bmp_back=\r\nbmp_num_l=\r\nbmp_num_s=\r\n"
         "bmp_name_left_1=0\r\nbmp_name_top_1=0\r\nbmp_name_right_1=0\r\nbmp_name_bottom_1=0\r\n"
         "bmp_score_x_1=0\r\nbmp_score_y_1=0\r\nbmp_sets_x_1=0\r\nbmp_sets_y_1=0\r\n"
         "bmp_legs_x_1=0\r\nbmp_legs_y_1=0\r\n"
         "bmp_name_left_2=0\r\nbmp_name_top_2=0\r\nbmp_name_right_2=0\r\nbmp_name_bottom_2=0\r\n"
         "bmp_score_x_2=0\r\nbmp_score_y_2=0\r\nbmp_sets_x_2=0\r\nbmp_sets_y_2=0\r\n"
         "bmp_legs_x_2=0\r\nbmp_legs_y_2=0\r\n"
         "\r\n"
         "[score_window]\r\ntitle=\r\nleft=0\r\ntop=0\r\nright=460\r\nbottom=114\r\nvisible_set=1\r\n"
         "line_width=2\r\nsize_width=3\r\nfont_name=\"Arial\"\r\n"
         "color_line_color=\"0x000000\"\r\ncolor_first_mark=\"0x800000\"\r\n"
         "color_head_text=\"0xFFFFFF\"\r\ncolor_head_back=\"0x000000\"\r\n"
         "color_name_text=\"0x000000\"\r\ncolor_name_back=\"0xFFFFFF\"\r\n"
         "color_sets_text=\"0xFFFFFF\"\r\ncolor_sets_back=\"0x0A246A\"\r\n"
         "color_legs_text=\"0xFFFFFF\"\r\ncolor_legs_back=\"0x0A246A\"\r\n"
         "color_score_text=\"0xFFFFFF\"\r\ncolor_score_back=\"0x0A246A\"\r\n"
         "color_current_mark=\"0x000000\"\r\ncolor_current_back=\"0xFFFFFF\"\r\n"
         "\r\n"
         "[reslut_window]\r\nleft=0\r\ntop=0\r\nright=437\r\nbottom=357\r\n"
         "reslut_line_width=2\r\nreslut_size_width=3\r\nreslut_full_screen=0\r\nfont_name=\"Arial\"\r\n"
         "color_line_color=\"0x000000\"\r\ncolor_head_back=\"0x0A246A\"\r\ncolor_body_back=\"0xFFFFFF\"\r\n"
         "color_head_text=\"0xFFFFFF\"\r\ncolor_title_text=\"0x404040\"\r\ncolor_stats_text=\"0x000000\"\r\n"
         "\r\n";
}
