#include "support/ui/QtUiCall.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <condition_variable>
#include <exception>
#include <memory>

namespace {

// What the worker and the posted call share; outlives whichever of them ends first.
struct TPendingCall {
  enum class TState { Queued, Running, Done, GivenUp };

  std::mutex mutex;
  std::condition_variable_any changed;
  TState state = TState::Queued;
  std::function<void()> call;
  std::exception_ptr failure;
};

// Runs on the user-interface thread when the posted event comes up.
void Serve(const std::shared_ptr<TPendingCall>& pending) {
  {
    std::lock_guard lock(pending->mutex);
    if (pending->state == TPendingCall::TState::GivenUp) return;
    pending->state = TPendingCall::TState::Running;
  }
  try {
    pending->call();
  } catch (...) {
    pending->failure = std::current_exception();
  }
  std::lock_guard lock(pending->mutex);
  pending->state = TPendingCall::TState::Done;
  pending->changed.notify_all();
}

} // namespace

TQtUiCall::TQtUiCall(QObject* context) : context_(context) {}

bool TQtUiCall::Run(const std::function<void()>& call, std::stop_token stop) {
  if (stop.stop_requested()) return false;
  QObject* context = context_ ? context_ : QCoreApplication::instance();
  if (!context) return false;
  if (QThread::currentThread() == context->thread()) {
    call();
    return true;
  }

  auto pending = std::make_shared<TPendingCall>();
  pending->call = call;
  QMetaObject::invokeMethod(context, [pending] { Serve(pending); }, Qt::QueuedConnection);

  std::unique_lock lock(pending->mutex);
  const auto finished = [&] { return pending->state == TPendingCall::TState::Done; };
  if (!pending->changed.wait(lock, stop, finished)) {
    // Stopped: a call still in the queue is given up; one already running is waited for, since the
    // user-interface thread is busy with it and cannot be waiting for this worker.
    if (pending->state == TPendingCall::TState::Queued) {
      pending->state = TPendingCall::TState::GivenUp;
      return false;
    }
    pending->changed.wait(lock, finished);
  }
  if (pending->failure) std::rethrow_exception(pending->failure);
  return true;
}
