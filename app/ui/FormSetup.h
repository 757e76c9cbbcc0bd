// The program settings dialog ("Настройки программы", component name "FormSetup").
//
// Three tabs: the gateway link, the lift identity and debugging. It opens with the values of
// section SETUP of the program's Settings, the program-wide LocalAddress and the debug flag; OK
// stores them (SetupLogic.h) and tells whether the link must be restarted. The main window opens
// it modally, and after OK reloads registers 0..3 and restarts the link when RestartNeeded().
//
// It is modal to its owner's window only, so the log viewer it opens can be used beside it.
#pragma once

#include <QDialog>

#include "app/SetupLogic.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

class TFormSetup : public QDialog {
  Q_OBJECT

public:
  explicit TFormSetup(QWidget* owner = nullptr);

  // Set by OK when a link setting changed.
  bool RestartNeeded() const { return restartNeeded_; }

  // Closing in any way saves the placement; OK also stores the fields.
  void done(int result) override;

private:
  QWidget* MakeMainTab();
  QWidget* MakeLiftTab();
  QWidget* MakeDebugTab();
  QWidget* MakeButtons();

  void ShowFields(const TSetupFields& fields);
  TSetupFields Fields() const;
  void StoreFields();
  void ButtonViewLogClick();

  QTabWidget* PageControl1;
  QLineEdit* EditTcpAdr;
  QLineEdit* EditTcpPort;
  QPushButton* ButtonFind;
  QLineEdit* EditSlaveAdr;
  QComboBox* LocalNetInterfaceCB;
  QCheckBox* CheckBoxTimeout;
  QSpinBox* UpDownTimeout;
  QSpinBox* UpDownProd;
  QSpinBox* UpDownType;
  QLineEdit* EditSerNum;
  QCheckBox* CheckBoxImitDebug;
  QPushButton* ButtonViewLog;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;

  bool restartNeeded_ = false;
};
