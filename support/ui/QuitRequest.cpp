#include "support/ui/QuitRequest.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};

// The socket pair between the signal handler (writes) and the user-interface thread (reads).
int signalSockets[2] = {-1, -1};

void OnSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  // Nothing to do when it fails: the pair is full, so a wake-up is pending anyway.
  [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
  errno = savedErrno;
}

} // namespace

TQuitRequest::TQuitRequest(QWidget* mainWindow)
    : TQuitRequest([window = QPointer<QWidget>(mainWindow)] {
        // A window that is closed already, or is closing (Qt refuses the nested close), stays.
        if (window && window->isVisible()) window->close();
      }) {}

TQuitRequest::TQuitRequest(std::function<void()> close) : close_(std::move(close)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalSockets) != 0) return;
  notifier_ = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TQuitRequest::SignalArrived);

  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < 3; ++i) sigaction(Signals[i], &action, &previous_[i]);

  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    connect(app, &QGuiApplication::commitDataRequest, this, [this] { close_(); });
    connect(app, &QCoreApplication::aboutToQuit, this, [this] { close_(); });
  }
}

TQuitRequest::~TQuitRequest() {
  if (!notifier_) return;
  for (int i = 0; i < 3; ++i) sigaction(Signals[i], &previous_[i], nullptr);
  delete notifier_;
  ::close(signalSockets[0]);
  ::close(signalSockets[1]);
  signalSockets[0] = signalSockets[1] = -1;
}

void TQuitRequest::SignalArrived() {
  char bytes[16];
  while (::read(signalSockets[1], bytes, sizeof bytes) > 0) {
  }
  close_();
}
