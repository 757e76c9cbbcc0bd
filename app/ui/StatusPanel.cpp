#include "app/ui/StatusPanel.h"

#include <QPainter>

TStatusPanel::TStatusPanel(const char* name, int width, bool fillsRest, QWidget* parent)
    : QFrame(parent), width_(width), fillsRest_(fillsRest) {
  setObjectName(name);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  if (fillsRest_) {
    setMinimumWidth(width_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  } else {
    setFixedWidth(width_);
  }
}

void TStatusPanel::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  setToolTip(text_);
  update();
  emit TextChanged(text_);
}

QSize TStatusPanel::sizeHint() const {
  return QSize(width_, fontMetrics().height() + 2 * frameWidth() + 4);
}

QSize TStatusPanel::minimumSizeHint() const {
  return QSize(width_, sizeHint().height());
}

void TStatusPanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect area = contentsRect().adjusted(4, 0, -4, 0);
  painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
                   fontMetrics().elidedText(text_, Qt::ElideRight, area.width()));
}
