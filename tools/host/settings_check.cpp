#include "settings_check.h"

#include "caller_check.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "settings/profile_document.h"
#include "settings/profile_values.h"
#include "settings/settings_table.h"
#include "views/board/board_callout.h"
#include "views/board/board_layout.h"

namespace {

constexpr const char* view_section = "view_window";
constexpr const char* known_sections[] = {"view_window", "score_window", "reslut_window"};

char lower_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Edit distance (insertions, deletions, substitutions), ASCII case ignored.
std::size_t edit_distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t substitute = diagonal + (lower_ascii(a[i - 1]) == lower_ascii(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitute});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string where(const char* section, const std::string& keys) { return "[" + std::string(section) + "] " + keys; }

std::string hex_colour(color_ref c) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X%02X%02X", static_cast<unsigned>(c & 0xFF),
                static_cast<unsigned>((c >> 8) & 0xFF), static_cast<unsigned>((c >> 16) & 0xFF));
  return text;
}

bool is_hex_digit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// "0x" and six hexadecimal digits: the form the plug-in writes and reads back unchanged.
bool is_colour_form(const char* text) {
  if (text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
  for (int i = 2; i < 8; ++i) {
    if (!is_hex_digit(text[i])) return false;
  }
  return text[8] == '\0';
}

uint32_t read_u16(const heap_text& b, std::size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}
uint32_t read_u32(const heap_text& b, std::size_t at) { return read_u16(b, at) | read_u16(b, at + 2) << 16; }

// The pixel size of a Windows bitmap file as the system's image loader reads
// it; false for anything that loader refuses (no "BM", an unknown header, no
// pixels, a compression it cannot draw).
bool bitmap_size(const heap_text& bytes, int32_t& width, int32_t& height) {
  constexpr std::size_t file_header = 14;
  if (bytes.size() < file_header + 12 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const uint32_t header = read_u32(bytes, file_header);
  const uint32_t pixels_at = read_u32(bytes, 10);
  uint32_t planes = 0;
  uint32_t bits = 0;
  uint32_t compression = 0;
  if (header == 12) {
    width = static_cast<int32_t>(read_u16(bytes, file_header + 4));
    height = static_cast<int32_t>(read_u16(bytes, file_header + 6));
    planes = read_u16(bytes, file_header + 8);
    bits = read_u16(bytes, file_header + 10);
  } else if (header == 40 || header == 52 || header == 56 || header == 108 || header == 124) {
    if (bytes.size() < file_header + header) return false;
    width = static_cast<int32_t>(read_u32(bytes, file_header + 4));
    height = static_cast<int32_t>(read_u32(bytes, file_header + 8));
    planes = read_u16(bytes, file_header + 12);
    bits = read_u16(bytes, file_header + 14);
    compression = read_u32(bytes, file_header + 16);
  } else {
    return false;
  }
  if (height < 0 && height != INT32_MIN) height = -height;  // top-down rows
  const bool known_bits = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  return width > 0 && height > 0 && planes == 1 && known_bits && compression <= 3 && pixels_at < bytes.size();
}

struct skin_file {
  bool loaded = false;
  int32_t width = 0;
  int32_t height = 0;
};

struct checker {
  const profile_file_ops& files;
  bool (*is_lead_byte)(unsigned char);
  std::vector<std::string>& lines;
  std::string settings_dir;

  void report(const std::string& place, const std::string& what) { lines.push_back(place + ": " + what); }

  // Keys no view reads: every entry that no row of the table finds, as the
  // plug-in's own lookups find them.
  void unread_keys() {
    const std::size_t count = profile_document.sections.size();
    std::vector<bool> section_read(count, false);
    std::vector<std::vector<bool>> entry_read(count);
    for (std::size_t s = 0; s < count; ++s) entry_read[s].assign(profile_document.sections[s].entries.size(), false);
    std::vector<std::vector<std::string>> keys_of(std::size(known_sections));
    auto mark = [&](const setting_row& row) {
      for (std::size_t k = 0; k < std::size(known_sections); ++k) {
        if (known_sections[k] == std::string(row.section)) keys_of[k].push_back(row.key);
      }
      const int s = profile_find_section(row.section);
      if (s < 0) return;
      const int e = profile_find_key(&profile_document.sections[static_cast<std::size_t>(s)], row.key);
      if (e >= 0) entry_read[static_cast<std::size_t>(s)][static_cast<std::size_t>(e)] = true;
    };
    for (const setting_row& row : settings_rows) mark(row);
    for (const setting_row& row : settings_read_only_rows) mark(row);
    for (const char* name : known_sections) {
      const int s = profile_find_section(name);
      if (s >= 0) section_read[static_cast<std::size_t>(s)] = true;
    }

    const std::vector<std::string> section_names(std::begin(known_sections), std::end(known_sections));
    for (std::size_t s = 0; s < count; ++s) {
      const profile_section& section = profile_document.sections[s];
      const std::string name(section.name.c_str());
      if (s > 0 && !section_read[s]) {
        bool repeated = false;
        for (const char* known : known_sections) repeated = repeated || profile_names_equal(known, name.c_str()) != 0;
        if (repeated) {
          report("[" + name + "]", "the section appears again; no view reads the keys of this second one");
        } else {
          const std::string near = settings_nearest_name(name, section_names);
          report("[" + name + "]", "no view reads this section" + (near.empty() ? "" : "; did you mean " + near));
        }
        continue;
      }
      std::size_t known = 0;
      while (s > 0 && known < section_names.size() && profile_names_equal(known_sections[known], name.c_str()) == 0) {
        ++known;
      }
      for (std::size_t e = 0; e < section.entries.size(); ++e) {
        const profile_entry& entry = section.entries[e];
        if (entry.is_comment != 0 || entry.key.empty() || entry_read[s][e]) continue;
        const std::string key(entry.key.c_str());
        if (s == 0) {
          report(key, "a key before the first section; no view reads it");
          continue;
        }
        bool given_before = false;
        for (std::size_t f = 0; f < e && !given_before; ++f) {
          const profile_entry& earlier = section.entries[f];
          given_before = earlier.is_comment == 0 && profile_names_equal(earlier.key.c_str(), key.c_str()) != 0;
        }
        if (given_before) {
          report("[" + name + "] " + key, "given again; only the first value is read");
          continue;
        }
        const std::string near = settings_nearest_name(key, keys_of[known]);
        report("[" + name + "] " + key, "no view reads this key" + (near.empty() ? "" : "; did you mean " + near));
      }
    }
  }

  // Colours that are not "0xRRGGBB" and window sizes that become the fixed size.
  void values() {
    for (const setting_row& row : settings_rows) values_of(row);
    for (const setting_row& row : settings_read_only_rows) values_of(row);
  }

  void values_of(const setting_row& row) {
    const int s = profile_find_section(row.section);
    if (s < 0 || profile_find_key(&profile_document.sections[static_cast<std::size_t>(s)], row.key) < 0) return;
    char text[settings_text_size];
    profile_get_string(row.section, row.key, "", text, settings_text_size, "");
    if (row.kind == setting_kind::colour && text[0] != '\0' && !is_colour_form(text)) {
      const color_ref read = color_from_text(text, row.default_number);
      report(where(row.section, row.key), "\"" + std::string(text) + "\" is not in the form 0xRRGGBB; it reads as " +
                                              hex_colour(read));
    }
    if (row.field == &view_extras.callout_seconds) {
      const int32_t value = profile_get_int(row.section, row.key, 0, "");
      const uint32_t shown = board_callout_milliseconds(value) / 1000;
      if (value < 1 || value > 60) {
        report(where(row.section, row.key), std::to_string(value) + " is outside 1 to 60; the banner stays " +
                                                std::to_string(shown) + (shown == 1 ? " second" : " seconds"));
      }
    }
    if (row.field == &view_extras.show_checkout) {
      const int32_t value = profile_get_int(row.section, row.key, 0, "");
      if (value != 0 && value != 1 && value != 2) {
        report(where(row.section, row.key), std::to_string(value) +
                                                " is neither 0, 1 nor 2; it shows the route of the player to throw, as 1");
      }
    }
    if (row.kind == setting_kind::integer && row.fixed_size != 0) {
      const int32_t value = profile_get_int(row.section, row.key, 0, "");
      if (value <= 10) {
        const char* what = std::string(row.key) == "right" ? "width" : "height";
        report(where(row.section, row.key), std::to_string(value) + " is 10 or less; the window's " + what +
                                                " becomes " + std::to_string(row.fixed_size));
      }
    }
  }

  skin_file read_skin(const char* key, const char* name, const char* without) {
    skin_file file;
    char path[1024];
    if (!board_skin_path(path, sizeof path, settings_dir.c_str(), name, is_lead_byte)) {
      report(where(view_section, key), "the name is too long to be opened; " + std::string(without));
      return file;
    }
    heap_text bytes;
    if (files.read(path, bytes) == 0) {
      report(where(view_section, key), std::string(path) + (files.exists(path) != 0 ? " cannot be read; " : " is missing; ") +
                                           without);
      return file;
    }
    if (!bitmap_size(bytes, file.width, file.height)) {
      report(where(view_section, key), std::string(path) + " is not a bitmap the view can load; " + without);
      return file;
    }
    file.loaded = true;
    return file;
  }

  void strip_width(const char* key, const skin_file& strip) {
    if (!strip.loaded || strip.width % 10 == 0) return;
    const int32_t cell = board_cell_width(strip.width);
    if (cell == 0) {
      report(where(view_section, key), "the strip is " + std::to_string(strip.width) +
                                           " pixels wide, less than ten digits; none of its digits is drawn");
      return;
    }
    report(where(view_section, key), "the strip is " + std::to_string(strip.width) +
                                         " pixels wide, not a multiple of ten; each digit is " + std::to_string(cell) +
                                         " pixels wide and the last " + std::to_string(strip.width % 10) +
                                         " columns are never shown");
  }

  std::string outside(const skin_file& back) {
    return "reaches outside the " + std::to_string(back.width) + " x " + std::to_string(back.height) + " background";
  }

  // A rectangle that draws something (not empty) but not wholly on the background.
  void rectangle(const char* keys, int player, const int32_t (&left)[2], const int32_t (&top)[2],
                 const int32_t (&right)[2], const int32_t (&bottom)[2], const skin_file& back, const char* what) {
    const int32_t l = left[player], t = top[player], r = right[player], b = bottom[player];
    if (r <= l || b <= t) return;
    if (l >= 0 && t >= 0 && r <= back.width && b <= back.height) return;
    const std::string n = std::to_string(player + 1);
    std::string names;
    for (const char* side : {"left", "top", "right", "bottom"}) {
      names += (names.empty() ? "" : ", ") + std::string(keys) + side + "_" + n;
    }
    report(where(view_section, names), "(" + std::to_string(l) + ", " + std::to_string(t) + ", " + std::to_string(r) +
                                           ", " + std::to_string(b) + ") " + outside(back) + "; " + what +
                                           " is cut at its edge");
  }

  // A number's place: the field three digits wide from (x, y) must lie on the background.
  void place(const char* what, const char* keys, int player, const int32_t (&x)[2], const int32_t (&y)[2],
             const skin_file& strip, const skin_file& back) {
    const int32_t px = x[player], py = y[player];
    if (px < 1 || py < 1) return;  // not drawn
    const int64_t cell = strip.loaded ? board_cell_width(strip.width) : 0;
    const int64_t right = px + 3 * cell;
    const int64_t bottom = static_cast<int64_t>(py) + (strip.loaded ? strip.height : 0);
    const bool inside = strip.loaded ? right <= back.width && bottom <= back.height : px < back.width && py < back.height;
    if (inside) return;
    const std::string n = std::to_string(player + 1);
    const std::string at = "(" + std::to_string(px) + ", " + std::to_string(py) + ")";
    const std::string background = std::to_string(back.width) + " x " + std::to_string(back.height) + " background";
    report(where(view_section, std::string(keys) + "x_" + n + ", " + keys + "y_" + n),
           strip.loaded ? at + " with three digits to (" + std::to_string(right) + ", " + std::to_string(bottom) +
                              ") reaches outside the " + background + "; " + what + " outside it are not shown"
                        : at + " lies outside the " + background + "; " + what + " are not shown");
  }

  void skin() {
    const view_window_settings& v = view_settings;
    const char* keys[3] = {"bmp_back", "bmp_num_l", "bmp_num_s"};
    const char* names[3] = {v.bmp_back, v.bmp_num_l, v.bmp_num_s};
    int named = 0;
    for (const char* name : names) named += name[0] != '\0' ? 1 : 0;
    if (named == 0) return;
    if (named < 3) {
      for (int i = 0; i < 3; ++i) {
        if (names[i][0] == '\0') {
          report(where(view_section, keys[i]),
                 "empty, so no skin is loaded: bmp_back, bmp_num_l and bmp_num_s must all be named");
        }
      }
      return;
    }
    const skin_file back = read_skin(keys[0], names[0], "the large view stays in text mode");
    const skin_file large = read_skin(keys[1], names[1], "no scores are drawn");
    const skin_file small = read_skin(keys[2], names[2], "no sets or legs are drawn");
    strip_width(keys[1], large);
    strip_width(keys[2], small);
    if (!back.loaded) return;
    const view_window_extras& x = view_extras;
    for (int p = 0; p < 2; ++p) {
      rectangle("bmp_name_", p, v.bmp_name_left, v.bmp_name_top, v.bmp_name_right, v.bmp_name_bottom, back,
                "the name");
      place("the score's digits", "bmp_score_", p, v.bmp_score_x, v.bmp_score_y, large, back);
      place("the sets' digits", "bmp_sets_", p, v.bmp_sets_x, v.bmp_sets_y, small, back);
      place("the legs' digits", "bmp_legs_", p, v.bmp_legs_x, v.bmp_legs_y, small, back);
      rectangle("bmp_extra_", p, x.bmp_extra_left, x.bmp_extra_top, x.bmp_extra_right, x.bmp_extra_bottom, back,
                "what the options draw there");
    }
  }
};

}  // namespace

std::string settings_nearest_name(const std::string& name, const std::vector<std::string>& known) {
  std::string best;
  std::size_t best_distance = 0;
  for (const std::string& candidate : known) {
    const std::size_t d = edit_distance(name, candidate);
    const std::size_t allowed = std::max<std::size_t>(1, std::max(name.size(), candidate.size()) / 4);
    if (d == 0 || d > allowed) continue;
    if (best.empty() || d < best_distance) {
      best = candidate;
      best_distance = d;
    }
  }
  return best;
}

int settings_check(const std::string& path, const profile_file_ops& files, bool (*is_lead_byte)(unsigned char),
                   std::vector<std::string>& lines) {
  if (profile_load_with(path.c_str(), files) == 0) {
    lines.push_back(files.exists(path.c_str()) != 0 ? "cannot read " + path + " (not a file, or not readable)"
                                                    : path + " not found");
    return settings_check_exit::unreadable;
  }
  const std::size_t before = lines.size();
  checker check{files, is_lead_byte, lines, path.substr(0, module_directory_length(path.c_str(), is_lead_byte))};
  check.unread_keys();
  check.values();
  // Every value as the plug-in holds it, for the skin; the work area stands in
  // for the large view's absent size.
  view_settings.geometry = {0, 0, 1920, 1080};
  settings_read_all(path.c_str());
  profile_free();
  check.skin();
  caller_check(view_extras.caller_dir, check.settings_dir, is_lead_byte, lines);
  return lines.size() > before ? settings_check_exit::problems : settings_check_exit::clean;
}
