// Library load and unload: where the settings file is found, read and written.
#pragma once

#include <windows.h>

// Start-up: registers the view classes, builds the settings path beside the
// library, and fills every setting from the file (defaults where it has none).
void plugin_startup(HINSTANCE instance) noexcept;

// Shut-down: writes every setting back into the file.
void plugin_shutdown() noexcept;
