// The simulator's main window "Лифт по последовательному каналу (протокол MODBUS-LIFT)".
//
// It owns the lift: the register image the link thread answers from, the lift's controls,
// LIFT_INFO and the imitation, and keeps all of it in "Trevolk.ini" between runs. The left panel
// holds the mode, state and floor; the tabs hold the alarms, the faults, the imitation with the
// shaft picture, and a read-only list of the registers. Every change of a control, by hand or by
// the imitation, recomputes the registers it feeds at once.
//
// Life: built and created (settings opened and applied), first shown (placement, shaft, link,
// the 50 ms Timer1), running, closed (link stopped, everything saved, settings closed).
#pragma once

#include <QMainWindow>

#include <memory>
#include <string>

#include "app/Imitation.h"
#include "app/LinkControl.h"
#include "app/LiftSettings.h"
#include "modbus/LinkDisplay.h"
#include "modbus/RegisterImage.h"
#include "support/ui/QtUiCall.h"

class QTabWidget;
class QTimer;
class TAlarmPage;
class TImitationPage;
class TLiftBreakPage;
class TLiftPanel;
class TRegisterView;
class TStatusPanel;

// Indexes of PageControl1; Page in the settings keeps them.
enum TMainPage { kPageAlarm = 0, kPageLiftBreak = 1, kPageImitator = 2, kPageRegisters = 3 };

class TFormTrevolkMain : public QMainWindow, private TLinkDisplay {
  Q_OBJECT

public:
  // Determines the work folder unless one is set already, then opens and applies the settings.
  explicit TFormTrevolkMain(QWidget* parent = nullptr);
  ~TFormTrevolkMain() override;

  // (Re)starts the link with the settings as stored; StopLink ends it.
  void StartLink();
  void StopLink();

  // The closing steps: link stopped, placement and the whole simulator saved, settings closed.
  // Runs once; closing the window runs it.
  void SaveAndCloseSettings();
  bool SettingsClosed() const { return settingsClosed_; }

  // Closes the window once no modal dialog is in the way (signals, the desktop's logout).
  void RequestClose();

  // Timer1: one step of the imitation and the cab picture.
  void Timer1Timer();

  const RegisterImage& Registers() const { return registers_; }
  const TSimulatorState& State() const { return state_; }
  const TImitation& Imitation() const { return imitation_; }
  const TLinkControl& Link() const { return link_; }
  QString PanelText(int panel) const;
  TStatusPanel& Panel(int panel) const { return *statusPanels_[panel]; }

  // Menu items.
  void MenuSetupClick();
  void MenuConnectClick();
  void MenuAboutClick();

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void CreateMenu();
  void CreateStatusBar();
  QWidget* CreateCentre();
  void ConnectControls();

  void LoadSettings();
  void SaveSettings();
  void FirstShow();

  // TLinkDisplay, reached only through the link thread's UI calls.
  void ShowLinkState(const std::string& text) override;
  void ShowLinkInfo(const std::string& text) override;
  void ShowLinkError(const std::string& text) override;

  void ReadLiftIdentity();
  void DrawShaft();
  void ApplyImitation(const TImitationResult& result);
  void ApplyChangedGroups(unsigned groups);

  RegisterImage registers_{};
  TSimulatorState state_;
  TImitation imitation_;
  TQtUiCall uiCall_;
  TLinkControl link_;
  std::string skinDir_;
  std::string skinName_;
  bool shown_ = false;
  bool settingsClosed_ = false;

  TLiftPanel* panel_ = nullptr;
  QTabWidget* PageControl1 = nullptr;
  TAlarmPage* alarmPage_ = nullptr;
  TLiftBreakPage* liftBreakPage_ = nullptr;
  TImitationPage* imitationPage_ = nullptr;
  TRegisterView* registerView_ = nullptr;
  TStatusPanel* statusPanels_[3] = {};
  QTimer* Timer1 = nullptr;
};
