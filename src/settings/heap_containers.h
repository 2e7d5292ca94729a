// The profile document's containers: a growable byte text and a growable array,
// both over mem_alloc/mem_free so that their blocks come from the process's
// local heap like every other dynamic block of the plug-in. They never throw:
// whatever has to grow answers false when the heap refuses, and the container is
// then left exactly as it was. A C++ throw is no way out of a memory shortage
// inside the host: the runtime needs memory of its own to throw, and without
// it ends the process. Both are move-only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "base/memory.h"

namespace heap_detail {

// The capacity to grow to for at least `needed` elements of `unit` bytes: the
// old one doubled when that is more, 0 when the bytes cannot be counted.
inline std::size_t grown_capacity(std::size_t capacity, std::size_t needed, std::size_t unit) noexcept {
  const std::size_t most = static_cast<std::size_t>(-1) / unit;
  if (needed > most) return 0;
  const std::size_t grown = capacity <= (most - 1) / 2 ? capacity * 2 : most - 1;
  return grown < needed ? needed : grown;
}

}  // namespace heap_detail

// Bytes with a NUL after them, so that c_str() is always a C string; an empty
// text holds no block.
class heap_text {
 public:
  heap_text() noexcept = default;
  heap_text(heap_text&& other) noexcept
      : bytes_(other.bytes_), size_(other.size_), capacity_(other.capacity_) {
    other.bytes_ = nullptr;
    other.size_ = other.capacity_ = 0;
  }
  heap_text& operator=(heap_text&& other) noexcept {
    if (this != &other) {
      mem_free(bytes_);
      bytes_ = other.bytes_;
      size_ = other.size_;
      capacity_ = other.capacity_;
      other.bytes_ = nullptr;
      other.size_ = other.capacity_ = 0;
    }
    return *this;
  }
  heap_text(const heap_text&) = delete;
  heap_text& operator=(const heap_text&) = delete;
  ~heap_text() { mem_free(bytes_); }

  std::size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  const char* data() const noexcept { return bytes_ != nullptr ? bytes_ : ""; }
  // Writable bytes; null while the text holds no block (it is empty then).
  char* data() noexcept { return bytes_; }
  const char* c_str() const noexcept { return data(); }
  char operator[](std::size_t at) const noexcept { return bytes_[at]; }

  // Room for `count` bytes without a new block: false when the heap refuses.
  bool reserve(std::size_t count) noexcept { return splice(0, 0, nullptr, 0, count); }

  void clear() noexcept {
    size_ = 0;
    if (bytes_ != nullptr) bytes_[0] = 0;
  }
  // Clears the text and gives its block back.
  void release() noexcept {
    mem_free(bytes_);
    size_ = capacity_ = 0;
  }

  // `count` bytes long, new bytes zero: false, the text as it was, when the heap
  // refuses.
  bool resize(std::size_t count) noexcept {
    if (count <= size_) {
      if (bytes_ != nullptr) bytes_[count] = 0;
      size_ = count;
      return true;
    }
    if (!reserve(count)) return false;
    std::memset(bytes_ + size_, 0, count - size_);
    size_ = count;
    bytes_[size_] = 0;
    return true;
  }

  // The text may lie inside this one's own bytes.
  bool assign(const char* text, std::size_t count) noexcept { return splice(0, size_, text, count, 0); }
  bool assign(const char* text) noexcept { return assign(text, std::strlen(text)); }

  bool append(const char* text, std::size_t count) noexcept { return splice(size_, 0, text, count, 0); }
  bool append(const char* text) noexcept { return append(text, std::strlen(text)); }
  bool append(const heap_text& text) noexcept { return append(text.data(), text.size()); }
  bool append(char c) noexcept { return append(&c, 1); }

  // Puts `count` bytes before the text.
  bool prepend(const char* text, std::size_t count) noexcept { return splice(0, 0, text, count, 0); }

  bool starts_with(const char* text, std::size_t count) const noexcept {
    return size_ >= count && std::memcmp(data(), text, count) == 0;
  }

  friend bool operator==(const heap_text& a, const heap_text& b) noexcept {
    return a.size_ == b.size_ && std::memcmp(a.data(), b.data(), a.size_) == 0;
  }
  friend bool operator!=(const heap_text& a, const heap_text& b) noexcept { return !(a == b); }

