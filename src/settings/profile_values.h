// Typed access to the profile document: find a section and a key, read a
// string or an integer with a default, write a raw value, a quoted string, an
// integer or a colour (adding the section and the key where they are missing),
// and delete keys. The argument order follows the Windows private-profile
// functions; the settings path that every call passes is not consulted, all of
// them work on the one document in memory.
#pragma once

#include <cstdint>

#include "base/color_ref.h"
#include "settings/profile_document.h"

// Index of the first section whose name equals `name` ignoring case, or -1; the
// unnamed section 0 and a null or empty name are never found. Names are not
// trimmed, so a query with surrounding blanks finds nothing.
int profile_find_section(const char* name) noexcept;

// Index of the first key/value entry of `section` whose key equals `key`
// ignoring case, or -1.
int profile_find_key(const profile_section* section, const char* key) noexcept;

// Copies the value of `key` in `section` into `buffer` (at most size - 1 bytes and
// a terminator), without the blanks around it and one double quote at each end;
// the default when the section or key is missing. A present empty value gives "".
// Returns the length left in the buffer.
int profile_get_string(const char* section, const char* key, const char* default_text, char* buffer, int size,
                       const char* path) noexcept;

// The value of `key` read as a decimal integer (leading digits only, 0 when
// there are none, clamped to 32 bits); the default when the section or key is missing.
int32_t profile_get_int(const char* section, const char* key, int32_t default_value, const char* path) noexcept;

// Stores `value` as the key's text, adding the section at the end of the
// document and the key at the end of its section when missing. A null key
// deletes every key of the section; a null value deletes the key. 1 done, 0
// failed (no section name, no memory, or deleting a key that does not exist).
int profile_write_value(const char* section, const char* key, const char* value, const char* path) noexcept;

// Writes the text in double quotes, or nothing after the "=" when it is empty.
// Answers as profile_write_value; 0 also when memory for the quoted text runs out.
int profile_write_string(const char* section, const char* key, const char* value, const char* path) noexcept;

// Writes the value as bare decimal text.
int profile_write_int(const char* section, const char* key, int32_t value, const char* path) noexcept;

// The colour a settings text names: a number in C notation (0x hex, 0 octal,
// decimal) whose bytes read red, green, blue from the most significant, with
// the file flag 0x02 on top; the default for an empty text.
color_ref color_from_text(const char* text, color_ref default_color) noexcept;

// Writes a colour as "0xRRGGBB" in quotes; the flag byte is not written.
int profile_write_color(const char* path, const char* section, const char* key, color_ref color) noexcept;
