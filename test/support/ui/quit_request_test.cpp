// Ending the program from outside closes the main window through its normal closing.
#include "support/ui/QuitRequest.h"

#include "QtTestApp.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>

#include <chrono>
#include <csignal>

namespace {

class TCountingWindow : public QWidget {
public:
  int closings = 0;

protected:
  void closeEvent(QCloseEvent* event) override {
    ++closings;
    event->accept();
  }
};

bool ServeUntilClosed(const TCountingWindow& window) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (window.closings == 0 && std::chrono::steady_clock::now() < deadline) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return window.closings > 0;
}

TEST(QuitRequestTest, SignalsCloseTheMainWindowOnce) {
  TestApp();
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    TCountingWindow window;
    window.show();
    TQuitRequest quitRequest(&window);
    std::raise(signal);
    std::raise(signal);
    ASSERT_TRUE(ServeUntilClosed(window)) << "signal " << signal;
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(window.closings, 1) << "signal " << signal;
    EXPECT_FALSE(window.isVisible());
  }
}

void Ignored(int) {}

TEST(QuitRequestTest, EarlierHandlersComeBack) {
  TestApp();
  struct sigaction mine = {};
  mine.sa_handler = Ignored;
  sigemptyset(&mine.sa_mask);
  struct sigaction before = {};
  sigaction(SIGTERM, &mine, &before);
  {
    TCountingWindow window;
    TQuitRequest quitRequest(&window);
    struct sigaction during = {};
    sigaction(SIGTERM, nullptr, &during);
    EXPECT_NE(during.sa_handler, &Ignored);
  }
  struct sigaction after = {};
  sigaction(SIGTERM, &before, &after);
  EXPECT_EQ(after.sa_handler, &Ignored);
}

TEST(QuitRequestTest, AWindowThatIsGoneIsLeftAlone) {
  TestApp();
  auto* window = new TCountingWindow;
  window->show();
  TQuitRequest quitRequest(window);
  delete window;
  std::raise(SIGTERM);
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  SUCCEED();
}

} // namespace
