#include "plugin_client_win.h"

#include <algorithm>

#include "plugin/host_protocol.h"
#include "screen_capture_win.h"

namespace {

constexpr std::size_t info_size = 4096;  // the plug-in fills at least 517 bytes
constexpr uint32_t max_views = 64;

std::string bounded_text(const char* at, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && at[n] != 0) ++n;
  return std::string(at, n);
}

template <class F>
F export_of(HMODULE module, const std::string& name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name.c_str())));
}

struct window_collection {
  HWND host_window;
  std::vector<HWND> windows;
};

BOOL CALLBACK collect_window(HWND window, LPARAM lparam) {
  auto* collection = reinterpret_cast<window_collection*>(lparam);
  if (window != collection->host_window && IsWindowVisible(window)) collection->windows.push_back(window);
  return TRUE;
}

}  // namespace

bool plugin_load(plugin_client& client, const std::string& requested, const host_console& console,
                 std::string& error) {
  char full[MAX_PATH] = {};
  if (GetFullPathNameA(requested.c_str(), MAX_PATH, full, nullptr) == 0) {
    error = "bad plug-in path: " + requested;
    return false;
  }
  client.path = full;
  const DWORD attributes = GetFileAttributesA(full);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    error = "plug-in not found: " + client.path;
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    error = "plug-in path is a directory: " + client.path;
    return false;
  }
  client.module = LoadLibraryExA(full, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (client.module == nullptr) {
    const DWORD code = GetLastError();
    error = "cannot load " + client.path + ": " +
            (code == ERROR_BAD_EXE_FORMAT ? "not a DLL this host can load (" + last_error_text(code) + ")"
                                          : last_error_text(code));
    return false;
  }
  auto info = export_of<plugin_info_fn>(client.module, "get_plugin_info");
  if (info == nullptr) {
    error = client.path + " is not a display plug-in: it has no get_plugin_info export";
    return false;
  }
  std::vector<char> record(info_size);
  for (uint32_t index = 0; index < max_views; ++index) {
    std::fill(record.begin(), record.end(), 0);
    if (info(0, index, record.data()) != 1) break;
    plugin_entry_info entry;
    entry.menu_text = bounded_text(record.data() + host_layout::plugin_info_menu_text, 256);
    entry.entry_name = bounded_text(record.data() + host_layout::plugin_info_entry_name, 256);
    entry.call = export_of<plugin_entry_fn>(client.module, entry.entry_name);
    auto initialize = export_of<plugin_initialize_fn>(client.module, entry.entry_name + "_initialize");
    if (initialize != nullptr) entry.mask = static_cast<uint32_t>(initialize(0, 0));
    if (entry.call == nullptr) {
      report_error(console, "entry " + entry.entry_name + " has no export of that name; it stays disabled");
    }
    client.entries.push_back(entry);
  }
  if (client.entries.empty()) {
    error = client.path + " offers no views: get_plugin_info refused index 0";
    return false;
  }
  return true;
}

const plugin_entry_info* plugin_find(const plugin_client& client, const std::string& name) {
  const plugin_entry_info* found = nullptr;
  for (const plugin_entry_info& entry : client.entries) {
    if (entry.entry_name == name) found = &entry;
  }
  return found;
}

void plugin_call(const plugin_entry_info& entry, HWND host_window, const void* host_block, uint32_t code) {
  if (entry.call != nullptr) entry.call(host_window, code, host_block, 0);
}

void plugin_notify(const plugin_client& client, HWND host_window, const void* host_block, uint32_t code) {
  for (const plugin_entry_info& entry : client.entries) {
    if ((entry.mask & code) != 0) plugin_call(entry, host_window, host_block, code);
  }
}

std::vector<HWND> plugin_view_windows(HWND host_window) {
  window_collection collection = {host_window, {}};
  EnumThreadWindows(GetCurrentThreadId(), collect_window, reinterpret_cast<LPARAM>(&collection));
  return collection.windows;
}

void plugin_close_views(const plugin_client& client, HWND host_window, const void* host_block) {
  plugin_notify(client, host_window, host_block, host_event::close);
  for (HWND window : plugin_view_windows(host_window)) DestroyWindow(window);
}

void plugin_unload(plugin_client& client, HWND host_window) {
  if (client.module == nullptr) return;
  for (HWND window : plugin_view_windows(host_window)) DestroyWindow(window);
  FreeLibrary(client.module);
  client.module = nullptr;
}
