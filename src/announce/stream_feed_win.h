// The stream feed's files on the system: each replaced whole through a
// temporary file in the same folder, and ANSI text made UTF-8.
#pragma once

#include <windows.h>

#include "announce/stream_feed.h"

// Where the feed writes: `dir`, made (one level, and its "utf8" folder) when
// it is missing at a write. A folder that cannot be written is left as it is.
struct stream_folder {
  char dir[MAX_PATH];
};

// The operations over `folder`, which must outlive their use.
stream_ops stream_platform_ops(stream_folder& folder);
