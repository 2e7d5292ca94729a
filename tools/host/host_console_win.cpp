#include "host_console_win.h"

#include <windows.h>

namespace {

HANDLE error_handle() {
  HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
  if (h != nullptr && h != INVALID_HANDLE_VALUE) return h;
  // A GUI program started from a console: write to that console.
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    h = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) return h;
  }
  return nullptr;
}

bool write_handle(HANDLE h, const std::string& text) {
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  return WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

}  // namespace

void report_error(const host_console& console, const std::string& text) {
  if (write_handle(error_handle(), "dsv_host: " + text + "\n")) return;
  if (!console.headless) MessageBoxA(nullptr, text.c_str(), "dsv_host", MB_ICONERROR | MB_OK);
}

void report_info(const std::string& text) { write_stdout(text + "\n"); }

bool write_stdout(const std::string& text) { return write_handle(GetStdHandle(STD_OUTPUT_HANDLE), text); }
