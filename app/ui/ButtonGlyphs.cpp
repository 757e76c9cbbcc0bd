#include "app/ui/ButtonGlyphs.h"

#include <QPainter>
#include <QPixmap>

#include <functional>

namespace {

constexpr int kSize = 20;

QIcon Glyph(const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter);
  return QIcon(pixmap);
}

void Bar(QPainter& painter, const QRectF& rect, const QColor& colour) {
  painter.setPen(QPen(colour.darker(150), 1));
  painter.setBrush(colour);
  painter.drawRoundedRect(rect, 1, 1);
}

}  // namespace

QIcon PlusGlyph() {
  return Glyph([](QPainter& painter) {
    const QColor green(40, 160, 60);
    Bar(painter, QRectF(3.5, 8, 13, 4), green);
    Bar(painter, QRectF(8, 3.5, 4, 13), green);
    painter.setPen(Qt::NoPen);
    painter.setBrush(green);
    painter.drawRect(QRectF(8.5, 8.5, 3, 3));
  });
}

QIcon MinusGlyph() {
  return Glyph([](QPainter& painter) { Bar(painter, QRectF(3.5, 8, 13, 4), QColor(200, 50, 40)); });
}

QIcon DiskGlyph() {
  return Glyph([](QPainter& painter) {
    painter.setPen(QPen(QColor(20, 40, 90), 1));
    painter.setBrush(QColor(50, 90, 170));
    painter.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 1.5, 1.5);
    painter.setBrush(QColor(235, 235, 235));
    painter.drawRect(QRectF(5.5, 2.5, 9, 6));   // label shutter
    painter.setBrush(QColor(20, 40, 90));
    painter.drawRect(QRectF(11, 3.5, 2, 4));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(5, 11, 10, 6.5));  // label
  });
}

QIcon FolderGlyph() {
  return Glyph([](QPainter& painter) {
    painter.setPen(QPen(QColor(150, 110, 20), 1));
    painter.setBrush(QColor(235, 190, 70));
    QPolygonF back;
    back << QPointF(2.5, 4.5) << QPointF(8, 4.5) << QPointF(9.5, 6.5) << QPointF(16.5, 6.5)
         << QPointF(16.5, 16.5) << QPointF(2.5, 16.5);
    painter.drawPolygon(back);
    painter.setBrush(QColor(250, 215, 110));
    QPolygonF front;
    front << QPointF(4.5, 9.5) << QPointF(19, 9.5) << QPointF(16.5, 16.5) << QPointF(2.5, 16.5);
    painter.drawPolygon(front);
  });
}
