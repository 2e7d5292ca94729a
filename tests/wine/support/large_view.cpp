#include "large_view.h"

#include <algorithm>
#include <vector>

#include "draw/fonts_win.h"
#include "plugin/host_protocol.h"
#include "settings/profile_platform.h"
#include "settings/settings_table.h"
#include "../board_test_skin.h"
#include "views/board/board_banner_win.h"
#include "views/board/board_extras_win.h"

namespace {

constexpr int bold = 700;

// A 32-bit surface holding `board`, drawn on by `draw`, read back.
template <class Draw>
client_pixels drawn_over(const client_pixels& board, Draw draw) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, board.width, board.height);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const BITMAPINFO bi = top_down_32(board.width, board.height);
  SetDIBitsToDevice(dc, 0, 0, board.width, board.height, 0, 0, 0, board.height, board.pixels.data(), &bi,
                    DIB_RGB_COLORS);
  SetBkMode(dc, TRANSPARENT);
  draw(dc);
  client_pixels out = capture_dc(dc, board.width, board.height);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return out;
}

BOOL CALLBACK collect_view(HWND window, LPARAM found) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "dsv_view_wnd") == 0) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

std::vector<HWND> views_of_this_thread() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), collect_view, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

HWND open_large_view(plugin_dll& dll, fake_host& host) {
  if (dll.dsv_view(host.window, host_event::open, host.block(), 0) != 1) return nullptr;
  pump_messages();
  return find_thread_window("dsv_view_wnd");
}

large_view_window::large_view_window(const std::string& ini, fake_match& match, bool with_skin)
    : dll(ini.c_str()), host(match) {
  if (with_skin) board_skin::write_skin_dir(dll.dir);
  const std::vector<HWND> before = views_of_this_thread();
  if (dll.dsv_view(host.window, host_event::open, host.block(), 0) == 1) {
    pump_messages();
    // Another library's large view may be open beside it: the new window.
    for (HWND w : views_of_this_thread()) {
      if (std::find(before.begin(), before.end(), w) == before.end()) window = w;
    }
  }
}

large_view_window::~large_view_window() {
  if (window != nullptr) dll.dsv_view(host.window, host_event::close, host.block(), 0);
}

void large_view_window::notice() { dll.dsv_view(host.window, host_event::change, host.block(), 0); }

void load_view_settings(const std::string& ini) {
  const std::string dir = make_temp_dir();
  write_file(dir + "dsv_view.ini", ini);
  const settings_rect work_area = {0, 0, 1920, 1040};
  settings_load_from_file((dir + "dsv_view.ini").c_str(), &work_area, profile_platform_files);
}

board_extras_text_layout text_mode_bands(int width, int height) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  const board_font_sizes sizes = board_font_sizes_for(width, width, view_settings.name_font_size);
  HFONT score = create_font(view_settings.font_name, sizes.score, bold);
  const board_score_font f = board_measure_score_font(dc, score);
  DeleteObject(score);
  DeleteDC(dc);
  return board_extras_layout_text(view_extras, board_layout_text(width, height, view_settings.visible_set != 0),
                                  width, f);
}

client_pixels with_options_drawn(const client_pixels& board, const board_extras_content& content) {
  return drawn_over(board, [&](HDC dc) {
    const board_font_sizes sizes = board_font_sizes_for(board.width, board.width, view_settings.name_font_size);
    unique_hfont score(create_font(view_settings.font_name, sizes.score, bold));
    board_extras_gdi gdi;
    board_extras_create(gdi, dc, score.get(), SIZE{board.width, board.height}, false);
    unique_hbrush band(CreateSolidBrush(static_cast<COLORREF>(view_settings.color_score_back)));
    board_extras_paint_text(dc, gdi, board_layout_text(board.width, board.height, view_settings.visible_set != 0),
                            board.width, band.get(), content);
  });
}

client_pixels with_banner_drawn(const client_pixels& board, const char* text) {
  return drawn_over(board, [&](HDC dc) {
    board_banner_gdi banner;
    board_banner_show(banner, dc, SIZE{board.width, board.height}, text);
    const RECT& b = banner.band;
    BitBlt(dc, b.left, b.top, b.right - b.left, b.bottom - b.top, banner.surface.get(), 0, 0, SRCCOPY);
  });
}

::testing::AssertionResult same_pixels(const client_pixels& got, const client_pixels& want) {
  if (got.width != want.width || got.height != want.height) {
    return ::testing::AssertionFailure() << got.width << " x " << got.height << " against " << want.width << " x "
                                         << want.height;
  }
  int differ = 0;
  int first_x = 0, first_y = 0;
  for (int y = 0; y < got.height; ++y) {
    for (int x = 0; x < got.width; ++x) {
      if (got.at(x, y) == want.at(x, y)) continue;
      if (differ++ == 0) {
        first_x = x;
        first_y = y;
      }
    }
  }
  if (differ == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differ << " pixels differ, the first at (" << first_x << ", " << first_y
                                       << "): " << std::hex << got.at(first_x, first_y) << " for "
                                       << want.at(first_x, first_y);
}
