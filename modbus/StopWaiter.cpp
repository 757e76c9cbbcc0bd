#include "modbus/StopWaiter.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <utility>

void TStopWaiter::TSignal::operator()() const noexcept {
  const std::uint64_t one = 1;
  // The counter only grows and is never drained: once stopped, every later wait returns at once.
  [[maybe_unused]] const ssize_t written = ::write(fd, &one, sizeof one);
}

TStopWaiter::TStopWaiter() : event_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  // Without the eventfd the thread could not be stopped; that is not a state to run in.
  if (event_ < 0) std::abort();
}

TStopWaiter::~TStopWaiter() {
  callback_.reset();
  ::close(event_);
}

void TStopWaiter::Watch(std::stop_token stop) {
  callback_.reset();
  callback_.emplace(std::move(stop), TSignal{event_});
}

TStopWaiter::TResult TStopWaiter::Wait(int fd, short events, int timeoutMs) {
  pollfd fds[2] = {{event_, POLLIN, 0}, {fd, events, 0}};
  for (;;) {
    const int ready = ::poll(fds, 2, timeoutMs);
    if (ready < 0 && errno == EINTR) continue;  // a signal is no reason to stop waiting early
    if (ready < 0) return TResult::TimedOut;
    if (fds[0].revents != 0) return TResult::Stopped;
    return ready == 0 ? TResult::TimedOut : TResult::Ready;
  }
}
