// Owning wrappers for the GDI objects the views create, and guards that put back
// what a selection replaced. Every create and delete through the wrappers is
// counted, so a test can see that a window frees all it made.
#pragma once

#include <windows.h>

#include <utility>

// GDI objects created through the wrappers and not yet deleted.
long gdi_live_objects() noexcept;
void gdi_count_created() noexcept;
void gdi_count_deleted() noexcept;

inline void delete_gdi_object(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void delete_dc(HDC dc) noexcept { DeleteDC(dc); }

// Move-only owner of one handle; deletes it when reset or destroyed.
template <class H, void (*Delete)(H)>
class unique_handle {
 public:
  unique_handle() noexcept = default;
  explicit unique_handle(H handle) noexcept { reset(handle); }
  ~unique_handle() { reset(); }
  unique_handle(unique_handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;

  H get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

  // Deletes the held object (if any) and takes ownership of `handle`.
  void reset(H handle = nullptr) noexcept {
    if (handle_ != nullptr) {
      Delete(handle_);
      gdi_count_deleted();
    }
    handle_ = handle;
    if (handle_ != nullptr) gdi_count_created();
  }

 private:
  H handle_ = nullptr;
};

template <class H>
inline void delete_gdi_typed(H object) noexcept {
  delete_gdi_object(object);
}

using unique_hfont = unique_handle<HFONT, delete_gdi_typed<HFONT>>;
using unique_hbrush = unique_handle<HBRUSH, delete_gdi_typed<HBRUSH>>;
using unique_hpen = unique_handle<HPEN, delete_gdi_typed<HPEN>>;
using unique_hbitmap = unique_handle<HBITMAP, delete_gdi_typed<HBITMAP>>;
using unique_hdc = unique_handle<HDC, delete_dc>;

// Selects an object into a device context and puts the previous one back.
class select_guard {
 public:
  select_guard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~select_guard() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  select_guard(const select_guard&) = delete;
  select_guard& operator=(const select_guard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// GetDC / ReleaseDC of a window (or of the screen for a null window).
class window_dc {
 public:
  explicit window_dc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~window_dc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  window_dc(const window_dc&) = delete;
  window_dc& operator=(const window_dc&) = delete;
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A bitmap selected into a memory device context, with the bitmap it replaced.
// release() selects the saved bitmap back and then deletes the buffer.
struct selected_bitmap {
  unique_hbitmap bitmap;
  HGDIOBJ saved = nullptr;

  void select_into(HDC dc, HBITMAP created) noexcept {
    bitmap.reset(created);
    saved = SelectObject(dc, created);
  }
  void release(HDC dc) noexcept {
    if (dc != nullptr && saved != nullptr) SelectObject(dc, saved);
    saved = nullptr;
    bitmap.reset();
  }
};
