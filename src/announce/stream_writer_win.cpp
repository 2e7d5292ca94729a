#include "announce/stream_writer_win.h"

#include <new>

#include "base/memory.h"

struct stream_writer {
  CRITICAL_SECTION lock;
  HANDLE wake = nullptr;  // auto-reset: a board was handed over, or the writer is to end
  HANDLE thread = nullptr;
  stream_folder folder;
  stream_feed feed = {};  // the thread's alone
  // Under the lock:
  stream_board pending = {};
  bool has_pending = false;
  bool quit = false;
};

namespace {

constexpr DWORD stop_wait_ms = 2000;
// A file a reader held is tried again after 20 ms, then 40, ... 640 ms, unless
// a new board comes first; after that, at the next notice.
constexpr int retries = 6;
constexpr DWORD first_retry_ms = 20;

DWORD WINAPI run(void* parameter) {
  auto& w = *static_cast<stream_writer*>(parameter);
  stream_board board;
  int retry = retries;
  for (;;) {
    EnterCriticalSection(&w.lock);
    const bool done = w.quit && !w.has_pending;
    LeaveCriticalSection(&w.lock);
    if (done) return 0;
    const DWORD wait = retry < retries ? first_retry_ms << retry : INFINITE;
    const bool woken = WaitForSingleObject(w.wake, wait) == WAIT_OBJECT_0;
    EnterCriticalSection(&w.lock);
    const bool has = w.has_pending;
    const bool quit = w.quit;
    if (has) board = w.pending;
    w.has_pending = false;
    LeaveCriticalSection(&w.lock);
    if (has) {
      retry = 0;
    } else if (quit) {
      return 0;
    } else if (woken) {
      continue;
    } else {
      ++retry;  // the same board again, for the files that could not be written
    }
    stream_feed_update(w.feed, board, stream_platform_ops(w.folder));
    if (stream_feed_settled(w.feed)) retry = retries;
  }
}

void free_writer(stream_writer* w) {
  if (w->wake != nullptr) CloseHandle(w->wake);
  if (w->thread != nullptr) CloseHandle(w->thread);
  DeleteCriticalSection(&w->lock);
  stream_feed_release(w->feed);
  w->~stream_writer();
  mem_free(w);
}

}  // namespace

stream_writer* stream_writer_start(const stream_folder& folder) noexcept {
  void* block = mem_alloc_zeroed(sizeof(stream_writer));
  if (block == nullptr) return nullptr;
  auto* w = new (block) stream_writer();
  InitializeCriticalSection(&w->lock);
  w->folder = folder;
  w->wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (w->wake != nullptr) w->thread = CreateThread(nullptr, 64 * 1024, run, w, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (w->thread == nullptr) {
    free_writer(w);
    return nullptr;
  }
  return w;
}

void stream_writer_post(stream_writer* w, const stream_board& board) noexcept {
  if (w == nullptr) return;
  EnterCriticalSection(&w->lock);
  w->pending = board;
  w->has_pending = true;
  LeaveCriticalSection(&w->lock);
  SetEvent(w->wake);
}

void stream_writer_stop(stream_writer* w) noexcept {
  if (w == nullptr) return;
  EnterCriticalSection(&w->lock);
  w->quit = true;
  LeaveCriticalSection(&w->lock);
  SetEvent(w->wake);
  if (WaitForSingleObject(w->thread, stop_wait_ms) == WAIT_OBJECT_0) free_writer(w);
}
