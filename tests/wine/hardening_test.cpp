// The plug-in runs inside the host's process: whatever the host or the data
// does, the host must survive. Every case runs in a child process (this same
// program with --case NAME), so a crash shows as a failed exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>

#include "draw/gdi_handles_win.h"
#include "match/match_state.h"
#include "plugin/host_protocol.h"
#include "plugin/lifecycle_win.h"
#include "plugin/plugin_exports.h"
#include "plugin/plugin_globals.h"
#include "settings/settings_table.h"
#include "fault_injection.h"
#include "menu_driver.h"
#include "test_host.h"

namespace {

std::string self_path() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// Runs this program with `--case name` and returns its exit code (or the
// exception code of a crash).
DWORD run_case(const std::string& name) {
  std::string command = "\"" + self_path() + "\" --case " + name;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 9999;
  WaitForSingleObject(pi.hProcess, 10 * 60 * 1000);
  DWORD code = 9998;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

#define CHECK_OR(code, cond)                                                \
  do {                                                                      \
    if (!(cond)) {                                                          \
      std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #cond);       \
      return code;                                                          \
    }                                                                       \
  } while (0)

// The host unloads the library while all three views are open.
int case_unload_with_open_views() {
  plugin_dll dll;
  fake_match match;
  match.set_name(0, "Ann");
  match.set_name(1, "Bo");
  fake_host host(match);
  dll.dsv_view(host.window, host_event::open, host.block(), 0);
  dll.dsv_socre(host.window, host_event::open, host.block(), 0);
  dll.dsv_result(host.window, host_event::open, host.block(), 0);
  pump_messages(50);
  for (const plugin_view_entry& v : all_views) CHECK_OR(2, find_thread_window(v.class_name) != nullptr);
  dll.unload();
  // Nothing of ours may be left to receive messages.
  for (const plugin_view_entry& v : all_views) CHECK_OR(3, find_thread_window(v.class_name) == nullptr);
  pump_messages(50);
  CHECK_OR(4, !read_file(dll.ini_path()).empty());
  // The library loads again and the views open again.
  dll.reload();
  dll.dsv_socre(host.window, host_event::open, host.block(), 0);
  CHECK_OR(5, find_thread_window("dsv_score_wnd") != nullptr);
  dll.unload();
  return 0;
}

// Nonsense from the host at the boundary.
int case_bad_boundary() {
  plugin_dll dll;
  CHECK_OR(2, dll.get_plugin_info(0, 0, nullptr) == 0);
  fake_match match;
  fake_host host(match);
  // No host block, and a host block without a record: nothing opens.
  for (auto entry : {dll.dsv_view, dll.dsv_socre, dll.dsv_result}) {
    for (uint32_t code : {2u, 4u, 32u, 128u, 512u}) CHECK_OR(3, entry(host.window, code, nullptr, 0) == 1);
  }
  host.set_match(nullptr);
  for (auto entry : {dll.dsv_view, dll.dsv_socre, dll.dsv_result}) {
    CHECK_OR(4, entry(host.window, host_event::open, host.block(), 0) == 1);
  }
  for (const plugin_view_entry& v : all_views) CHECK_OR(5, find_thread_window(v.class_name) == nullptr);
  // A host that answers the query with null: the result view opens all the same.
  host.set_match(match.pointer());
  host.answer_null = true;
  CHECK_OR(6, dll.dsv_result(host.window, host_event::open, host.block(), 0) == 1);
  CHECK_OR(7, find_thread_window("dsv_result_wnd") != nullptr);
  // A null host window.
  dll.dsv_result(nullptr, host_event::open, host.block(), 0);
  dll.dsv_result(nullptr, host_event::open, host.block(), 0);
  dll.unload();
  return 0;
}

void scramble(fake_match& match, std::mt19937& rng) {
  auto any = [&] { return static_cast<int32_t>(rng()); };
  auto small = [&] { return static_cast<int32_t>(rng() % 2000) - 1000; };
  for (int p = 0; p < 2; ++p) {
    switch (rng() % 4) {
      case 0: match.set_name(p, ""); break;
      case 1: {
        char name[69];
        for (char& c : name) c = static_cast<char>(32 + rng() % 200);
        name[68] = 0;
        match.set_name(p, name);  // 68 bytes and no NUL inside the block
        break;
      }
      default: match.set_name(p, rng() % 2 ? "Player &One" : "P"); break;
    }
    match.set_score(p, rng() % 3 ? small() : any());
    match.set_sets(p, rng() % 3 ? small() : any());
    match.set_legs(p, rng() % 3 ? small() : any());
    for (int block = 0; block < 2; ++block) {
      for (std::size_t field = 0; field < 52; field += 4) match.set_stat(p, block, field, rng() % 2 ? small() : any());
      match.set_stat(p, block, match_layout::high_out, any());
    }
  }
  match.set_current_leg(static_cast<int32_t>(rng() % 16));
  for (int leg = 0; leg < 16; ++leg) {
    match.set_leg_players(leg, static_cast<int32_t>(rng() % 5) - 1, static_cast<int32_t>(rng() % 5) - 1);
  }
  match.set_leg_table(rng() % 8 == 0 ? nullptr : match.legs);
}

// A long random stream of host events, window changes and record changes.
int case_storm() {
  const char* count_text = std::getenv("DSV_STORM_EVENTS");
  const int events = count_text != nullptr ? std::atoi(count_text) : 100000;
  plugin_startup(GetModuleHandleA(nullptr));
  fake_match match;
  fake_host host(match);
  std::mt19937 rng(20261208);
  const long gdi_start = gdi_live_objects();
  const plugin_view_entry* views[] = {&large_view, &small_view, &result_view};
  const uint32_t codes[] = {2, 4, 32, 128, 512, 0, 1, 8, 64, 256, 1024, 0xFFFFFFFFu};
  for (int i = 0; i < events; ++i) {
    const int view = static_cast<int>(rng() % 3);
    HWND window = *views[view]->linked_window;
    switch (rng() % 10) {
      case 0:
        scramble(match, rng);
        break;
      case 1:
        if (window_exists(window)) {
          SetWindowPos(window, nullptr, static_cast<int>(rng() % 400) - 100, static_cast<int>(rng() % 400) - 100,
                       static_cast<int>(rng() % 900), static_cast<int>(rng() % 600), SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
      case 2:
        if (window_exists(window)) {
          const UINT messages[] = {view_message::rebuild, WM_EXITSIZEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP, WM_TIMER};
          SendMessageA(window, messages[rng() % 5], 1, static_cast<LPARAM>(rng()));
        }
        break;
      default:
        views[view]->linked(host.window, codes[rng() % (sizeof codes / sizeof codes[0])], host.block(), 0);
        break;
    }
    if (i % 64 == 0) pump_messages();
  }
  for (const plugin_view_entry* v : views) v->linked(host.window, host_event::close, host.block(), 0);
  pump_messages(20);
  for (const plugin_view_entry& v : all_views) CHECK_OR(2, find_thread_window(v.class_name) == nullptr);
  if (gdi_live_objects() != gdi_start) {
    std::fprintf(stderr, "GDI objects: %ld at the start, %ld at the end\n", gdi_start, gdi_live_objects());
    return 3;
  }
  std::printf("storm: %d events, GDI objects back to %ld\n", events, gdi_start);
  return 0;
}

// A 20 MB settings file of random bytes, long lines and NULs.
int case_garbage_settings() {
  std::mt19937 rng(7);
  std::string junk;
  junk.reserve(20u << 20);
  junk += "[view_window]\r\nright=640\r\nbottom=480\r\n";
  while (junk.size() < (20u << 20)) {
    switch (rng() % 6) {
      case 0: junk.append(static_cast<std::size_t>(rng() % 100000), 'k'); break;
      case 1: junk += "\r\n[score_window]\r\n"; break;
      case 2: junk += std::string(1, '\0') + "x=1\n"; break;
      default:
        for (int i = 0; i < 200; ++i) junk += static_cast<char>(rng());
        break;
    }
  }
  const std::string dir = make_temp_dir();
  CopyFileA((test_bin_dir() + "dsv_view.dsv").c_str(), (dir + "dsv_view.dsv").c_str(), FALSE);
  write_file(dir + "dsv_view.ini", junk);
  DWORD start = GetTickCount();
  plugin_dll dll = plugin_dll::at_path(dir + "dsv_view.dsv");
  DWORD load_ms = GetTickCount() - start;
  fake_match match;
  fake_host host(match);
  dll.dsv_view(host.window, host_event::open, host.block(), 0);
  HWND w = find_thread_window("dsv_view_wnd");
  CHECK_OR(2, w != nullptr);
  RECT r;
  GetWindowRect(w, &r);
  CHECK_OR(3, r.right - r.left == 640 && r.bottom - r.top == 480);
  start = GetTickCount();
  dll.unload();
  std::printf("20 MB settings file: load %lu ms, unload %lu ms\n", load_ms, GetTickCount() - start);
  CHECK_OR(4, load_ms < 5000);
  return 0;
}

// A host's life with one view, the library's allocations counted (and one of
// them, or a run of them, refused): load, open, the notices, a resize and a
// rebuild, the context menu, close, unload.
const plugin_view_entry alloc_views[] = {small_view, large_view, result_view};

struct alloc_marks {
  long loaded = 0;  // allocations when start-up was over
  long closed = 0;  // ... when the view was closed
  long total = 0;
};

void CALLBACK dismiss_menu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND popup = find_thread_window("#32768");
  if (popup == nullptr || !IsWindowVisible(popup)) return;
  KillTimer(nullptr, id);
  EndMenu();
}

int alloc_pass(const std::string& dll_path, const plugin_view_entry& v, fake_host& host, alloc_marks* marks) {
  alloc_faults::calls = 0;
  HMODULE module = load_with_imports(dll_path, alloc_faults::replacements());
  const long loaded = alloc_faults::calls;
  long closed = loaded;
  if (module != nullptr) {
    auto entry = reinterpret_cast<plugin_entry_fn>(reinterpret_cast<void*>(GetProcAddress(module, v.entry)));
    CHECK_OR(20, entry != nullptr);
    CHECK_OR(21, entry(host.window, host_event::open, host.block(), 0) == 1);
    if (HWND w = find_thread_window(v.class_name)) {
      CHECK_OR(22, entry(host.window, host_event::change, host.block(), 0) == 1);
      CHECK_OR(23, entry(host.window, host_event::change_twice, host.block(), 0) == 1);
      if (v.fn == result_view.fn) entry(host.window, host_event::result_change, host.block(), 0);
      pump_messages(5);
      SetWindowPos(w, nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      SendMessageA(w, view_message::rebuild, 0, 0);
      const UINT_PTR timer = SetTimer(nullptr, 0, 5, dismiss_menu);
      SendMessageA(w, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
      KillTimer(nullptr, timer);
    }
    CHECK_OR(24, entry(host.window, host_event::close, host.block(), 0) == 1);
    CHECK_OR(25, find_thread_window(v.class_name) == nullptr);
    closed = alloc_faults::calls;
    unload_with_imports(module);
  }
  pump_messages();
  if (marks != nullptr) *marks = {loaded, closed, alloc_faults::calls};
  return 0;
}

// The library copied to a directory of its own beside the user's settings file
// (the sample file with small windows), and a host with a match.
struct alloc_bench {
  std::string dir = make_temp_dir();
  std::string dll_path = dir + "dsv_view.dsv";
  std::string ini_path = dir + "dsv_view.ini";
  std::string ini;
  fake_match match;
  fake_host host{match};
  long passes = 0;

  int prepare() {
    CHECK_OR(2, CopyFileA((test_bin_dir() + "dsv_view.dsv").c_str(), dll_path.c_str(), FALSE) != 0);
    ini = read_file(std::string(DSV_SOURCE_DIR) + "/docs/dsv_view.ini");
    const std::string big = "right=1920\r\nbottom=1040\r\n";
    const std::size_t at = ini.find(big);
    CHECK_OR(3, at != std::string::npos);
    ini.replace(at, big.size(), "right=400\r\nbottom=200\r\n");
    match.set_name(0, "Anna");
    match.set_name(1, "Bert");
    match.set_leg_players(0, 0, 1);
    return 0;
  }

  // One host's life with the user's file laid anew, the calls from `from` to
  // `to` refused.
  int pass(const plugin_view_entry& v, long from, long to, alloc_marks* marks) {
    write_file(ini_path, ini);
    alloc_faults::refuse_from = from;
    alloc_faults::refuse_to = to;
    if (from != 0) {
      if (to == alloc_faults::to_the_end) {
        std::printf("%s: refusing allocations from %ld on\n", v.entry, from);
      } else {
        std::printf("%s: refusing allocations %ld to %ld\n", v.entry, from, to);
      }
      std::fflush(stdout);
      ++passes;
    }
    const int failed = alloc_pass(dll_path, v, host, marks);
    alloc_faults::refuse_from = alloc_faults::refuse_to = 0;
    return failed;
  }
};

// Every allocation of start-up, of each view's life and of shut-down refused in
// turn; then, from each allocation of a view's life on, every one until the view
// is closed. The host's process goes on, and the library loads and shows its
// views again afterwards.
int case_refused_allocations() {
  alloc_bench bench;
  if (const int failed = bench.prepare()) return failed;
  for (const plugin_view_entry& v : alloc_views) {
    alloc_marks clean;
    CHECK_OR(4, bench.pass(v, 0, 0, &clean) == 0);
    std::printf("%s: %ld allocations, %ld at start-up, %ld until closed\n", v.entry, clean.total, clean.loaded,
                clean.closed);
    // Start-up and shut-down are the same whichever view runs between them:
    // the first view takes them in full, the others their own part.
    const bool whole = &v == &alloc_views[0];
    for (long n = whole ? 1 : clean.loaded + 1; n <= (whole ? clean.total : clean.closed); ++n) {
      const int failed = bench.pass(v, n, n, nullptr);
      if (failed != 0) return failed;
    }
    for (long n = clean.loaded + 1; n <= clean.closed; ++n) {
      const int failed = bench.pass(v, n, clean.closed, nullptr);
      if (failed != 0) return failed;
    }
  }
  for (const plugin_view_entry& v : alloc_views) {
    write_file(bench.ini_path, bench.ini);
    HMODULE module = load_with_imports(bench.dll_path, alloc_faults::replacements());
    CHECK_OR(5, module != nullptr);
    auto entry = reinterpret_cast<plugin_entry_fn>(reinterpret_cast<void*>(GetProcAddress(module, v.entry)));
    entry(bench.host.window, host_event::open, bench.host.block(), 0);
    CHECK_OR(6, find_thread_window(v.class_name) != nullptr);
    unload_with_imports(module);
  }
  std::printf("refused allocations: %ld passes\n", bench.passes);
  return 0;
}

// A shortage that lasts: from one allocation on, every later one refused, to
// the end of the library's life. Start-up, the notices, the menu and shut-down
// are each entered that way; the host's process goes on, and the user's file is
// left as it was, or as the whole save of the run without a shortage writes it:
// never defaults, never part of a document.
int case_lasting_shortage() {
  alloc_bench bench;
  if (const int failed = bench.prepare()) return failed;
  for (const plugin_view_entry& v : alloc_views) {
    alloc_marks clean;
    CHECK_OR(4, bench.pass(v, 0, 0, &clean) == 0);
    const std::string saved = read_file(bench.ini_path);
    CHECK_OR(5, saved.size() > 1000);
    std::printf("%s: %ld allocations, %ld at start-up, %ld until closed\n", v.entry, clean.total, clean.loaded,
                clean.closed);
    long kept = 0;
    // Each part (start-up, the view's life, shut-down) in at most about 40
    // steps, its first and last call always among them.
    const long bounds[] = {1, clean.loaded + 1, clean.closed + 1, clean.total + 1};
    for (int part = 0; part < 3; ++part) {
      const long first = bounds[part];
      const long last = bounds[part + 1] - 1;
      if (last < first) continue;
      const long step = (last - first) / 40 + 1;
      for (long n = first;; n = n + step < last ? n + step : last) {
        const int failed = bench.pass(v, n, alloc_faults::to_the_end, nullptr);
        if (failed != 0) return failed;
        const std::string now = read_file(bench.ini_path);
        if (now != bench.ini && now != saved) {
          std::fprintf(stderr, "%s, refused from %ld on: the settings file was changed\n", v.entry, n);
          return 6;
        }
        if (now == bench.ini) ++kept;
        if (n == last) break;
      }
    }
    std::printf("%s: the user's file left as it was by %ld passes\n", v.entry, kept);
  }
  std::printf("lasting shortage: %ld passes\n", bench.passes);
  return 0;
}

// The user's file lacks keys (an older version's file, or one edited by hand),
// so the shut-down adds entries to the document. Each of its allocations
// refused in turn: the file is then the user's old one byte for byte or the
// complete file of the run without a refusal, never a save that lacks a key.
int case_save_all_or_nothing() {
  alloc_bench bench;
  if (const int failed = bench.prepare()) return failed;
  int dropped = 0;
  for (const char* line : {"bmp_score_x_2=0\r\n", "color_current_back=\"0xFFFFFF\"\r\n", "font_name=\"Arial\"\r\n",
                           "reslut_full_screen=0\r\n"}) {
    const std::size_t at = bench.ini.rfind(line);
    CHECK_OR(2, at != std::string::npos);
    bench.ini.erase(at, std::strlen(line));
    ++dropped;
  }
  const plugin_view_entry& v = small_view;
  alloc_marks clean;
  CHECK_OR(3, bench.pass(v, 0, 0, &clean) == 0);
  const std::string complete = read_file(bench.ini_path);
  const auto lines = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n'); };
  CHECK_OR(4, lines(complete) == lines(bench.ini) + dropped);
  CHECK_OR(5, complete.find("\r\nbmp_score_x_2=0\r\n") != std::string::npos);
  long kept = 0;
  long saved = 0;
  long partial = 0;
  for (long n = clean.closed + 1; n <= clean.total; ++n) {
    const int failed = bench.pass(v, n, n, nullptr);
    if (failed != 0) return failed;
    const std::string now = read_file(bench.ini_path);
    if (now == bench.ini) {
      ++kept;
    } else if (now == complete) {
      ++saved;
    } else {
      ++partial;
      std::fprintf(stderr, "allocation %ld of the shut-down refused: a file of %d lines, neither the old (%d) nor the "
                   "complete one (%d)\n", n - clean.closed, static_cast<int>(lines(now)),
                   static_cast<int>(lines(bench.ini)), static_cast<int>(lines(complete)));
    }
  }
  std::printf("save all or nothing: %ld allocations of the shut-down refused in turn; the old file kept by %ld, the "
              "complete file saved by %ld, something else by %ld\n", clean.total - clean.closed, kept, saved, partial);
  CHECK_OR(6, partial == 0);
  CHECK_OR(7, kept > 0);
  return 0;
}

// However a view is closed (its menu's Close, the host's close notice,
// WM_CLOSE as Alt+F4 sends it, a host that destroys it outright) it forgets its
// handle, so that a later window of the host with the same handle value is
// never closed, raised or redrawn; a notice then finds nothing, and the view
// opens again.
enum class closed_by { menu, host_notice, close_message, destroy };

const view_description& description_of(const plugin_view_entry& v) {
  for (const view_description* d : plugin_views) {
    if (std::strcmp(d->class_name, v.class_name) == 0) return *d;
  }
  throw std::runtime_error(std::string("no view of class ") + v.class_name);
}

int case_closed_views() {
  start_plugin_windowed();
  fake_match match;
  fake_host host(match);
  for (const plugin_view_entry& v : all_views) {
    for (const closed_by how : {closed_by::menu, closed_by::host_notice, closed_by::close_message, closed_by::destroy}) {
      const long gdi_before = gdi_live_objects();
      v.linked(host.window, host_event::open, host.block(), 0);
      HWND window = *v.linked_window;
      CHECK_OR(2, window_exists(window));
      pump_messages();
      switch (how) {
        case closed_by::menu: run_menu(window, description_of(v).menu.count, nullptr, {50, 50}); break;
        case closed_by::host_notice: v.linked(host.window, host_event::close, host.block(), 0); break;
        case closed_by::close_message: SendMessageA(window, WM_CLOSE, 0, 0); break;
        case closed_by::destroy: DestroyWindow(window); break;
      }
      if (IsWindow(window) || *v.linked_window != nullptr) {
        std::fprintf(stderr, "%s closed by %d: window %s, handle %s\n", v.entry, static_cast<int>(how),
                     IsWindow(window) ? "still there" : "gone", *v.linked_window != nullptr ? "kept" : "forgotten");
        return 3;
      }
      CHECK_OR(4, gdi_live_objects() == gdi_before);
      v.linked(host.window, host_event::change, host.block(), 0);
      CHECK_OR(5, *v.linked_window == nullptr && find_thread_window(v.class_name) == nullptr);
      v.linked(host.window, host_event::open, host.block(), 0);
      CHECK_OR(6, window_exists(*v.linked_window));
      v.linked(host.window, host_event::close, host.block(), 0);
      CHECK_OR(7, *v.linked_window == nullptr);
    }
  }
  return 0;
}

// Buffer bitmaps the system refuses (a large window in a host short of memory)
// leave a view black only until the next notice, which builds them again.
bool refuse_bitmaps = false;
HBITMAP WINAPI refusing_compatible_bitmap(HDC dc, int width, int height) {
  return refuse_bitmaps ? nullptr : CreateCompatibleBitmap(dc, width, height);
}

int case_refused_buffer_bitmaps() {
  plugin_dll dll(
      "[view_window]\r\nleft=0\r\ntop=0\r\nright=300\r\nbottom=200\r\ncolor_line_color=\"0x3366CC\"\r\n"
      "[score_window]\r\nleft=0\r\ntop=0\r\ncolor_line_color=\"0x3366CC\"\r\n"
      "[reslut_window]\r\nleft=0\r\ntop=0\r\ncolor_line_color=\"0x3366CC\"\r\n");
  CHECK_OR(2, replace_imports(dll.module, {{"GDI32.dll", "CreateCompatibleBitmap",
                                            reinterpret_cast<void*>(refusing_compatible_bitmap)}}) == 1);
  fake_match match;
  fake_host host(match);
  const COLORREF line = RGB(0x33, 0x66, 0xCC);
  for (const plugin_view_entry& v : all_views) {
    const plugin_entry_fn entry = dll.*v.fn;
    // Opened while no bitmap can be made: black, also after a notice then.
    refuse_bitmaps = true;
    entry(host.window, host_event::open, host.block(), 0);
    HWND w = find_thread_window(v.class_name);
    CHECK_OR(3, w != nullptr);
    CHECK_OR(4, pixel_at(w, 0, 0) != line);
    entry(host.window, host_event::change, host.block(), 0);
    CHECK_OR(5, pixel_at(w, 0, 0) != line);
    refuse_bitmaps = false;
    entry(host.window, host_event::change, host.block(), 0);
    CHECK_OR(6, pixel_at(w, 0, 0) == line);
    CHECK_OR(7, pixel_at(w, 100, 1) == line);
    // A resize that cannot make its buffer, then the next notice.
    refuse_bitmaps = true;
    SetWindowPos(w, nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CHECK_OR(8, pixel_at(w, 0, 0) != line);
    refuse_bitmaps = false;
    entry(host.window, host_event::change_twice, host.block(), 0);
    CHECK_OR(9, pixel_at(w, 0, 0) == line);
    CHECK_OR(10, pixel_at(w, 319, 239) == line);
    entry(host.window, host_event::close, host.block(), 0);
  }
  dll.unload();
  return 0;
}

struct named_case {
  const char* name;
  int (*run)();
};
const named_case cases[] = {
    {"unload_with_open_views", case_unload_with_open_views},
    {"bad_boundary", case_bad_boundary},
    {"storm", case_storm},
    {"garbage_settings", case_garbage_settings},
    {"refused_allocations", case_refused_allocations},
    {"lasting_shortage", case_lasting_shortage},
    {"save_all_or_nothing", case_save_all_or_nothing},
    {"closed_views", case_closed_views},
    {"refused_buffer_bitmaps", case_refused_buffer_bitmaps},
};

TEST(Hardening, UnloadWithOpenViews) { EXPECT_EQ(run_case("unload_with_open_views"), 0u); }
TEST(Hardening, BadInputAtTheBoundary) { EXPECT_EQ(run_case("bad_boundary"), 0u); }
TEST(Hardening, HostStorm) { EXPECT_EQ(run_case("storm"), 0u); }
TEST(Hardening, GarbageSettingsFile) { EXPECT_EQ(run_case("garbage_settings"), 0u); }
TEST(Hardening, RefusedAllocations) { EXPECT_EQ(run_case("refused_allocations"), 0u); }
TEST(Hardening, LastingMemoryShortage) { EXPECT_EQ(run_case("lasting_shortage"), 0u); }
TEST(Hardening, SaveOfAFileLackingKeysIsAllOrNothing) { EXPECT_EQ(run_case("save_all_or_nothing"), 0u); }
TEST(Hardening, ClosedViewsForgetTheirHandles) { EXPECT_EQ(run_case("closed_views"), 0u); }
TEST(Hardening, RefusedBufferBitmapsAreMadeAtTheNextNotice) { EXPECT_EQ(run_case("refused_buffer_bitmaps"), 0u); }

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--case") == 0) {
    for (const named_case& c : cases) {
      if (std::strcmp(argv[2], c.name) == 0) {
        try {
          return c.run();
        } catch (const std::exception& e) {
          std::fprintf(stderr, "%s\n", e.what());
          return 1;
        }
      }
    }
    return 100;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
