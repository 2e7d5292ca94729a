// skin_gen <directory>: draws the sample skin of the large score view and writes
//   back.bmp   the background, with the "SCORE", "LEGS" and "SETS" labels and a
//              panel for each player's name, score, legs and sets;
//   num_l.bmp  the large digit strip (scores): ten cells "0" to "9";
//   num_s.bmp  the small digit strip (legs and sets);
//   view_window.ini  the settings lines that name the three files and place
//              the names and numbers on the panels, and the strips under the
//              names where the large view's options draw when they are on.
// The digit cells are painted in the colour of the panels they land on, so a
// number copied cell by cell blends into its panel. Returns 0 on success.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bitmap_file.h"

namespace {

bool write_bytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  written = std::fclose(f) == 0 && written;
  return written;
}

bool write_bytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  return !bytes.empty() && write_bytes(path, std::string(bytes.begin(), bytes.end()));
}

// Geometry of the skin, in background pixels. Every position the settings
// lines carry is computed from these numbers, so the panels and the numbers
// drawn on them always agree.
constexpr int back_w = 960;
constexpr int back_h = 540;
constexpr int large_cell = 80;  // large strip: 800 x 120
constexpr int large_h = 120;
constexpr int small_cell = 40;  // small strip: 400 x 60
constexpr int small_h = 60;
constexpr int panel_w = 288;    // score, legs and sets panels
constexpr int panel_margin = 60;
constexpr int border = 3;

constexpr COLORREF colour_back = RGB(12, 18, 38);
constexpr COLORREF colour_border = RGB(70, 110, 190);
constexpr COLORREF colour_name_panel = RGB(28, 36, 64);
constexpr COLORREF colour_score_panel = RGB(20, 28, 52);
constexpr COLORREF colour_small_panel = RGB(34, 46, 80);
constexpr COLORREF colour_label = RGB(235, 235, 235);
constexpr COLORREF colour_digit = RGB(255, 214, 40);
constexpr COLORREF colour_small_digit = RGB(250, 250, 250);

struct player_layout {
  RECT name;
  RECT score_panel;
  RECT legs_panel;
  RECT sets_panel;
  POINT score;  // top-left of the three-cell field of each number
  POINT legs;
  POINT sets;
};

