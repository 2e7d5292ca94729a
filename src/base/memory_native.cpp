#include <cstdlib>

#include "base/memory.h"

void* mem_alloc(std::size_t size) { return std::malloc(size == 0 ? 1 : size); }
void* mem_alloc_zeroed(std::size_t size) { return std::calloc(size == 0 ? 1 : size, 1); }
void mem_free_block(void* block) { std::free(block); }
