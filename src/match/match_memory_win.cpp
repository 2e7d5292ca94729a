#include "match/match_memory_win.h"

#include <windows.h>

#include <cstdint>

bool match_bytes_readable(const void* at, std::size_t size) noexcept {
  constexpr DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                             PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  uintptr_t from = reinterpret_cast<uintptr_t>(at);
  const uintptr_t end = from + size;
  if (at == nullptr || end < from) return false;
  while (from < end) {
    MEMORY_BASIC_INFORMATION region = {};
    if (VirtualQuery(reinterpret_cast<const void*>(from), &region, sizeof region) == 0) return false;
    if (region.State != MEM_COMMIT || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0 ||
        (region.Protect & readable) == 0) {
      return false;
    }
    const uintptr_t region_end = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
    if (region_end <= from) return false;
    from = region_end;
  }
  return true;
}
