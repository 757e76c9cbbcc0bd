#include "app/ui/AlarmPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

QListWidget* MakeCheckList(const char* name, const char* const* texts, int count, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setWordWrap(true);
  list->setResizeMode(QListView::Adjust);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSpacing(1);
  for (int i = 0; i < count; ++i) {
    auto* item = new QListWidgetItem(QString::fromUtf8(texts[i]), list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  return list;
}

void ShowTicks(QListWidget& list, const bool* ticks, int count) {
  const QSignalBlocker blocker(list);
  for (int i = 0; i < count && i < list.count(); ++i) {
    const Qt::CheckState state = ticks[i] ? Qt::Checked : Qt::Unchecked;
    if (list.item(i)->checkState() != state) list.item(i)->setCheckState(state);
  }
  list.viewport()->update();
}

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
  connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    const int row = list_->row(item);
    if (row < 0 || row >= kAlarmCount) return;
    const bool on = item->checkState() == Qt::Checked;
    bool& tick = controls_.Alarms[static_cast<std::size_t>(row)];
    if (tick == on) return;
    tick = on;
    emit AlarmsChanged();
  });
  ShowAll();
}

void TAlarmPage::ShowAll() {
  if (noAlarm_->isChecked() != controls_.NoAlarm) {
    const QSignalBlocker blocker(noAlarm_);
    noAlarm_->setChecked(controls_.NoAlarm);
  }
  ShowTicks(*list_, controls_.Alarms.data(), kAlarmCount);
}
