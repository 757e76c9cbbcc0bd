// Ends the program through its main window's normal closing when it is asked to end from outside:
// SIGINT (Ctrl+C), SIGTERM, SIGHUP (its terminal went away) or the end of the desktop session
// (logout). Closing the window runs its closing steps, which stop the link and write the settings,
// so nothing is lost.
//
// The signal handler only writes a byte to a socket pair; the window is closed later on the
// user-interface thread. A signal that comes while the window is closing already changes nothing.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <csignal>
#include <functional>

class QSocketNotifier;

class TQuitRequest : public QObject {
  Q_OBJECT

public:
  // One at a time; the signal handlers that were there before come back on destruction.
  // close runs on the user-interface thread for every request; asking twice must be harmless.
  explicit TQuitRequest(std::function<void()> close);
  // Closes mainWindow while it is visible.
  explicit TQuitRequest(QWidget* mainWindow);
  ~TQuitRequest() override;

  // Whether the signal handlers could be set up.
  bool Installed() const { return notifier_ != nullptr; }

private:
  void SignalArrived();

  std::function<void()> close_;
  QSocketNotifier* notifier_ = nullptr;
  struct sigaction previous_[3];
};
