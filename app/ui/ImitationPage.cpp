#include "app/ui/ImitationPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/ImitationTexts.h"
#include "app/ui/ShaftView.h"

namespace {

QLabel* Label(const char* text, QWidget* parent) {
  return new QLabel(QString::fromUtf8(text), parent);
}

QComboBox* TypedCombo(const char* name, const QStringList& items, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->addItems(items);
  combo->setMinimumContentsLength(6);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return combo;
}

void SetText(QLineEdit& field, const std::string& text) { field.setText(QString::fromStdString(text)); }
void SetText(QComboBox& combo, const std::string& text) { combo.setEditText(QString::fromStdString(text)); }

}  // namespace

TImitationPage::TImitationPage(TSimulatorState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName("TabSheetImitator");
  auto* right = new QVBoxLayout;
  imitEnable_ = new QCheckBox(QString::fromUtf8(kImitEnableCaption), this);
  imitEnable_->setObjectName("CheckBoxImitEnable");
  liftOk_ = new QPushButton(QString::fromUtf8(kLiftOkCaption), this);
  liftOk_->setObjectName("ButtonLiftOk");
  liftOk_->setVisible(false);
  auto* switchRow = new QHBoxLayout;
  switchRow->addWidget(imitEnable_);
  switchRow->addStretch(1);
  switchRow->addWidget(liftOk_);
  right->addLayout(switchRow);
  right->addWidget(MakeSetupGroup());
  right->addWidget(MakeDispGroup());
  right->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(MakeShaft());
  layout->addLayout(right, 1);

  connect(imitEnable_, &QCheckBox::toggled, this, [this](bool on) {
    state_.ImitEnable = on;
    emit ImitEnableClicked(on);
  });
  connect(liftOk_, &QPushButton::clicked, this, &TImitationPage::LiftOkClicked);
  ShowImitEnable();
  ShowDisp();
}

QWidget* TImitationPage::MakeShaft() {
  shaft_ = new TShaftView;
  shaftScroll_ = new QScrollArea(this);
  shaftScroll_->setObjectName("ScrollBoxShaft");
  shaftScroll_->setWidget(shaft_);
  shaftScroll_->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  shaftScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  shaftScroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  const int width = kShaftWidth + shaftScroll_->verticalScrollBar()->sizeHint().width() + 2 * shaftScroll_->frameWidth();
  shaftScroll_->setFixedWidth(width);
  return shaftScroll_;
}

void TImitationPage::KeepCabInView() {
  const int top = shaft_->Cab().Top;
  shaftScroll_->ensureVisible(kShaftWidth / 2, top + kShaftCellHeight / 2, 0, kShaftCellHeight);
}

QLineEdit* TImitationPage::MakeSecondsField(const char* name) {
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setMaximumWidth(fontMetrics().horizontalAdvance("000000") + 16);
  return field;
}

void TImitationPage::AddRange(QVBoxLayout& layout, const char* label, QLineEdit* from, QLineEdit* to) {
  layout.addWidget(Label(label, this));
  auto* row = new QHBoxLayout;
  row->addWidget(from);
  row->addWidget(new QLabel(QString::fromUtf8(kRangeLabel), this));
  row->addWidget(to);
  row->addStretch(1);
  layout.addLayout(row);
}

