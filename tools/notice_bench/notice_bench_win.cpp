// Speed and soak figures of the views, under Wine or Windows: how long a host
// change notice takes until the new picture is shown (every number on the board
// new, and after one visit: one score new), next to the floor of one
// full-client fill and one copy to the screen; the large view's first notice
// after each change of size, and the resize itself; then a soak of notices, resizes
// and open/close cycles, with GDI objects and heap blocks before and after.
//
// Then the large view's notice after a visit with the caller and the stream
// feed on, next to the same notice without them.
//
// Usage: notice_bench [--quick] [--skin DIR] [--caller-feed]
//   --caller-feed measures only the caller and the stream feed.
//   DIR holds back.bmp, num_l.bmp, num_s.bmp and view_window.ini, whose name
//   boxes and number positions the skin cases use.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <mmsystem.h>

#include "announce/announce_win.h"
#include "draw/gdi_handles_win.h"
#include "match/match_memory_win.h"
#include "match/match_state.h"
#include "plugin/host_protocol.h"
#include "plugin/lifecycle_win.h"
#include "plugin/plugin_exports.h"
#include "plugin/plugin_globals.h"
#include "settings/profile_platform.h"
#include "settings/settings_table.h"
#include "draw/view_frame_win.h"
#include "views/board/view_window_win.h"
#include "views/result/result_window_win.h"
#include "views/score/score_window_win.h"

namespace {

double now_ms() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

unsigned char* low_block(std::size_t size) {
  for (uintptr_t at = 0x30000000; at < 0xF0000000u; at += 0x10000) {
    void* p = VirtualAlloc(reinterpret_cast<void*>(at), size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (p != nullptr) return static_cast<unsigned char*>(p);
  }
  return nullptr;
}

void put(unsigned char* at, int32_t v) { std::memcpy(at, &v, 4); }

struct host {
  unsigned char* record = low_block(4096);
  unsigned char* legs = low_block(4096);
  std::vector<unsigned char> block = std::vector<unsigned char>(1024, 0);
  std::vector<unsigned char> query = std::vector<unsigned char>(8192, 0);
  HWND window = nullptr;

  host() {
    std::memcpy(record + 56, "Phil Taylor", 12);
    std::memcpy(record + 364, "Raymond van Barneveld", 22);
    uint32_t table = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(legs));
    std::memcpy(record + match_layout::leg_table, &table, 4);
    uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(record));
    std::memcpy(&block[host_layout::match_pointer], &address, 4);
    put(&query[host_layout::average_mode], 1);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "notice_bench_host";
    RegisterClassA(&wc);
    window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == view_message::host_query) {
      auto* self = reinterpret_cast<host*>(GetWindowLongPtrA(w, GWLP_USERDATA));
      return reinterpret_cast<LRESULT>(self->query.data());
    }
    return DefWindowProcA(w, m, wp, lp);
  }
  void visit(int i) {
    put(record + 124, 501 - (i * 7) % 501);
    put(record + 432, 501 - (i * 11) % 501);
    put(record + 132, i % 7);
    put(record + 440, i % 5);
    put(record + 128, i % 3);
    put(record + 436, i % 2);
    put(record + 16, i % 8);
    put(legs + 148 * (i % 8), i % 2);
    put(legs + 148 * (i % 8) + 8, (i + 1) % 2);
  }
  // One visit: the score of the player at the oche, and nothing else.
  void throw_visit(int i) { put(record + (i % 2 ? 432 : 124), 501 - (i * 13) % 501); }
};

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

struct figures {
  double median, p99;
};

figures summarise(std::vector<double> t) {
  std::sort(t.begin(), t.end());
  return {t[t.size() / 2], t[std::min(t.size() - 1, t.size() * 99 / 100)]};
}

// One full-client FillRect into a memory bitmap and one BitBlt of it to the window.
figures floor_of(HWND window, int samples) {
  RECT r;
  GetClientRect(window, &r);
  HDC wdc = GetDC(window);
  HDC mdc = CreateCompatibleDC(wdc);
  HBITMAP bmp = CreateCompatibleBitmap(wdc, r.right, r.bottom);
  HGDIOBJ old = SelectObject(mdc, bmp);
  HBRUSH brush = CreateSolidBrush(RGB(40, 40, 40));
  std::vector<double> t;
  for (int i = 0; i < samples; ++i) {
    double start = now_ms();
    FillRect(mdc, &r, brush);
    BitBlt(wdc, 0, 0, r.right, r.bottom, mdc, 0, 0, SRCCOPY);
    GdiFlush();
    t.push_back(now_ms() - start);
  }
  DeleteObject(brush);
  SelectObject(mdc, old);
  DeleteObject(bmp);
  DeleteDC(mdc);
  ReleaseDC(window, wdc);
  return summarise(t);
}

