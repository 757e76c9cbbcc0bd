#include "support/Bounds.h"
#include "support/Fastini.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(Bounds, DesktopIsTheUnionOfAllMonitors) {
  EXPECT_EQ(DesktopRect({{0, 0, 1920, 1080}}), (TRect{0, 0, 1920, 1080}));
  EXPECT_EQ(DesktopRect({{0, 0, 1920, 1080}, {-1280, 200, 1280, 1024}}),
            (TRect{-1280, 0, 3200, 1224}));
  EXPECT_EQ(DesktopRect({{100, 100, 10, 10}, {0, 300, 10, 10}}), (TRect{0, 100, 110, 210}));
  EXPECT_EQ(DesktopRect({}), (TRect{0, 0, 0, 0}));
}

TEST(Bounds, KeepOnScreenMovesOnlyCornersOffTheDesktop) {
  const TRect desktop{0, 0, 1920, 1080};
  const struct {
    TRect window;
    TRect expected;
  } cases[] = {
      {{100, 200, 640, 480}, {100, 200, 640, 480}},
      {{-2000, 200, 640, 480}, {0, 200, 640, 480}},
      {{1920, 200, 640, 480}, {0, 200, 640, 480}},
      {{1919, 1079, 640, 480}, {1919, 1079, 640, 480}},
      {{100, 1080, 640, 480}, {100, 0, 640, 480}},
      {{100, -1, 640, 480}, {100, 0, 640, 480}},
      {{-1, -1, 5000, 5000}, {0, 0, 5000, 5000}},
      {{INT_MAX, INT_MIN, 1, 1}, {0, 0, 1, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.window.Left) + "," + testing::PrintToString(c.window.Top));
    TRect window = c.window;
    KeepOnScreen(window, desktop);
    EXPECT_EQ(window, c.expected);
  }
}

TEST(Bounds, DesktopLeftOfZeroStillBringsTheWindowToZero) {
  TRect window{-3000, 10, 100, 100};
  KeepOnScreen(window, {-1280, 0, 3200, 1080});
  EXPECT_EQ(window, (TRect{0, 10, 100, 100}));
  window = {-1000, 10, 100, 100};
  KeepOnScreen(window, {-1280, 0, 3200, 1080});
  EXPECT_EQ(window.Left, -1000);
}

TEST(Bounds, WriteThenReadInKeyOrder) {
  TFastIniFile ini("/nonexistent/unused.ini", true);
  ini.WriteBounds("FormSetup", {-5, 6, 700, 800});
  ini.WriteBounds("", {1, 2, 3, 4});
  EXPECT_EQ(ini.FileContent(),
            "[FormSetup]\r\nLeft=-5\r\nTop=6\r\nWidth=700\r\nHeight=800\r\n"
            "[NONAMED]\r\nLeft=1\r\nTop=2\r\nWidth=3\r\nHeight=4\r\n");
  TRect bounds;
  ini.ReadBounds("formsetup", bounds);
  EXPECT_EQ(bounds, (TRect{-5, 6, 700, 800}));
  ini.EraseSection("FormSetup");
  ini.EraseSection("");
  EXPECT_EQ(ini.SectionCount(), 0u);
}

TEST(Bounds, ReadNeedsLeftAndKeepsMissingFields) {
  TFastIniFile ini("/nonexistent/unused.ini", true);
  ini.WriteInteger("NoLeft", "Top", 50);
  ini.WriteInteger("NoLeft", "Width", 60);
  ini.WriteInteger("OnlyLeft", "Left", 7);
  ini.WriteString("Empty", "Left", "");
  const struct {
    const char* section;
    TRect expected;
  } cases[] = {
      {"Missing", {1, 2, 3, 4}},
      {"NoLeft", {1, 2, 3, 4}},
      {"OnlyLeft", {7, 2, 3, 4}},
      {"Empty", {0, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.section);
    TRect bounds{1, 2, 3, 4};
    ini.ReadBounds(c.section, bounds);
    EXPECT_EQ(bounds, c.expected);
  }
}

}  // namespace
