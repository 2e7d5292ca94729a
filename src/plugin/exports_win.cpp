// The exports the host calls: enumeration, and one entry point per view that
// turns the host's event codes into window creation, closing and redraws.
#include <windows.h>

#include <cstring>
#include <type_traits>

#include "plugin/host_protocol.h"
#include "plugin/plugin_globals.h"
#include "plugin/plugin_exports.h"
#include "plugin/plugin_info.h"

HINSTANCE module_instance = nullptr;
const view_description* const plugin_views[plugin_view_count] = {&board_description, &score_description,
                                                                 &result_description};

bool window_exists(HWND window) noexcept { return window != nullptr && IsWindow(window) == 1; }

namespace {

const match_state* match_from(const void* host_block) noexcept {
  if (host_block == nullptr) return nullptr;
  uint32_t address = 0;
  std::memcpy(&address, static_cast<const unsigned char*>(host_block) + host_layout::match_pointer, sizeof address);
  return reinterpret_cast<const match_state*>(static_cast<uintptr_t>(address));
}

// Sends a redraw message when the window exists, else forgets the stale handle.
void notify(HWND& window, UINT message) noexcept {
  if (window_exists(window)) {
    SendMessageA(window, message, 0, 0);
  } else {
    window = nullptr;
  }
}

void close_view(HWND& window) noexcept {
  if (window_exists(window)) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    window = nullptr;
  }
}

// Event dispatch of the two score views.
void score_view_event(const view_description& view, uint32_t code, const void* host_block) noexcept {
  HWND& window = *view.window;
  switch (code) {
    case host_event::open:
      if (window_exists(window)) {
        SetForegroundWindow(window);
      } else {
        window = frame_create_window(module_instance, view, match_from(host_block));
      }
      break;
    case host_event::close: close_view(window); break;
    case host_event::change: notify(window, view_message::refresh); break;
    case host_event::change_twice: notify(window, view_message::refresh_twice); break;
    default: break;
  }
}

}  // namespace

extern "C" {

int __stdcall get_plugin_info(uint32_t, uint32_t index, char* info) noexcept {
  plugin_entry entry;
  if (info == nullptr) return 0;
  if (!plugin_entry_at(index, locale_is_japanese(static_cast<uint32_t>(GetThreadLocale())), &entry)) return 0;
  lstrcpyA(info + host_layout::plugin_info_menu_text, entry.menu_text);
  lstrcpyA(info + host_layout::plugin_info_entry_name, entry.entry_name);
  info[host_layout::plugin_info_extra_text] = 0;
  return 1;
}

int __stdcall dsv_view(HWND, uint32_t code, const void* host_block, uint32_t) noexcept {
  score_view_event(board_description, code, host_block);
  return 1;
}

int __stdcall dsv_socre(HWND, uint32_t code, const void* host_block, uint32_t) noexcept {
  score_view_event(score_description, code, host_block);
  return 1;
}

int __stdcall dsv_result(HWND host_window, uint32_t code, const void* host_block, uint32_t) noexcept {
  switch (code) {
    case host_event::open:
      if (window_exists(result_hwnd)) {
        SendMessageA(result_hwnd, WM_CLOSE, 0, 0);
        result_hwnd = nullptr;
        break;
      }
      {
        const match_state* match = match_from(host_block);
        if (match == nullptr) break;  // nothing to show: no query, no window
        const auto* query =
            reinterpret_cast<const unsigned char*>(SendMessageA(host_window, view_message::host_query, 0, 0));
        if (query != nullptr) std::memcpy(&average_mode, query + host_layout::average_mode, sizeof average_mode);
        result_hwnd = frame_create_window(module_instance, result_description, match);
      }
      break;
    case host_event::close: close_view(result_hwnd); break;
    case host_event::result_change:
    case host_event::change:
    case host_event::change_twice: notify(result_hwnd, view_message::refresh); break;
    default: break;
  }
  return 1;
}

int __stdcall dsv_view_initialize(uint32_t, uint32_t) noexcept {
  return static_cast<int>(host_event::score_view_mask);
}

int __stdcall dsv_result_initialize(uint32_t, uint32_t) noexcept {
  return static_cast<int>(host_event::result_view_mask);
}

int __stdcall dsv_view_property(uint32_t, uint32_t) noexcept { return 0; }

}  // extern "C"

// What a host takes from GetProcAddress is what is defined here.
static_assert(std::is_convertible_v<decltype(&get_plugin_info), plugin_info_fn>);
static_assert(std::is_convertible_v<decltype(&dsv_view), plugin_entry_fn>);
static_assert(std::is_convertible_v<decltype(&dsv_socre), plugin_entry_fn>);
static_assert(std::is_convertible_v<decltype(&dsv_result), plugin_entry_fn>);
static_assert(std::is_convertible_v<decltype(&dsv_view_initialize), plugin_initialize_fn>);
static_assert(std::is_convertible_v<decltype(&dsv_result_initialize), plugin_initialize_fn>);
static_assert(std::is_convertible_v<decltype(&dsv_view_property), plugin_property_fn>);
