// The system's side of module_path.h: the ANSI code page's lead bytes and a
// module's own file name.
#pragma once

#include <windows.h>

// IsDBCSLeadByte as a lead_byte_test.
bool ansi_lead_byte(unsigned char byte);

// The full file name of `module` into `name`. False, with an empty name, when
// it failed or filled the buffer: such a name may be cut inside a directory's
// name and lead to some other file.
bool module_file_name(HMODULE module, char (&name)[MAX_PATH]) noexcept;
