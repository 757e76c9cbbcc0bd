#include "app/ui/SignalClose.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

bool Install() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return false;
  ::fcntl(signalPipe[0], F_SETFL, O_NONBLOCK);
  ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  return ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGTERM, &action, nullptr) == 0;
}

void Uninstall() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  for (int& end : signalPipe) {
    if (end >= 0) ::close(end);
    end = -1;
  }
}

}  // namespace

TSignalClose::TSignalClose(std::function<void()> close, QObject* parent)
    : QObject(parent), close_(std::move(close)) {
  if (!Install()) {
    Uninstall();
    return;
  }
  notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TSignalClose::PipeReadable);
}

TSignalClose::~TSignalClose() {
  delete notifier_;
  Uninstall();
}

void TSignalClose::PipeReadable() {
  char bytes[16];
  while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
  }
  if (close_) close_();
}
