#include "app/ui/FormSetup.h"

#include "app/LinkControl.h"
#include "support/Func.h"
#include "support/LocalInterfaces.h"
#include "support/ui/FormBounds.h"
#include "support/ui/TextView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// An up-down with its edit field, each named as the pair of controls it stands for.
QSpinBox* MakeUpDown(QWidget* parent, const char* upDownName, const char* editName, int minimum,
                     int maximum) {
  auto* upDown = new QSpinBox(parent);
  upDown->setObjectName(upDownName);
  upDown->findChild<QLineEdit*>()->setObjectName(editName);
  upDown->setRange(minimum, maximum);
  upDown->setMinimumWidth(upDown->sizeHint().width() + 16);
  return upDown;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  return edit;
}

QLabel* MakeLabel(const char* caption, QWidget* buddy) {
  auto* label = new QLabel(caption, buddy->parentWidget());
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TFormSetup::TFormSetup(QWidget* owner) : QDialog(owner) {
  setObjectName("FormSetup");
  setWindowTitle("Настройки программы");
  setWindowModality(Qt::WindowModal);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageControl1->addTab(MakeMainTab(), " Основные ");
  PageControl1->addTab(MakeLiftTab(), " Лифт ");
  PageControl1->addTab(MakeDebugTab(), " Отладка ");
  PageControl1->setCurrentIndex(0);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl1);
  layout->addWidget(MakeButtons());

  ShowFields(ReadSetupFields(Settings, LocalAddress, DebugEnabled));
  resize(sizeHint());
  RestoreFormBounds(this);
}

QWidget* TFormSetup::MakeMainTab() {
  auto* tab = new QWidget;

  auto* gateway = new QGroupBox("Блок ГКСЛ-E", tab);
  EditTcpAdr = MakeEdit(gateway, "EditTcpAdr");
  EditTcpAdr->setMinimumWidth(140);
  EditTcpPort = MakeEdit(gateway, "EditTcpPort");
  EditTcpPort->setMaximumWidth(70);
  // The gateway finder opens from here once the program has one.
  ButtonFind = new QPushButton("Поиск", gateway);
  ButtonFind->setObjectName("ButtonFind");
  ButtonFind->setEnabled(false);
  auto* gatewayLayout = new QHBoxLayout(gateway);
  gatewayLayout->addWidget(MakeLabel("Адрес:", EditTcpAdr));
  gatewayLayout->addWidget(EditTcpAdr, 1);
  gatewayLayout->addWidget(MakeLabel("Порт:", EditTcpPort));
  gatewayLayout->addWidget(EditTcpPort);
  gatewayLayout->addWidget(ButtonFind);

  auto* modbus = new QGroupBox("MODBUS", tab);
  EditSlaveAdr = MakeEdit(modbus, "EditSlaveAdr");
  EditSlaveAdr->setMaximumWidth(70);
  auto* modbusLayout = new QHBoxLayout(modbus);
  modbusLayout->addWidget(MakeLabel("Адрес Slave:", EditSlaveAdr));
  modbusLayout->addWidget(EditSlaveAdr);
  modbusLayout->addStretch();

  auto* local = new QGroupBox("Локальный сетевой интерфейс", tab);
  LocalNetInterfaceCB = new QComboBox(local);
  LocalNetInterfaceCB->setObjectName("LocalNetInterfaceCB");
  LocalNetInterfaceCB->setEditable(true);
  LocalNetInterfaceCB->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& address : LocalInterfaceList()) LocalNetInterfaceCB->addItem(Text(address));
  LocalNetInterfaceCB->setMinimumWidth(160);
  auto* localLayout = new QHBoxLayout(local);
  localLayout->addWidget(LocalNetInterfaceCB);
  localLayout->addStretch();

  auto* reconnect = new QGroupBox("Автоматическое переподключение к ГКСЛ-Е", tab);
  CheckBoxTimeout = new QCheckBox("Разрешить, если нет запросов в течении", reconnect);
  CheckBoxTimeout->setObjectName("CheckBoxTimeout");
  UpDownTimeout = MakeUpDown(reconnect, "UpDownTimeout", "EditTimeout", kSetupTimeoutMin,
                             kSetupTimeoutMax);
  auto* reconnectLayout = new QHBoxLayout(reconnect);
  reconnectLayout->addWidget(CheckBoxTimeout);
  reconnectLayout->addWidget(UpDownTimeout);
  reconnectLayout->addWidget(MakeLabel("сек", UpDownTimeout));
  reconnectLayout->addStretch();

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(gateway);
  layout->addWidget(modbus);
  layout->addWidget(local);
  layout->addWidget(reconnect);
  layout->addStretch();
  return tab;
}

