// The plug-in's exports as the host sees them: the seven functions the DLL
// defines, the ten names it exports them under (dsv_view.def), and the pointer
// types a host takes them as from GetProcAddress. The DLL's definitions are
// checked against these declarations; hosts, tests and tools use them too.
//
//   get_plugin_info        plugin_info_fn        enumeration of the views
//   dsv_view               plugin_entry_fn       large score view
//   dsv_socre              plugin_entry_fn       small score view
//   dsv_result             plugin_entry_fn       result view
//   dsv_view_initialize    plugin_initialize_fn  also exported as dsv_socre_initialize
//   dsv_result_initialize  plugin_initialize_fn
//   dsv_view_property      plugin_property_fn    also exported as dsv_socre_property
//                                                and dsv_result_property
#pragma once

#include <windows.h>

#include <cstdint>

// Pointer types of the exports. They are not noexcept: a host cannot know that
// of a library it loads; the DLL's own functions convert to them.
using plugin_info_fn = int(__stdcall*)(uint32_t, uint32_t index, char* info);
using plugin_entry_fn = int(__stdcall*)(HWND host_window, uint32_t code, const void* host_block, uint32_t);
using plugin_initialize_fn = int(__stdcall*)(uint32_t, uint32_t);
using plugin_property_fn = int(__stdcall*)(uint32_t, uint32_t);

extern "C" {

// Fills the host's info record for view `index` (menu text, entry name); 1, or
// 0 past the last view or for a null record.
int __stdcall get_plugin_info(uint32_t, uint32_t index, char* info) noexcept;

// The entry points of the three views: one host event code each call; always 1.
int __stdcall dsv_view(HWND host_window, uint32_t code, const void* host_block, uint32_t) noexcept;
int __stdcall dsv_socre(HWND host_window, uint32_t code, const void* host_block, uint32_t) noexcept;
int __stdcall dsv_result(HWND host_window, uint32_t code, const void* host_block, uint32_t) noexcept;

// The event codes each view acts on, as a bit mask (host_event::*_mask).
int __stdcall dsv_view_initialize(uint32_t, uint32_t) noexcept;
int __stdcall dsv_result_initialize(uint32_t, uint32_t) noexcept;

// No property dialog: always 0.
int __stdcall dsv_view_property(uint32_t, uint32_t) noexcept;

}  // extern "C"
