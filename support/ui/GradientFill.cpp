#include "support/ui/GradientFill.h"

#include <QColor>
#include <QPainter>
#include <QRect>

#include <algorithm>

namespace {

constexpr int StepPerRow = 3;

int Darker(int component) {
  return std::max(0, component - StepPerRow);
}

} // namespace

void GradientFill(QPainter& canvas, const QRect& rect, const QColor& startColour) {
  int red = startColour.red();
  int green = startColour.green();
  int blue = startColour.blue();
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    canvas.fillRect(QRect(rect.left(), y, rect.width(), 1), QColor(red, green, blue));
    red = Darker(red);
    green = Darker(green);
    blue = Darker(blue);
  }
}
