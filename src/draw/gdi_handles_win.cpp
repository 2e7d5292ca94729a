#include "draw/gdi_handles_win.h"

namespace {
long live_objects = 0;  // the host's UI thread is the only user
}

long gdi_live_objects() noexcept { return live_objects; }
void gdi_count_created() noexcept { ++live_objects; }
void gdi_count_deleted() noexcept { --live_objects; }
