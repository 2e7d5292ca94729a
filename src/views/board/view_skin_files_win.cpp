#include "views/board/view_skin_files_win.h"

#include "base/module_path_win.h"
#include "settings/settings_table.h"
#include "views/board/board_layout.h"

namespace {

HBITMAP load_bitmap_file(const char* path, UINT flags) noexcept {
  return static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | flags));
}

// A two-colour file in a bitmap of the screen's format, with the file's own
// colours: read with its colour table and painted through it.
unique_hbitmap screen_copy_of_two_colour_file(const char* path) noexcept {
  unique_hbitmap section(load_bitmap_file(path, LR_CREATEDIBSECTION));
  DIBSECTION dib = {};
  if (!section || GetObjectA(section.get(), sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBits == nullptr ||
      dib.dsBmih.biBitCount != 1) {
    return unique_hbitmap();
  }
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info = {};
  info.header = dib.dsBmih;
  {
    unique_hdc dc(CreateCompatibleDC(nullptr));
    select_guard selected(dc.get(), section.get());
    info.header.biClrUsed = GetDIBColorTable(dc.get(), 0, 2, info.colours);
  }
  if (info.header.biClrUsed == 0) return unique_hbitmap();
  info.header.biClrImportant = 0;
  window_dc screen(nullptr);
  return unique_hbitmap(CreateDIBitmap(screen.get(), &info.header, CBM_INIT, dib.dsBm.bmBits,
                                       reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS));
}

// One skin bitmap, named as the settings name it: relative names are looked up
// beside the library. The process's current directory is never touched, since
// the host's other threads share it. The loader keeps a file in a bitmap of the
// screen's format, except a two-colour one, which may come back monochrome:
// copies from a monochrome bitmap take the target's text and background colours
// instead of the file's, so such a file is made a screen bitmap as well.
unique_hbitmap load_skin_bitmap(const char* library_dir, const char* name) noexcept {
  char path[MAX_PATH + settings_text_size + 2];
  if (!board_skin_path(path, sizeof path, library_dir, name, ansi_lead_byte)) return unique_hbitmap();
  unique_hbitmap loaded(load_bitmap_file(path, 0));
  BITMAP info = {};
  if (!loaded || GetObjectA(loaded.get(), sizeof info, &info) == 0 || info.bmBitsPixel != 1) return loaded;
  unique_hbitmap colour = screen_copy_of_two_colour_file(path);
  if (!colour) return loaded;
  return colour;
}

}  // namespace

void view_load_skin(HWND window, view_window_state& state) noexcept {
  const view_window_settings& s = view_settings;
  if (s.bmp_back[0] == '\0' || s.bmp_num_l[0] == '\0' || s.bmp_num_s[0] == '\0') return;
  char library_dir[MAX_PATH] = {};
  auto module = reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE));
  // Unknown or cut short: empty, and names stay as they are.
  if (module_file_name(module, library_dir)) module_directory_cut(library_dir, ansi_lead_byte);
  state.skin_back = load_skin_bitmap(library_dir, s.bmp_back);
  state.skin_num_l = load_skin_bitmap(library_dir, s.bmp_num_l);
  state.skin_num_s = load_skin_bitmap(library_dir, s.bmp_num_s);
}
