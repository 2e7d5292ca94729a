#include "plugin/lifecycle_win.h"

#include "plugin/plugin_globals.h"
#include "views/board/view_window_win.h"
#include "views/result/result_window_win.h"
#include "views/score/score_window_win.h"

void plugin_startup(HINSTANCE instance) noexcept {
  module_instance = instance;
  view_register_class(instance);
  score_register_class(instance);
  result_register_class(instance);
}

void plugin_shutdown() noexcept {}
