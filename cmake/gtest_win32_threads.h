// GoogleTest wants std::mutex and std::condition_variable, which the win32
// thread model's libstdc++ (the one the plug-in is built with, so that it
// carries no threading runtime) does not have. The test programs get these
// two from Windows' own slim locks; the plug-in never includes this file.
#pragma once
#include <windows.h>
#include <mutex>
#include <condition_variable>

#if !defined(_GLIBCXX_HAS_GTHREADS)
namespace std {
class mutex {
 public:
  mutex() = default;
  mutex(const mutex&) = delete;
  mutex& operator=(const mutex&) = delete;
  void lock() { AcquireSRWLockExclusive(&lock_); }
  bool try_lock() { return TryAcquireSRWLockExclusive(&lock_) != 0; }
  void unlock() { ReleaseSRWLockExclusive(&lock_); }
  PSRWLOCK native_handle() { return &lock_; }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
};

class condition_variable {
 public:
  condition_variable() = default;
  condition_variable(const condition_variable&) = delete;
  condition_variable& operator=(const condition_variable&) = delete;
  void notify_one() { WakeConditionVariable(&cond_); }
  void notify_all() { WakeAllConditionVariable(&cond_); }
  void wait(unique_lock<mutex>& held) {
    SleepConditionVariableSRW(&cond_, held.mutex()->native_handle(), INFINITE, 0);
  }
  template <class Predicate>
  void wait(unique_lock<mutex>& held, Predicate ready) {
    while (!ready()) wait(held);
  }

 private:
  CONDITION_VARIABLE cond_ = CONDITION_VARIABLE_INIT;
};
}  // namespace std
#endif