// The same fill and copy, shown the way a view shows a new picture: the window
// is invalidated and updated, and its WM_PAINT copies the buffer to the screen.
// This is what showing any picture costs on the platform, before any drawing.
struct shown_floor_window {
  HDC mdc = nullptr;
};

LRESULT CALLBACK shown_floor_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    auto* self = reinterpret_cast<shown_floor_window*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    const RECT& r = ps.rcPaint;
    if (self != nullptr) BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, self->mdc, r.left, r.top, SRCCOPY);
    EndPaint(w, &ps);
    return 0;
  }
  if (m == WM_ERASEBKGND) return 1;
  return DefWindowProcA(w, m, wp, lp);
}

figures shown_floor_of(int width, int height, int samples) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = shown_floor_proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "notice_bench_floor";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                           nullptr, wc.hInstance, nullptr);
  RECT r;
  GetClientRect(w, &r);
  shown_floor_window self;
  HDC wdc = GetDC(w);
  self.mdc = CreateCompatibleDC(wdc);
  HBITMAP bmp = CreateCompatibleBitmap(wdc, r.right, r.bottom);
  ReleaseDC(w, wdc);
  HGDIOBJ old = SelectObject(self.mdc, bmp);
  HBRUSH brush = CreateSolidBrush(RGB(40, 40, 40));
  SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&self));
  pump();
  std::vector<double> t;
  for (int i = 0; i < samples; ++i) {
    double start = now_ms();
    FillRect(self.mdc, &r, brush);
    InvalidateRect(w, nullptr, FALSE);
    UpdateWindow(w);
    GdiFlush();
    t.push_back(now_ms() - start);
  }
  DestroyWindow(w);
  pump();
  DeleteObject(brush);
  SelectObject(self.mdc, old);
  DeleteObject(bmp);
  DeleteDC(self.mdc);
  return summarise(t);
}

std::size_t heap_blocks() {
  std::size_t n = 0;
  HANDLE heap = GetProcessHeap();
  PROCESS_HEAP_ENTRY e = {};
  HeapLock(heap);
  while (HeapWalk(heap, &e)) {
    if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++n;
  }
  HeapUnlock(heap);
  return n;
}

struct view_case {
  const char* name;
  plugin_entry_fn entry;
  HWND* handle;
  int width, height;  // 0: the view's default size
  bool skin;
};

// Names the sample skin for a skin case; a text case names no background.
void set_skin(const view_case& v, const std::string& skin_dir) {
  if (v.skin) {
    lstrcpyA(view_settings.bmp_back, (skin_dir + "\\back.bmp").c_str());
    lstrcpyA(view_settings.bmp_num_l, (skin_dir + "\\num_l.bmp").c_str());
    lstrcpyA(view_settings.bmp_num_s, (skin_dir + "\\num_s.bmp").c_str());
  } else {
    view_settings.bmp_back[0] = 0;
  }
}

// Change notices to a view, each after `change(i)`, until the picture is shown.
template <class Change>
figures time_notices(host& h, plugin_entry_fn entry, int samples, Change change) {
  std::vector<double> t;
  for (int i = 0; i < samples; ++i) {
    change(i);
    double start = now_ms();
    entry(h.window, host_event::change, h.block.data(), 0);
    GdiFlush();
    t.push_back(now_ms() - start);
  }
  return summarise(t);
}

