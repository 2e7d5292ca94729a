// The stream feed's writer: a thread of its own that replaces the feed's
// files, so that a notice only hands over what the board shows and returns.
// Files on a slow disk, a share or a folder held by a reader never hold up the
// host's thread. The latest board wins: boards handed over while a write is
// under way are written as one, the newest.
#pragma once

#include "announce/stream_feed.h"
#include "announce/stream_feed_win.h"

struct stream_writer;

// Starts the writer for `folder`; null when no thread can be made (the feed is off then).
stream_writer* stream_writer_start(const stream_folder& folder) noexcept;
// Hands over the board as it stands; never waits for a write.
void stream_writer_post(stream_writer* writer, const stream_board& board) noexcept;
// Writes what was handed over last, ends the thread and frees the writer. A
// write that has not ended after two seconds (a share that hangs) is left to
// end on its own, with the memory it uses.
void stream_writer_stop(stream_writer* writer) noexcept;
