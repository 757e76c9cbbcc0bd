#include "app/ui/ShaftView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "app/ui/CabFrames.h"

namespace {

const QColor kCellColour(192, 192, 192);
const QColor kMarkColour(230, 0, 0);

QImage DrawCells(int floorCount) {
  QImage shaft(kShaftWidth, ShaftHeight(floorCount), QImage::Format_RGB32);
  shaft.fill(kCellColour);
  QPainter painter(&shaft);
  QFont font = painter.font();
  font.setPixelSize(12);
  painter.setFont(font);
  for (int row = 0; row < floorCount; ++row) {
    const int top = row * kShaftCellHeight;
    painter.setPen(Qt::black);
    painter.setBrush(kCellColour);
    painter.drawRect(0, top, kShaftWidth - 1, kShaftCellHeight - 1);
    const TShaftLabel label = ShaftLabel(floorCount, row);
    painter.drawText(QRect(label.X, label.Y, kShaftWidth - label.X, kShaftCellHeight - 8),
                     Qt::AlignLeft | Qt::AlignTop, QString::number(label.Floor));
  }
  return shaft;
}

}  // namespace

TShaftView::TShaftView(QWidget* parent) : QWidget(parent) {
  setObjectName("ImageShaft");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::PointingHandCursor);
}

void TShaftView::DrawShaft(int floorCount) {
  floorCount_ = floorCount;
  shaft_ = DrawCells(floorCount);
  setFixedSize(shaft_.size());
  update();
}

QRect TShaftView::CabRect(const TCabPlace& cab) const {
  return QRect(0, cab.Top, kCabFrameWidth, kCabFrameHeight);
}

QRect TShaftView::MarkRect(const TTargetMark& mark) const {
  if (!mark.Visible) return {};
  return QRect(0, (floorCount_ - mark.Floor) * kShaftCellHeight, kShaftWidth, kShaftCellHeight);
}

void TShaftView::ShowCab(const TCabPlace& cab) {
  // A cab far outside the picture (a junk height from a hand-written file) is drawn just outside
  // it, so no pixel arithmetic runs out of range.
  TCabPlace shown = cab;
  shown.Top = std::clamp(cab.Top, -kCabFrameHeight, ShaftHeight(floorCount_));
  if (shown == cab_) return;
  update(CabRect(cab_));
  cab_ = shown;
  update(CabRect(cab_));
}

void TShaftView::ShowTargetMark(const TTargetMark& mark) {
  if (mark == mark_) return;
  update(MarkRect(mark_));
  mark_ = mark;
  update(MarkRect(mark_));
}

void TShaftView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRect(event->rect());
  painter.drawImage(event->rect().topLeft(), shaft_, event->rect());
  if (mark_.Visible) {
    painter.setPen(QPen(kMarkColour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(MarkRect(mark_).adjusted(1, 1, -1, -1));
  }
  const auto& frames = CabFrames();
  const int frame = cab_.Frame >= 0 && cab_.Frame < kCabFrameCount ? cab_.Frame : kCabNorma;
  painter.drawImage(CabRect(cab_).topLeft(), frames[static_cast<std::size_t>(frame)]);
}

void TShaftView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Clicked(event->position().toPoint().y());
  QWidget::mousePressEvent(event);
}
