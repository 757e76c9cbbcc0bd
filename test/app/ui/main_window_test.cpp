// The main window's wiring, offscreen: start-up and closing with the settings file, the registers
// following the controls, the link restarted and stopped without hanging, the shaft click, and
// settings files written by hand.
//
// Every test works in a folder of its own, and every link goes to 127.0.0.1 only.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include <csignal>
#include <unistd.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/LinkControl.h"
#include "app/LiftBreakFile.h"
#include "app/LiftRegisters.h"
#include "app/Presets.h"
#include "app/ui/FormTrevolkMain.h"
#include "app/ui/LiftBreakPage.h"
#include "app/ui/ShaftView.h"
#include "support/ui/QuitRequest.h"
#include "app/ui/StatusPanel.h"
#include "modbus/LinkTexts.h"
#include "modbus/MainThread.h"
#include "support/Codec1251.h"
#include "support/Func.h"
#include "test/support/ui/ModalDriver.h"
#include "test/support/ui/QtTestApp.h"
#include "test/LoopbackListener.h"

namespace {

// A TCP socket on 127.0.0.1 at a port of the system's choice: listening (a gateway that takes the
// connection) or only bound (a port where connecting is refused).
class TLoopbackPort {
public:
  explicit TLoopbackPort(bool listen) : listener_(listen) {}
  ~TLoopbackPort() {
    for (int fd : accepted_) ::close(fd);
  }

  int Port() const { return listener_.Port(); }

  // Takes a waiting connection, if any.
  bool AcceptPending() {
    const int fd = listener_.Accept(0);
    if (fd < 0) return false;
    accepted_.push_back(fd);
    return true;
  }
  int Accepted() const { return static_cast<int>(accepted_.size()); }

private:
  LoopbackListener listener_;
  std::vector<int> accepted_;
};

// Serves the event loop (and the loopback port) until done() holds or the time is up.
bool ServeUntil(const std::function<bool()>& done, int timeoutMs = 5000, TLoopbackPort* port = nullptr) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    if (port) port->AcceptPending();
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    ::usleep(1000);
  }
  return true;
}

// A text of the link as the status panels show it.
QString LinkText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Collects, in order, every text that status panel `index` of the window shows from now on.
void RecordPanel(TFormTrevolkMain& window, int index, std::vector<QString>& texts) {
  QObject::connect(&window.Panel(index), &TStatusPanel::TextChanged,
                   [&texts](const QString& text) { texts.push_back(text); });
}

// The state of every control of a window by name: ticks, texts, positions and the active tab.
std::map<std::string, std::string> ControlSnapshot(const QWidget& window) {
  std::map<std::string, std::string> shot;
  const auto key = [](const QObject* object) { return object->objectName().toStdString(); };
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
    if (button->isCheckable() && !button->objectName().isEmpty()) shot[key(button)] = button->isChecked() ? "1" : "0";
  for (const QListWidget* list : window.findChildren<QListWidget*>()) {
    std::string ticks;
    for (int i = 0; i < list->count(); ++i) ticks += list->item(i)->checkState() == Qt::Checked ? '1' : '0';
    shot[key(list)] = ticks;
  }
  for (const QComboBox* combo : window.findChildren<QComboBox*>())
    shot[key(combo)] = std::to_string(combo->count()) + ":" + std::to_string(combo->currentIndex()) + ":" +
                       combo->currentText().toStdString();
  for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
    if (!edit->objectName().isEmpty()) shot[key(edit)] = edit->text().toStdString();
  for (const QSpinBox* spin : window.findChildren<QSpinBox*>()) shot[key(spin)] = std::to_string(spin->value());
  for (const QTabWidget* tabs : window.findChildren<QTabWidget*>()) shot[key(tabs)] = std::to_string(tabs->currentIndex());
  return shot;
}

std::vector<std::uint16_t> Values(const RegisterImage& image) {
  std::vector<std::uint16_t> values;
  for (const auto& value : image) values.push_back(value.load());
  return values;
}

// The registers the window's controls must give, computed afresh.
std::vector<std::uint16_t> ExpectedRegisters(const TSimulatorState& state) {
  RegisterImage image{};
  SetLiftIdentity(image, state.Identity);
  RefreshRegisters(image, state.Controls);
  return Values(image);
}