QWidget* TFormSetup::MakeLiftTab() {
  auto* tab = new QWidget;
  UpDownProd = MakeUpDown(tab, "UpDownProd", "EditProd", kSetupIdentityMin, kSetupIdentityMax);
  UpDownType = MakeUpDown(tab, "UpDownType", "EditType", kSetupIdentityMin, kSetupIdentityMax);
  EditSerNum = MakeEdit(tab, "EditSerNum");
  EditSerNum->setMaximumWidth(160);

  auto* layout = new QGridLayout(tab);
  const std::pair<const char*, QWidget*> rows[] = {
      {"Идентификатор производителя лифтового оборудования", UpDownProd},
      {"Идентификатор типа лифтового оборудования", UpDownType},
      {"Серийный номер лифтового оборудования", EditSerNum},
  };
  int row = 0;
  for (const auto& [caption, field] : rows) {
    layout->addWidget(MakeLabel(caption, field), row++, 0);
    layout->addWidget(field, row++, 0, Qt::AlignLeft);
    layout->setRowMinimumHeight(row++, 6);
  }
  layout->setRowStretch(row, 1);
  return tab;
}

QWidget* TFormSetup::MakeDebugTab() {
  auto* tab = new QWidget;
  auto* debug = new QGroupBox("Отладка приложения", tab);
  CheckBoxImitDebug = new QCheckBox("Разрешить отладку", debug);
  CheckBoxImitDebug->setObjectName("CheckBoxImitDebug");
  ButtonViewLog = new QPushButton("Просмотр журнала", debug);
  ButtonViewLog->setObjectName("ButtonViewLog");
  connect(ButtonViewLog, &QPushButton::clicked, this, &TFormSetup::ButtonViewLogClick);

  auto* debugLayout = new QVBoxLayout(debug);
  debugLayout->addWidget(CheckBoxImitDebug);
  debugLayout->addWidget(ButtonViewLog, 0, Qt::AlignLeft);

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(debug);
  layout->addStretch();
  return tab;
}

QWidget* TFormSetup::MakeButtons() {
  auto* row = new QWidget(this);
  ButtonOk = new QPushButton("OK", row);
  ButtonOk->setObjectName("ButtonOk");
  ButtonOk->setDefault(true);
  ButtonCancel = new QPushButton("Отмена", row);
  ButtonCancel->setObjectName("ButtonCancel");
  connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addStretch();
  layout->addWidget(ButtonOk);
  layout->addWidget(ButtonCancel);
  return row;
}

void TFormSetup::ShowFields(const TSetupFields& fields) {
  EditTcpAdr->setText(Text(fields.TcpAdr));
  EditTcpPort->setText(Text(fields.TcpPort));
  EditSlaveAdr->setText(Text(fields.SlaveAdr));
  LocalNetInterfaceCB->setCurrentText(Text(fields.LocalNetInterface));
  CheckBoxImitDebug->setChecked(fields.Debug);
  UpDownProd->setValue(fields.Prod);
  UpDownType->setValue(fields.Type);
  EditSerNum->setText(Text(fields.SerNum));
  CheckBoxTimeout->setChecked(fields.EnableTimeout);
  UpDownTimeout->setValue(fields.Timeout);
}

TSetupFields TFormSetup::Fields() const {
  TSetupFields fields;
  fields.TcpAdr = EditTcpAdr->text().toStdString();
  fields.TcpPort = EditTcpPort->text().toStdString();
  fields.SlaveAdr = EditSlaveAdr->text().toStdString();
  fields.LocalNetInterface = LocalNetInterfaceCB->currentText().toStdString();
  fields.EnableTimeout = CheckBoxTimeout->isChecked();
  fields.Timeout = UpDownTimeout->value();
  fields.Prod = UpDownProd->value();
  fields.Type = UpDownType->value();
  fields.SerNum = EditSerNum->text().toStdString();
  fields.Debug = CheckBoxImitDebug->isChecked();
  return fields;
}

void TFormSetup::StoreFields() {
  if (!Settings) return;
  restartNeeded_ = StoreSetupFields(*Settings, Fields(), LocalAddress, DebugEnabled);
}

void TFormSetup::done(int result) {
  SaveFormBounds(this);
  if (result == QDialog::Accepted) StoreFields();
  QDialog::done(result);
}

void TFormSetup::ButtonViewLogClick() {
  // The viewer stays open after the dialog has closed, as long as the main window lives.
  QWidget* owner = parentWidget() ? parentWidget()->window() : this;
  auto* viewer = new TTextViewForm(owner, false, WorkFolder() + kLinkLogName, "Протокол работы");
  viewer->show();
}