void measure(host& h, const view_case& v, int samples, const std::string& skin_dir) {
  set_skin(v, skin_dir);
  v.entry(h.window, host_event::open, h.block.data(), 0);
  HWND w = *v.handle;
  if (w == nullptr) {
    std::printf("%-28s could not open (error %lu)\n", v.name, GetLastError());
    return;
  }
  if (v.width > 0) SetWindowPos(w, nullptr, 0, 0, v.width, v.height, SWP_NOZORDER | SWP_NOACTIVATE);
  pump();
  RECT r;
  GetClientRect(w, &r);
  const figures notice = time_notices(h, v.entry, samples, [&](int i) { h.visit(i); });
  // Notices that change nothing the view shows.
  const figures unchanged = time_notices(h, v.entry, samples, [](int) {});
  // Notices after one visit each.
  const figures one_score = time_notices(h, v.entry, samples, [&](int i) { h.throw_visit(i); });
  // The same repaint into the buffer alone, without showing it.
  std::vector<double> p;
  frame_state_head* head = frame_state(w);
  for (int i = 0; i < samples && head != nullptr; ++i) {
    h.visit(i);
    double start = now_ms();
    if (v.handle == &result_hwnd) result_paint_table(w, static_cast<result_window_state*>(head));
    if (v.handle == &score_hwnd) score_paint_board(w, static_cast<score_window_state*>(head));
    if (v.handle == &view_hwnd) view_paint_board(w, static_cast<view_window_state*>(head));
    GdiFlush();
    p.push_back(now_ms() - start);
  }
  figures paint = p.empty() ? figures{0, 0} : summarise(p);
  figures base = floor_of(w, samples);
  v.entry(h.window, host_event::close, h.block.data(), 0);
  pump();
  figures shown = shown_floor_of(r.right, r.bottom, samples);
  std::printf("%-18s %4ldx%-4ld notice median %7.3f p99 %7.3f | paint only %7.3f | floor median %7.3f p99 %7.3f ms"
              " | %5.2fx | shown floor %7.3f ms, %5.2fx | unchanged notice %7.3f ms | one score %7.3f ms\n",
              v.name, r.right, r.bottom, notice.median, notice.p99, paint.median, base.median, base.p99,
              base.median > 0 ? notice.median / base.median : 0.0, shown.median,
              shown.median > 0 ? notice.median / shown.median : 0.0, unchanged.median, one_score.median);
}

// A folder of its own under the temporary folder, with a trailing backslash.
std::string fresh_folder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string dir = std::string(temp) + name + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

std::string read_whole(const std::string& path) {
  std::string bytes;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(f);
  return bytes;
}