template <typename T>
T& Child(const QWidget& window, const char* name) {
  T* child = window.findChild<T*>(name);
  if (!child) throw std::runtime_error(std::string("no control ") + name);
  return *child;
}

void Tick(QListWidget& list, int row, bool on) { list.item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked); }

// A click in the middle of a check list item, where its text is.
void ClickItem(QListWidget& list, int row) {
  const QPointF point = list.visualItemRect(list.item(row)).center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, point, list.viewport()->mapToGlobal(point), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &event);
  }
}

void ClickShaft(TShaftView& shaft, int y) {
  const QPointF point(10, y);
  QMouseEvent press(QEvent::MouseButtonPress, point, shaft.mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&shaft, &press);
}

// Runs action once on the modal window of that name as soon as it is the active one; waits
// through other modal windows that come first.
void WhenModalNamed(const char* name, std::function<void(QWidget&)> action) {
  auto* poll = new QTimer;
  poll->setInterval(2);
  QObject::connect(poll, &QTimer::timeout, [poll, name, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->objectName() != name) return;
    poll->stop();
    poll->deleteLater();
    action(*modal);
  });
  poll->start();
}

// Answers the yes/no question that comes next, after checking its caption and text.
void AnswerQuestion(const char* question, bool yes, bool* asked) {
  WhenModalNamed("FOkDialog", [question, yes, asked](QWidget& dialog) {
    *asked = true;
    EXPECT_EQ(dialog.windowTitle(), "Внимание");
    EXPECT_EQ(Child<QLabel>(dialog, "sPanel1").text(), QString::fromUtf8(question));
    Child<QPushButton>(dialog, yes ? "sBitBtnOk" : "sBitBtnCancel").click();
  });
}

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestApp();
    ASSERT_TRUE(folder_.isValid());
    SetWorkFolder(folder_.path().toStdString());
  }
  void TearDown() override { CloseSettings(); }

  QString IniPath() const { return folder_.filePath("Trevolk.ini"); }

  // Lines in UTF-8, stored as the program stores them: Windows-1251 with CR LF.
  void WriteIni(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += Utf8ToCp1251(line) + "\r\n";
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
  }

  // A settings file whose link goes to a loopback port.
  void WriteLoopbackIni(int port, std::vector<std::string> more = {}) {
    std::vector<std::string> lines = {"[SETUP]", "TcpAdr=127.0.0.1", "TcpPort=" + std::to_string(port)};
    lines.insert(lines.end(), more.begin(), more.end());
    WriteIni(lines);
  }

  std::string ReadIni() const {
    QFile file(IniPath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return Cp1251ToUtf8(file.readAll().toStdString());
  }

  QTemporaryDir folder_;
};

