// The tab " Аварии ": the heading "Информация об аварийной ситуации", the box "Нет аварийной
// ситуации" and the check list of the 8 alarms (register 7).
#pragma once

#include <QWidget>

#include "app/LiftControls.h"

class QCheckBox;
class QListWidget;

class TAlarmPage : public QWidget {
  Q_OBJECT

public:
  TAlarmPage(TLiftControls& controls, QWidget* parent = nullptr);

  void ShowAll();

signals:
  void AlarmsChanged();  // register 7

private:
  TLiftControls& controls_;
  QCheckBox* noAlarm_;
  QListWidget* list_;
};
