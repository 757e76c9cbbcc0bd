#include "app/ui/RegisterView.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/LiftRegisters.h"

namespace {

constexpr int kRefreshMs = 200;
enum TColumn { ColumnNumber, ColumnMeaning, ColumnHex, ColumnDecimal, ColumnCount };

const char* const kFixedMeanings[] = {
    "Идентификатор производителя",
    "Идентификатор типа",
    "Серийный номер, биты 0..15",
    "Серийный номер, биты 16..31",
    "Режим работы",
    "Этаж кабины",
    "Состояние",
    "Авария",
    "Неисправность",
    "Код другой неисправности",
};

QString Hex(std::uint16_t value) { return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper(); }

QTableWidgetItem* ReadOnlyItem(const QString& text, Qt::Alignment alignment) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setTextAlignment(alignment | Qt::AlignVCenter);
  return item;
}

}  // namespace

std::string RegisterMeaning(int index) {
  if (index >= 0 && index < static_cast<int>(std::size(kFixedMeanings))) return kFixedMeanings[index];
  if (index >= kRegOtherText && index <= kRegLastData) {
    const int firstByte = (index - kRegOtherText) * 2;
    return "Текст неисправности, байты " + std::to_string(firstByte) + ", " + std::to_string(firstByte + 1);
  }
  return "Не используется, всегда 0";
}

TRegisterView::TRegisterView(const RegisterImage& registers, QWidget* parent)
    : QWidget(parent), registers_(registers), table_(new QTableWidget(kRegisterCount, ColumnCount, this)),
      timer_(new QTimer(this)) {
  shown_.fill(-1);
  table_->setObjectName("StringGridRegisters");
  table_->setHorizontalHeaderLabels({"№", "Назначение", "HEX", "Десятичное"});
  table_->verticalHeader()->setVisible(false);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setWordWrap(false);
  for (int row = 0; row < kRegisterCount; ++row) {
    table_->setItem(row, ColumnNumber, ReadOnlyItem(QString::number(row), Qt::AlignRight));
    table_->setItem(row, ColumnMeaning, ReadOnlyItem(QString::fromStdString(RegisterMeaning(row)), Qt::AlignLeft));
    table_->setItem(row, ColumnHex, ReadOnlyItem({}, Qt::AlignRight));
    table_->setItem(row, ColumnDecimal, ReadOnlyItem({}, Qt::AlignRight));
  }
  QHeaderView* header = table_->horizontalHeader();
  header->setSectionResizeMode(ColumnNumber, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(ColumnMeaning, QHeaderView::Stretch);
  header->setSectionResizeMode(ColumnHex, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(ColumnDecimal, QHeaderView::ResizeToContents);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(table_);

  timer_->setInterval(kRefreshMs);
  connect(timer_, &QTimer::timeout, this, &TRegisterView::Refresh);
  Refresh();
}

void TRegisterView::Refresh() {
  for (int row = 0; row < kRegisterCount; ++row) {
    const std::uint16_t value = registers_[static_cast<std::size_t>(row)].load(std::memory_order_relaxed);
    if (shown_[static_cast<std::size_t>(row)] == value) continue;
    ShowValue(row, value);
  }
}

void TRegisterView::ShowValue(int row, std::uint16_t value) {
  shown_[static_cast<std::size_t>(row)] = value;
  table_->item(row, ColumnHex)->setText(Hex(value));
  table_->item(row, ColumnDecimal)->setText(QString::number(value));
}

void TRegisterView::showEvent(QShowEvent* event) {
  Refresh();
  timer_->start();
  QWidget::showEvent(event);
}

void TRegisterView::hideEvent(QHideEvent* event) {
  timer_->stop();
  QWidget::hideEvent(event);
}
