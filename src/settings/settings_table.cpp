#include "settings/settings_table.h"

#include <cstring>
#include <functional>

#include "settings/profile_document.h"
#include "settings/profile_values.h"

view_window_settings view_settings;
score_window_settings score_settings;
result_window_settings result_settings;
view_window_extras view_extras;

namespace {

constexpr const char* view = "view_window";
constexpr const char* score = "score_window";
constexpr const char* result = "reslut_window";

constexpr setting_row integer(const char* section, const char* key, int32_t* field, int32_t value) {
  return {section, key, setting_kind::integer, field, static_cast<uint32_t>(value), nullptr, 0, false};
}
constexpr setting_row window_size(const char* section, const char* key, int32_t* field, int32_t value) {
  return {section, key, setting_kind::integer, field, static_cast<uint32_t>(value), nullptr, value, false};
}
constexpr setting_row text(const char* section, const char* key, char* field, const char* value) {
  return {section, key, setting_kind::text, field, 0, value, 0, false};
}
constexpr setting_row colour(const char* section, const char* key, color_ref* field, uint32_t rgb) {
  // Written as the file writes it, 0xRRGGBB; held as a colour reference, red low.
  return {section,
          key,
          setting_kind::colour,
          field,
          ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16),
          nullptr,
          0,
          false};
}
// The large view's width and height default to the work area put there first.
constexpr setting_row work_area_size(const char* key, int32_t* field) {
  return {view, key, setting_kind::integer, field, 0, nullptr, 100, true};
}

constexpr view_window_settings& v = view_settings;
constexpr score_window_settings& s = score_settings;
constexpr result_window_settings& r = result_settings;
constexpr view_window_extras& x = view_extras;

}  // namespace

const setting_row settings_rows[settings_count] = {
    integer(view, "left", &v.geometry.left, 0),
    integer(view, "top", &v.geometry.top, 0),
    work_area_size("right", &v.geometry.right),
    work_area_size("bottom", &v.geometry.bottom),
    integer(view, "visible_set", &v.visible_set, 1),
    integer(view, "size_width", &v.size_width, 3),
    integer(view, "full_screen", &v.full_screen, 0),
    text(view, "font_name", v.font_name, "Arial"),
    integer(view, "name_font_size", &v.name_font_size, 0),
    colour(view, "color_line_color", &v.color_line_color, 0x000000),
    colour(view, "color_head_text", &v.color_head_text, 0xFFFFFF),
    colour(view, "color_name_text", &v.color_name_text, 0xFFFF00),
    colour(view, "color_name_back", &v.color_name_back, 0x2D2D2D),
    colour(view, "color_sets_text", &v.color_sets_text, 0xFFFF00),
    colour(view, "color_sets_back", &v.color_sets_back, 0x2D2D2D),
    colour(view, "color_legs_text", &v.color_legs_text, 0xFFFF00),
    colour(view, "color_legs_back", &v.color_legs_back, 0x2D2D2D),
    colour(view, "color_score_text", &v.color_score_text, 0xFFFF00),
    colour(view, "color_score_back", &v.color_score_back, 0x2D2D2D),
    text(view, "bmp_back", v.bmp_back, ""),
    text(view, "bmp_num_l", v.bmp_num_l, ""),
    text(view, "bmp_num_s", v.bmp_num_s, ""),
    integer(view, "bmp_name_left_1", &v.bmp_name_left[0], 0),
    integer(view, "bmp_name_top_1", &v.bmp_name_top[0], 0),
    integer(view, "bmp_name_right_1", &v.bmp_name_right[0], 0),
    integer(view, "bmp_name_bottom_1", &v.bmp_name_bottom[0], 0),
    integer(view, "bmp_score_x_1", &v.bmp_score_x[0], 0),
    integer(view, "bmp_score_y_1", &v.bmp_score_y[0], 0),
    integer(view, "bmp_sets_x_1", &v.bmp_sets_x[0], 0),
    integer(view, "bmp_sets_y_1", &v.bmp_sets_y[0], 0),
    integer(view, "bmp_legs_x_1", &v.bmp_legs_x[0], 0),
    integer(view, "bmp_legs_y_1", &v.bmp_legs_y[0], 0),
    integer(view, "bmp_name_left_2", &v.bmp_name_left[1], 0),
    integer(view, "bmp_name_top_2", &v.bmp_name_top[1], 0),
    integer(view, "bmp_name_right_2", &v.bmp_name_right[1], 0),
    integer(view, "bmp_name_bottom_2", &v.bmp_name_bottom[1], 0),
    integer(view, "bmp_score_x_2", &v.bmp_score_x[1], 0),
    integer(view, "bmp_score_y_2", &v.bmp_score_y[1], 0),
    integer(view, "bmp_sets_x_2", &v.bmp_sets_x[1], 0),
    integer(view, "bmp_sets_y_2", &v.bmp_sets_y[1], 0),
    integer(view, "bmp_legs_x_2", &v.bmp_legs_x[1], 0),
    integer(view, "bmp_legs_y_2", &v.bmp_legs_y[1], 0),

    text(score, "title", s.title, ""),
    integer(score, "left", &s.geometry.left, 0),
    integer(score, "top", &s.geometry.top, 0),
    window_size(score, "right", &s.geometry.right, 460),
    window_size(score, "bottom", &s.geometry.bottom, 114),
    integer(score, "visible_set", &s.visible_set, 1),
    integer(score, "line_width", &s.line_width, 2),
    integer(score, "size_width", &s.size_width, 3),
    text(score, "font_name", s.font_name, "Arial"),
    colour(score, "color_line_color", &s.color_line_color, 0x000000),
    colour(score, "color_first_mark", &s.color_first_mark, 0x800000),
    colour(score, "color_head_text", &s.color_head_text, 0xFFFFFF),
    colour(score, "color_head_back", &s.color_head_back, 0x000000),
    colour(score, "color_name_text", &s.color_name_text, 0x000000),
    colour(score, "color_name_back", &s.color_name_back, 0xFFFFFF),
    colour(score, "color_sets_text", &s.color_sets_text, 0xFFFFFF),
    colour(score, "color_sets_back", &s.color_sets_back, 0x0A246A),
    colour(score, "color_legs_text", &s.color_legs_text, 0xFFFFFF),
    colour(score, "color_legs_back", &s.color_legs_back, 0x0A246A),
    colour(score, "color_score_text", &s.color_score_text, 0xFFFFFF),
    colour(score, "color_score_back", &s.color_score_back, 0x0A246A),
    colour(score, "color_current_mark", &s.color_current_mark, 0x000000),
    colour(score, "color_current_back", &s.color_current_back, 0xFFFFFF),

    integer(result, "left", &r.geometry.left, 0),
    integer(result, "top", &r.geometry.top, 0),
    window_size(result, "right", &r.geometry.right, 437),
    window_size(result, "bottom", &r.geometry.bottom, 357),
    integer(result, "reslut_line_width", &r.reslut_line_width, 2),
    integer(result, "reslut_size_width", &r.reslut_size_width, 3),
    integer(result, "reslut_full_screen", &r.reslut_full_screen, 0),
    text(result, "font_name", r.font_name, "Arial"),
    colour(result, "color_line_color", &r.color_line_color, 0x000000),
    colour(result, "color_head_back", &r.color_head_back, 0x0A246A),
    colour(result, "color_body_back", &r.color_body_back, 0xFFFFFF),
    colour(result, "color_head_text", &r.color_head_text, 0xFFFFFF),
    colour(result, "color_title_text", &r.color_title_text, 0x404040),
    colour(result, "color_stats_text", &r.color_stats_text, 0x000000),
};

