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
