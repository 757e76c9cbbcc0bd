#include "app/ui/LiftBreakPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/LiftBreakFile.h"
#include "app/ui/CheckList.h"
#include "app/ui/ButtonGlyphs.h"
#include "app/ui/FormLiftBreak.h"
#include "support/Func.h"
#include "support/ui/OkDialog.h"

namespace {

// The dialog's filter in the toolkit's form: the part before "|".
QString FaultFileFilter() {
  const QString filter = QString::fromUtf8(kFaultFileFilter);
  return filter.section('|', 0, 0);
}

}  // namespace

TLiftBreakPage::TLiftBreakPage(TLiftControls& controls, QWidget* parent)
    : QWidget(parent), controls_(controls) {
  setObjectName("TabSheetLiftBreak");
  auto* heading = new QLabel("Информация о неисправности ", this);
  heading->setObjectName("LabelLiftBreak");
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);

  noLiftBreak_ = new QCheckBox(QString::fromUtf8(kNoLiftBreakCaption), this);
  noLiftBreak_->setObjectName("CheckBoxNoLiftBreak");
  list_ = MakeCheckList("CheckListBoxLiftBreak", kLiftBreakItems.data(), kLiftBreakCount, this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(noLiftBreak_);
  layout->addWidget(list_, 1);
  layout->addWidget(MakeOtherGroup());

  connect(noLiftBreak_, &QCheckBox::toggled, this, [this](bool on) {
    controls_.NoLiftBreak = on;
    emit LiftBreaksChanged();
  });
  TrackTicks(*list_, controls_.LiftBreaks.data(), kLiftBreakCount, [this] { emit LiftBreaksChanged(); });
  ShowAll();
}

QToolButton* TLiftBreakPage::MakeButton(const char* name, const char* hint) {
  auto* button = new QToolButton(this);
  button->setObjectName(name);
  button->setToolTip(QString::fromUtf8(hint));
  button->setAutoRaise(true);
  return button;
}

QWidget* TLiftBreakPage::MakeOtherGroup() {
  auto* group = new QGroupBox("Другая неисправность", this);
  group->setObjectName("GroupBoxOtherLiftBreak");

  custom_ = new QComboBox(group);
  custom_->setObjectName("ComboBoxLiftBreak");
  custom_->setEditable(false);
  custom_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  custom_->setMinimumContentsLength(20);
  connect(custom_, &QComboBox::activated, this, [this](int index) {
    if (controls_.CustomLiftBreaks.Selected() == index) return;
    controls_.CustomLiftBreaks.Select(index);
    emit LiftBreaksChanged();
  });

  QToolButton* add = MakeButton("SpeedButtonAddLiftBreak", "Добавить неисправность");
  QToolButton* remove = MakeButton("SpeedButtonDeleteLiftBreak", "Удалить неисправность");
  QToolButton* save = MakeButton("SpeedButtonSaveLiftBreak", "Сохранить все неисправности в файл...");
  QToolButton* open = MakeButton("SpeedButtonOpenLiftBreak", "Прочитать неисправности из файла...");
  add->setIcon(PlusGlyph());
  remove->setIcon(MinusGlyph());
  save->setIcon(DiskGlyph());
  open->setIcon(FolderGlyph());
  connect(add, &QToolButton::clicked, this, &TLiftBreakPage::AddCustom);
  connect(remove, &QToolButton::clicked, this, &TLiftBreakPage::DeleteCustom);
  connect(save, &QToolButton::clicked, this, &TLiftBreakPage::SaveCustomList);
  connect(open, &QToolButton::clicked, this, &TLiftBreakPage::OpenCustomList);

  auto* layout = new QGridLayout(group);
  layout->addWidget(custom_, 0, 0, 1, 4);
  auto* tools = new QHBoxLayout;
  tools->setSpacing(2);
  for (QToolButton* button : {add, remove, save, open}) tools->addWidget(button);
  tools->addStretch(1);
  layout->addLayout(tools, 1, 0);

  const std::pair<const char*, TPreset> presets[] = {
      {"SpeedButtonVug", TPreset::Vug}, {"SpeedButtonTays", TPreset::Tays}, {"SpeedButtonRyx40", TPreset::Ryx40}};
  int column = 1;
  for (const auto& [name, preset] : presets) {
    auto* button = new QToolButton(group);
    button->setObjectName(name);
    button->setText(QString::fromUtf8(PresetButtonCaption(preset)));
    connect(button, &QToolButton::clicked, this, [this, preset = preset] { LoadPresetAsked(preset); });
    layout->addWidget(button, 1, column++);
  }
  layout->setColumnStretch(0, 1);
  return group;
}

void TLiftBreakPage::ShowAll() {
  ShowTicks();
  ShowCustomList();
}

void TLiftBreakPage::ShowTicks() {
  if (noLiftBreak_->isChecked() != controls_.NoLiftBreak) {
    const QSignalBlocker blocker(noLiftBreak_);
    noLiftBreak_->setChecked(controls_.NoLiftBreak);
  }
  ::ShowTicks(*list_, controls_.LiftBreaks.data(), kLiftBreakCount);
}

void TLiftBreakPage::ShowCustomList() {
  const QSignalBlocker blocker(custom_);
  custom_->clear();
  QStringList texts;
  texts.reserve(controls_.CustomLiftBreaks.Count());
  for (const TLiftBreak& entry : controls_.CustomLiftBreaks.Items()) texts << QString::fromStdString(entry.Text);
  custom_->addItems(texts);
  custom_->setCurrentIndex(controls_.CustomLiftBreaks.Selected());
}

void TLiftBreakPage::AddCustom() {
  if (!AddLiftBreak(this, controls_.CustomLiftBreaks)) return;
  ShowCustomList();
  emit LiftBreaksChanged();
}

void TLiftBreakPage::DeleteCustom() {
  if (!controls_.CustomLiftBreaks.DeleteSelected()) return;
  ShowCustomList();
  // Also after the last entry is gone, so registers 9..41 never keep a deleted fault.
  emit LiftBreaksChanged();
}

std::string TLiftBreakPage::ChooseFaultFile(bool save) {
  QFileDialog dialog(this, QString(), QString::fromStdString(WorkFolder()), FaultFileFilter());
  dialog.setObjectName(save ? "SaveDialogLiftBreak" : "OpenDialogLiftBreak");
  dialog.setDefaultSuffix(QString::fromUtf8(kFaultFileExtension));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front().toStdString();
}

void TLiftBreakPage::SaveCustomList() {
  const std::string path = ChooseFaultFile(true);
  if (path.empty()) return;
  SaveFaultFile(path, controls_.CustomLiftBreaks);
}

void TLiftBreakPage::OpenCustomList() {
  const std::string path = ChooseFaultFile(false);
  if (path.empty()) return;
  if (!AskYesNo(this, kLoadFaultFileQuestion, kAttentionCaption)) return;
  LoadFaultFile(path, controls_.CustomLiftBreaks);
  ShowCustomList();
  emit LiftBreaksChanged();
}

void TLiftBreakPage::LoadPresetAsked(TPreset preset) {
  if (!AskYesNo(this, PresetQuestion(preset), kAttentionCaption)) return;
  LoadPreset(controls_.CustomLiftBreaks, preset);
  ShowCustomList();
  emit LiftBreaksChanged();
}
