#include "app/ui/FormTrevolkMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLocale>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include "app/ImitationRegisters.h"
#include "app/ImitationTexts.h"
#include "app/LiftRegisters.h"
#include "app/ui/AlarmPage.h"
#include "app/ui/FormAbout.h"
#include "app/ui/FormSetup.h"
#include "app/ui/ImitationPage.h"
#include "app/ui/LiftBreakPage.h"
#include "app/ui/LiftPanel.h"
#include "app/ui/RegisterView.h"
#include "app/ui/ShaftView.h"
#include "app/ui/StatusPanel.h"
#include "modbus/TickCount.h"
#include "support/Func.h"
#include "support/LocalInterfaces.h"
#include "support/ui/FormBounds.h"

namespace {

constexpr const char* kCaption = "Лифт по последовательному каналу (протокол MODBUS-LIFT)";
constexpr const char* kSettingsFile = "Trevolk.ini";
constexpr const char* kSkinSection = "Skin";
constexpr const char* kDefaultSkinName = "Ubuntu (внутренний)";
constexpr int kTimer1Ms = 50;
constexpr int kPanelWidths[] = {200, 200, 50};  // the last panel also takes what is left
constexpr int kRetryCloseMs = 20;

// The system's decimal separator as the speed field shows it.
char DecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point == QLatin1String(",") ? ',' : '.';
}

// A folder "Skins" beside the program wins over the stored theme folder.
std::string SkinsBesideProgram() {
  const QString folder = QCoreApplication::applicationDirPath() + "/Skins";
  return QDir(folder).exists() ? (folder + "/").toStdString() : std::string();
}

std::string DefaultSkinDir() { return (QCoreApplication::applicationDirPath() + "/Skins/").toStdString(); }

}  // namespace

TFormTrevolkMain::TFormTrevolkMain(QWidget* parent)
    : QMainWindow(parent), uiCall_(this), link_(registers_, uiCall_, this) {
  setObjectName("FormTrevolkMain");
  setWindowTitle(QString::fromUtf8(kCaption));
  if (WorkFolder().empty()) InitWorkFolder("Trevolk");

  CreateMenu();
  CreateStatusBar();
  setCentralWidget(CreateCentre());
  ConnectControls();
  resize(960, 660);

  Timer1 = new QTimer(this);
  Timer1->setInterval(kTimer1Ms);
  connect(Timer1, &QTimer::timeout, this, &TFormTrevolkMain::Timer1Timer);

  LoadSettings();
}

TFormTrevolkMain::~TFormTrevolkMain() { SaveAndCloseSettings(); }

void TFormTrevolkMain::CreateMenu() {
  QMenu* file = menuBar()->addMenu("Файл");
  file->setObjectName("MenuFile");
  QAction* setup = file->addAction("Настройки...", this, &TFormTrevolkMain::MenuSetupClick);
  setup->setObjectName("MenuSetup");
  setup->setShortcut(Qt::Key_F12);
  QAction* connect = file->addAction("Подключиться к ГКСЛ-Е", this, &TFormTrevolkMain::MenuConnectClick);
  connect->setObjectName("MenuConnect");
  connect->setShortcut(Qt::Key_F5);
  file->addSeparator();
  QAction* exit = file->addAction("Выход", this, &QWidget::close);
  exit->setObjectName("MenuExit");

  QMenu* help = menuBar()->addMenu("Помощь");
  help->setObjectName("MenuHelp");
  QAction* about = help->addAction("О программе ...", this, &TFormTrevolkMain::MenuAboutClick);
  about->setObjectName("MenuAbout");
  about->setShortcut(Qt::Key_F1);
}

void TFormTrevolkMain::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  bar->setSizeGripEnabled(true);
  for (int i = 0; i < 3; ++i) {
    const std::string name = "StatusPanel" + std::to_string(i);
    const bool last = i == 2;
    statusPanels_[i] = new TStatusPanel(name.c_str(), kPanelWidths[i], last, bar);
    bar->addPermanentWidget(statusPanels_[i], last ? 1 : 0);
  }
}

