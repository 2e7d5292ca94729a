// Failures made inside the built plug-in: its imports, as the loader binds them,
// replaced by the test's own functions, so that one platform call fails the way
// a full heap or an exhausted GDI makes it fail, from the library's very first
// instruction on.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct import_replacement {
  const char* dll;       // as the import table names it, compared ignoring case
  const char* function;  // imported by name
  void* address;
};

// Rebinds imports of a loaded module in its import address table; returns how
// many entries now point at a replacement.
int replace_imports(HMODULE module, const std::vector<import_replacement>& replacements);

// Loads a DLL as the system loader does (imports bound, TLS callbacks, then its
// entry point), but with `replacements` bound in place of the named imports.
// Null when its entry point refused the load; the library is unloaded then.
HMODULE load_with_imports(const std::string& path, const std::vector<import_replacement>& replacements);
// Runs the detach of a library from load_with_imports and frees it.
void unload_with_imports(HMODULE module);

// The allocation calls of a library loaded with alloc_faults::replacements()
// (malloc, calloc, realloc, LocalAlloc), counted from 1; the calls numbered
// refuse_from to refuse_to fail as a full heap fails them (0 and 0: none).
// refuse_to = to_the_end: a shortage that lasts, every call from refuse_from on.
namespace alloc_faults {
constexpr long to_the_end = 0x7FFFFFFF;
extern long calls;
extern long refuse_from;
extern long refuse_to;
const std::vector<import_replacement>& replacements();
}  // namespace alloc_faults
