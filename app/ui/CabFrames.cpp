#include "app/ui/CabFrames.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

enum class TCabLook { Rest, Open, Move, MoveUp, MoveDown, Alarm };

// The cab's body leaves a pixel or two of the shaft cell around it.
const QRectF kBody(2.5, 1.5, 36, 29);
// The indicator strip above the doors: arrows, the alarm mark.
const QRectF kStrip(5, 4, 31, 7);
// The door opening below the strip.
const QRectF kDoorway(6, 12, 29, 17);

const QColor kFrameColour(40, 40, 48);
const QColor kBodyColour(228, 222, 206);
const QColor kAlarmBodyColour(214, 48, 40);
const QColor kStripColour(30, 34, 40);
const QColor kDoorColour(150, 164, 180);
const QColor kDoorEdgeColour(90, 102, 118);
const QColor kAlarmDoorColour(236, 138, 124);
const QColor kInsideColour(255, 226, 140);
const QColor kArrowColour(80, 230, 90);
const QColor kAlarmMarkColour(255, 220, 40);
const QColor kPassengerColour(30, 60, 150);

void DrawBody(QPainter& painter, bool alarm) {
  painter.setPen(QPen(kFrameColour, 1.5));
  painter.setBrush(alarm ? kAlarmBodyColour : kBodyColour);
  painter.drawRoundedRect(kBody, 2, 2);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kStripColour);
  painter.drawRect(kStrip);
}

void DrawClosedDoors(QPainter& painter, bool alarm) {
  painter.setPen(QPen(kDoorEdgeColour, 1));
  painter.setBrush(alarm ? kAlarmDoorColour : kDoorColour);
  const qreal half = kDoorway.width() / 2;
  painter.drawRect(QRectF(kDoorway.left(), kDoorway.top(), half, kDoorway.height()));
  painter.drawRect(QRectF(kDoorway.left() + half, kDoorway.top(), half, kDoorway.height()));
}

void DrawOpenDoors(QPainter& painter) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(kInsideColour);
  painter.drawRect(kDoorway);
  painter.setPen(QPen(kDoorEdgeColour, 1));
  painter.setBrush(kDoorColour);
  constexpr qreal leaf = 4;
  painter.drawRect(QRectF(kDoorway.left(), kDoorway.top(), leaf, kDoorway.height()));
  painter.drawRect(QRectF(kDoorway.right() - leaf, kDoorway.top(), leaf, kDoorway.height()));
}

// A triangle in the strip pointing up or down, centred on x.
void DrawArrow(QPainter& painter, qreal x, bool up) {
  const qreal top = kStrip.top() + 1, bottom = kStrip.bottom() - 1;
  QPolygonF arrow;
  if (up)
    arrow << QPointF(x, top) << QPointF(x + 4.5, bottom) << QPointF(x - 4.5, bottom);
  else
    arrow << QPointF(x, bottom) << QPointF(x + 4.5, top) << QPointF(x - 4.5, top);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kArrowColour);
  painter.drawPolygon(arrow);
}

void DrawAlarmMark(QPainter& painter) {
  const qreal x = kStrip.center().x();
  painter.setPen(Qt::NoPen);
  painter.setBrush(kAlarmMarkColour);
  for (const qreal dx : {-8.0, 0.0, 8.0}) {
    painter.drawRect(QRectF(x + dx - 1, kStrip.top() + 0.8, 2, 3.4));
    painter.drawRect(QRectF(x + dx - 1, kStrip.bottom() - 1.8, 2, 1.6));
  }
}

void DrawStrip(QPainter& painter, TCabLook look) {
  const qreal centre = kStrip.center().x();
  switch (look) {
    case TCabLook::MoveUp: DrawArrow(painter, centre, true); break;
    case TCabLook::MoveDown: DrawArrow(painter, centre, false); break;
    case TCabLook::Move:
      DrawArrow(painter, centre - 6, true);
      DrawArrow(painter, centre + 6, false);
      break;
    case TCabLook::Alarm: DrawAlarmMark(painter); break;
    case TCabLook::Rest:
    case TCabLook::Open: break;
  }
}

// A person standing in the doorway: head and shoulders, readable at this size.
void DrawPassenger(QPainter& painter) {
  const qreal x = kDoorway.center().x();
  painter.setPen(QPen(Qt::white, 0.8));
  painter.setBrush(kPassengerColour);
  painter.drawEllipse(QPointF(x, kDoorway.top() + 4.5), 3.2, 3.2);
  QPainterPath body;
  body.moveTo(x - 6, kDoorway.bottom());
  body.lineTo(x - 5, kDoorway.top() + 10);
  body.quadTo(x, kDoorway.top() + 7.5, x + 5, kDoorway.top() + 10);
  body.lineTo(x + 6, kDoorway.bottom());
  body.closeSubpath();
  painter.drawPath(body);
}

}  // namespace

QImage DrawCabFrame(int index) {
  if (index < 0 || index >= kCabFrameCount) index = 0;
  const auto look = static_cast<TCabLook>(index % kCabPassenger);
  const bool passenger = index >= kCabPassenger;

  QImage frame(kCabFrameWidth, kCabFrameHeight, QImage::Format_ARGB32_Premultiplied);
  frame.fill(Qt::transparent);
  QPainter painter(&frame);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBody(painter, look == TCabLook::Alarm);
  DrawStrip(painter, look);
  if (look == TCabLook::Open)
    DrawOpenDoors(painter);
  else
    DrawClosedDoors(painter, look == TCabLook::Alarm);
  if (passenger) DrawPassenger(painter);
  return frame;
}

const std::array<QImage, kCabFrameCount>& CabFrames() {
  static const std::array<QImage, kCabFrameCount> frames = [] {
    std::array<QImage, kCabFrameCount> drawn;
    for (int i = 0; i < kCabFrameCount; ++i) drawn[static_cast<std::size_t>(i)] = DrawCabFrame(i);
    return drawn;
  }();
  return frames;
}
