// The shaft picture of the tab " Имитатор ": one silver cell of 32 pixels per floor, the top cell
// the highest floor, each labelled with its number; the cab image over it and, while the cab
// travels, a red frame on the destination floor.
//
// The picture only shows what it is told; a click reports the pixel row it hit.
#pragma once

#include <QImage>
#include <QWidget>

#include "app/Imitation.h"

class TShaftView : public QWidget {
  Q_OBJECT

public:
  explicit TShaftView(QWidget* parent = nullptr);

  // DrawShaft: the cells of a building of floorCount floors; the widget takes the picture's size.
  void DrawShaft(int floorCount);
  void ShowCab(const TCabPlace& cab);
  void ShowTargetMark(const TTargetMark& mark);

  int FloorCount() const { return floorCount_; }
  const TCabPlace& Cab() const { return cab_; }
  const TTargetMark& TargetMark() const { return mark_; }

signals:
  void Clicked(int y);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  QRect CabRect(const TCabPlace& cab) const;
  QRect MarkRect(const TTargetMark& mark) const;

  QImage shaft_;
  int floorCount_ = 0;
  TCabPlace cab_;
  TTargetMark mark_;
};
