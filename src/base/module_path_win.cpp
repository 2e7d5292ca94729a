#include "base/module_path_win.h"

bool ansi_lead_byte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

bool module_file_name(HMODULE module, char (&name)[MAX_PATH]) noexcept {
  const DWORD length = GetModuleFileNameA(module, name, MAX_PATH - 1);
  if (length == 0 || length >= MAX_PATH - 1) {
    name[0] = 0;
    return false;
  }
  return true;
}
