#include "draw/view_frame.h"

namespace {

// Menu texts; the Japanese ones in code page 932.
const char* const full_screen_en = "&Fullscreen";
const char* const end_full_screen_en = "End &Fullscreen";
const char* const hide_sets_en = "Hide &Sets";
const char* const show_sets_en = "Show &Sets";
const char* const edit_title_en = "Edit &Title...";
const char* const close_en = "&Close";
// フルスクリーン(&F)
const char* const full_screen_ja = "\x83\x74\x83\x8b\x83\x58\x83\x4e\x83\x8a\x81\x5b\x83\x93" "(&F)";
// フルスクリーン解除(&F)
const char* const end_full_screen_ja =
    "\x83\x74\x83\x8b\x83\x58\x83\x4e\x83\x8a\x81\x5b\x83\x93\x89\xf0\x8f\x9c" "(&F)";
// セットを隠す(&S)
const char* const hide_sets_ja = "\x83\x5a\x83\x62\x83\x67\x82\xf0\x89\x42\x82\xb7" "(&S)";
// セットを表示(&S)
const char* const show_sets_ja = "\x83\x5a\x83\x62\x83\x67\x82\xf0\x95\x5c\x8e\xa6" "(&S)";
// タイトルの設定(&T)...
const char* const edit_title_ja = "\x83\x5e\x83\x43\x83\x67\x83\x8b\x82\xcc\x90\xdd\x92\xe8" "(&T)...";
// 閉じる(&C)
const char* const close_ja = "\x95\xc2\x82\xb6\x82\xe9" "(&C)";

}  // namespace

frame_zone frame_hit_zone(int32_t x, int32_t y, int32_t w, int32_t h, int32_t m) {
  // 64-bit, so that no size margin from the settings file can overflow.
  const bool left = x < m;
  const bool top = y < m;
  const bool right = x >= int64_t{w} - m;
  const bool bottom = y >= int64_t{h} - m;
  if (left && top) return frame_zone::top_left;
  if (left && bottom) return frame_zone::bottom_left;
  if (right && top) return frame_zone::top_right;
  if (right && bottom) return frame_zone::bottom_right;
  if (left) return frame_zone::left;
  if (top) return frame_zone::top;
  if (right) return frame_zone::right;
  if (bottom) return frame_zone::bottom;
  return frame_zone::inside;
}

int frame_zone_hit_code(frame_zone zone) {
  switch (zone) {
    case frame_zone::top_left: return 13;      // HTTOPLEFT
    case frame_zone::bottom_left: return 16;   // HTBOTTOMLEFT
    case frame_zone::top_right: return 14;     // HTTOPRIGHT
    case frame_zone::bottom_right: return 17;  // HTBOTTOMRIGHT
    case frame_zone::left: return 10;          // HTLEFT
    case frame_zone::top: return 12;           // HTTOP
    case frame_zone::right: return 11;         // HTRIGHT
    case frame_zone::bottom: return 15;        // HTBOTTOM
    case frame_zone::inside: break;
  }
  return 2;  // HTCAPTION
}

frame_cursor frame_zone_cursor(frame_zone zone) {
  switch (zone) {
    case frame_zone::top_left:
    case frame_zone::bottom_right: return frame_cursor::size_nwse;
    case frame_zone::bottom_left:
    case frame_zone::top_right: return frame_cursor::size_nesw;
    case frame_zone::left:
    case frame_zone::right: return frame_cursor::size_we;
    case frame_zone::top:
    case frame_zone::bottom: return frame_cursor::size_ns;
    case frame_zone::inside: break;
  }
  return frame_cursor::arrow;
}

frame_menu frame_menu_items(const frame_menu_commands& commands, bool japanese, int32_t full_screen,
                            int32_t visible_set) {
  frame_menu menu = {};
  for (int i = 0; i < commands.count; ++i) {
    const menu_entry& entry = commands.entries[i];
    const char* text = nullptr;
    switch (entry.command) {
      case menu_command::separator: break;
      case menu_command::full_screen:
        text = full_screen != 0 ? (japanese ? end_full_screen_ja : end_full_screen_en)
                                : (japanese ? full_screen_ja : full_screen_en);
        break;
      case menu_command::sets:
        text = visible_set != 0 ? (japanese ? hide_sets_ja : hide_sets_en) : (japanese ? show_sets_ja : show_sets_en);
        break;
      case menu_command::edit_title: text = japanese ? edit_title_ja : edit_title_en; break;
      case menu_command::close: text = japanese ? close_ja : close_en; break;
    }
    menu.items[menu.count++] = menu_item{text != nullptr ? entry.id : 0, text};
  }
  return menu;
}

menu_command frame_menu_command(const frame_menu_commands& commands, int id) {
  for (int i = 0; i < commands.count; ++i) {
    if (commands.entries[i].id == id && commands.entries[i].command != menu_command::separator) {
      return commands.entries[i].command;
    }
  }
  return menu_command::separator;
}
