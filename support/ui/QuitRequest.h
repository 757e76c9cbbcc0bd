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

class QSocketNotifier;

class TQuitRequest : public QObject {
  Q_OBJECT

public:
  // One at a time; the signal handlers that were there before come back on destruction.
  explicit TQuitRequest(QWidget* mainWindow);
  ~TQuitRequest() override;

private:
  void CloseMainWindow();
  void SignalArrived();

  QPointer<QWidget> mainWindow_;
  QSocketNotifier* notifier_ = nullptr;
  struct sigaction previous_[3];
};