QWidget* TFormTrevolkMain::CreateCentre() {
  auto* centre = new QWidget(this);
  panel_ = new TLiftPanel(state_.Controls, centre);
  panel_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

  PageControl1 = new QTabWidget(centre);
  PageControl1->setObjectName("PageControl1");
  alarmPage_ = new TAlarmPage(state_.Controls);
  liftBreakPage_ = new TLiftBreakPage(state_.Controls);
  imitationPage_ = new TImitationPage(state_);
  registerView_ = new TRegisterView(registers_);
  PageControl1->addTab(alarmPage_, " Аварии ");
  PageControl1->addTab(liftBreakPage_, " Неисправность ");
  PageControl1->addTab(imitationPage_, QString::fromUtf8(kImitTabCaption));
  PageControl1->addTab(registerView_, " Регистры ");

  auto* layout = new QHBoxLayout(centre);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(panel_);
  layout->addWidget(PageControl1, 1);
  return centre;
}

void TFormTrevolkMain::ConnectControls() {
  const TLiftControls& controls = state_.Controls;
  connect(panel_, &TLiftPanel::ModeChanged, this, [this, &controls] { UpdateModeRegister(registers_, controls); });
  connect(panel_, &TLiftPanel::FloorChanged, this, [this, &controls] { UpdateFloorRegister(registers_, controls); });
  connect(panel_, &TLiftPanel::StateChanged, this, [this, &controls] { UpdateStateRegister(registers_, controls); });
  connect(alarmPage_, &TAlarmPage::AlarmsChanged, this, [this, &controls] { UpdateAlarmRegister(registers_, controls); });
  connect(liftBreakPage_, &TLiftBreakPage::LiftBreaksChanged, this,
          [this, &controls] { UpdateFaultRegisters(registers_, controls); });

  connect(imitationPage_, &TImitationPage::DispChanged, this,
          [this, &controls] { UpdateStateRegister(registers_, controls); });
  connect(imitationPage_, &TImitationPage::ImitEnableClicked, this,
          [this](bool ticked) { ApplyImitation(imitation_.ImitEnableClicked(ticked, state_.Lift)); });
  connect(imitationPage_, &TImitationPage::LiftOkClicked, this,
          [this] { ApplyImitation(imitation_.LiftOkClicked()); });
  connect(imitationPage_, &TImitationPage::ApplyClicked, this, [this] {
    const TLiftSetupResult applied =
        imitation_.ApplyLiftSetup(TickCount(), imitationPage_->SetupTexts(), state_.Lift, DecimalSeparator());
    imitationPage_->ShowSetupTexts(applied.Shown);
    ApplyImitation(applied.View);
  });
  connect(&imitationPage_->Shaft(), &TShaftView::Clicked, this,
          [this](int y) { imitation_.ShaftClicked(TickCount(), state_.Lift, y, state_.ImitEnable); });
}

// Start-up: the settings file fills every control and the registers; then the imitation starts.
void TFormTrevolkMain::LoadSettings() {
  OpenSettings(kSettingsFile);
  const TFastIniFile& ini = *Settings;

  const std::string besideProgram = SkinsBesideProgram();
  skinDir_ = !besideProgram.empty() ? besideProgram : ini.ReadString(kSkinSection, "SkinDir", DefaultSkinDir());
  skinName_ = ini.ReadString(kSkinSection, "SkinName", kDefaultSkinName);

  PageControl1->setCurrentIndex(ini.ReadInteger(kSetupSection, "Page", kPageAlarm));
  LocalAddress = ini.ReadString(kSetupSection, "LocalNetInterface", "0.0.0.0");

  state_ = LoadSimulatorState(ini);
  SetLiftIdentity(registers_, state_.Identity);
  RefreshRegisters(registers_, state_.Controls);

  panel_->ShowAll();
  alarmPage_->ShowAll();
  liftBreakPage_->ShowAll();
  imitationPage_->ShowSetupTexts(LiftSetupTexts(state_.Lift, DecimalSeparator()));
  imitationPage_->ShowDisp();
  imitationPage_->ShowImitEnable();
  ApplyImitation(imitation_.Start(state_.ImitEnable));
  registerView_->Refresh();
}

void TFormTrevolkMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_ || settingsClosed_) return;
  shown_ = true;
  FirstShow();
}

void TFormTrevolkMain::FirstShow() {
  RestoreFormBounds(this);
  DrawShaft();
  StartLink();
  Timer1->start();
}

void TFormTrevolkMain::ReadLiftIdentity() {
  if (!Settings) return;
  state_.Identity = ::ReadLiftIdentity(*Settings);
  SetLiftIdentity(registers_, state_.Identity);
}

void TFormTrevolkMain::StartLink() {
  if (settingsClosed_) return;
  link_.StartLink();
}

