#include <windows.h>

#include "plugin/lifecycle_win.h"
#include "plugin/plugin_globals.h"

namespace {

// A host that unloads the library while views are open would leave windows
// whose procedure is no longer mapped: the next message would crash it. So a
// dynamic unload closes the views first and unregisters their classes. At
// process exit (reserved non-null) no window is touched.
void close_views_before_unload() noexcept {
  for (const view_description* view : plugin_views) {
    HWND& window = *view->window;
    if (window_exists(window)) DestroyWindow(window);
    window = nullptr;
  }
}

void unregister_view_classes() noexcept {
  for (const view_description* view : plugin_views) UnregisterClassA(view->class_name, module_instance);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept {
  if (reason == DLL_PROCESS_ATTACH) {
    plugin_startup(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    const bool dynamic_unload = reserved == nullptr;
    if (dynamic_unload) close_views_before_unload();
    plugin_shutdown();
    if (dynamic_unload) unregister_view_classes();
  }
  return TRUE;
}
