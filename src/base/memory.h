// The plug-in's heap helpers. On Windows every block comes from the process's
// local heap; the native build of the window-free logic uses malloc.
#pragma once

#include <cstddef>

// Returns a block of `size` bytes, contents undefined, or null.
void* mem_alloc(std::size_t size);
// Returns a block of `size` zero bytes, or null.
void* mem_alloc_zeroed(std::size_t size);
// Frees the block a pointer variable holds and clears the variable; a null
// variable is left alone.
void mem_free_block(void* block);
template <class T>
void mem_free(T*& pointer) {
  if (pointer != nullptr) {
    mem_free_block(const_cast<void*>(static_cast<const void*>(pointer)));
    pointer = nullptr;
  }
}
