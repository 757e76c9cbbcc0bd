#include "app/ui/LiftPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

TLiftPanel::TLiftPanel(TLiftControls& controls, QWidget* parent)
    : QWidget(parent), controls_(controls), modes_(new QButtonGroup(this)), floor_(nullptr) {
  setObjectName("PanelLeft");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(MakeModeGroup());
  layout->addWidget(MakeStateGroup());
  layout->addWidget(MakeFloorGroup());
  layout->addStretch(1);
  ShowAll();
}

QWidget* TLiftPanel::MakeModeGroup() {
  auto* group = new QGroupBox("Режим работы", this);
  group->setObjectName("RadioGroupRegim");
  auto* layout = new QVBoxLayout(group);
  layout->setSpacing(2);
  for (int i = 0; i < kModeCount; ++i) {
    auto* button = new QRadioButton(QString::fromUtf8(kModeItems[static_cast<std::size_t>(i)]), group);
    button->setObjectName(QStringLiteral("RadioButtonRegim%1").arg(i));
    modes_->addButton(button, i);
    modeButtons_[static_cast<std::size_t>(i)] = button;
    layout->addWidget(button);
  }
  connect(modes_, &QButtonGroup::idClicked, this, [this](int id) {
    if (controls_.Regim == id) return;
    controls_.Regim = id;
    emit ModeChanged();
  });
  return group;
}

QWidget* TLiftPanel::MakeStateGroup() {
  auto* group = new QGroupBox("Состояние", this);
  group->setObjectName("GroupBoxState");
  auto* layout = new QVBoxLayout(group);
  layout->setSpacing(2);
  for (int i = 0; i < kStateBoxCount; ++i) {
    const TStateBox& box = kStateBoxes[static_cast<std::size_t>(i)];
    auto* check = new QCheckBox(QString::fromUtf8(box.Caption), group);
    check->setObjectName(box.Name);
    stateBoxes_[static_cast<std::size_t>(i)] = check;
    layout->addWidget(check);
    connect(check, &QCheckBox::toggled, this, [this, flag = box.Flag](bool on) {
      controls_.State.*flag = on;
      emit StateChanged();
    });
  }
  return group;
}

QWidget* TLiftPanel::MakeFloorGroup() {
  auto* group = new QGroupBox("Этаж кабины лифта", this);
  group->setObjectName("GroupBoxFloor");
  auto* layout = new QVBoxLayout(group);
  floor_ = new QSpinBox(group);
  floor_->setObjectName("UpDownFloor");
  floor_->setRange(kFloorMin, kFloorMax);
  floor_->setValue(0);
  // A typed floor counts once it is confirmed (Enter or leaving the field), not at every key.
  floor_->setKeyboardTracking(false);
  floor_->findChild<QLineEdit*>()->setObjectName("EditFloor");
  floor_->setMaximumWidth(floor_->sizeHint().width() + 24);
  layout->addWidget(floor_);
  connect(floor_, &QSpinBox::valueChanged, this, [this](int value) {
    if (controls_.Floor == value) return;
    controls_.Floor = value;
    emit FloorChanged();
  });
  return group;
}

void TLiftPanel::ShowMode() {
  // No selected item (a mode of -1) needs a group that allows none.
  modes_->setExclusive(false);
  for (int i = 0; i < kModeCount; ++i) {
    QRadioButton* button = modeButtons_[static_cast<std::size_t>(i)];
    const QSignalBlocker blocker(button);
    button->setChecked(i == controls_.Regim);
  }
  modes_->setExclusive(true);
}

void TLiftPanel::ShowState() {
  for (int i = 0; i < kStateBoxCount; ++i) {
    QCheckBox* check = stateBoxes_[static_cast<std::size_t>(i)];
    const bool on = controls_.State.*kStateBoxes[static_cast<std::size_t>(i)].Flag;
    if (check->isChecked() == on) continue;
    const QSignalBlocker blocker(check);
    check->setChecked(on);
  }
}

void TLiftPanel::ShowFloor() {
  if (floor_->value() == controls_.Floor) return;
  const QSignalBlocker blocker(floor_);
  floor_->setValue(controls_.Floor);
}

void TLiftPanel::ShowAll() {
  ShowMode();
  ShowState();
  ShowFloor();
}
