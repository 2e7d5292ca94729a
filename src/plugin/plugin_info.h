// The host's enumeration of the plug-in's views: menu caption and entry point
// of each, by index.
#pragma once

#include <cstdint>

struct plugin_entry {
  const char* menu_text;   // English, or code page 932 bytes in Japanese
  const char* entry_name;  // the export the host calls for this view
};

// The entry at `index` (0 large view, 1 small view, 2 result view); returns 0
// for any other index (an unsigned comparison), 1 otherwise.
int plugin_entry_at(uint32_t index, bool japanese, plugin_entry* entry);
