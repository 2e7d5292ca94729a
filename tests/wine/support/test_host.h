// What the Wine tests need to play the host: the real DLL loaded from the build,
// a match record laid out as the host keeps it, a host window that answers the
// query message, and ways to read back what a window shows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/plugin_exports.h"
#include "plugin/plugin_globals.h"

// A colour as the settings file gives it: 0x02 in the top byte.
inline uint32_t file_colour(COLORREF c) { return static_cast<uint32_t>(c) | 0x02000000u; }

// The library started in this program as a host starts it, with the large and
// the result view in windows of their own size rather than full screen.
void start_plugin_windowed();

// Directory of the running test program (the build's bin/), with a trailing backslash.
std::string test_bin_dir();

// The plug-in loaded with LoadLibrary and its exports.
struct plugin_dll {
  HMODULE module = nullptr;
  plugin_info_fn get_plugin_info = nullptr;
  plugin_entry_fn dsv_view = nullptr;
  plugin_entry_fn dsv_socre = nullptr;
  plugin_entry_fn dsv_result = nullptr;
  std::string dir;  // where the DLL was loaded from, with a trailing backslash

  // Copies the built dsv_view.dsv into a fresh directory of its own (so that
  // tests running side by side never share a settings file), writes
  // `ini_text` there as dsv_view.ini when it is given, and loads it.
  explicit plugin_dll(const char* ini_text = nullptr);
  // Loads the DLL at `path` as it is.
  static plugin_dll at_path(const std::string& path);
  plugin_dll(plugin_dll&& other) noexcept;

  std::string ini_path() const { return dir + "dsv_view.ini"; }
  ~plugin_dll();
  plugin_dll(const plugin_dll&) = delete;
  plugin_dll& operator=(const plugin_dll&) = delete;

  FARPROC proc(const char* name) const { return GetProcAddress(module, name); }
  // FreeLibrary: the plug-in's shut-down runs and writes the settings file.
  void unload();
  // Loads the same DLL file again after unload().
  void reload();

 private:
  struct path_tag {};
  plugin_dll(path_tag, const std::string& path);
  void load(const std::string& path);
};

// A view as the host reaches it: the export's name, the member of plugin_dll
// that holds it, and the class of the window it opens; then the same entry
// point of the plug-in linked into the test program, and the handle of its open
// window that the view keeps there.
struct plugin_view_entry {
  const char* entry;
  const char* class_name;
  plugin_entry_fn plugin_dll::*fn;
  plugin_entry_fn linked;
  HWND* linked_window;
};
inline constexpr plugin_view_entry large_view = {"dsv_view", "dsv_view_wnd", &plugin_dll::dsv_view, dsv_view,
                                                 &view_hwnd};
inline constexpr plugin_view_entry small_view = {"dsv_socre", "dsv_score_wnd", &plugin_dll::dsv_socre, dsv_socre,
                                                 &score_hwnd};
inline constexpr plugin_view_entry result_view = {"dsv_result", "dsv_result_wnd", &plugin_dll::dsv_result,
                                                  dsv_result, &result_hwnd};
inline constexpr plugin_view_entry all_views[] = {large_view, small_view, result_view};

// A fresh empty directory under the temporary folder, with a trailing backslash.
std::string make_temp_dir();

// Memory below 4 GB, so that a 32-bit pointer field can address it also in a
// 64-bit test build. Zero-filled; freed with low_free.
unsigned char* low_alloc(std::size_t size);
void low_free(void* block);

// A match record and leg table in this process, at the host's offsets, in
// memory a 32-bit pointer reaches.
struct fake_match {
  unsigned char* record = nullptr;  // 4096 bytes
  unsigned char* legs = nullptr;    // 16 leg entries

  fake_match();
  ~fake_match();
  fake_match(const fake_match&) = delete;
  fake_match& operator=(const fake_match&) = delete;
  const void* pointer() const { return record; }

  void set_i32(std::size_t offset, int32_t value);
  void set_i16(std::size_t offset, int16_t value);
  void set_name(int player, const char* name);
  void set_score(int player, int32_t value);
  void set_sets(int player, int32_t value);
  void set_legs(int player, int32_t value);
  // Field of stats block a (block 0) or b (block 1) of a player, by offset in the block.
  void set_stat(int player, int block, std::size_t field, int32_t value);
  void set_current_leg(int32_t leg);
  void set_leg_players(int32_t leg, int32_t first, int32_t current);
  void set_leg_table(const void* table);  // null for none
};

// The host's window and blocks: a host_block pointing at a match, and a window
// answering the query message with a host_query_block.
struct fake_host {
  HWND window = nullptr;
  std::vector<unsigned char> host_block;   // 268 + 4 bytes and more
  std::vector<unsigned char> query_block;  // 5168 + 4 bytes
  int queries = 0;                         // query messages answered
  bool answer_null = false;

  explicit fake_host(const fake_match& match);
  ~fake_host();
  fake_host(const fake_host&) = delete;
  fake_host& operator=(const fake_host&) = delete;

  void set_match(const void* match);
  void set_average_mode(int32_t mode);
  const void* block() const { return host_block.data(); }
};

// Runs the message loop for about `ms` milliseconds.
void pump_messages(int ms = 0);

// What the window shows at client point (x, y), as a COLORREF (0x00BBGGRR).
COLORREF pixel_at(HWND window, int x, int y);

// The whole client area as 0x00RRGGBB pixels, row by row from the top.
struct client_pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top down
  COLORREF at(int x, int y) const;  // as a COLORREF
};
client_pixels capture_client(HWND window);
// The description of a top-down 32-bit DIB of width x height, as client_pixels holds one.
BITMAPINFO top_down_32(int width, int height);
// The top-left width x height pixels of a device context (a memory DC's bitmap,
// also where it lies beyond the screen).
client_pixels capture_dc(HDC dc, int width, int height);

// The smallest rectangle holding every pixel of `box` that is not `background`:
// where a text's ink lies. All zero when the box shows only the background.
RECT ink_bounds(const client_pixels& shot, RECT box, COLORREF background);

// Ink of a text with an ampersand ("R&D") against the ink of the same text
// without it ("RD"), both drawn in the same font: true when the ampersand is
// drawn as a character. Read as a prefix it takes no room of its own (it only
// underlines the next character), so both inks would be about as wide.
::testing::AssertionResult ampersand_drawn(RECT with_ampersand, RECT without);

// Finds the top-level window of `class_name` that belongs to this thread.
HWND find_thread_window(const char* class_name);

// The settings file beside the loaded DLL.
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
// The names of the files and folders in `dir` (with its trailing backslash),
// sorted, one per line: "dsv_view.dsv\ndsv_view.ini\n".
std::string dir_listing(const std::string& dir);
