// How a worker thread reaches a window.
//
// Run executes the call on the user-interface thread and returns after it ran. A worker that is
// being stopped must never hang in Run: once its stop token is requested, a call that has not
// started yet is given up (Run returns false and the call never runs), so the window can stop the
// worker and wait for it without serving its calls.
#pragma once

#include <functional>
#include <mutex>
#include <stop_token>

class TUiCall {
public:
  virtual ~TUiCall() = default;
  virtual bool Run(const std::function<void()>& call, std::stop_token stop) = 0;
};

// Runs each call at once on the calling thread, one at a time. Used by tests and by programs
// without windows.
class TDirectUiCall : public TUiCall {
public:
  bool Run(const std::function<void()>& call, std::stop_token stop) override {
    if (stop.stop_requested()) return false;
    std::lock_guard lock(mutex_);
    call();
    return true;
  }

private:
  std::mutex mutex_;
};
