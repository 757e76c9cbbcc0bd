#include "app/ui/AlarmPage.h"

#include "app/ui/CheckList.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

TAlarmPage::TAlarmPage(TLiftControls& controls, QWidget* parent)
    : QWidget(parent), controls_(controls) {
  setObjectName("TabSheetAlarm");
  auto* heading = new QLabel("Информация об аварийной ситуации", this);
  heading->setObjectName("LabelAlarm");
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);

  noAlarm_ = new QCheckBox(QString::fromUtf8(kNoAlarmCaption), this);
  noAlarm_->setObjectName("CheckBoxNoAlarm");
  list_ = MakeCheckList("CheckListBoxAlarm", kAlarmItems.data(), kAlarmCount, this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(noAlarm_);
  layout->addWidget(list_, 1);

  connect(noAlarm_, &QCheckBox::toggled, this, [this](bool on) {
    controls_.NoAlarm = on;
    emit AlarmsChanged();
  });
  TrackTicks(*list_, controls_.Alarms.data(), kAlarmCount, [this] { emit AlarmsChanged(); });
  ShowAll();
}

void TAlarmPage::ShowAll() {
  if (noAlarm_->isChecked() != controls_.NoAlarm) {
    const QSignalBlocker blocker(noAlarm_);
    noAlarm_->setChecked(controls_.NoAlarm);
  }
  ShowTicks(*list_, controls_.Alarms.data(), kAlarmCount);
}
