// The left panel of the main window: the mode radio group "Режим работы", the group "Состояние"
// with the 11 state check boxes, and the group "Этаж кабины лифта" with the floor field.
//
// The panel edits the lift's controls it is given: a click changes the control's value and then
// tells which register group to recompute. Show* put values changed by the program on screen
// without reporting them back.
#pragma once

#include <QWidget>

#include <array>

#include "app/LiftControls.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class QSpinBox;

class TLiftPanel : public QWidget {
  Q_OBJECT

public:
  TLiftPanel(TLiftControls& controls, QWidget* parent = nullptr);

  void ShowMode();
  void ShowState();
  void ShowFloor();
  void ShowAll();

signals:
  void ModeChanged();   // register 4
  void StateChanged();  // register 6
  void FloorChanged();  // register 5

private:
  QWidget* MakeModeGroup();
  QWidget* MakeStateGroup();
  QWidget* MakeFloorGroup();

  TLiftControls& controls_;
  QButtonGroup* modes_;
  std::array<QRadioButton*, kModeCount> modeButtons_{};
  std::array<QCheckBox*, kStateBoxCount> stateBoxes_{};
  QSpinBox* floor_;
};
