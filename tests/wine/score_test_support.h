// Helpers of the small score view's tests: driving its context menu and its
// modal Edit Title dialog from inside their modal loops, on this thread only.
#pragma once

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "menu_driver.h"
#include "test_host.h"

namespace score_test {

inline std::string class_name_of(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

inline std::string text_of(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The Edit Title dialog: a thread-local CBT hook sees the dialog ("#32770")
// activated; a thread timer then hands it to `act` inside the dialog's loop.
struct dialog_run {
  std::function<void(HWND dialog)> act;
  HWND dialog = nullptr;
  int opened = 0;
};

inline dialog_run& current_dialog() {
  static dialog_run run;
  return run;
}

inline void CALLBACK dialog_timer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  dialog_run& run = current_dialog();
  if (run.act && IsWindow(run.dialog)) run.act(run.dialog);
}

inline LRESULT CALLBACK dialog_hook_proc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wparam);
    dialog_run& run = current_dialog();
    if (class_name_of(window) == "#32770" && window != run.dialog) {
      run.dialog = window;
      ++run.opened;
      SetTimer(nullptr, 0, 10, dialog_timer);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Arms the hook for the dialogs opened while it lives.
class dialog_driver {
 public:
  explicit dialog_driver(std::function<void(HWND dialog)> act) {
    current_dialog() = dialog_run{};
    current_dialog().act = std::move(act);
    hook_ = SetWindowsHookExA(WH_CBT, dialog_hook_proc, nullptr, GetCurrentThreadId());
  }
  ~dialog_driver() {
    UnhookWindowsHookEx(hook_);
    current_dialog() = dialog_run{};
  }
  dialog_driver(const dialog_driver&) = delete;
  dialog_driver& operator=(const dialog_driver&) = delete;
  int opened() const { return current_dialog().opened; }

 private:
  HHOOK hook_ = nullptr;
};

// Children of the dialog in template order (the order they were created).
inline std::vector<HWND> controls_of(HWND dialog) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

// A DIALOG template as the library carries it, read from the resource bytes.
struct template_item {
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  WORD id = 0;
  WORD class_atom = 0;  // 0x80 button, 0x81 edit, 0x82 static
  std::wstring text;
};
struct dialog_template {
  bool found = false;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::wstring caption;
  WORD points = 0;
  std::wstring face;
  std::vector<template_item> items;
};

inline std::wstring read_sz(const WORD*& p) {
  std::wstring out;
  while (*p != 0) out += static_cast<wchar_t>(*p++);
  ++p;
  return out;
}

inline dialog_template read_dialog_template(HMODULE module, int id, LANGID language) {
  dialog_template out;
  HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(id), language);
  if (found == nullptr) return out;
  const auto* base = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  const auto* p = reinterpret_cast<const WORD*>(base);
  auto dword = [&]() {
    DWORD v = static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 16);
    p += 2;
    return v;
  };
  auto skip_sz_or_ord = [&]() -> WORD {
    if (*p == 0xFFFF) {
      const WORD ord = p[1];
      p += 2;
      return ord;
    }
    read_sz(p);
    return 0;
  };
  out.found = true;
  out.style = dword();
  dword();  // extended style
  const WORD count = *p++;
  out.x = static_cast<short>(*p++);
  out.y = static_cast<short>(*p++);
  out.cx = static_cast<short>(*p++);
  out.cy = static_cast<short>(*p++);
  skip_sz_or_ord();  // menu
  skip_sz_or_ord();  // class
  out.caption = read_sz(p);
  if (out.style & DS_SETFONT) {
    out.points = *p++;
    out.face = read_sz(p);
  }
  for (WORD i = 0; i < count; ++i) {
    p = reinterpret_cast<const WORD*>(base + ((reinterpret_cast<const unsigned char*>(p) - base + 3) & ~3));
    template_item item;
    item.style = dword();
    dword();  // extended style
    item.x = static_cast<short>(*p++);
    item.y = static_cast<short>(*p++);
    item.cx = static_cast<short>(*p++);
    item.cy = static_cast<short>(*p++);
    item.id = *p++;
    item.class_atom = skip_sz_or_ord();
    if (*p == 0xFFFF) {
      p += 2;
    } else {
      item.text = read_sz(p);
    }
    const WORD extra = *p++;
    p = reinterpret_cast<const WORD*>(reinterpret_cast<const unsigned char*>(p) + extra);
    out.items.push_back(item);
  }
  return out;
}

// Checks a template against the layout both languages share; the texts differ.
inline void expect_title_template(const dialog_template& t, const std::wstring& caption, WORD points,
                                  const std::wstring& face, const std::wstring& cancel, const std::wstring& label) {
  ASSERT_TRUE(t.found);
  EXPECT_EQ(t.style & ~WS_VISIBLE, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(t.x, 0);
  EXPECT_EQ(t.y, 0);
  EXPECT_EQ(t.cx, 269);
  EXPECT_EQ(t.cy, 65);
  EXPECT_EQ(t.caption, caption);
  EXPECT_EQ(t.points, points);
  EXPECT_EQ(t.face, face);
  const struct {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    WORD class_atom;
    std::wstring text;
  } expected[] = {
      {WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 15, 255, 15, 1001, 0x81, L""},
      {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 155, 41, 50, 14, IDOK, 0x80, L"OK"},
      {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 211, 41, 50, 14, IDCANCEL, 0x80, cancel},
      {WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 5, 5, 140, 10, 0xFFFF, 0x82, label},
  };
  ASSERT_EQ(t.items.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const template_item& item = t.items[i];
    EXPECT_EQ(item.style, expected[i].style);
    EXPECT_EQ(item.x, expected[i].x);
    EXPECT_EQ(item.y, expected[i].y);
    EXPECT_EQ(item.cx, expected[i].cx);
    EXPECT_EQ(item.cy, expected[i].cy);
    EXPECT_EQ(item.id, expected[i].id);
    EXPECT_EQ(item.class_atom, expected[i].class_atom);
    EXPECT_TRUE(item.text == expected[i].text);
  }
}

}  // namespace score_test
