// The messages a view window answers besides the system's, and the one it sends
// to the host's window. The numbers are fixed by the host; named once here.
#pragma once

#include <cstdint>

namespace view_message {
constexpr unsigned rebuild = 0x8001;       // WM_APP+1: rebuild the buffer, then refresh
constexpr unsigned refresh = 0x8002;       // WM_APP+2: repaint the buffer from the record and show it
constexpr unsigned refresh_twice = 0x8003; // WM_APP+3: refresh now and once more from the timer
constexpr unsigned host_query = 0x81FE;    // WM_APP+0x1FE, sent to the host window: returns its query block
constexpr uintptr_t refresh_timer_id = 1;  // the one-shot timer of refresh_twice
}  // namespace view_message
