// Times the result view's font fitting at three window sizes: trial fonts and
// milliseconds for the one-point walk and for the fast search, alone and as
// part of a whole buffer rebuild (bitmap, search, fonts, table painted).
// Usage: result_bench [--shot file.bmp]  (the shot is the 437 x 357 window)
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "match/match_state.h"
#include "plugin/plugin_globals.h"
#include "settings/settings_table.h"
#include "views/result/result_table.h"
#include "views/result/result_window_win.h"

namespace {

double now_ms() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Runs `work` once to warm the font cache, then until at least 500 ms (and 3
// runs) have passed; ms per run.
double time_per_run(const std::function<void()>& work) {
  work();
  int runs = 0;
  const double start = now_ms();
  double elapsed = 0;
  do {
    work();
    ++runs;
    elapsed = now_ms() - start;
  } while (elapsed < 500 || runs < 3);
  return elapsed / runs;
}

// A rebuild of the window's buffer (release, build, paint) with a chosen search.
void rebuild_with(HWND window, result_window_state* state, result_font_search search, result_font_fit* fit) {
  result_release_buffer(window, state);
  *fit = result_build_buffer(window, state, search);
  result_paint_table(window, state);
}

void defaults() {
  result_window_settings& s = result_settings;
  s.geometry = {0, 0, 437, 357};
  s.reslut_line_width = 2;
  s.reslut_size_width = 3;
  lstrcpyA(s.font_name, "Arial");
  s.color_line_color = RGB(0, 0, 0);
  s.color_head_back = RGB(0x0A, 0x24, 0x6A);
  s.color_body_back = RGB(255, 255, 255);
  s.color_head_text = RGB(255, 255, 255);
  s.color_title_text = RGB(0x40, 0x40, 0x40);
  s.color_stats_text = RGB(0, 0, 0);
}

void put_i32(std::vector<unsigned char>& record, std::size_t at, int32_t v) { std::memcpy(&record[at], &v, 4); }

std::vector<unsigned char> sample_match() {
  std::vector<unsigned char> record(4096, 0);
  const char* names[] = {"Phil & Co", "A rather long player name that does not fit"};
  for (int p = 0; p < 2; ++p) {
    const std::size_t base = match_layout::players + match_layout::player_stride * p;
    std::memcpy(&record[base], names[p], std::strlen(names[p]));
    put_i32(record, base + match_layout::sets, 2 - p);
    put_i32(record, base + match_layout::legs, 3 + p);
    const std::size_t a = base + match_layout::stats_a;
    const std::size_t b = base + match_layout::stats_b;
    put_i32(record, a + match_layout::count_100_plus, 7 + p);
    put_i32(record, b + match_layout::count_140_plus, 2);
    put_i32(record, a + match_layout::count_180, 1 - p);
    record[b + match_layout::high_out] = static_cast<unsigned char>(121 - 20 * p);
    put_i32(record, a + match_layout::best_leg, 15 + 3 * p);
    put_i32(record, a + match_layout::score_total, 501);
    put_i32(record, b + match_layout::score_darts, 27 + 3 * p);
    put_i32(record, a + match_layout::leg_darts, 45);
    put_i32(record, b + match_layout::leg_count, 3);
    put_i32(record, a + match_layout::first9_score, 300 - 40 * p);
    put_i32(record, a + match_layout::first9_darts, 9);
  }
  return record;
}

void write_shot(HWND window, const char* path) {
  RECT r = {};
  GetClientRect(window, &r);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = r.right;
  bi.bmiHeader.biHeight = r.bottom;  // bottom-up, as a file stores it
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<unsigned char> bits(static_cast<std::size_t>(r.right) * r.bottom * 4);
  auto* state = static_cast<result_window_state*>(frame_state(window));
  GetDIBits(state->mem_dc.get(), state->mem_dc.bitmap(), 0, static_cast<UINT>(r.bottom),
            bits.data(), &bi, DIB_RGB_COLORS);
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = static_cast<DWORD>(fh.bfOffBits + bits.size());
  FILE* f = std::fopen(path, "wb");
  if (f == nullptr) return;
  std::fwrite(&fh, sizeof fh, 1, f);
  std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
  std::fwrite(bits.data(), bits.size(), 1, f);
  std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
  const char* shot = argc > 2 && std::strcmp(argv[1], "--shot") == 0 ? argv[2] : nullptr;
  module_instance = GetModuleHandleA(nullptr);
  frame_register_class(module_instance, result_description);
  defaults();
  average_mode = 1;
  std::vector<unsigned char> record = sample_match();
  const auto* match = reinterpret_cast<const match_state*>(record.data());

  std::printf("font \"%s\", line width %d\n", result_settings.font_name, result_settings.reslut_line_width);
  std::printf("%-11s %7s | %-28s | %-28s | %-24s\n", "client", "size", "walk: trials, ms search", "fast: trials, ms search",
              "ms per rebuild walk / fast");
  const SIZE sizes[] = {{437, 357}, {1920, 1080}, {3840, 2160}};
  for (const SIZE& size : sizes) {
    result_settings.geometry = {0, 0, size.cx, size.cy};
    HWND window = frame_create_window(module_instance, result_description, match);
    if (window == nullptr) {
      std::printf("no window at %ld x %ld\n", size.cx, size.cy);
      continue;
    }
    auto* state = static_cast<result_window_state*>(frame_state(window));
    RECT client = {};
    GetClientRect(window, &client);

    result_font_fit walk{}, fast{};
    double walk_search = 0, fast_search = 0;
    {
      window_dc dc(window);
      result_dc_probe probe = {dc.get(), result_settings.font_name};
      const result_font_probe p = probe.probe();
      const int32_t start = std::min(client.right, client.bottom);
      walk_search = time_per_run([&] { walk = result_fit_font_walk(start, client.bottom, 2, p); });
      fast_search = time_per_run([&] { fast = result_fit_font_fast(start, client.bottom, 2, p); });
    }
    result_font_fit fit{};
    const double walk_rebuild = time_per_run([&] { rebuild_with(window, state, result_fit_font_walk, &fit); });
    const double fast_rebuild = time_per_run([&] { rebuild_with(window, state, result_fit_font_fast, &fit); });
    const double window_rebuild = time_per_run([&] { SendMessageA(window, 0x8001 /* rebuild */, 0, 0); });

    char label[32];
    std::snprintf(label, sizeof label, "%ldx%ld", client.right, client.bottom);
    std::printf("%-11s %3d/%3d | %5d fonts %10.3f ms     | %5d fonts %10.3f ms     | %8.3f / %8.3f (window %.3f)\n", label,
                walk.font_size, fast.font_size, walk.trials, walk_search, fast.trials, fast_search, walk_rebuild,
                fast_rebuild, window_rebuild);
    if (shot != nullptr && size.cx == 437) write_shot(window, shot);
    DestroyWindow(window);
  }
  return 0;
}
