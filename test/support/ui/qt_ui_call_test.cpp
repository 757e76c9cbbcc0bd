// Worker-to-window calls through the Qt event loop: order, thread, and stopping without deadlock.
#include "support/ui/QtUiCall.h"

#include "QtTestApp.h"

#include <gtest/gtest.h>

#include <QThread>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Serves the event loop until done holds; false when it did not within a generous guard time.
template <typename Done>
bool ServeUntil(Done done) {
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

template <typename Condition>
void WaitFor(Condition condition) {
  while (!condition()) std::this_thread::sleep_for(1ms);
}

class QtUiCallTest : public ::testing::Test {
protected:
  void SetUp() override { TestApp(); }
  TQtUiCall ui;
};

TEST_F(QtUiCallTest, WorkerCallsRunOnTheUiThreadInOrder) {
  constexpr int Calls = 50;
  std::vector<int> order;
  std::atomic<int> onOtherThread{0};
  std::atomic<int> refused{0};
  std::atomic<bool> finished{false};
  QThread* uiThread = QThread::currentThread();

  std::jthread worker([&](std::stop_token stop) {
    for (int i = 0; i < Calls; ++i) {
      const bool ran = ui.Run(
          [&, i] {
            if (QThread::currentThread() != uiThread) ++onOtherThread;
            order.push_back(i);
          },
          stop);
      if (!ran) ++refused;
    }
    finished = true;
  });

  ASSERT_TRUE(ServeUntil([&] { return finished.load(); }));
  worker.join();
  ASSERT_EQ(order.size(), static_cast<std::size_t>(Calls));
  for (int i = 0; i < Calls; ++i) EXPECT_EQ(order[i], i);
  EXPECT_EQ(onOtherThread, 0);
  EXPECT_EQ(refused, 0);
}

TEST_F(QtUiCallTest, CallOnTheUiThreadRunsAtOnce) {
  std::stop_source source;
  int runs = 0;
  EXPECT_TRUE(ui.Run([&] { ++runs; }, source.get_token()));
  EXPECT_EQ(runs, 1);

  source.request_stop();
  EXPECT_FALSE(ui.Run([&] { ++runs; }, source.get_token()));
  EXPECT_EQ(runs, 1);
}

TEST_F(QtUiCallTest, StopWhileTheCallIsQueuedGivesItUpForGood) {
  std::atomic<bool> entering{false};
  std::atomic<int> result{-1};
  std::atomic<int> runs{0};

  std::jthread worker([&](std::stop_token stop) {
    entering = true;
    result = ui.Run([&] { ++runs; }, stop) ? 1 : 0;
  });
  WaitFor([&] { return entering.load(); });
  std::this_thread::sleep_for(20ms);  // let the call reach the queue; the loop is not served
  worker.request_stop();
  worker.join();

  EXPECT_EQ(result, 0);
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(runs, 0);
}

TEST_F(QtUiCallTest, UiThreadStopsAndJoinsAWorkerWaitingInRun) {
  std::atomic<int> runs{0};
  std::atomic<int> falseResults{0};

  std::jthread worker([&](std::stop_token stop) {
    while (ui.Run([&] { ++runs; }, stop)) {
    }
    ++falseResults;
  });
  ASSERT_TRUE(ServeUntil([&] { return runs >= 5; }));

  // The user-interface thread stops the worker without serving its calls: must not hang.
  worker.request_stop();
  worker.join();

  const int runsAtJoin = runs;
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(runs, runsAtJoin);
  EXPECT_EQ(falseResults, 1);
}

TEST_F(QtUiCallTest, FailureOfTheCallReachesTheWorker) {
  std::atomic<bool> caught{false};
  std::atomic<bool> finished{false};

  std::jthread worker([&](std::stop_token stop) {
    try {
      ui.Run([] { throw std::runtime_error("display failed"); }, stop);
    } catch (const std::runtime_error&) {
      caught = true;
    }
    finished = true;
  });

  ASSERT_TRUE(ServeUntil([&] { return finished.load(); }));
  EXPECT_TRUE(caught);
}

} // namespace