 private:
  // Replaces the `removed` bytes at `at` with `count` bytes of `text`, in a new
  // block of room for at least `room` bytes when the present one is too small;
  // the old block is let go only once everything is copied, so `text` may lie
  // inside it. False, the text as it was, when the heap refuses.
  bool splice(std::size_t at, std::size_t removed, const char* text, std::size_t count, std::size_t room) noexcept {
    const std::size_t kept = size_ - removed;
    if (count > static_cast<std::size_t>(-1) - 1 - kept) return false;
    const std::size_t size = kept + count;
    if (size == 0 && room == 0) {
      clear();
      return true;
    }
    // Growing in place moves the tail aside first, which text reaching from
    // before the tail into it would not survive: such an edit takes a new block.
    const std::uintptr_t from = reinterpret_cast<std::uintptr_t>(text);
    const std::uintptr_t tail = reinterpret_cast<std::uintptr_t>(bytes_ + at + removed);
    const bool straddles = bytes_ != nullptr && count > removed && from < tail && from + count > tail &&
                           from + count > reinterpret_cast<std::uintptr_t>(bytes_);
    if (size < capacity_ && room < capacity_ && !straddles) {
      if (count < removed) {
        // The text first, into bytes that go anyway; then the tail, which the
        // text may have lain in, closes up.
        std::memmove(bytes_ + at, text, count);
        std::memmove(bytes_ + at + count, bytes_ + at + removed, size_ - at - removed + 1);
      } else {
        if (count > removed) {
          // The tail moves aside first; text that lay in it moved with it.
          if (from >= tail && from < reinterpret_cast<std::uintptr_t>(bytes_ + size_)) text += count - removed;
          std::memmove(bytes_ + at + count, bytes_ + at + removed, size_ - at - removed + 1);
        }
        if (count != 0) std::memmove(bytes_ + at, text, count);
      }
      size_ = size;
      return true;
    }
    std::size_t wanted = size > room ? size : room;
    if (size >= capacity_ && size > room) wanted = heap_detail::grown_capacity(capacity_, size, 1);
    if (wanted == 0 || wanted == static_cast<std::size_t>(-1)) return false;  // no room for the NUL
    auto* block = static_cast<char*>(mem_alloc(wanted + 1));
    if (block == nullptr) return false;
    if (at != 0) std::memcpy(block, bytes_, at);
    if (count != 0) std::memcpy(block + at, text, count);
    if (size_ > at + removed) std::memcpy(block + at + count, bytes_ + at + removed, size_ - at - removed);
    block[size] = 0;
    mem_free(bytes_);
    bytes_ = block;
    size_ = size;
    capacity_ = wanted + 1;
    return true;
  }

  char* bytes_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;  // bytes of the block, the NUL's included
};

// Elements kept in one block, moved to a larger one as the array grows; T's
// default constructor, move constructor and destructor must not throw.
template <class T>
class heap_array {
 public:
  heap_array() noexcept = default;
  heap_array(heap_array&& other) noexcept : items_(other.items_), size_(other.size_), capacity_(other.capacity_) {
    other.items_ = nullptr;
    other.size_ = other.capacity_ = 0;
  }
  heap_array& operator=(heap_array&& other) noexcept {
    if (this != &other) {
      release();
      items_ = other.items_;
      size_ = other.size_;
      capacity_ = other.capacity_;
      other.items_ = nullptr;
      other.size_ = other.capacity_ = 0;
    }
    return *this;
  }
  heap_array(const heap_array&) = delete;
  heap_array& operator=(const heap_array&) = delete;
  ~heap_array() { release(); }

  std::size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  T* data() noexcept { return items_; }
  const T* data() const noexcept { return items_; }
  T& operator[](std::size_t at) noexcept { return items_[at]; }
  const T& operator[](std::size_t at) const noexcept { return items_[at]; }
  T& back() noexcept { return items_[size_ - 1]; }
  const T& back() const noexcept { return items_[size_ - 1]; }
  T* begin() noexcept { return items_; }
  T* end() noexcept { return items_ + size_; }
  const T* begin() const noexcept { return items_; }
  const T* end() const noexcept { return items_ + size_; }

  // Room for `count` elements without a new block: false when the heap refuses.
  bool reserve(std::size_t count) noexcept {
    if (count <= capacity_) return true;
    if (count > static_cast<std::size_t>(-1) / sizeof(T)) return false;
    T* block = static_cast<T*>(mem_alloc(count * sizeof(T)));
    if (block == nullptr) return false;
    for (std::size_t i = 0; i < size_; ++i) {
      new (block + i) T(std::move(items_[i]));
      items_[i].~T();
    }
    mem_free(items_);
    items_ = block;
    capacity_ = count;
    return true;
  }

  // Appends `item` (moved from only when it was appended).
  bool push_back(T&& item) noexcept {
    if (!grow_by_one()) return false;
    new (items_ + size_) T(std::move(item));
    ++size_;
    return true;
  }
  // Appends a default element.
  bool emplace_back() noexcept {
    if (!grow_by_one()) return false;
    new (items_ + size_) T();
    ++size_;
    return true;
  }

  // Destroys every element and gives the block back.
  void release() noexcept {
    for (std::size_t i = 0; i < size_; ++i) items_[i].~T();
    mem_free(items_);
    size_ = capacity_ = 0;
  }

 private:
  bool grow_by_one() noexcept {
    if (size_ < capacity_) return true;
    const std::size_t grown = heap_detail::grown_capacity(capacity_, size_ + 1, sizeof(T));
    return grown != 0 && reserve(grown);
  }

  T* items_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};
