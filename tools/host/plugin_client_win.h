// The simulated host's side of the plug-in boundary: loading a display plug-in,
// the views it lists, and calling their entry points with event codes as the
// application does. The client owns the loaded library.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host_console_win.h"
#include "plugin/plugin_exports.h"

struct plugin_entry_info {
  std::string menu_text;
  std::string entry_name;
  plugin_entry_fn call = nullptr;  // null: no export of that name; the view stays disabled
  uint32_t mask = 0xFFFFFFFFu;     // what its _initialize export reports; every code without one
};

struct plugin_client {
  std::string path;  // the full path it was loaded from
  HMODULE module = nullptr;
  std::vector<plugin_entry_info> entries;
};

// Loads the plug-in at `requested` and enumerates its views. False with the
// reason in `error` when it cannot be loaded, is no display plug-in or offers no
// views; an entry with no export of its name is reported on `console` and kept.
bool plugin_load(plugin_client& client, const std::string& requested, const host_console& console,
                 std::string& error);

// The entry named `name`, or null.
const plugin_entry_info* plugin_find(const plugin_client& client, const std::string& name);

// Calls one entry with an event code, as the application does (nothing when it has no export).
void plugin_call(const plugin_entry_info& entry, HWND host_window, const void* host_block, uint32_t code);

// Tells every view that acts on `code`.
void plugin_notify(const plugin_client& client, HWND host_window, const void* host_block, uint32_t code);

// The visible top-level windows of this thread other than `host_window`: the views.
std::vector<HWND> plugin_view_windows(HWND host_window);

// Sends the close code to every view, then destroys whatever window is left, so
// that no plug-in window outlives the library.
void plugin_close_views(const plugin_client& client, HWND host_window, const void* host_block);

// Destroys the views still open (the host window closed another way), then frees the library.
void plugin_unload(plugin_client& client, HWND host_window);
