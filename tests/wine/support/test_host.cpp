#include "test_host.h"

#include <cstring>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "match/match_state.h"
#include "plugin/host_protocol.h"
#include "plugin/lifecycle_win.h"
#include "settings/settings_table.h"

void start_plugin_windowed() {
  plugin_startup(GetModuleHandleA(nullptr));
  view_settings.full_screen = 0;
  result_settings.reslut_full_screen = 0;
}

std::string test_bin_dir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

std::string make_temp_dir() {
  static int counter = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  for (;;) {
    std::string dir = std::string(temp) + "dsv_test_" + std::to_string(GetCurrentProcessId()) + "_" +
                      std::to_string(GetTickCount()) + "_" + std::to_string(++counter) + "\\";
    if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + dir);
  }
}

plugin_dll::plugin_dll(const char* ini_text) {
  dir = make_temp_dir();
  std::string target = dir + "dsv_view.dsv";
  if (!CopyFileA((test_bin_dir() + "dsv_view.dsv").c_str(), target.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy the DLL to " + target);
  }
  if (ini_text != nullptr) write_file(ini_path(), ini_text);
  load(target);
}

plugin_dll::plugin_dll(path_tag, const std::string& path) {
  dir = path.substr(0, path.find_last_of("\\/") + 1);
  load(path);
}

plugin_dll plugin_dll::at_path(const std::string& path) { return plugin_dll(path_tag{}, path); }

plugin_dll::plugin_dll(plugin_dll&& other) noexcept
    : module(other.module),
      get_plugin_info(other.get_plugin_info),
      dsv_view(other.dsv_view),
      dsv_socre(other.dsv_socre),
      dsv_result(other.dsv_result),
      dir(std::move(other.dir)) {
  other.module = nullptr;
}

void plugin_dll::load(const std::string& path) {
  module = LoadLibraryA(path.c_str());
  if (module == nullptr) throw std::runtime_error("cannot load " + path);
  get_plugin_info = reinterpret_cast<plugin_info_fn>(reinterpret_cast<void*>(proc("get_plugin_info")));
  dsv_view = reinterpret_cast<plugin_entry_fn>(reinterpret_cast<void*>(proc("dsv_view")));
  dsv_socre = reinterpret_cast<plugin_entry_fn>(reinterpret_cast<void*>(proc("dsv_socre")));
  dsv_result = reinterpret_cast<plugin_entry_fn>(reinterpret_cast<void*>(proc("dsv_result")));
}

plugin_dll::~plugin_dll() { unload(); }

void plugin_dll::unload() {
  if (module != nullptr) FreeLibrary(module);
  module = nullptr;
}

void plugin_dll::reload() {
  unload();
  load(dir + "dsv_view.dsv");
}

unsigned char* low_alloc(std::size_t size) {
  for (uintptr_t at = 0x20000000; at < 0xF0000000u; at += 0x10000) {
    void* p = VirtualAlloc(reinterpret_cast<void*>(at), size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (p != nullptr) return static_cast<unsigned char*>(p);
  }
  throw std::runtime_error("no memory below 4 GB");
}

void low_free(void* block) {
  if (block != nullptr) VirtualFree(block, 0, MEM_RELEASE);
}

fake_match::fake_match() : record(low_alloc(4096)), legs(low_alloc(148 * 16)) { set_leg_table(legs); }

fake_match::~fake_match() {
  low_free(record);
  low_free(legs);
}

void fake_match::set_i32(std::size_t offset, int32_t value) { std::memcpy(&record[offset], &value, 4); }
void fake_match::set_i16(std::size_t offset, int16_t value) { std::memcpy(&record[offset], &value, 2); }

static std::size_t player_base(int player) { return match_layout::players + match_layout::player_stride * player; }

void fake_match::set_name(int player, const char* name) {
  std::size_t at = player_base(player) + match_layout::name;
  std::memset(&record[at], 0, match_layout::name_size);
  std::memcpy(&record[at], name, std::min(std::strlen(name), match_layout::name_size));
}
void fake_match::set_score(int player, int32_t v) { set_i32(player_base(player) + match_layout::score, v); }
void fake_match::set_sets(int player, int32_t v) { set_i32(player_base(player) + match_layout::sets, v); }
void fake_match::set_legs(int player, int32_t v) { set_i32(player_base(player) + match_layout::legs, v); }
void fake_match::set_stat(int player, int block, std::size_t field, int32_t v) {
  std::size_t at = player_base(player) + (block == 0 ? match_layout::stats_a : match_layout::stats_b) + field;
  if (field == match_layout::high_out) {
    set_i16(at, static_cast<int16_t>(v));
  } else {
    set_i32(at, v);
  }
}
void fake_match::set_current_leg(int32_t leg) { set_i32(match_layout::current_leg, leg); }
void fake_match::set_leg_players(int32_t leg, int32_t first, int32_t current) {
  std::memcpy(&legs[148 * leg + match_layout::first_player], &first, 4);
  std::memcpy(&legs[148 * leg + match_layout::current_player], &current, 4);
}
void fake_match::set_leg_table(const void* table) {
  uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(table));
  std::memcpy(&record[match_layout::leg_table], &address, 4);
}

namespace {

LRESULT CALLBACK host_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == view_message::host_query) {
    auto* host = reinterpret_cast<fake_host*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (host == nullptr) return 0;
    ++host->queries;
    return host->answer_null ? 0 : reinterpret_cast<LRESULT>(host->query_block.data());
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

fake_host::fake_host(const fake_match& match) : host_block(1024, 0), query_block(8192, 0) {
  static ATOM atom = 0;
  if (atom == 0) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = host_wnd_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "dsv_test_host";
    atom = RegisterClassA(&wc);
  }
  window = CreateWindowExA(0, "dsv_test_host", "host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  set_match(match.pointer());
  set_average_mode(1);
}

fake_host::~fake_host() {
  if (window != nullptr) DestroyWindow(window);
}

void fake_host::set_match(const void* match) {
  uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(match));
  std::memcpy(&host_block[host_layout::match_pointer], &address, 4);
}

void fake_host::set_average_mode(int32_t mode) { std::memcpy(&query_block[host_layout::average_mode], &mode, 4); }

void pump_messages(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (ms > 0) Sleep(1);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

client_pixels capture_client(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  HDC wdc = GetDC(window);
  client_pixels out = capture_dc(wdc, r.right, r.bottom);
  ReleaseDC(window, wdc);
  return out;
}

BITMAPINFO top_down_32(int width, int height) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

client_pixels capture_dc(HDC dc, int width, int height) {
  client_pixels out;
  out.width = width;
  out.height = height;
  if (out.width <= 0 || out.height <= 0) return out;
  BITMAPINFO bi = top_down_32(width, height);
  void* bits = nullptr;
  HDC mdc = CreateCompatibleDC(dc);
  HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mdc, dib);
  BitBlt(mdc, 0, 0, out.width, out.height, dc, 0, 0, SRCCOPY);
  GdiFlush();
  // The top byte of a 32-bpp BI_RGB pixel is reserved, not part of the picture,
  // and what a window gives in it depends on the platform and on how the window
  // was last painted (Wine 10: 0xFF in a newly shown window, 0 after a repaint
  // of the same picture). Pixels are kept as 0x00RRGGBB.
  const uint32_t* p = static_cast<const uint32_t*>(bits);
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
  for (std::size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = p[i] & 0xFFFFFF;
  SelectObject(mdc, old);
  DeleteObject(dib);
  DeleteDC(mdc);
  return out;
}

COLORREF client_pixels::at(int x, int y) const {
  uint32_t p = pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF;
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

COLORREF pixel_at(HWND window, int x, int y) { return capture_client(window).at(x, y); }

RECT ink_bounds(const client_pixels& shot, RECT box, COLORREF background) {
  RECT ink = {box.right, box.bottom, box.left, box.top};
  for (int y = std::max(0L, box.top); y < std::min<long>(box.bottom, shot.height); ++y) {
    for (int x = std::max(0L, box.left); x < std::min<long>(box.right, shot.width); ++x) {
      if (shot.at(x, y) == background) continue;
      ink.left = std::min<long>(ink.left, x);
      ink.top = std::min<long>(ink.top, y);
      ink.right = std::max<long>(ink.right, x + 1);
      ink.bottom = std::max<long>(ink.bottom, y + 1);
    }
  }
  if (ink.right <= ink.left) return RECT{};
  return ink;
}

::testing::AssertionResult ampersand_drawn(RECT with_ampersand, RECT without) {
  const long wide = with_ampersand.right - with_ampersand.left;
  const long narrow = without.right - without.left;
  if (narrow > 0 && wide >= narrow + 4) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "ink " << wide << " wide with the ampersand, " << narrow << " without";
}

namespace {
struct find_args {
  const char* class_name;
  HWND found;
};
BOOL CALLBACK find_proc(HWND window, LPARAM lparam) {
  auto* args = reinterpret_cast<find_args*>(lparam);
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, args->class_name) == 0) {
    args->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND find_thread_window(const char* class_name) {
  find_args args = {class_name, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), find_proc, reinterpret_cast<LPARAM>(&args));
  return args.found;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string dir_listing(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
        names.push_back(found.cFileName);
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  std::sort(names.begin(), names.end());
  std::string out;
  for (const std::string& name : names) out += name + "\n";
  return out;
}
