// The program settings dialog: what it opens with, what OK and cancel store, the log viewer.
#include "app/ui/FormSetup.h"

#include "app/LinkControl.h"
#include "support/Codec1251.h"
#include "support/Fastini.h"
#include "support/Func.h"
#include "support/LocalInterfaces.h"
#include "support/ui/TextView.h"

#include "ModalDriver.h"
#include "QtTestApp.h"
#include "TestSettings.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

template <typename T>
T* Child(QWidget& form, const char* name) {
  T* child = form.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

// The keys of a section with their values, in file order.
std::vector<std::string> Keys(const TFastIniFile& ini, const char* sectionName) {
  std::vector<std::string> keys;
  const TIniSection* section = ini.FindSection(sectionName);
  for (std::size_t i = 0; section && i < section->ParamCount(); ++i)
    keys.push_back(section->ParamAt(i)->Name() + "=" + section->ParamAt(i)->Value());
  return keys;
}

std::vector<std::string> SectionNames(TFastIniFile& ini) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < ini.SectionCount(); ++i) names.push_back(ini.SectionAt(i)->Name());
  return names;
}

class SetupDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestApp();
    LocalAddress = "0.0.0.0";
    DebugEnabled = false;
  }
  void TearDown() override {
    LocalAddress = "0.0.0.0";
    DebugEnabled = false;
  }

  // Stores the lines of section SETUP and reads the file back, as the next start would.
  void StoreSetup(std::initializer_list<std::pair<const char*, const char*>> keys) {
    for (const auto& [key, value] : keys) Settings->WriteString("SETUP", key, value);
    settings.Reopen();
  }

  // Opens the dialog modally, lets action change it, then closes it with the button named.
  static bool RunDialog(const std::function<void(QWidget&)>& action, const char* button) {
    TFormSetup dialog;
    WhenModal([&](QWidget& modal) {
      action(modal);
      Child<QPushButton>(modal, button)->click();
    });
    dialog.exec();
    return dialog.RestartNeeded();
  }

  TTestSettings settings;
};

TEST_F(SetupDialogTest, OpensOnTheFirstTabWithTheStoredValues) {
  StoreSetup({{"TcpAdr", "10.0.0.7"}, {"TcpPort", "5002"}, {"SlaveAdr", "3"},
              {"EnableTimeout", "0"}, {"Timeout", "45"}, {"Prod", "7"}, {"Type", "9"},
              {"SerNum", "555"}, {"Debug", "0"}});
  DebugEnabled = true;  // the program-wide flag counts, not the key

  TFormSetup dialog;
  EXPECT_EQ(dialog.windowTitle(), "Настройки программы");
  auto* pages = Child<QTabWidget>(dialog, "PageControl1");
  ASSERT_EQ(pages->count(), 3);
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_EQ(pages->tabText(0), " Основные ");
  EXPECT_EQ(pages->tabText(1), " Лифт ");
  EXPECT_EQ(pages->tabText(2), " Отладка ");

  EXPECT_EQ(Child<QLineEdit>(dialog, "EditTcpAdr")->text(), "10.0.0.7");
  EXPECT_EQ(Child<QLineEdit>(dialog, "EditTcpPort")->text(), "5002");
  EXPECT_EQ(Child<QLineEdit>(dialog, "EditSlaveAdr")->text(), "3");
  EXPECT_FALSE(Child<QCheckBox>(dialog, "CheckBoxTimeout")->isChecked());
  EXPECT_EQ(Child<QSpinBox>(dialog, "UpDownTimeout")->value(), 45);
  EXPECT_EQ(Child<QLineEdit>(dialog, "EditTimeout")->text(), "45");
  EXPECT_EQ(Child<QSpinBox>(dialog, "UpDownProd")->value(), 7);
  EXPECT_EQ(Child<QLineEdit>(dialog, "EditProd")->text(), "7");
  EXPECT_EQ(Child<QSpinBox>(dialog, "UpDownType")->value(), 9);
  EXPECT_EQ(Child<QLineEdit>(dialog, "EditSerNum")->text(), "555");
  EXPECT_TRUE(Child<QCheckBox>(dialog, "CheckBoxImitDebug")->isChecked());
  EXPECT_FALSE(Child<QPushButton>(dialog, "ButtonFind")->isEnabled());

  // Any interface first, then this machine's addresses without the loopback.
  auto* interfaces = Child<QComboBox>(dialog, "LocalNetInterfaceCB");
  EXPECT_EQ(interfaces->currentText(), "0.0.0.0");
  QStringList items;
  for (int i = 0; i < interfaces->count(); ++i) items << interfaces->itemText(i);
  QStringList expected;
  for (const std::string& address : LocalInterfaceList()) expected << QString::fromStdString(address);
  EXPECT_EQ(items, expected);
  EXPECT_EQ(items.value(0), "0.0.0.0");
  EXPECT_FALSE(items.contains("127.0.0.1"));
}

