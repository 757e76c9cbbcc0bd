#include "app/ui/StatusPanel.h"

#include <QPainter>

TStatusPanel::TStatusPanel(const char* name, int width, QWidget* parent) : QFrame(parent), width_(width) {
  setObjectName(name);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  if (width_ > 0)
    setFixedWidth(width_);
  else
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TStatusPanel::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  setToolTip(text_);
  update();
  emit TextChanged(text_);
}

QSize TStatusPanel::sizeHint() const {
  return QSize(width_ > 0 ? width_ : 120, fontMetrics().height() + 2 * frameWidth() + 4);
}

QSize TStatusPanel::minimumSizeHint() const {
  return QSize(width_ > 0 ? width_ : 40, sizeHint().height());
}

void TStatusPanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect area = contentsRect().adjusted(4, 0, -4, 0);
  painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
                   fontMetrics().elidedText(text_, Qt::ElideRight, area.width()));
}
