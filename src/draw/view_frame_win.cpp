#include "draw/view_frame_win.h"

#include "draw/view_messages.h"

namespace {

bool thread_is_japanese() noexcept { return locale_is_japanese(static_cast<uint32_t>(GetThreadLocale())); }

const char* cursor_resource(frame_cursor cursor) noexcept {
  switch (cursor) {
    case frame_cursor::size_nwse: return IDC_SIZENWSE;
    case frame_cursor::size_nesw: return IDC_SIZENESW;
    case frame_cursor::size_we: return IDC_SIZEWE;
    case frame_cursor::size_ns: return IDC_SIZENS;
    case frame_cursor::arrow: break;
  }
  return IDC_ARROW;
}

frame_zone zone_at(HWND window, const frame_settings& settings, LPARAM lparam) noexcept {
  RECT client = {};
  GetClientRect(window, &client);
  // Client coordinates as the low and high halves of lParam, unsigned.
  const int32_t x = static_cast<int32_t>(LOWORD(lparam));
  const int32_t y = static_cast<int32_t>(HIWORD(lparam));
  return frame_hit_zone(x, y, client.right, client.bottom, *settings.size_margin);
}

bool full_screen_on(const frame_settings& settings) noexcept {
  return settings.full_screen != nullptr && *settings.full_screen != 0;
}

void set_cursor_for(HWND window, const frame_settings& settings, LPARAM lparam) noexcept {
  SetCursor(LoadCursorA(nullptr, cursor_resource(frame_zone_cursor(zone_at(window, settings, lparam)))));
}

void save_position(HWND window, const frame_settings& settings) noexcept {
  if (full_screen_on(settings)) return;
  if (!IsWindowVisible(window) || IsIconic(window) || IsZoomed(window)) return;
  RECT r = {};
  GetWindowRect(window, &r);
  settings.geometry->left = r.left;
  settings.geometry->top = r.top;
  settings.geometry->right = r.right - r.left;
  settings.geometry->bottom = r.bottom - r.top;
}

void show_picture(HWND window) noexcept {
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

void refresh(const view_description& view, HWND window) noexcept {
  frame_state_head* state = frame_state(window);
  if (state == nullptr) return;
  if (state->buffer_incomplete) {
    frame_rebuild_and_show(view, window, state);
    return;
  }
  view.paint(window, state);
  if (view.show != nullptr) {
    view.show(window, state);
  } else {
    show_picture(window);
  }
}

// WM_CREATE: the view's state, then the buffer's DC, the buffer and the first picture.
frame_state_head* create_all(const view_description& view, HWND window, const match_state* match) noexcept {
  frame_state_head* state = view.create_state(window, match);
  if (state == nullptr) return nullptr;
  {
    window_dc dc(window);
    state->mem_dc.reset(CreateCompatibleDC(dc.get()));
  }
  view.build_buffer(window, state);
  SetBkMode(state->mem_dc.get(), TRANSPARENT);
  view.paint(window, state);
  return state;
}

void destroy_all(const view_description& view, HWND window, frame_state_head* state) noexcept {
  view.release_buffer(window, state);
  state->mem_dc.reset();
  view.destroy_state(window, state);
}

// True while `state` is still the live state of `window`: a modal loop (menu,
// dialog) may have let the host close the window under us.
bool still_alive(HWND window, frame_state_head* state) noexcept {
  return IsWindow(window) && frame_state(window) == state;
}

void context_menu(const view_description& view, HWND window, frame_state_head* state) noexcept {
  const frame_settings& settings = view.settings;
  const int32_t full_screen = settings.full_screen != nullptr ? *settings.full_screen : 0;
  const int32_t visible_set = settings.visible_set != nullptr ? *settings.visible_set : 0;
  int chosen = 0;
  {
    unique_hmenu menu(CreatePopupMenu());
    if (!menu) return;
    for (const menu_item& item : frame_menu_items(view.menu, thread_is_japanese(), full_screen, visible_set)) {
      if (item.text == nullptr) {
        AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
      } else {
        AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
      }
    }
    POINT at = {};
    GetCursorPos(&at);
    chosen = static_cast<int>(TrackPopupMenu(menu.get(), TPM_RETURNCMD, at.x, at.y, 0, window, nullptr));
  }
  if (chosen == 0 || !still_alive(window, state)) return;

  const menu_command command = frame_menu_command(view.menu, chosen);
  if (command == menu_command::close) {
    SendMessageA(window, WM_CLOSE, 0, 0);
  } else if (command == menu_command::full_screen && settings.full_screen != nullptr) {
    if (*settings.full_screen == 0) {
      *settings.full_screen = 1;
      ShowWindow(window, SW_MAXIMIZE);
    } else {
      *settings.full_screen = 0;
      ShowWindow(window, SW_SHOWNORMAL);
    }
  } else if (command == menu_command::sets && settings.visible_set != nullptr) {
    *settings.visible_set = *settings.visible_set != 0 ? 0 : 1;
    frame_rebuild_and_show(view, window, state);
  } else if (view.command != nullptr) {
    view.command(window, state, chosen);
  }
}

}  // namespace

frame_state_head* frame_state(HWND window) noexcept {
  return reinterpret_cast<frame_state_head*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void frame_rebuild_and_show(const view_description& view, HWND window, frame_state_head* state) noexcept {
  view.release_buffer(window, state);
  view.build_buffer(window, state);
  view.paint(window, state);
  show_picture(window);
}

SIZE frame_create_buffer_bitmap(HWND window, frame_state_head& state) noexcept {
  RECT client = {};
  GetClientRect(window, &client);
  window_dc dc(window);
  state.mem_dc.select_owned(CreateCompatibleBitmap(dc.get(), client.right, client.bottom));
  state.buffer_incomplete = state.mem_dc.bitmap() == nullptr;
  return SIZE{client.right, client.bottom};
}

void frame_release_buffer_bitmap(frame_state_head& state) noexcept { state.mem_dc.release(); }

HBRUSH frame_solid_brush(color_ref color) noexcept { return CreateSolidBrush(static_cast<COLORREF>(color)); }

ATOM frame_register_class(HINSTANCE instance, const char* class_name, WNDPROC procedure) noexcept {
  WNDCLASSA wc = {};
  wc.style = 0;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = class_name;
  return RegisterClassA(&wc);
}

HWND frame_create_window(HINSTANCE instance, const view_description& view, const match_state* match) noexcept {
  const frame_settings& settings = view.settings;
  const settings_rect& g = *settings.geometry;
  HWND window = CreateWindowExA(0, view.class_name, view.title, WS_POPUP, g.left, g.top, g.right, g.bottom, nullptr,
                                nullptr, instance, const_cast<match_state*>(match));
  if (window != nullptr) ShowWindow(window, full_screen_on(settings) ? SW_MAXIMIZE : SW_SHOW);
  return window;
}

LRESULT frame_wnd_proc(const view_description& view, HWND window, UINT message, WPARAM wparam,
                       LPARAM lparam) noexcept {
  const frame_settings& settings = view.settings;
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
      const auto* match = static_cast<const match_state*>(create->lpCreateParams);
      if (match == nullptr) return -1;
      frame_state_head* state = create_all(view, window, match);
      if (state == nullptr) return -1;
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
      return 0;
    }
    case WM_DESTROY:
    // A creation that fails after WM_CREATE succeeded ends with WM_NCDESTROY
    // alone; the state made at WM_CREATE is released there.
    case WM_NCDESTROY: {
      if (view.window != nullptr && *view.window == window) *view.window = nullptr;
      frame_state_head* state = frame_state(window);
      if (state != nullptr) {
        // Cleared first: a modal loop still running for this window must see it gone.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (view.refreshes_twice) KillTimer(window, view_message::refresh_timer_id);
        destroy_all(view, window, state);
      }
      return DefWindowProcA(window, message, wparam, lparam);
    }
    case WM_SIZE: {
      frame_state_head* state = frame_state(window);
      if (state != nullptr) frame_rebuild_and_show(view, window, state);
      return 0;
    }
    case WM_PAINT: {
      paint_guard paint(window);
      frame_state_head* state = frame_state(window);
      if (state != nullptr) {
        const RECT& r = paint.area();
        if (view.copy_to_window != nullptr) {
          view.copy_to_window(window, state, paint.get(), r);
        } else {
          BitBlt(paint.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, state->mem_dc.get(), r.left, r.top,
                 SRCCOPY);
        }
      }
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_CONTEXTMENU: {
      frame_state_head* state = frame_state(window);
      if (state != nullptr) context_menu(view, window, state);
      return 0;
    }
    case WM_TIMER:
      if (wparam != view_message::refresh_timer_id && view.timer != nullptr) {
        frame_state_head* state = frame_state(window);
        if (state != nullptr) view.timer(window, state, wparam);
        return 0;
      }
      if (!view.refreshes_twice) break;
      KillTimer(window, wparam);
      SendMessageA(window, view_message::refresh, 0, 0);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      if (!full_screen_on(settings)) set_cursor_for(window, settings, lparam);
      return 0;
    case WM_LBUTTONDOWN:
      if (full_screen_on(settings)) return 0;
      SendMessageA(window, WM_NCLBUTTONDOWN, static_cast<WPARAM>(frame_zone_hit_code(zone_at(window, settings, lparam))),
                   lparam);
      if (IsWindow(window)) set_cursor_for(window, settings, lparam);
      return 0;
    case WM_RBUTTONUP:
      SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), lparam);
      return 0;
    case WM_EXITSIZEMOVE:
      save_position(window, settings);
      return 0;
    case view_message::rebuild: {
      frame_state_head* state = frame_state(window);
      if (state == nullptr) return 0;
      view.release_buffer(window, state);
      view.build_buffer(window, state);
      SendMessageA(window, view_message::refresh, 0, 0);
      return 0;
    }
    case view_message::refresh:
      refresh(view, window);
      return 0;
    case view_message::refresh_twice:
      if (!view.refreshes_twice) break;
      SendMessageA(window, view_message::refresh, 0, 0);
      SetTimer(window, view_message::refresh_timer_id, view.second_refresh_ms, nullptr);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}
