// Owning wrappers for the GDI objects and menus the views create, and guards
// that put back what a selection replaced or end what they began. Every GDI
// create and delete through the wrappers is counted, so a test can see that a
// window frees all it made.
#pragma once

#include <windows.h>

#include <utility>

#include "draw/pixel_box.h"

// GDI objects created through the wrappers and not yet deleted.
long gdi_live_objects() noexcept;
void gdi_count_created() noexcept;
void gdi_count_deleted() noexcept;

inline void delete_gdi_object(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void delete_dc(HDC dc) noexcept { DeleteDC(dc); }
inline void destroy_menu(HMENU menu) noexcept { DestroyMenu(menu); }

// Move-only owner of one handle; deletes it when reset or destroyed. `Counted`
// handles are GDI objects and go into gdi_live_objects().
template <class H, void (*Delete)(H), bool Counted = true>
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
      if (Counted) gdi_count_deleted();
    }
    handle_ = handle;
    if (handle_ != nullptr && Counted) gdi_count_created();
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
// A menu is a user object, not a GDI one: not counted.
using unique_hmenu = unique_handle<HMENU, destroy_menu, false>;

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

// BeginPaint / EndPaint of a window.
class paint_guard {
 public:
  explicit paint_guard(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~paint_guard() { EndPaint(window_, &paint_); }
  paint_guard(const paint_guard&) = delete;
  paint_guard& operator=(const paint_guard&) = delete;
  HDC get() const noexcept { return dc_; }
  const RECT& area() const noexcept { return paint_.rcPaint; }  // what needs painting

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
  HDC dc_ = nullptr;
};

// A memory device context and the bitmap selected into it, owned or borrowed.
// The DC lives until reset() or destruction; a bitmap is selected in and put
// out again around it. Teardown runs in this order: the bitmap the DC held
// before is selected back, an owned bitmap is deleted, then the DC.
class memory_dc {
 public:
  memory_dc() noexcept = default;
  ~memory_dc() { reset(); }
  memory_dc(const memory_dc&) = delete;
  memory_dc& operator=(const memory_dc&) = delete;

  HDC get() const noexcept { return dc_.get(); }
  explicit operator bool() const noexcept { return static_cast<bool>(dc_); }
  // The bitmap selected in; null when none is, or when it could not be made.
  HBITMAP bitmap() const noexcept { return selected_; }

  // Releases what is selected, deletes the DC and takes `dc` (a fresh memory DC, or null).
  void reset(HDC dc = nullptr) noexcept {
    release();
    dc_.reset(dc);
  }
  // Selects `created` in and owns it (a null one is kept as a failed creation).
  void select_owned(HBITMAP created) noexcept {
    release();
    owned_.reset(created);
    select(created);
  }
  // Selects `bitmap` in; its owner keeps it and must outlive the selection.
  void select_borrowed(HBITMAP bitmap) noexcept {
    release();
    select(bitmap);
  }
  // Selects the saved bitmap back and deletes an owned one; the DC stays.
  void release() noexcept {
    if (dc_ && saved_ != nullptr) SelectObject(dc_.get(), saved_);
    saved_ = nullptr;
    selected_ = nullptr;
    owned_.reset();
  }

 private:
  void select(HBITMAP bitmap) noexcept {
    selected_ = bitmap;
    saved_ = SelectObject(dc_.get(), bitmap);
  }

  unique_hdc dc_;
  unique_hbitmap owned_;
  HBITMAP selected_ = nullptr;
  HGDIOBJ saved_ = nullptr;
};

// A layout's box as GDI takes it.
inline RECT to_rect(const pixel_box& box) noexcept { return RECT{box.left, box.top, box.right, box.bottom}; }
