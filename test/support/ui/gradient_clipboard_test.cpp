// Gradient cell backgrounds and the clipboard.
#include "support/ui/Clipboard.h"
#include "support/ui/GradientFill.h"

#include "QtTestApp.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

class GradientFillTest : public ::testing::Test {
protected:
  void SetUp() override { TestApp(); }

  // Fills rows top.. of a 20-pixel-wide picture between columns 2 and 17; the rest stays blue.
  static QImage Filled(int rows, QColor start) {
    QImage picture(20, rows + 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter painter(&picture);
    GradientFill(painter, QRect(2, 1, 16, rows), start);
    return picture;
  }
};

TEST_F(GradientFillTest, EachRowIsThreeDarkerDownToBlack) {
  struct Case {
    int rows;
    QColor start;
  };
  const Case cases[] = {{10, QColor(255, 255, 255)}, {100, QColor(255, 255, 255)}, {30, QColor(10, 200, 4)}};
  for (const Case& c : cases) {
    const QImage picture = Filled(c.rows, c.start);
    for (int row = 0; row < c.rows; ++row) {
      const QColor expected(std::max(0, c.start.red() - 3 * row), std::max(0, c.start.green() - 3 * row),
                            std::max(0, c.start.blue() - 3 * row));
      for (int x : {2, 10, 17}) EXPECT_EQ(picture.pixelColor(x, row + 1), expected) << "row " << row << " x " << x;
      EXPECT_EQ(picture.pixelColor(1, row + 1), QColor(Qt::blue));
      EXPECT_EQ(picture.pixelColor(18, row + 1), QColor(Qt::blue));
    }
    EXPECT_EQ(picture.pixelColor(10, 0), QColor(Qt::blue));
    EXPECT_EQ(picture.pixelColor(10, c.rows + 1), QColor(Qt::blue));
  }
  EXPECT_EQ(Filled(100, Qt::white).pixelColor(5, 100), QColor(0, 0, 0));
}

TEST(ClipboardTest, TextReachesTheClipboardUpToAnyNul) {
  TestApp();
  EXPECT_TRUE(CopyToClipboard("01,\"A B\",Ответ"));
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "01,\"A B\",Ответ");
  EXPECT_TRUE(CopyToClipboard(std::string("до\0после", 15)));
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "до");
}

} // namespace
