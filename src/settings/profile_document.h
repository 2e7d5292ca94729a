// The settings file held in memory: an ordered list of sections, each an
// ordered list of key/value entries and comment lines, with the plug-in's own
// reader and writer of the file. The one document is a module-wide global that
// exists only while the library loads and unloads; records are only appended,
// never removed or reordered, so everything the file holds keeps its place.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/heap_containers.h"
#include "settings/profile_platform.h"

// Longest key, section name or comment line kept; longer ones are cut first
// and trimmed after.
constexpr std::size_t profile_name_limit = 255;

struct profile_entry {
  heap_text key;        // trimmed; a comment's whole line with its "#"; empty once deleted
  uint32_t hash = 0;      // profile_hash of the key; 0 for a comment
  int32_t is_comment = 0; // 1 for a comment line
  heap_text value;      // as the file holds it, blanks and quotes included
};

struct profile_section {
  heap_text name;   // trimmed; empty only for the unnamed section 0
  uint32_t hash = 0;  // profile_hash of the name
  heap_array<profile_entry> entries;  // empty until the first entry, and after its keys were deleted as a whole
};

struct profile_document_state {
  bool present = false;                 // false while no document exists
  bool utf8_bom = false;                // the file began with EF BB BF, which a save writes back
  heap_array<profile_section> sections;  // section 0 first: what stands before the first header
};

extern profile_document_state profile_document;

// Hash of a name, blind to ASCII case and to spaces: "abc" and "A B C" give 26496,
// "" gives 0.
uint32_t profile_hash(const char* text) noexcept;

// Drops leading and trailing spaces and tabs in place; always 1.
int trim_blanks(char* text) noexcept;
// The same on the bytes [begin, end) of `text`: moves begin and end inwards.
void trim_range(const char* text, std::size_t& begin, std::size_t& end) noexcept;

// Starts a new document from the file at `path` (any earlier one is freed
// first): 1 when loaded, 0 with no document when the file is missing or
// unreadable. With `read_file` 0 no file is read and the document starts empty.
int profile_load(const char* path, int read_file) noexcept;
int profile_load_with(const char* path, const profile_file_ops& files) noexcept;
// Starts a new document from the bytes of a settings file, a leading UTF-8
// byte-order mark skipped and remembered: 1, or 0 with no document when memory
// runs out.
int profile_load_text(const char* data, std::size_t size) noexcept;

// Appends a section record; the name is cut to 255 bytes and trimmed. 1, or 0
// for a null, empty or all-blank name or when memory runs out.
int profile_add_section(const char* name) noexcept;

// Appends an entry to `section`; the key is cut to 255 bytes and trimmed. 1, or
// 0 for a null, empty or all-blank key, a null value, or when memory runs out.
int profile_add_entry(profile_section* section, const char* key, const char* value, int is_comment) noexcept;

// The text a save writes: the byte-order mark when the file had one, then
// each section with entries, its header (none for section 0), one line per
// live entry, a blank line; every line ends in CR LF.
// 1, or 0 when no document exists or memory runs out.
int profile_render(heap_text& text) noexcept;

// Writes the document over the file at `path` through a new temporary file
// beside it that replaces the old file in one step: 1 when written; 0 when no
// document exists or any step fails, the old file then left as it was and the
// temporary file removed.
int profile_save(const char* path) noexcept;
int profile_save_with(const char* path, const profile_file_ops& files) noexcept;

// Frees the document; afterwards no document exists.
void profile_free() noexcept;