TEST_F(MainWindowTest, FirstStartGivesTheDefaultRegistersAndControls) {
  ASSERT_FALSE(QFile::exists(IniPath()));
  TFormTrevolkMain window;  // never shown: the default link address is not for tests

  const std::vector<std::uint16_t> registers = Values(window.Registers());
  const std::vector<std::uint16_t> first = {1, 1, 0x614E, 0x00BC, 0, 1, 1, 1, 1};
  EXPECT_EQ(std::vector<std::uint16_t>(registers.begin(), registers.begin() + 9), first);
  for (std::size_t i = 9; i < registers.size(); ++i) EXPECT_EQ(registers[i], 0) << "register " << i;

  EXPECT_TRUE(Child<QAbstractButton>(window, "RadioButtonRegim0").isChecked());
  for (const TStateBox& box : kStateBoxes)
    EXPECT_EQ(Child<QCheckBox>(window, box.Name).isChecked(), std::string(box.Name) == "CheckBoxTO") << box.Name;
  EXPECT_TRUE(Child<QCheckBox>(window, "CheckBoxNoAlarm").isChecked());
  EXPECT_TRUE(Child<QCheckBox>(window, "CheckBoxNoLiftBreak").isChecked());
  EXPECT_EQ(Child<QSpinBox>(window, "UpDownFloor").value(), 1);
  EXPECT_EQ(Child<QComboBox>(window, "ComboBoxFloorCount").currentText(), "12");
  EXPECT_EQ(Child<QComboBox>(window, "ComboBoxVelocity").currentText(), "3.0");
  for (const TDispBox& box : kDispBoxes) EXPECT_TRUE(Child<QCheckBox>(window, box.Name).isChecked()) << box.Name;
  EXPECT_FALSE(Child<QCheckBox>(window, "CheckBoxImitEnable").isChecked());
  EXPECT_EQ(window.PanelText(2), "Имитатор выключен ...");

  const TLinkSettings link = ReadLinkSettings(Settings);
  EXPECT_EQ(link.TcpAdr, "192.168.1.200");
  EXPECT_EQ(link.TcpPort, 4001);
  EXPECT_EQ(link.SlaveAdr, 1);
  EXPECT_EQ(window.Link().Thread(), nullptr);

  window.close();
  EXPECT_TRUE(window.SettingsClosed());
  EXPECT_NE(ReadIni().find("[SETUP]\r\nPage=0\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, MenuTabsAndStatusPanels) {
  TLoopbackPort refused(false);
  WriteLoopbackIni(refused.Port());
  TFormTrevolkMain window;
  EXPECT_EQ(window.windowTitle(), "Лифт по последовательному каналу (протокол MODBUS-LIFT)");

  struct Item {
    const char* menu;
    const char* name;
    const char* caption;
    QKeySequence shortcut;
  };
  const Item items[] = {
      {"Файл", "MenuSetup", "Настройки...", QKeySequence(Qt::Key_F12)},
      {"Файл", "MenuConnect", "Подключиться к ГКСЛ-Е", QKeySequence(Qt::Key_F5)},
      {"Файл", "MenuExit", "Выход", QKeySequence()},
      {"Помощь", "MenuAbout", "О программе ...", QKeySequence(Qt::Key_F1)},
  };
  QStringList menus;
  for (const QAction* action : window.menuBar()->actions()) menus << action->text();
  EXPECT_EQ(menus, (QStringList{"Файл", "Помощь"}));
  for (const Item& item : items) {
    const QAction& action = Child<QAction>(window, item.name);
    EXPECT_EQ(action.text(), item.caption) << item.name;
    EXPECT_EQ(action.shortcut(), item.shortcut) << item.name;
    ASSERT_NE(action.associatedObjects().value(0), nullptr) << item.name;
    const auto* menu = qobject_cast<const QMenu*>(action.associatedObjects().value(0));
    ASSERT_NE(menu, nullptr) << item.name;
    EXPECT_EQ(menu->title(), item.menu) << item.name;
  }

  const auto& pages = Child<QTabWidget>(window, "PageControl1");
  QStringList tabs;
  for (int i = 0; i < pages.count(); ++i) tabs << pages.tabText(i);
  EXPECT_EQ(tabs, (QStringList{" Аварии ", " Неисправность ", " Имитатор ", " Регистры "}));

  // 200, 200 and 50 pixels; the last one also takes the rest of the bar.
  window.show();
  QApplication::processEvents();
  EXPECT_EQ(window.statusBar()->objectName(), "StatusBar1");
  EXPECT_EQ(window.Panel(0).width(), 200);
  EXPECT_EQ(window.Panel(1).width(), 200);
  EXPECT_EQ(window.Panel(2).minimumWidth(), 50);
  EXPECT_EQ(window.Panel(2).minimumSizeHint().width(), 50);
  EXPECT_GT(window.Panel(2).width(), 50);
  window.close();
}

TEST_F(MainWindowTest, CustomFaultButtons) {
  TFormTrevolkMain window;
  struct Button {
    const char* name;
    const char* hint;
    const char* caption;  // empty: a glyph only
  };
  const Button buttons[] = {
      {"SpeedButtonAddLiftBreak", "Добавить неисправность", ""},
      {"SpeedButtonDeleteLiftBreak", "Удалить неисправность", ""},
      {"SpeedButtonSaveLiftBreak", "Сохранить все неисправности в файл...", ""},
      {"SpeedButtonOpenLiftBreak", "Прочитать неисправности из файла...", ""},
      {"SpeedButtonVug", "", "Лифт ВУГ"},
      {"SpeedButtonTays", "", "Лифт НКУ-ТАЙС"},
      {"SpeedButtonRyx40", "", "Лифт РЫХ-40"},
  };
  for (const Button& button : buttons) {
    const auto& shown = Child<QAbstractButton>(window, button.name);
    EXPECT_EQ(shown.toolTip(), button.hint) << button.name;
    EXPECT_EQ(shown.text(), button.caption) << button.name;
    EXPECT_EQ(shown.icon().isNull(), *button.caption != '\0') << button.name;
  }
  const auto& combo = Child<QComboBox>(window, "ComboBoxLiftBreak");
  EXPECT_FALSE(combo.isEditable());
  EXPECT_EQ(combo.currentIndex(), -1);
  window.close();
}

// Each preset button asks first; "Нет" keeps the list, "Да" loads the table and selects its entry.
TEST_F(MainWindowTest, PresetButtonsAskBeforeReplacingTheList) {
  WriteIni({"[LiftBreak]", "Text0=Своя", "Code0=3", "Cur=0"});
  TFormTrevolkMain window;
  const auto& combo = Child<QComboBox>(window, "ComboBoxLiftBreak");
  struct Case {
    const char* button;
    TPreset preset;
    int count;
    int selected;
    const char* selectedText;
  };
  const Case cases[] = {
      {"SpeedButtonVug", TPreset::Vug, 80, 5, "Одновременное наличие сигналов от датчиков ДТО и ДЗ"},
      {"SpeedButtonTays", TPreset::Tays, 303, 0, "0001 Отсутствие потребления ГД на МС"},
      {"SpeedButtonRyx40", TPreset::Ryx40, 48, 0, "Несанкционированное открытие дверей шахты этаж 1"},
  };
  for (const Case& c : cases) {
    const int countBefore = combo.count();
    const QString textBefore = combo.currentText();
    for (const bool yes : {false, true}) {
      bool asked = false;
      AnswerQuestion(PresetQuestion(c.preset), yes, &asked);
      Child<QAbstractButton>(window, c.button).click();
      EXPECT_TRUE(asked) << c.button;
      EXPECT_EQ(combo.count(), yes ? c.count : countBefore) << c.button << yes;
      EXPECT_EQ(combo.currentText(), yes ? QString::fromUtf8(c.selectedText) : textBefore) << c.button << yes;
    }
    EXPECT_EQ(window.State().Controls.CustomLiftBreaks.Selected(), c.selected) << c.button;
  }
  window.close();
}

// Save and open go through file dialogs for "*.alarms" files; opening asks before it replaces.
TEST_F(MainWindowTest, FaultFileDialogsSaveAndReadTheList) {
  WriteIni({"[LiftBreak]", "Text0=Первая", "Code0=3", "Text1=Вторая", "Code1=4", "Cur=1"});
  TFormTrevolkMain window;
  const TLiftBreakList saved = window.State().Controls.CustomLiftBreaks;
  const QString typed = folder_.filePath("list");  // the extension comes from the dialog
  const auto checkDialog = [](QWidget& modal, QFileDialog::AcceptMode mode, QFileDialog::FileMode files) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    EXPECT_NE(dialog, nullptr);
    if (!dialog) return dialog;
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Файл неисправностей (*.alarms)"});
    EXPECT_EQ(dialog->defaultSuffix(), "alarms");
    EXPECT_EQ(dialog->acceptMode(), mode);
    EXPECT_EQ(dialog->fileMode(), files);
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    return dialog;
  };

  WhenModalNamed("SaveDialogLiftBreak", [&](QWidget& modal) {
    QFileDialog* dialog = checkDialog(modal, QFileDialog::AcceptSave, QFileDialog::AnyFile);
    if (!dialog) {
      modal.close();
      return;
    }
    dialog->selectFile(typed);
    static_cast<QDialog*>(dialog)->accept();
  });
  Child<QAbstractButton>(window, "SpeedButtonSaveLiftBreak").click();
  ASSERT_TRUE(QFile::exists(typed + ".alarms"));

  Child<QAbstractButton>(window, "SpeedButtonDeleteLiftBreak").click();
  Child<QAbstractButton>(window, "SpeedButtonDeleteLiftBreak").click();
  ASSERT_TRUE(window.State().Controls.CustomLiftBreaks.Empty());

  for (const bool yes : {false, true}) {
    bool asked = false;
    WhenModalNamed("OpenDialogLiftBreak", [&](QWidget& modal) {
      QFileDialog* dialog = checkDialog(modal, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
      if (!dialog) {
        modal.close();
        return;
      }
      dialog->selectFile(typed + ".alarms");
      static_cast<QDialog*>(dialog)->accept();
    });
    AnswerQuestion(kLoadFaultFileQuestion, yes, &asked);
    Child<QAbstractButton>(window, "SpeedButtonOpenLiftBreak").click();
    EXPECT_TRUE(asked);
    EXPECT_EQ(window.State().Controls.CustomLiftBreaks, yes ? saved : TLiftBreakList()) << yes;
  }
  EXPECT_EQ(Child<QComboBox>(window, "ComboBoxLiftBreak").currentText(), "Вторая");
  window.close();
}

TEST_F(MainWindowTest, ClosingAndStartingAgainRestoresEveryControlAndTheCab) {
  TLoopbackPort refused(false);
  WriteLoopbackIni(refused.Port(), {"[LIFT]", "Y=9.6", "Floor=4"});
  std::map<std::string, std::string> before;
  std::vector<std::uint16_t> registersBefore;
  TSimulatorState stateBefore;
  {
    TFormTrevolkMain window;
    window.show();
    Child<QAbstractButton>(window, "RadioButtonRegim3").click();
    Child<QCheckBox>(window, "CheckBoxMoveDown").click();
    Child<QCheckBox>(window, "CheckBoxOverload").click();
    Child<QSpinBox>(window, "UpDownFloor").setValue(-3);
    Child<QCheckBox>(window, "CheckBoxNoAlarm").click();
    Tick(Child<QListWidget>(window, "CheckListBoxAlarm"), 1, true);
    Tick(Child<QListWidget>(window, "CheckListBoxAlarm"), 3, true);
    Child<QCheckBox>(window, "CheckBoxNoLiftBreak").click();
    Tick(Child<QListWidget>(window, "CheckListBoxLiftBreak"), kOtherLiftBreakItem, true);
    WhenModal([](QWidget& question) { Child<QPushButton>(question, "sBitBtnOk").click(); });
    Child<QAbstractButton>(window, "SpeedButtonVug").click();
    Child<QCheckBox>(window, "CheckBoxDispPass").click();
    Child<QComboBox>(window, "ComboBoxVelocity").setEditText("2,0");
    Child<QComboBox>(window, "ComboBoxFloorCount").setEditText("16");
    Child<QLineEdit>(window, "EditLiftMoveTo").setText("30");
    Child<QPushButton>(window, "ButtonApplyLiftSetup").click();
    Child<QTabWidget>(window, "PageControl1").setCurrentIndex(kPageImitator);
    window.Timer1Timer();

    EXPECT_EQ(window.Registers()[kRegMode], 3);
    EXPECT_EQ(window.Registers()[kRegFloor], 0xFFFD);
    EXPECT_EQ(window.Registers()[kRegAlarm], 0x0014);
    EXPECT_EQ(window.Registers()[kRegLiftBreak], 0x4000);
    EXPECT_EQ(window.Registers()[kRegOtherCode], 42);  // the sixth entry of the preset
    EXPECT_EQ(window.State().Lift.FloorCount, 16);
    EXPECT_EQ(Values(window.Registers()), ExpectedRegisters(window.State()));

    before = ControlSnapshot(window);
    registersBefore = Values(window.Registers());
    stateBefore = window.State();
    window.close();
  }
  const std::string saved = ReadIni();
  EXPECT_NE(saved.find("[FormTrevolkMain]\r\nLeft="), std::string::npos);
  EXPECT_NE(saved.find("Page=2\r\n"), std::string::npos);

  TFormTrevolkMain again;
  EXPECT_EQ(ControlSnapshot(again), before);
  EXPECT_EQ(Values(again.Registers()), registersBefore);
  EXPECT_EQ(again.State().Controls, stateBefore.Controls);
  EXPECT_EQ(again.State().Disp, stateBefore.Disp);
  EXPECT_EQ(again.State().Lift.Y, 9.6);
  EXPECT_EQ(again.State().Lift.Floor, 4);
  EXPECT_EQ(again.State().Lift.Velocity, 2.0);
  EXPECT_EQ(again.State().Lift.MoveTo, 30);
  again.show();
  EXPECT_EQ(again.findChild<TShaftView*>()->Cab().Top, 16 * 32 - 96 - 32);
  again.close();
}

TEST_F(MainWindowTest, NoAlarmForcesOneWhateverTheListShows) {
  TLoopbackPort refused(false);
  WriteLoopbackIni(refused.Port());
  TFormTrevolkMain window;
  window.show();
  QApplication::processEvents();
  auto& noAlarm = Child<QCheckBox>(window, "CheckBoxNoAlarm");
  auto& alarms = Child<QListWidget>(window, "CheckListBoxAlarm");
  ClickItem(alarms, 0);
  ClickItem(alarms, 2);
  EXPECT_EQ(window.Registers()[kRegAlarm], 1);
  noAlarm.click();
  EXPECT_EQ(window.Registers()[kRegAlarm], 0x000A);
  noAlarm.click();
  EXPECT_EQ(window.Registers()[kRegAlarm], 1);
  EXPECT_EQ(alarms.item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(alarms.item(2)->checkState(), Qt::Checked);
  window.close();
}

TEST_F(MainWindowTest, OtherFaultSendsTheSelectedCustomFault) {
  WriteIni({"[SETUP]", "NoLiftBreak=0", "[LiftBreak]", "13=1", "Text0=ABCD", "Code0=7", "Text1=Тест", "Code1=9",
            "Cur=0"});
  TFormTrevolkMain window;
  EXPECT_EQ(window.Registers()[kRegLiftBreak], 0x4000);
  EXPECT_EQ(window.Registers()[kRegOtherCode], 7);
  EXPECT_EQ(window.Registers()[kRegOtherText], 0x4241);
  EXPECT_EQ(window.Registers()[kRegOtherText + 1], 0x4443);

  auto& combo = Child<QComboBox>(window, "ComboBoxLiftBreak");
  EXPECT_EQ(combo.currentText(), "ABCD");
  combo.setCurrentIndex(1);
  emit combo.activated(1);
  EXPECT_EQ(window.Registers()[kRegOtherCode], 9);

  Child<QAbstractButton>(window, "SpeedButtonDeleteLiftBreak").click();
  EXPECT_EQ(combo.count(), 1);
  EXPECT_EQ(window.Registers()[kRegOtherCode], 7);
  Child<QAbstractButton>(window, "SpeedButtonDeleteLiftBreak").click();
  EXPECT_EQ(combo.count(), 0);
  EXPECT_EQ(window.Registers()[kRegOtherCode], 0);  // no deleted fault stays on the line
  window.close();
}

TEST_F(MainWindowTest, F5WhileConnectedShowsNotConnectedThenConnectsAgain) {
  TLoopbackPort gateway(true);
  WriteLoopbackIni(gateway.Port());
  TFormTrevolkMain window;
  std::vector<QString> info;
  RecordPanel(window, 1, info);
  window.show();
  const QString connected = LinkText(TextConnected);
  ASSERT_TRUE(ServeUntil([&] { return window.PanelText(0) == connected; }, 5000, &gateway));

  QAction& connect = Child<QAction>(window, "MenuConnect");
  EXPECT_EQ(connect.shortcut(), QKeySequence(Qt::Key_F5));
  for (int press = 0; press < 5; ++press) {
    info.clear();
    connect.trigger();
    ASSERT_FALSE(info.empty());
    EXPECT_EQ(info.front(), LinkText(TextNotConnected));
    const QString connecting = LinkText(TextConnecting);
    EXPECT_TRUE(ServeUntil([&] { return std::find(info.begin(), info.end(), connecting) != info.end(); }, 5000,
                           &gateway));
  }
  EXPECT_TRUE(ServeUntil([&] { return window.PanelText(0) == connected; }, 5000, &gateway));
  window.close();
  EXPECT_EQ(window.Link().Thread(), nullptr);
}

// "Настройки...": OK reloads registers 0..3 at once and restarts the link only for a link setting.
TEST_F(MainWindowTest, SettingsOkReloadsTheIdentityAndRestartsTheLinkWhenNeeded) {
  TLoopbackPort gateway(true);
  WriteLoopbackIni(gateway.Port());
  TFormTrevolkMain window;
  std::vector<QString> info;
  RecordPanel(window, 1, info);
  window.show();
  const QString connected = LinkText(TextConnected);
  const QString notConnected = LinkText(TextNotConnected);
  ASSERT_TRUE(ServeUntil([&] { return window.PanelText(0) == connected; }, 5000, &gateway));
  QAction& setup = Child<QAction>(window, "MenuSetup");

  struct Step {
    const char* what;
    std::function<void(QWidget&)> change;
    std::uint16_t serialLow;
    std::uint16_t serialHigh;
    bool restarted;
    std::uint32_t timeout;
  };
  const Step steps[] = {
      {"serial number only", [](QWidget& w) { Child<QLineEdit>(w, "EditSerNum").setText("abc"); }, 0, 0, false, 60},
      {"timeout", [](QWidget& w) {
         Child<QLineEdit>(w, "EditSerNum").setText("70000");
         Child<QSpinBox>(w, "UpDownTimeout").setValue(45);
       }, 0x1170, 1, true, 45},
  };
  for (const Step& step : steps) {
    info.clear();
    WhenModalNamed("FormSetup", [&step](QWidget& dialog) {
      step.change(dialog);
      Child<QPushButton>(dialog, "ButtonOk").click();
    });
    setup.trigger();
    EXPECT_EQ(window.Registers()[kRegSerNumLow].load(), step.serialLow) << step.what;
    EXPECT_EQ(window.Registers()[kRegSerNumHigh].load(), step.serialHigh) << step.what;
    EXPECT_EQ(std::find(info.begin(), info.end(), notConnected) != info.end(), step.restarted) << step.what;
    ASSERT_NE(window.Link().Thread(), nullptr) << step.what;
    EXPECT_EQ(window.Link().Thread()->Timeout, step.timeout) << step.what;
  }
  window.close();
}

// Closing in every phase of the link ends at once and saves.
TEST_F(MainWindowTest, ClosingNeverWaitsForTheLink) {
  enum class TPhase { Idle, Connecting, Connected };
  for (const TPhase phase : {TPhase::Idle, TPhase::Connecting, TPhase::Connected}) {
    SCOPED_TRACE(static_cast<int>(phase));
    QFile::remove(IniPath());
    TLoopbackPort gateway(phase == TPhase::Connected);
    WriteLoopbackIni(gateway.Port());
    TFormTrevolkMain window;
    std::vector<QString> info;
    RecordPanel(window, 1, info);
    if (phase != TPhase::Idle) {
      window.show();
      const QString connected = LinkText(TextConnected);
      const QString connecting = LinkText(TextConnecting);
      if (phase == TPhase::Connected)
        ASSERT_TRUE(ServeUntil([&] { return window.PanelText(0) == connected; }, 5000, &gateway));
      else
        ASSERT_TRUE(ServeUntil([&] { return std::find(info.begin(), info.end(), connecting) != info.end(); }));
    }
    QElapsedTimer clock;
    clock.start();
    window.close();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(window.SettingsClosed());
    EXPECT_EQ(Settings, nullptr);
    EXPECT_NE(ReadIni().find("ImitEnable=0"), std::string::npos);
  }
}

TEST_F(MainWindowTest, ShaftClickSendsTheCabOnlyWhileTheImitationIsOff) {
  TLoopbackPort refused(false);
  WriteLoopbackIni(refused.Port());
  TFormTrevolkMain window;
  window.show();
  TShaftView& shaft = *window.findChild<TShaftView*>();
  ASSERT_EQ(shaft.height(), 12 * 32);

  ClickShaft(shaft, 5);  // the top cell
  EXPECT_EQ(window.State().Lift.TargetFloor, 12);
  EXPECT_DOUBLE_EQ(window.State().Lift.TargetY, 11 * 3.2);
  window.Timer1Timer();
  EXPECT_TRUE(shaft.TargetMark().Visible);
  EXPECT_EQ(shaft.TargetMark().Floor, 12);

  Child<QCheckBox>(window, "CheckBoxImitEnable").click();  // stops the cab where it is
  const LIFT_INFO stopped = window.State().Lift;
  EXPECT_EQ(stopped.TargetFloor, stopped.Floor);
  ClickShaft(shaft, 5);
  EXPECT_EQ(window.State().Lift.TargetFloor, stopped.Floor);
  EXPECT_EQ(window.State().Lift.TargetY, stopped.TargetY);
  window.close();
}

TEST_F(MainWindowTest, JunkSettingsLoadWithoutCrashOrHang) {
  TLoopbackPort refused(false);
  std::vector<std::string> lines = {"[SETUP]",      "TcpAdr=127.0.0.1", "TcpPort=" + std::to_string(refused.Port()),
                                    "Regim=99",     "Floor=-50",        "Page=17",
                                    "ImitEnable=1", "NoLiftBreak=0",    "SerNum=abc",
                                    "[LIFT]",       "FloorCount=0",     "Velocity=abc",
                                    "Floor=77",     "Y=-1e300",         "MoveFrom=-5",
                                    "MoveTo=x",     "[LiftBreak]",      "13=1"};
  const std::string longText(100, 'Z');
  for (int i = 0; i < 500; ++i) {
    lines.push_back("Text" + std::to_string(i) + "=" + std::to_string(i) + longText + "Ж");
    lines.push_back("Code" + std::to_string(i) + "=" + std::to_string(i * 1000));
  }
  lines.push_back("Cur=499");
  WriteIni(lines);

  {
    TFormTrevolkMain window;
    EXPECT_EQ(window.Registers()[kRegOtherCode], static_cast<std::uint16_t>(499000));
    EXPECT_EQ(window.Registers()[kRegLastData], ('Z' << 8) | 'Z');  // 64 bytes of the text at most
    window.show();
    for (int i = 0; i < 40; ++i) {
      window.Timer1Timer();
      QApplication::processEvents();
      ::usleep(2000);
    }
    EXPECT_EQ(Child<QComboBox>(window, "ComboBoxLiftBreak").count(), 500);
    EXPECT_EQ(window.State().Lift.FloorCount, 5);
    EXPECT_GE(window.State().Lift.Floor, 1);
    EXPECT_LE(window.State().Lift.Floor, 5);
    EXPECT_EQ(Values(window.Registers()), ExpectedRegisters(window.State()));
    window.close();
  }
  TFormTrevolkMain again;
  EXPECT_EQ(Child<QComboBox>(again, "ComboBoxLiftBreak").count(), 500);
  EXPECT_EQ(again.State().Controls.CustomLiftBreaks.Items()[7].Text, "7" + longText + "Ж");
  again.close();
}

// SIGTERM, SIGINT and the desktop's logout go through RequestClose: a question that is open is
// answered "no" first, then the window closes and saves as on "Выход".
TEST_F(MainWindowTest, SignalsCloseTheWindowAfterAnOpenQuestion) {
  TFormTrevolkMain window;
  TQuitRequest quitRequest([&window] { window.RequestClose(); });
  ASSERT_TRUE(quitRequest.Installed());
  bool questionOpen = false;
  WhenModal([&](QWidget&) {
    questionOpen = true;
    std::raise(SIGTERM);
  });
  Child<QAbstractButton>(window, "SpeedButtonVug").click();  // returns once the question is gone
  EXPECT_TRUE(questionOpen);
  EXPECT_EQ(Child<QComboBox>(window, "ComboBoxLiftBreak").count(), 0);
  EXPECT_TRUE(ServeUntil([&] { return window.SettingsClosed(); }));
  EXPECT_NE(ReadIni().find("[LIFT]"), std::string::npos);

  std::raise(SIGINT);  // closing again asks nothing and changes nothing
  QApplication::processEvents();
  EXPECT_TRUE(window.SettingsClosed());
}

}  // namespace