RECT rect_at(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

// The field three cells wide, centred in its panel.
POINT field_in(const RECT& panel, int cell, int height) {
  return POINT{panel.left + (panel.right - panel.left - 3 * cell) / 2, panel.top + (panel.bottom - panel.top - height) / 2};
}

player_layout layout_of(int player) {
  player_layout p;
  const int left = player == 0 ? panel_margin : back_w - panel_margin - panel_w;
  const int name_w = 380;
  const int name_left = player == 0 ? panel_margin : back_w - panel_margin - name_w;
  p.name = rect_at(name_left, 30, name_w, 80);
  p.score_panel = rect_at(left, 140, panel_w, large_h + 24);
  p.legs_panel = rect_at(left, 310, panel_w, small_h + 24);
  p.sets_panel = rect_at(left, 420, panel_w, small_h + 24);
  p.score = field_in(p.score_panel, large_cell, large_h);
  p.legs = field_in(p.legs_panel, small_cell, small_h);
  p.sets = field_in(p.sets_panel, small_cell, small_h);
  return p;
}

// A 32-bit top-down drawing surface in a memory DC.
struct surface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ saved = nullptr;
  uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;

  surface(int w, int h) : width(w), height(h) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(nullptr);
    void* raw = nullptr;
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &raw, nullptr, 0);
    bits = static_cast<uint32_t*>(raw);
    saved = SelectObject(dc, bitmap);
    SetBkMode(dc, TRANSPARENT);
  }
  ~surface() {
    SelectObject(dc, saved);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  surface(const surface&) = delete;
  surface& operator=(const surface&) = delete;
  bool ok() const { return dc != nullptr && bitmap != nullptr && bits != nullptr; }

  void fill(const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  void panel(const RECT& r, COLORREF inside) {
    fill(r, colour_border);
    fill(RECT{r.left + border, r.top + border, r.right - border, r.bottom - border}, inside);
  }
  void text(const char* s, RECT r, int pixel_height, COLORREF colour) {
    HFONT font = CreateFontA(-pixel_height, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, colour);
    DrawTextA(dc, s, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
  }

  // Writes the surface as a 24-bit BMP file.
  bool save(const std::string& path) const {
    GdiFlush();
    const std::vector<uint32_t> pixels(bits, bits + static_cast<size_t>(width) * height);
    return write_bytes(path, bmp_file_bytes(width, height, pixels));
  }
};

bool draw_background(const std::string& path) {
  surface s(back_w, back_h);
  if (!s.ok()) return false;
  s.fill(RECT{0, 0, back_w, back_h}, colour_back);
  // A thin rule along the bottom edge.
  s.fill(RECT{0, back_h - 14, back_w, back_h - 10}, colour_border);
  for (int player = 0; player < 2; ++player) {
    const player_layout p = layout_of(player);
    s.panel(p.name, colour_name_panel);
    s.panel(p.score_panel, colour_score_panel);
    s.panel(p.legs_panel, colour_small_panel);
    s.panel(p.sets_panel, colour_small_panel);
  }
  const player_layout left = layout_of(0);
  const player_layout right = layout_of(1);
  const struct {
    const char* text;
    RECT left_panel;
    RECT right_panel;
  } labels[] = {{"SCORE", left.score_panel, right.score_panel},
                {"LEGS", left.legs_panel, right.legs_panel},
                {"SETS", left.sets_panel, right.sets_panel}};
  for (const auto& l : labels) {
    s.text(l.text, RECT{l.left_panel.right, l.left_panel.top, l.right_panel.left, l.left_panel.bottom}, 40,
           colour_label);
  }
  return s.save(path);
}

bool draw_strip(const std::string& path, int cell, int height, COLORREF panel, COLORREF digit) {
  surface s(cell * 10, height);
  if (!s.ok()) return false;
  s.fill(RECT{0, 0, cell * 10, height}, panel);
  for (int d = 0; d < 10; ++d) {
    const char text[2] = {static_cast<char>('0' + d), '\0'};
    s.text(text, RECT{d * cell, 0, (d + 1) * cell, height}, height * 9 / 10, digit);
  }
  return s.save(path);
}

bool write_settings(const std::string& path) {
  std::string text =
      "# Sample skin of the large score view, drawn by skin_gen.\r\n"
      "# Copy back.bmp, num_l.bmp and num_s.bmp beside dsv_view.dsv and put these\r\n"
      "# lines into the [view_window] section of dsv_view.ini.\r\n"
      "[view_window]\r\n"
      "bmp_back=\"back.bmp\"\r\n"
      "bmp_num_l=\"num_l.bmp\"\r\n"
      "bmp_num_s=\"num_s.bmp\"\r\n";
  for (int player = 0; player < 2; ++player) {
    const player_layout p = layout_of(player);
    const std::string n = std::to_string(player + 1);
    const struct {
      const char* key;
      long value;
    } values[] = {{"bmp_name_left_", p.name.left + border},     {"bmp_name_top_", p.name.top + border},
                  {"bmp_name_right_", p.name.right - border},   {"bmp_name_bottom_", p.name.bottom - border},
                  {"bmp_score_x_", p.score.x},                  {"bmp_score_y_", p.score.y},
                  {"bmp_sets_x_", p.sets.x},                    {"bmp_sets_y_", p.sets.y},
                  {"bmp_legs_x_", p.legs.x},                    {"bmp_legs_y_", p.legs.y},
                  // The strip between the name and the score panels, for the
                  // options show_checkout, show_average and show_first_mark.
                  {"bmp_extra_left_", p.name.left + border},    {"bmp_extra_top_", p.name.bottom},
                  {"bmp_extra_right_", p.name.right - border},  {"bmp_extra_bottom_", p.score_panel.top}};
    for (const auto& v : values) text += std::string(v.key) + n + "=" + std::to_string(v.value) + "\r\n";
  }
  return write_bytes(path, text);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skin_gen <directory>\n");
    return 2;
  }
  std::string dir = argv[1];
  CreateDirectoryA(dir.c_str(), nullptr);
  if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '\\';
  const bool ok = draw_background(dir + "back.bmp") &&
                  draw_strip(dir + "num_l.bmp", large_cell, large_h, colour_score_panel, colour_digit) &&
                  draw_strip(dir + "num_s.bmp", small_cell, small_h, colour_small_panel, colour_small_digit) &&
                  write_settings(dir + "view_window.ini");
  if (!ok) {
    std::fprintf(stderr, "skin_gen: cannot write the skin into %s\n", dir.c_str());
    return 1;
  }
  std::printf("skin_gen: sample skin written to %s\n", dir.c_str());
  return 0;
}