const setting_row settings_read_only_rows[settings_read_only_count] = {
    integer(view, "show_checkout", &x.show_checkout, 0),
    integer(view, "show_average", &x.show_average, 0),
    integer(view, "show_first_mark", &x.show_first_mark, 0),
    colour(view, "color_first_mark", &x.color_first_mark, 0x800000),
    integer(view, "show_last_visit", &x.show_last_visit, 0),
    integer(view, "show_callout", &x.show_callout, 0),
    integer(view, "callout_seconds", &x.callout_seconds, 3),
    integer(view, "show_turn", &x.show_turn, 0),
    colour(view, "color_turn", &x.color_turn, 0x00E000),
    colour(view, "color_checkout_waiting", &x.color_checkout_waiting, 0x909090),
    integer(view, "bmp_extra_left_1", &x.bmp_extra_left[0], 0),
    integer(view, "bmp_extra_top_1", &x.bmp_extra_top[0], 0),
    integer(view, "bmp_extra_right_1", &x.bmp_extra_right[0], 0),
    integer(view, "bmp_extra_bottom_1", &x.bmp_extra_bottom[0], 0),
    integer(view, "bmp_extra_left_2", &x.bmp_extra_left[1], 0),
    integer(view, "bmp_extra_top_2", &x.bmp_extra_top[1], 0),
    integer(view, "bmp_extra_right_2", &x.bmp_extra_right[1], 0),
    integer(view, "bmp_extra_bottom_2", &x.bmp_extra_bottom[1], 0),
    text(view, "caller_dir", x.caller_dir, ""),
    text(view, "stream_dir", x.stream_dir, ""),
};

