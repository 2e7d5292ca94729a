// Numbers the host and the plug-in agree on: event codes, message numbers
// (view_messages.h, which the views include without the rest), offsets in the
// host's records. Used by the exports, the simulated host and the tests.
#pragma once

#include <cstddef>
#include <cstdint>

#include "draw/view_messages.h"  // the message numbers

namespace host_event {
constexpr uint32_t close = 2;          // close the view
constexpr uint32_t open = 4;           // open (score views: or raise; result view: toggle)
constexpr uint32_t result_change = 32; // only the result view redraws
constexpr uint32_t change = 128;       // the match changed: redraw
constexpr uint32_t change_twice = 512; // redraw now and once more from a timer
// The bit masks the _initialize exports report: the codes each view acts on.
constexpr uint32_t score_view_mask = close | open | change | change_twice;              // 646
constexpr uint32_t result_view_mask = close | open | result_change | change | change_twice;  // 678
}  // namespace host_event

namespace host_layout {
constexpr std::size_t match_pointer = 268;  // host_block: 32-bit pointer to the match record
constexpr std::size_t average_mode = 5168;  // host_query_block: 1 = averages per three darts
constexpr std::size_t plugin_info_menu_text = 4;
constexpr std::size_t plugin_info_entry_name = 260;
constexpr std::size_t plugin_info_extra_text = 516;
constexpr std::size_t plugin_info_min_size = 517;
}  // namespace host_layout
