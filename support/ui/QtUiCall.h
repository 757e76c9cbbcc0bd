// Worker-to-window calls through the Qt event loop.
//
// Run posts the call to the thread of the context object (the user-interface thread) and waits
// until it has run. While the call is still queued, a stop request gives it up: Run returns false
// at once and the call is dropped when its turn comes. So a window may request a worker's stop and
// join it without serving the worker's calls. A call made on the user-interface thread itself runs
// directly.
#pragma once

#include "support/UiCall.h"

class QObject;

class TQtUiCall : public TUiCall {
public:
  // The context object lives on the user-interface thread; by default the application object
  // (taken when a call is made, so the call object may be made before the application).
  explicit TQtUiCall(QObject* context = nullptr);

  bool Run(const std::function<void()>& call, std::stop_token stop) override;

private:
  QObject* context_;
};
