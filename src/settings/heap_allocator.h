// A standard-library allocator over mem_alloc/mem_free, so that the profile
// document's containers take their blocks from the process's local heap like
// every other dynamic block of the plug-in.
#pragma once

#include <cstddef>
#include <new>
#include <string>
#include <vector>

#include "base/memory.h"

template <class T>
struct heap_allocator {
  using value_type = T;

  heap_allocator() noexcept = default;
  template <class U>
  heap_allocator(const heap_allocator<U>&) noexcept {}

  // Throws std::bad_alloc when the heap refuses; the profile operations catch
  // it and report 0.
  T* allocate(std::size_t count) {
    if (count > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    void* block = mem_alloc(count * sizeof(T));
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* block, std::size_t) noexcept { mem_free(block); }

  template <class U>
  bool operator==(const heap_allocator<U>&) const noexcept {
    return true;
  }
  template <class U>
  bool operator!=(const heap_allocator<U>&) const noexcept {
    return false;
  }
};

using heap_string = std::basic_string<char, std::char_traits<char>, heap_allocator<char>>;
template <class T>
using heap_vector = std::vector<T, heap_allocator<T>>;
