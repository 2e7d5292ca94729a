// What the view windows share, without a window: the zones of the client area
// that move or size the window, and the texts of the context-menu commands a
// view lists, in English and Japanese.
#pragma once

#include <cstdint>

// Zones in the order the hit test tries them.
enum class frame_zone { top_left, bottom_left, top_right, bottom_right, left, top, right, bottom, inside };

// The zone under client point (x, y) of a w x h client with size margin m.
// Left-side zones win over right-side ones in a client narrower than 2m.
frame_zone frame_hit_zone(int32_t x, int32_t y, int32_t w, int32_t h, int32_t margin);

// The non-client hit-test code (HTTOPLEFT ...) that starts the zone's move or size.
int frame_zone_hit_code(frame_zone zone);

enum class frame_cursor { size_nwse, size_nesw, size_we, size_ns, arrow };
frame_cursor frame_zone_cursor(frame_zone zone);

// Menu command identifiers; the result view's Close is 1, the score views' 2.
// A view's identifiers are its own: the score view's Edit Title shares 3 with
// Fullscreen.
namespace menu_id {
constexpr int full_screen = 3;
constexpr int sets = 1;
constexpr int edit_title = 3;
constexpr int result_close = 1;
constexpr int close = 2;
}  // namespace menu_id

// What a context-menu item does. The frame carries out Fullscreen, Sets and
// Close itself and hands any other command to the view.
enum class menu_command { separator, full_screen, sets, edit_title, close };

// A view's context menu, top to bottom: at most four entries.
struct menu_entry {
  int id;  // 0 for a separator
  menu_command command;
};
struct frame_menu_commands {
  menu_entry entries[4];
  int count;
};

struct menu_item {
  int id;            // 0 for a separator
  const char* text;  // null for a separator; code page 932 bytes in Japanese
};

// The items of a view's context menu, top to bottom: at most four, held in
// place, so that opening a menu allocates nothing.
struct frame_menu {
  menu_item items[4];
  int count;
  const menu_item* begin() const { return items; }
  const menu_item* end() const { return items + count; }
};

// The items of `commands` with their texts. `full_screen` and `visible_set` are
// the view's current settings (ignored where it has none): they choose between
// "Fullscreen" and "End Fullscreen", "Show Sets" and "Hide Sets".
frame_menu frame_menu_items(const frame_menu_commands& commands, bool japanese, int32_t full_screen,
                            int32_t visible_set);

// The command of item `id` in `commands`; `separator` when none has that id.
menu_command frame_menu_command(const frame_menu_commands& commands, int id);

// True when a thread locale's primary language is Japanese.
inline bool locale_is_japanese(uint32_t lcid) { return (lcid & 0x3FF) == 0x11; }
