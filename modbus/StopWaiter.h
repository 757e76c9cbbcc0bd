// A wait on a socket that a stop request cuts short.
//
// The link thread waits for readiness of its socket, or simply for time to pass, and must still
// see its stop request at once. An eventfd signalled by a stop_callback sits beside the socket in
// one poll(), so the thread sleeps without cost until data, the deadline or the stop arrives.
#pragma once

#include <optional>
#include <stop_token>

class TStopWaiter {
public:
  enum class TResult { Ready, TimedOut, Stopped };

  TStopWaiter();
  ~TStopWaiter();
  TStopWaiter(const TStopWaiter&) = delete;
  TStopWaiter& operator=(const TStopWaiter&) = delete;

  // From now on a stop request on `stop` wakes every wait; also when it was requested already.
  void Watch(std::stop_token stop);

  // Waits until `fd` shows one of `events` (poll flags), the time-out runs out (negative: never)
  // or a stop is requested. A stop wins over readiness. A negative fd waits for the stop only.
  TResult Wait(int fd, short events, int timeoutMs);
  // Sleeps for the given time; false when cut short (or preceded) by a stop request.
  bool Sleep(int timeoutMs) { return Wait(-1, 0, timeoutMs) != TResult::Stopped; }

private:
  struct TSignal {
    int fd;
    void operator()() const noexcept;
  };

  int event_ = -1;
  std::optional<std::stop_callback<TSignal>> callback_;
};
