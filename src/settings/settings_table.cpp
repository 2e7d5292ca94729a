#include "settings/settings_table.h"

view_window_settings view_settings;
score_window_settings score_settings;
result_window_settings result_settings;
