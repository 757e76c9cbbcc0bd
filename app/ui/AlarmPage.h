// The tab " Аварии ": the heading "Информация об аварийной ситуации", the box "Нет аварийной
// ситуации" and the check list of the 8 alarms (register 7).
#pragma once

#include <QWidget>

#include "app/LiftControls.h"

class QCheckBox;
class QListWidget;

// A check list of fixed texts, one tick per item; items wrap rather than being cut.
QListWidget* MakeCheckList(const char* name, const char* const* texts, int count, QWidget* parent);
// Puts the ticks on a check list without reporting them as changes.
void ShowTicks(QListWidget& list, const bool* ticks, int count);

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