QWidget* TImitationPage::MakeSetupGroup() {
  auto* group = new QGroupBox(QString::fromUtf8(kSetupGroupCaption), this);
  group->setObjectName("GroupBoxLiftSetup");
  auto* layout = new QVBoxLayout(group);
  layout->setSpacing(3);

  velocity_ = TypedCombo("ComboBoxVelocity", {"1.0", "1.5", "2.0", "2.5", "3.0"}, group);
  velocity_->setEditText("2.5");
  floorCount_ = TypedCombo("ComboBoxFloorCount", {"9", "12", "16", "22"}, group);
  floorCount_->setEditText("12");
  auto* combos = new QFormLayout;
  combos->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  combos->addRow(Label(kVelocityLabel, group), velocity_);
  combos->addRow(Label(kFloorCountLabel, group), floorCount_);
  layout->addLayout(combos);

  moveFrom_ = MakeSecondsField("EditLiftMoveFrom");
  moveTo_ = MakeSecondsField("EditLiftMoveTo");
  breakPeriodFrom_ = MakeSecondsField("EditLiftBreakPeriodFrom");
  breakPeriodTo_ = MakeSecondsField("EditLiftBreakPeriodTo");
  breakLenFrom_ = MakeSecondsField("EditLiftBreakLenFrom");
  breakLenTo_ = MakeSecondsField("EditLiftBreakLenTo");
  AddRange(*layout, kMoveLabel, moveFrom_, moveTo_);
  AddRange(*layout, kBreakPeriodLabel, breakPeriodFrom_, breakPeriodTo_);
  AddRange(*layout, kBreakLenLabel, breakLenFrom_, breakLenTo_);
  ShowSetupTexts({"2.5", "12", "1", "20", "120", "240", "60", "180"});

  auto* apply = new QPushButton(QString::fromUtf8(kApplyCaption), group);
  apply->setObjectName("ButtonApplyLiftSetup");
  auto* applyRow = new QHBoxLayout;
  applyRow->addStretch(1);
  applyRow->addWidget(apply);
  layout->addLayout(applyRow);
  connect(apply, &QPushButton::clicked, this, &TImitationPage::ApplyClicked);
  return group;
}

QWidget* TImitationPage::MakeDispGroup() {
  auto* group = new QGroupBox(QString::fromUtf8(kDispGroupCaption), this);
  group->setObjectName("GroupBoxDisp");
  auto* layout = new QVBoxLayout(group);
  layout->setSpacing(2);
  for (int i = 0; i < kDispBoxCount; ++i) {
    const TDispBox& box = kDispBoxes[static_cast<std::size_t>(i)];
    auto* check = new QCheckBox(QString::fromUtf8(box.Caption), group);
    check->setObjectName(box.Name);
    dispBoxes_[static_cast<std::size_t>(i)] = check;
    layout->addWidget(check);
    connect(check, &QCheckBox::toggled, this, [this, flag = box.Flag](bool on) {
      state_.Disp.*flag = on;
      emit DispChanged();
    });
  }
  return group;
}

void TImitationPage::ShowImitEnable() {
  const QSignalBlocker blocker(imitEnable_);
  imitEnable_->setChecked(state_.ImitEnable);
}

void TImitationPage::ShowDisp() {
  for (int i = 0; i < kDispBoxCount; ++i) {
    QCheckBox* check = dispBoxes_[static_cast<std::size_t>(i)];
    const QSignalBlocker blocker(check);
    check->setChecked(state_.Disp.*kDispBoxes[static_cast<std::size_t>(i)].Flag);
  }
}

void TImitationPage::ShowLiftOk(bool visible) { liftOk_->setVisible(visible); }

void TImitationPage::ShowSetupTexts(const TLiftSetupTexts& texts) {
  SetText(*velocity_, texts.Velocity);
  SetText(*floorCount_, texts.FloorCount);
  SetText(*moveFrom_, texts.MoveFrom);
  SetText(*moveTo_, texts.MoveTo);
  SetText(*breakPeriodFrom_, texts.BreakPeriodFrom);
  SetText(*breakPeriodTo_, texts.BreakPeriodTo);
  SetText(*breakLenFrom_, texts.BreakLenFrom);
  SetText(*breakLenTo_, texts.BreakLenTo);
}

TLiftSetupTexts TImitationPage::SetupTexts() const {
  return {velocity_->currentText().toStdString(),   floorCount_->currentText().toStdString(),
          moveFrom_->text().toStdString(),          moveTo_->text().toStdString(),
          breakPeriodFrom_->text().toStdString(),   breakPeriodTo_->text().toStdString(),
          breakLenFrom_->text().toStdString(),      breakLenTo_->text().toStdString()};
}