void TFormTrevolkMain::StopLink() { link_.StopLink(); }

void TFormTrevolkMain::ShowLinkState(const std::string& text) {
  statusPanels_[0]->SetText(QString::fromStdString(text));
}

void TFormTrevolkMain::ShowLinkInfo(const std::string& text) {
  statusPanels_[1]->SetText(QString::fromStdString(text));
}

void TFormTrevolkMain::ShowLinkError(const std::string& text) {
  statusPanels_[1]->SetText(QString::fromStdString(text));
}

QString TFormTrevolkMain::PanelText(int panel) const {
  if (panel < 0 || panel >= 3) return {};
  return statusPanels_[panel]->Text();
}

void TFormTrevolkMain::DrawShaft() {
  imitationPage_->Shaft().DrawShaft(state_.Lift.FloorCount);
  ApplyImitation(imitation_.ShaftDrawn(TickCount(), state_.Lift));
}

void TFormTrevolkMain::Timer1Timer() {
  const TImitationResult result =
      imitation_.Timer1Tick(TickCount(), state_.Controls, state_.Lift, state_.Disp, state_.ImitEnable);
  if (!result.Empty()) ApplyImitation(result);
}

void TFormTrevolkMain::ApplyImitation(const TImitationResult& result) {
  if (result.ChangedGroups != 0) ApplyChangedGroups(result.ChangedGroups);
  if (result.StatusText) statusPanels_[2]->SetText(QString::fromStdString(*result.StatusText));
  if (result.LiftOkVisible) imitationPage_->ShowLiftOk(*result.LiftOkVisible);
  TShaftView& shaft = imitationPage_->Shaft();
  if (result.ShaftRedraw) shaft.DrawShaft(state_.Lift.FloorCount);
  if (result.TargetMark) shaft.ShowTargetMark(*result.TargetMark);
  if (result.Cab) {
    shaft.ShowCab(*result.Cab);
    if (imitationPage_->isVisible()) imitationPage_->KeepCabInView();
  }
}

// The widgets of the changed controls follow the lift, then their registers, as a click would.
void TFormTrevolkMain::ApplyChangedGroups(unsigned groups) {
  if (groups & kModeGroup) panel_->ShowMode();
  if (groups & kFloorGroup) panel_->ShowFloor();
  if (groups & kStateGroup) panel_->ShowState();
  if (groups & kAlarmGroup) alarmPage_->ShowAll();
  if (groups & kLiftBreakGroup) liftBreakPage_->ShowTicks();
  TImitationResult registersOnly;
  registersOnly.ChangedGroups = groups;
  ApplyToRegisters(registersOnly, state_.Controls, registers_);
}

void TFormTrevolkMain::MenuSetupClick() {
  if (settingsClosed_) return;
  TFormSetup dialog(this);
  if (dialog.exec() != QDialog::Accepted || settingsClosed_) return;
  ReadLiftIdentity();
  if (dialog.RestartNeeded()) StartLink();
}

void TFormTrevolkMain::MenuConnectClick() { StartLink(); }

void TFormTrevolkMain::MenuAboutClick() {
  TFormAbout about(this);
  about.exec();
}

// Closing, once: the timer and the link stop, then the state is saved and the file written.
void TFormTrevolkMain::SaveAndCloseSettings() {
  if (settingsClosed_) return;
  settingsClosed_ = true;
  Timer1->stop();
  StopLink();
  SaveSettings();
  CloseSettings();
}

void TFormTrevolkMain::SaveSettings() {
  if (!Settings) return;
  if (shown_) SaveFormBounds(this);
  TFastIniFile& ini = *Settings;
  ini.WriteInteger(kSetupSection, "Page", PageControl1->currentIndex());
  ini.WriteString(kSkinSection, "SkinName", skinName_);
  ini.WriteString(kSkinSection, "SkinDir", skinDir_);
  SaveSimulatorState(ini, state_);
}

void TFormTrevolkMain::closeEvent(QCloseEvent* event) {
  SaveAndCloseSettings();
  QMainWindow::closeEvent(event);
}

void TFormTrevolkMain::RequestClose() {
  // A modal dialog's own loop must end before the window goes, or its caller would carry on
  // with closed settings.
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->close();
    QTimer::singleShot(kRetryCloseMs, this, &TFormTrevolkMain::RequestClose);
    return;
  }
  close();
}