// Every caption of the dialog, tab by tab, in the order they stand.
TEST_F(SetupDialogTest, CaptionsOfGroupsLabelsAndButtons) {
  TFormSetup dialog;
  auto* pages = Child<QTabWidget>(dialog, "PageControl1");
  ASSERT_EQ(pages->count(), 3);
  struct Tab {
    QStringList groups;
    QStringList labels;
    QStringList buttons;
  };
  const Tab tabs[] = {
      {{"Блок ГКСЛ-E", "MODBUS", "Локальный сетевой интерфейс", "Автоматическое переподключение к ГКСЛ-Е"},
       {"Адрес:", "Порт:", "Адрес Slave:", "сек"},
       {"Поиск", "Разрешить, если нет запросов в течении"}},
      {{},
       {"Идентификатор производителя лифтового оборудования", "Идентификатор типа лифтового оборудования",
        "Серийный номер лифтового оборудования"},
       {}},
      {{"Отладка приложения"}, {}, {"Разрешить отладку", "Просмотр журнала"}},
  };
  for (int i = 0; i < 3; ++i) {
    const QWidget* page = pages->widget(i);
    Tab shown;
    for (const QGroupBox* group : page->findChildren<QGroupBox*>()) shown.groups << group->title();
    for (const QLabel* label : page->findChildren<QLabel*>()) shown.labels << label->text();
    for (const QAbstractButton* button : page->findChildren<QAbstractButton*>()) shown.buttons << button->text();
    EXPECT_EQ(shown.groups, tabs[i].groups) << i;
    EXPECT_EQ(shown.labels, tabs[i].labels) << i;
    EXPECT_EQ(shown.buttons, tabs[i].buttons) << i;
  }
  EXPECT_EQ(Child<QPushButton>(dialog, "ButtonOk")->text(), "OK");
  EXPECT_TRUE(Child<QPushButton>(dialog, "ButtonOk")->isDefault());
  EXPECT_EQ(Child<QPushButton>(dialog, "ButtonCancel")->text(), "Отмена");
}

TEST_F(SetupDialogTest, OkWithoutChangesWritesOnlyTheLiftIdentity) {
  EXPECT_FALSE(RunDialog([](QWidget&) {}, "ButtonOk"));
  settings.Reopen();
  // The placement comes first, then the keys.
  EXPECT_EQ(SectionNames(*Settings), (std::vector<std::string>{"FormSetup", "SETUP"}));
  EXPECT_EQ(Keys(*Settings, "SETUP"),
            (std::vector<std::string>{"Prod=1", "Type=1", "SerNum=12345678"}));
  EXPECT_EQ(LocalAddress, "0.0.0.0");
  EXPECT_FALSE(DebugEnabled);
}

TEST_F(SetupDialogTest, OkStoresChangesAndTellsWhetherTheLinkRestarts) {
  struct Case {
    const char* what;
    std::function<void(QWidget&)> change;
    std::vector<std::string> setup;
    bool restart;
  };
  const Case cases[] = {
      {"address", [](QWidget& w) { Child<QLineEdit>(w, "EditTcpAdr")->setText("127.0.0.1"); },
       {"TcpAdr=127.0.0.1", "Prod=1", "Type=1", "SerNum=12345678"}, true},
      {"timeout", [](QWidget& w) { Child<QSpinBox>(w, "UpDownTimeout")->setValue(45); },
       {"Prod=1", "Type=1", "SerNum=12345678", "Timeout=45"}, true},
      {"interface", [](QWidget& w) { Child<QComboBox>(w, "LocalNetInterfaceCB")->setCurrentText("10.1.2.3"); },
       {"LocalNetInterface=10.1.2.3", "Prod=1", "Type=1", "SerNum=12345678"}, true},
      {"debugging", [](QWidget& w) { Child<QCheckBox>(w, "CheckBoxImitDebug")->setChecked(true); },
       {"Debug=1", "Prod=1", "Type=1", "SerNum=12345678"}, true},
      {"identity", [](QWidget& w) {
         Child<QSpinBox>(w, "UpDownProd")->setValue(12);
         Child<QSpinBox>(w, "UpDownType")->setValue(34);
         Child<QLineEdit>(w, "EditSerNum")->setText("abc");
       },
       {"Prod=12", "Type=34", "SerNum=0"}, false},
  };
  for (const Case& c : cases) {
    Settings->EraseSection("SETUP");
    LocalAddress = "0.0.0.0";
    DebugEnabled = false;
    EXPECT_EQ(RunDialog(c.change, "ButtonOk"), c.restart) << c.what;
    EXPECT_EQ(Keys(*Settings, "SETUP"), c.setup) << c.what;
  }
  EXPECT_EQ(LocalAddress, "0.0.0.0");
}

