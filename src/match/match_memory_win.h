// Whether the host's memory can be read where its match record points, asked
// of the memory manager before the views read a leg entry the record names.
#pragma once

#include <cstddef>

// True when all `size` bytes at `at` lie in committed pages that can be read
// (no guard page, no access-protected page); false otherwise.
bool match_bytes_readable(const void* at, std::size_t size) noexcept;
