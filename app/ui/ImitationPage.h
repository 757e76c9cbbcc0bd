// The tab " Имитатор ": the shaft picture, the switch "Разрешить работу имитатора", the button
// "Лифт исправен", the group "Настройки " with the imitation's speed, floors and time ranges and
// the button "Применить", and the group "Диспетчеризация".
//
// The page edits the dispatching boxes and the switch it is given and reports the clicks; the
// main window hands them to the imitation and shows what comes back.
#pragma once

#include <QWidget>

#include <array>

#include "app/ImitationSetup.h"
#include "app/LiftSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class TShaftView;

class TImitationPage : public QWidget {
  Q_OBJECT

public:
  TImitationPage(TSimulatorState& state, QWidget* parent = nullptr);

  TShaftView& Shaft() { return *shaft_; }
  // Scrolls the shaft so that the cab is in view.
  void KeepCabInView();

  void ShowImitEnable();
  void ShowDisp();
  void ShowLiftOk(bool visible);
  void ShowSetupTexts(const TLiftSetupTexts& texts);
  TLiftSetupTexts SetupTexts() const;

signals:
  void ImitEnableClicked(bool ticked);
  void LiftOkClicked();
  void ApplyClicked();
  void DispChanged();

private:
  QWidget* MakeShaft();
  QWidget* MakeSetupGroup();
  QWidget* MakeDispGroup();
  QLineEdit* MakeSecondsField(const char* name);
  void AddRange(class QVBoxLayout& layout, const char* label, QLineEdit* from, QLineEdit* to);

  TSimulatorState& state_;
  TShaftView* shaft_ = nullptr;
  QScrollArea* shaftScroll_ = nullptr;
  QCheckBox* imitEnable_ = nullptr;
  QPushButton* liftOk_ = nullptr;
  QComboBox* velocity_ = nullptr;
  QComboBox* floorCount_ = nullptr;
  QLineEdit* moveFrom_ = nullptr;
  QLineEdit* moveTo_ = nullptr;
  QLineEdit* breakPeriodFrom_ = nullptr;
  QLineEdit* breakPeriodTo_ = nullptr;
  QLineEdit* breakLenFrom_ = nullptr;
  QLineEdit* breakLenTo_ = nullptr;
  std::array<QCheckBox*, kDispBoxCount> dispBoxes_{};
};