TEST_F(SetupDialogTest, InterfaceAndDebugChangesReachTheProgram) {
  RunDialog([](QWidget& w) {
    Child<QComboBox>(w, "LocalNetInterfaceCB")->setCurrentText("10.1.2.3");
    Child<QCheckBox>(w, "CheckBoxImitDebug")->setChecked(true);
  }, "ButtonOk");
  EXPECT_EQ(LocalAddress, "10.1.2.3");
  EXPECT_TRUE(DebugEnabled);
}

TEST_F(SetupDialogTest, UpDownsKeepTheirLimits) {
  StoreSetup({{"Timeout", "10"}, {"Prod", "70000"}, {"Type", "-3"}});
  TFormSetup dialog;
  auto* timeout = Child<QSpinBox>(dialog, "UpDownTimeout");
  auto* prod = Child<QSpinBox>(dialog, "UpDownProd");
  auto* type = Child<QSpinBox>(dialog, "UpDownType");
  EXPECT_EQ(timeout->value(), 30);
  EXPECT_EQ(prod->value(), 32767);
  EXPECT_EQ(type->value(), 0);
  EXPECT_EQ(timeout->minimum(), 30);
  EXPECT_EQ(timeout->maximum(), 32767);
  EXPECT_EQ(prod->minimum(), 0);
  EXPECT_EQ(type->maximum(), 32767);

  timeout->setValue(40000);
  prod->setValue(-1);
  EXPECT_EQ(timeout->value(), 32767);
  EXPECT_EQ(prod->value(), 0);
}

TEST_F(SetupDialogTest, CancelStoresNothing) {
  StoreSetup({{"TcpAdr", "10.0.0.7"}});
  auto changeAll = [](QWidget& w) {
    Child<QLineEdit>(w, "EditTcpAdr")->setText("10.0.0.8");
    Child<QLineEdit>(w, "EditTcpPort")->setText("1");
    Child<QComboBox>(w, "LocalNetInterfaceCB")->setCurrentText("10.1.2.3");
    Child<QCheckBox>(w, "CheckBoxImitDebug")->setChecked(true);
    Child<QSpinBox>(w, "UpDownProd")->setValue(5);
    Child<QSpinBox>(w, "UpDownTimeout")->setValue(99);
  };
  EXPECT_FALSE(RunDialog(changeAll, "ButtonCancel"));
  EXPECT_EQ(Keys(*Settings, "SETUP"), (std::vector<std::string>{"TcpAdr=10.0.0.7"}));
  EXPECT_EQ(LocalAddress, "0.0.0.0");
  EXPECT_FALSE(DebugEnabled);
  // Only the placement is kept.
  EXPECT_TRUE(Settings->ValueExists("FormSetup", "Left"));
}

TEST_F(SetupDialogTest, PlacementIsRestoredNextTime) {
  RunDialog([](QWidget& w) { w.resize(700, 460); }, "ButtonOk");
  TFormSetup dialog;
  EXPECT_EQ(dialog.size(), QSize(700, 460));
}

TEST_F(SetupDialogTest, ViewLogShowsTheProtocolLogAlsoWhenItIsMissing) {
  const std::string log = WorkFolder() + "Volktrev.log";
  const std::string title = "Протокол работы  [" + log + "]";
  const std::string line = "Нет подключения";
  for (const bool exists : {false, true}) {
    if (exists) std::ofstream(log, std::ios::binary) << Utf8ToCp1251(line) << "\r\n";
    TFormSetup dialog;
    Child<QPushButton>(dialog, "ButtonViewLog")->click();
    ASSERT_NE(TextViewForm, nullptr) << exists;
    EXPECT_EQ(TextViewForm->windowTitle().toStdString(), title);
    EXPECT_TRUE(TextViewForm->isVisible());
    EXPECT_FALSE(TextViewForm->isModal());
    const QString shown = TextViewForm->findChild<QPlainTextEdit*>("Memo")->toPlainText();
    EXPECT_EQ(shown.trimmed().toStdString(), exists ? line : "");
    delete TextViewForm;
    EXPECT_EQ(TextViewForm, nullptr);
  }
}

}  // namespace
