// Window placement of Qt windows in the program's settings.
#include "support/ui/FormBounds.h"

#include "QtTestApp.h"
#include "TestSettings.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

class FormBoundsTest : public ::testing::Test {
protected:
  void SetUp() override { TestApp(); }

  static std::unique_ptr<QWidget> Window(const TRect& bounds) {
    auto window = std::make_unique<QWidget>();
    window->setObjectName("FormPlaced");
    SetWidgetBounds(*window, bounds);
    return window;
  }
};

TEST_F(FormBoundsTest, BoundsSurviveAClosedAndReopenedSettingsFile) {
  TTestSettings settings;
  const TRect placed{30, 40, 300, 200};
  SaveFormBounds(Window(placed).get());
  settings.Reopen();

  EXPECT_EQ(Settings->ReadInteger("FormPlaced", "Left", -1), 30);
  EXPECT_EQ(Settings->ReadInteger("FormPlaced", "Height", -1), 200);
  auto window = Window({5, 5, 100, 100});
  RestoreFormBounds(window.get());
  EXPECT_EQ(WidgetBounds(*window), placed);
}

TEST_F(FormBoundsTest, WindowSavedOffTheDesktopComesBackOnIt) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  ASSERT_EQ(screen.topLeft(), QPoint(0, 0));
  struct Case {
    TRect saved;
    TRect restored;
  };
  const Case cases[] = {
      {{-2000, 50, 320, 240}, {0, 50, 320, 240}},
      {{screen.width(), 50, 320, 240}, {0, 50, 320, 240}},
      {{60, -10, 320, 240}, {60, 0, 320, 240}},
      {{60, screen.height() + 5, 320, 240}, {60, 0, 320, 240}},
      {{-1, -1, 320, 240}, {0, 0, 320, 240}},
      {{screen.width() - 1, screen.height() - 1, 320, 240}, {screen.width() - 1, screen.height() - 1, 320, 240}},
  };
  for (const Case& c : cases) {
    TTestSettings settings;
    SaveFormBounds(Window(c.saved).get());
    settings.Reopen();
    auto window = Window({5, 5, 100, 100});
    RestoreFormBounds(window.get());
    EXPECT_EQ(WidgetBounds(*window), c.restored) << "saved at " << c.saved.Left << "," << c.saved.Top;
  }
}

TEST_F(FormBoundsTest, NothingSavedLeavesTheWindowToTheWindowSystem) {
  TTestSettings settings;
  QWidget window;
  window.setObjectName("FormNeverSaved");
  const TRect before = WidgetBounds(window);
  RestoreFormBounds(&window);
  EXPECT_EQ(WidgetBounds(window), before);
  EXPECT_FALSE(window.testAttribute(Qt::WA_Moved));
}

TEST_F(FormBoundsTest, WithoutSettingsNothingHappens) {
  ASSERT_EQ(Settings, nullptr);
  auto window = Window({10, 20, 300, 200});
  SaveFormBounds(window.get());
  RestoreFormBounds(window.get());
  SaveFormBounds(nullptr);
  RestoreFormBounds(nullptr);
  EXPECT_EQ(WidgetBounds(*window), (TRect{10, 20, 300, 200}));
}

TEST_F(FormBoundsTest, ReadAndWriteOnAnyFileUseTheObjectName) {
  TTestSettings settings;
  TFastIniFile ini(settings.Path("other.ini").toStdString());
  WriteBounds(ini, *Window({-2000, 70, 400, 300}));
  auto window = Window({5, 5, 100, 100});
  ReadBounds(ini, *window);
  // The plain read keeps a window where it was saved, off the desktop or not.
  EXPECT_EQ(WidgetBounds(*window), (TRect{-2000, 70, 400, 300}));
}

} // namespace
