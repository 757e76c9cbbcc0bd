// Ending the program from outside: SIGINT, SIGTERM and the desktop's logout close the main window
// through its normal closing sequence, so the settings are saved as on "Выход".
//
// The signal handler only writes a byte into a pipe; the user-interface thread sees the pipe
// readable and closes the window there.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

class TSignalClose : public QObject {
  Q_OBJECT

public:
  // close runs on the user-interface thread for every signal that arrives; closing must be safe
  // to ask for more than once.
  explicit TSignalClose(std::function<void()> close, QObject* parent = nullptr);
  ~TSignalClose() override;

  // Whether the pipe and the handlers could be set up.
  bool Installed() const { return notifier_ != nullptr; }

private:
  void PipeReadable();

  std::function<void()> close_;
  QSocketNotifier* notifier_ = nullptr;
};
