// Where a module's file lies, without a window: the directory part of a file
// name in the ANSI code page, whose double-byte characters may hold a trail
// byte equal to '\'.
#pragma once

#include <cstddef>

// Tells whether a byte starts a double-byte character in the ANSI code page;
// null where the text is single-byte.
using lead_byte_test = bool (*)(unsigned char byte);

// Length of the directory part of `name`: the bytes before its last '\' or '/',
// 0 when it has none. A lead byte is skipped together with the byte after it,
// so a trail byte 0x5C never counts as a separator.
std::size_t module_directory_length(const char* name, lead_byte_test is_lead_byte);

// Cuts a file name to its directory in place: ends it at the last "\" or "/",
// or makes it empty when there is none.
void module_directory_cut(char* name, lead_byte_test is_lead_byte) noexcept;

// The file that `name` stands for, as if it were opened with the library's
// directory `library_dir` (no trailing separator; empty when unknown) as the
// current directory: an absolute name ("C:\...", "\\server\...") is kept as it
// is, a name starting at the root ("\skin.bmp") goes to the library's drive or
// share, "X:name" with the library's drive letter and any other relative name
// go beside the library. With an empty `library_dir` every name is kept.
// Writes a NUL-terminated path into `out`; returns false (and writes an empty
// text) when it does not fit in `out_size` bytes.
bool module_relative_path(char* out, std::size_t out_size, const char* library_dir, const char* name,
                          lead_byte_test is_lead_byte);
