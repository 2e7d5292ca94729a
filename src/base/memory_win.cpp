#include <windows.h>

#include "base/memory.h"

void* mem_alloc(std::size_t size) { return LocalAlloc(LMEM_FIXED, size); }
void* mem_alloc_zeroed(std::size_t size) { return LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, size); }
void mem_free_block(void* block) { LocalFree(block); }
