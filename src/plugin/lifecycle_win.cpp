#include "plugin/lifecycle_win.h"

#include "base/module_path_win.h"
#include "plugin/plugin_globals.h"
#include "plugin/settings_path.h"
#include "settings/profile_platform.h"
#include "settings/settings_table.h"

void plugin_startup(HINSTANCE instance) noexcept {
  module_instance = instance;
  for (const view_description* view : plugin_views) frame_register_class(instance, *view);

  char module_name[MAX_PATH] = {};
  // A name that failed or was cut: no settings file then rather than some other file.
  if (!module_file_name(instance, module_name)) {
    settings_path[0] = 0;
  } else {
    settings_path_build(settings_path, module_name, ansi_lead_byte);
  }

  RECT area;
  settings_rect work_area;
  const bool have_area = SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) != 0;
  if (have_area) work_area = {area.left, area.top, area.right, area.bottom};
  settings_load_from_file(settings_path, have_area ? &work_area : nullptr, profile_platform_files);
}

void plugin_shutdown() noexcept { settings_save_to_file(settings_path, profile_platform_files); }