void settings_read_all(const char* path) noexcept {
  for (int i = 0; i < settings_count + settings_read_only_count; ++i) {
    const setting_row& row = i < settings_count ? settings_rows[i] : settings_read_only_rows[i - settings_count];
    switch (row.kind) {
      case setting_kind::integer: {
        auto* field = static_cast<int32_t*>(row.field);
        const int32_t fallback = row.default_is_field ? *field : static_cast<int32_t>(row.default_number);
        int32_t value = profile_get_int(row.section, row.key, fallback, path);
        if (row.fixed_size != 0 && value <= 10) value = row.fixed_size;
        *field = value;
        break;
      }
      case setting_kind::text:
        profile_get_string(row.section, row.key, row.default_text, static_cast<char*>(row.field),
                           settings_text_size - 1, path);
        break;
      case setting_kind::colour: {
        char scratch[settings_text_size];
        profile_get_string(row.section, row.key, "", scratch, settings_text_size, path);
        *static_cast<color_ref*>(row.field) = color_from_text(scratch, row.default_number);
        break;
      }
    }
  }
}

namespace {

// False when the value did not go into the document (memory ran out).
bool write_row(const setting_row& row, const char* path) noexcept {
  switch (row.kind) {
    case setting_kind::integer:
      return profile_write_int(row.section, row.key, *static_cast<const int32_t*>(row.field), path) != 0;
    case setting_kind::text: {
      // A view may have filled the buffer to its end: write at most 255 bytes.
      char value[settings_text_size];
      std::memcpy(value, row.field, settings_text_size - 1);
      value[settings_text_size - 1] = 0;
      return profile_write_string(row.section, row.key, value, path) != 0;
    }
    case setting_kind::colour:
      return profile_write_color(path, row.section, row.key, *static_cast<const color_ref*>(row.field)) != 0;
  }
  return false;
}

// When the file was there at start-up but could not be read, the globals hold
// defaults rather than the user's values: then only what changed while the
// views ran may reach the file, and these copies tell what did.
bool read_failed_at_start = false;
view_window_settings view_at_start;
score_window_settings score_at_start;
result_window_settings result_at_start;

// Where `copy` holds the field that lies at `field` in `record`; null when the
// field is not in it.
template <class Record>
const void* copy_of(const void* field, const Record& record, const Record& copy) {
  const char* at = static_cast<const char*>(field);
  const char* begin = reinterpret_cast<const char*>(&record);
  const std::less<const char*> before;
  if (before(at, begin) || !before(at, begin + sizeof record)) return nullptr;
  return reinterpret_cast<const char*>(&copy) + (at - begin);
}

bool changed_since_start(const setting_row& row) {
  const void* before = copy_of(row.field, view_settings, view_at_start);
  if (before == nullptr) before = copy_of(row.field, score_settings, score_at_start);
  if (before == nullptr) before = copy_of(row.field, result_settings, result_at_start);
  if (before == nullptr) return true;
  switch (row.kind) {
    case setting_kind::integer:
      return *static_cast<const int32_t*>(row.field) != *static_cast<const int32_t*>(before);
    case setting_kind::text:
      return std::strncmp(static_cast<const char*>(row.field), static_cast<const char*>(before),
                          settings_text_size - 1) != 0;
    case setting_kind::colour:
      return *static_cast<const color_ref*>(row.field) != *static_cast<const color_ref*>(before);
  }
  return true;
}

}  // namespace

void settings_write_all(const char* path) noexcept {
  for (const setting_row& row : settings_rows) write_row(row, path);
}

void settings_load_from_file(const char* path, const settings_rect* work_area, const profile_file_ops& files) noexcept {
  const int loaded = profile_load_with(path, files);
  read_failed_at_start = loaded == 0 && path != nullptr && path[0] != 0 && files.exists(path) != 0;
  if (work_area != nullptr) view_settings.geometry = *work_area;
  settings_read_all(path);
  profile_free();
  view_at_start = view_settings;
  score_at_start = score_settings;
  result_at_start = result_settings;
}

int settings_save_to_file(const char* path, const profile_file_ops& files) noexcept {
  // A file that is there but cannot be read would be replaced by our settings
  // alone, losing the user's comments and foreign keys: leave it alone.
  if (profile_load_with(path, files) == 0 && path != nullptr && path[0] != 0 && files.exists(path) != 0) {
    return 0;
  }
  // All or nothing: a document that lacks one of the settings (memory ran out
  // while it went in) is not saved, and the file stays as it was.
  int written = 0;
  bool complete = true;
  for (const setting_row& row : settings_rows) {
    if (read_failed_at_start && !changed_since_start(row)) continue;
    complete = write_row(row, path);
    if (!complete) break;
    ++written;
  }
  const int saved = complete && written > 0 ? profile_save_with(path, files) : 0;
  profile_free();
  return saved;
}
