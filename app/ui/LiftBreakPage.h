// The tab " Неисправность ": the heading "Информация о неисправности ", the box "Нет
// неисправности", the check list of the 14 standard faults, and the group "Другая неисправность"
// with the custom fault list ComboBoxLiftBreak and its seven buttons (add, delete, save to a fault
// file, read from one, and the three preset tables).
#pragma once

#include <QWidget>

#include <string>

#include "app/LiftControls.h"
#include "app/Presets.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QToolButton;

class TLiftBreakPage : public QWidget {
  Q_OBJECT

public:
  TLiftBreakPage(TLiftControls& controls, QWidget* parent = nullptr);

  void ShowAll();
  // "Нет неисправности" and the ticks of the standard faults only.
  void ShowTicks();
  void ShowCustomList();

  // The button actions (also reached by tests).
  void AddCustom();
  void DeleteCustom();
  void SaveCustomList();
  void OpenCustomList();
  void LoadPresetAsked(TPreset preset);

signals:
  void LiftBreaksChanged();  // registers 8..41

private:
  QWidget* MakeOtherGroup();
  QToolButton* MakeButton(const char* name, const char* hint);
  // Empty when the user cancelled.
  std::string ChooseFaultFile(bool save);

  TLiftControls& controls_;
  QCheckBox* noLiftBreak_;
  QListWidget* list_;
  QComboBox* custom_;
};