// A caller pack of short PCM sounds (a tenth of a second each): every score
// and word of the scheme.
void write_pack(const std::string& dir) {
  std::string samples(800, '\x80');
  auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  const std::string file = "RIFF" + u32(36 + 800) + "WAVEfmt " + u32(16) + std::string("\x01\x00\x01\x00", 4) +
                           u32(8000) + u32(8000) + std::string("\x01\x00\x08\x00", 4) + "data" + u32(800) + samples;
  std::vector<std::string> names = {"gameshot", "setshot", "you_require", "gameon"};
  for (int n = 0; n <= 180; ++n) names.push_back(std::to_string(n));
  for (const std::string& name : names) {
    HANDLE f = CreateFileA((dir + name + ".wav").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(f);
  }
}

// The large view's notice after a visit (the score of the player at the oche
// down, the turn passing), without and then with the caller and the stream
// feed on: what the two cost on top of the board.
void measure_caller_and_feed(host& h, int samples, int width, int height) {
  const std::string pack = fresh_folder("dsv_bench_pack");
  const std::string feed = fresh_folder("dsv_bench_feed");
  write_pack(pack);
  view_settings.bmp_back[0] = 0;
  figures off = {0, 0};
  static const char* const modes[] = {"without caller and feed", "caller", "stream feed", "both"};
  for (int on = 0; on < 4; ++on) {
    lstrcpyA(view_extras.caller_dir, (on & 1) != 0 ? pack.substr(0, pack.size() - 1).c_str() : "");
    lstrcpyA(view_extras.stream_dir, (on & 2) != 0 ? feed.substr(0, feed.size() - 1).c_str() : "");
    put(h.record + 16, 0);
    put(h.legs + match_layout::first_player, 0);
    int32_t score[2] = {501, 501};
    const auto turn = [&](int i) {
      const int p = i % 2;
      score[p] = score[p] > 170 ? score[p] - 60 : 501;
      put(h.record + match_layout::players + match_layout::player_stride * p + match_layout::score, score[p]);
      put(h.legs + match_layout::current_player, 1 - p);
    };
    for (int i = 0; i < 2; ++i) turn(i);
    dsv_view(h.window, host_event::open, h.block.data(), 0);
    if (view_hwnd == nullptr) return;
    SetWindowPos(view_hwnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    pump();
    const figures f = time_notices(h, dsv_view, samples, [&](int i) {
      turn(i);
      // Between two visits, as in a match (seconds there): the caller's timer
      // moves on and the feed's writer ends its writes.
      Sleep(30);
      pump();
    });
    dsv_view(h.window, host_event::close, h.block.data(), 0);
    pump();
    if (on == 0) off = f;
    std::printf("large view, text %4dx%-4d notice after a visit, %-23s median %7.3f p99 %7.3f ms | %+7.3f ms\n", width,
                height, modes[on], f.median, f.p99, f.median - off.median);
  }
  // What the two add to a notice, timed alone: the caller's and the feed's
  // part of it, with the view open and both on (the whole notice above varies
  // by more than this from run to run on a busy machine).
  lstrcpyA(view_extras.caller_dir, pack.substr(0, pack.size() - 1).c_str());
  lstrcpyA(view_extras.stream_dir, feed.substr(0, feed.size() - 1).c_str());
  dsv_view(h.window, host_event::open, h.block.data(), 0);
  std::vector<double> part;
  std::vector<double> sound;
  const auto* record = reinterpret_cast<const match_state*>(h.record);
  match_tracker tracker = {};
  match_tracker_update(tracker, match_snapshot_of(record, match_bytes_readable));
  for (int i = 0; i < samples && view_hwnd != nullptr; ++i) {
    const int p = i % 2;
    put(h.record + match_layout::players + match_layout::player_stride * p + match_layout::score, 100 + 20 * (i % 3));
    put(h.legs + match_layout::current_player, 1 - p);
    Sleep(30);
    pump();
    // What the view adds for them: its tracker fed (which the options that
    // follow the match would need anyway) and the events told.
    double start = now_ms();
    const match_snapshot now = match_snapshot_of(record, match_bytes_readable);
    const match_events events = match_tracker_update(tracker, now);
    announce_events(view_hwnd, record, now, events, tracker);
    part.push_back(now_ms() - start);
  }
  dsv_view(h.window, host_event::close, h.block.data(), 0);
  pump();
  // The system's asynchronous play from memory, as the caller's timer calls it after the notice.
  const std::string clip = read_whole(pack + "60.wav");
  for (int i = 0; i < std::min(samples, 50); ++i) {
    double start = now_ms();
    PlaySoundA(clip.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
    sound.push_back(now_ms() - start);
    Sleep(150);
  }
  PlaySoundA(nullptr, nullptr, 0);
  if (!part.empty()) {
    const figures a = summarise(part);
    const figures b = summarise(sound);
    std::printf("caller and feed within a notice after a visit: median %7.3f p99 %7.3f ms | PlaySound from memory, "
                "asynchronous, on the view's timer: median %7.3f p99 %7.3f ms\n",
                a.median, a.p99, b.median, b.p99);
  }
  view_extras.caller_dir[0] = 0;
  view_extras.stream_dir[0] = 0;
}

// The first notice after each change of size: the view is sized away and back
// to the case's size `rounds` times, each followed by one notice with every
// number new; what a host waits for when the view has just gone full screen.
void first_notices_after_resize(host& h, const view_case& v, int rounds, const std::string& skin_dir) {
  set_skin(v, skin_dir);
  v.entry(h.window, host_event::open, h.block.data(), 0);
  HWND w = *v.handle;
  if (w == nullptr) return;
  std::vector<double> t, sizing;
  for (int i = 0; i < rounds; ++i) {
    SetWindowPos(w, nullptr, 0, 0, 640 + i % 2, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    pump();
    double start_sizing = now_ms();
    SetWindowPos(w, nullptr, 0, 0, v.width, v.height, SWP_NOZORDER | SWP_NOACTIVATE);
    pump();
    GdiFlush();
    sizing.push_back(now_ms() - start_sizing);
    h.visit(1000 + i);
    double start = now_ms();
    v.entry(h.window, host_event::change, h.block.data(), 0);
    GdiFlush();
    t.push_back(now_ms() - start);
  }
  RECT r;
  GetClientRect(w, &r);
  v.entry(h.window, host_event::close, h.block.data(), 0);
  pump();
  const figures first = summarise(t);
  std::printf("%-18s %4ldx%-4ld first notice after a resize: median %7.3f max %7.3f ms (%d resizes;"
              " the resize itself, with its repaint: median %7.3f ms)\n",
              v.name, r.right, r.bottom, first.median, *std::max_element(t.begin(), t.end()), rounds,
              summarise(sizing).median);
}

// The call-out banner: a notice that raises it (a 180 thrown), one that takes
// it down (the next visit's first dart), and its time running out, against a
// notice that changes one score and calls nothing, all with show_callout on.
void measure_callouts(host& h, const view_case& v, int samples, const std::string& skin_dir) {
  set_skin(v, skin_dir);
  const view_window_extras kept = view_extras;
  view_extras.show_callout = 1;
  view_extras.callout_seconds = 60;
  int32_t score[2] = {1000000, 1000000};
  int32_t count_180 = 0;
  int player = 0;
  auto write = [&] {
    put(h.record + 16, 0);
    for (int p = 0; p < 2; ++p) {
      put(h.record + match_layout::players + match_layout::player_stride * p + match_layout::score, score[p]);
      put(h.record + match_layout::players + match_layout::player_stride * p + match_layout::stats_a +
              match_layout::count_180,
          p == 0 ? count_180 : 0);
    }
    put(h.legs, 0);
    put(h.legs + match_layout::current_player, player);
  };
  write();
  v.entry(h.window, host_event::open, h.block.data(), 0);
  HWND w = *v.handle;
  if (w == nullptr) {
    view_extras = kept;
    return;
  }
  SetWindowPos(w, nullptr, 0, 0, v.width, v.height, SWP_NOZORDER | SWP_NOACTIVATE);
  pump();
  RECT r;
  GetClientRect(w, &r);
  auto timed = [&](std::vector<double>& into) {
    const double start = now_ms();
    v.entry(h.window, host_event::change, h.block.data(), 0);
    GdiFlush();
    into.push_back(now_ms() - start);
  };
  std::vector<double> plain, raise, clear, time_up;
  // A visit that calls nothing, then one that raises the banner and the first
  // dart of the next visit, which takes it down.
  for (int i = 0; i < samples; ++i) {
    score[player] -= 60;
    player = 1 - player;
    write();
    timed(plain);
  }
  for (int i = 0; i < samples; ++i) {
    score[0] -= 180;
    ++count_180;
    player = 1;
    write();
    timed(raise);
    score[1] -= 20;
    write();
    timed(clear);
    score[1] -= 40;
    player = 0;
    write();
    v.entry(h.window, host_event::change, h.block.data(), 0);
  }
  auto* state = static_cast<view_window_state*>(frame_state(w));
  for (int i = 0; i < samples && state != nullptr; ++i) {
    score[0] -= 180;
    ++count_180;
    player = 1;
    write();
    v.entry(h.window, host_event::change, h.block.data(), 0);
    state->callout_deadline = GetTickCount();  // its time is up
    const double start = now_ms();
    view_callout_timer(w, state, board_callout_timer_id);
    GdiFlush();
    time_up.push_back(now_ms() - start);
    score[1] -= 60;
    player = 0;
    write();
    v.entry(h.window, host_event::change, h.block.data(), 0);
  }
  v.entry(h.window, host_event::close, h.block.data(), 0);
  pump();
  view_extras = kept;
  const figures a = summarise(plain), b = summarise(raise), c = summarise(clear);
  const figures d = time_up.empty() ? figures{0, 0} : summarise(time_up);
  std::printf("%-18s %4ldx%-4ld call-out: score notice %7.3f | raise %7.3f (%4.2fx) | next visit clears %7.3f "
              "(%4.2fx) | time up %7.3f ms (%4.2fx), median\n",
              v.name, r.right, r.bottom, a.median, b.median, a.median > 0 ? b.median / a.median : 0.0, c.median,
              a.median > 0 ? c.median / a.median : 0.0, d.median, a.median > 0 ? d.median / a.median : 0.0);
}

void soak(host& h, const view_case& v, int notices, int resizes, int cycles) {
  const long gdi_before = gdi_live_objects();
  const std::size_t heap_before = heap_blocks();
  for (int c = 0; c < cycles; ++c) {
    v.entry(h.window, host_event::open, h.block.data(), 0);
    v.entry(h.window, host_event::close, h.block.data(), 0);
  }
  v.entry(h.window, host_event::open, h.block.data(), 0);
  HWND w = *v.handle;
  for (int i = 0; i < notices; ++i) {
    h.visit(i);
    v.entry(h.window, i % 2 ? host_event::change_twice : host_event::change, h.block.data(), 0);
    if (i % 100 == 0) pump();
  }
  for (int i = 0; i < resizes && w != nullptr; ++i) {
    SetWindowPos(w, nullptr, 0, 0, 200 + i % 500, 100 + i % 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  v.entry(h.window, host_event::close, h.block.data(), 0);
  pump();
  std::printf("%-28s soak: GDI objects %ld -> %ld, heap blocks %zu -> %zu\n", v.name, gdi_before,
              gdi_live_objects(), heap_before, heap_blocks());
}

}  // namespace

int main(int argc, char** argv) {
  bool quick = false;
  bool caller_feed_only = false;
  std::string skin_dir;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) quick = true;
    if (std::strcmp(argv[i], "--caller-feed") == 0) caller_feed_only = true;
    if (std::strcmp(argv[i], "--skin") == 0 && i + 1 < argc) skin_dir = argv[++i];
  }
  plugin_startup(GetModuleHandleA(nullptr));
  if (!skin_dir.empty()) {
    // The skin's own lines: its name boxes and number positions (the file
    // names are set per case below).
    settings_load_from_file((skin_dir + "\\view_window.ini").c_str(), &view_settings.geometry, profile_platform_files);
  }
  view_settings.full_screen = 0;
  result_settings.reslut_full_screen = 0;
  host h;
  const int samples = quick ? 50 : 500;
  if (caller_feed_only) {
    measure_caller_and_feed(h, samples, 1920, 1080);
    return 0;
  }
  // The large view at the sample skin's own size (960 x 540), at sizes that
  // are no power-of-two multiple of it (1000 x 500 and the usual projector
  // sizes 1280 x 720 and 1366 x 768), and at full HD and 4K; text and skin at one
  // size one after the other, so that the machine's load changes little
  // between the two.
  const SIZE large_sizes[] = {{960, 540}, {1000, 500}, {1280, 720}, {1366, 768}, {1920, 1080}, {3840, 2160}};
  std::vector<view_case> cases = {
      {"result view", dsv_result, &result_hwnd, 0, 0, false},
      {"small score view", dsv_socre, &score_hwnd, 0, 0, false},
  };
  for (const SIZE& s : large_sizes) {
    cases.push_back({"large view, text", dsv_view, &view_hwnd, s.cx, s.cy, false});
    if (!skin_dir.empty()) cases.push_back({"large view, skin", dsv_view, &view_hwnd, s.cx, s.cy, true});
  }
  for (const view_case& v : cases) measure(h, v, samples, skin_dir);
  for (const view_case& v : cases) {
    if (v.handle == &view_hwnd) first_notices_after_resize(h, v, quick ? 5 : 20, skin_dir);
  }
  const SIZE callout_sizes[] = {{960, 540}, {1920, 1080}, {3840, 2160}};
  for (const SIZE& s : callout_sizes) {
    measure_callouts(h, {"large view, text", dsv_view, &view_hwnd, s.cx, s.cy, false}, samples, skin_dir);
    if (!skin_dir.empty()) {
      measure_callouts(h, {"large view, skin", dsv_view, &view_hwnd, s.cx, s.cy, true}, samples, skin_dir);
    }
  }
  measure_caller_and_feed(h, samples, 1920, 1080);
  const int notices = quick ? 500 : 10000, resizes = quick ? 100 : 1000, cycles = quick ? 10 : 100;
  const std::size_t text_case = 2, skin_case = 3;
  soak(h, cases[0], notices, resizes, cycles);
  soak(h, cases[1], notices, resizes, cycles);
  set_skin(cases[text_case], skin_dir);
  soak(h, cases[text_case], notices, resizes, cycles);
  if (!skin_dir.empty()) {
    set_skin(cases[skin_case], skin_dir);
    soak(h, cases[skin_case], notices, resizes, cycles);
  }
  return 0;
}
