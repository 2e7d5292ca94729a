#include <windows.h>

#include "plugin/lifecycle_win.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) noexcept {
  if (reason == DLL_PROCESS_ATTACH) {
    plugin_startup(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    plugin_shutdown();
  }
  return TRUE;
}
