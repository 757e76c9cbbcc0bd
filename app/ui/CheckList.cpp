#include "app/ui/CheckList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace {

constexpr int kMargin = 3;

// Draws the tick box and the wrapped text itself, so that the height an item asks for is exactly
// the height its text is drawn in, whatever the list's width.
class TWrappedCheckDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    QStyle* style = Style(item);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, item.widget);

    QStyleOptionViewItem check = item;
    check.rect = CheckRect(item);
    check.state &= ~QStyle::State_HasFocus;
    check.state |= item.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, item.widget);

    const bool selected = item.state & QStyle::State_Selected;
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(item.font);
    painter->drawText(TextRect(item, item.rect.width(), item.rect.height() - 2 * kMargin), kTextFlags, item.text);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const int width = ItemWidth(item);
    constexpr int kUnlimited = 1 << 16;
    const QRect text = item.fontMetrics.boundingRect(TextRect(item, width, kUnlimited), kTextFlags, item.text);
    const int checkHeight = CheckSize(item).height();
    return QSize(width, std::max(text.height(), checkHeight) + 2 * kMargin);
  }

  bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
    const Qt::ItemFlags flags = index.flags();
    if (!(flags & Qt::ItemIsUserCheckable) || !(flags & Qt::ItemIsEnabled)) return false;
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return LeftClickInside(event, option);
      case QEvent::MouseButtonRelease:
        if (!LeftClickInside(event, option)) return false;
        break;
      case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select) return false;
        break;
      }
      default: return false;
    }
    const bool on = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
  }

private:
  static constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

  static QStyle* Style(const QStyleOptionViewItem& item) {
    return item.widget ? item.widget->style() : QApplication::style();
  }

  static QSize CheckSize(const QStyleOptionViewItem& item) {
    QStyle* style = Style(item);
    return QSize(style->pixelMetric(QStyle::PM_IndicatorWidth, &item, item.widget),
                 style->pixelMetric(QStyle::PM_IndicatorHeight, &item, item.widget));
  }

  static QRect CheckRect(const QStyleOptionViewItem& item) {
    const QSize size = CheckSize(item);
    return QRect(item.rect.left() + kMargin, item.rect.top() + (item.rect.height() - size.height()) / 2, size.width(),
                 size.height());
  }

  static QRect TextRect(const QStyleOptionViewItem& item, int width, int height) {
    const int left = kMargin + CheckSize(item).width() + 2 * kMargin;
    return QRect(item.rect.left() + left, item.rect.top() + kMargin, std::max(1, width - left - kMargin),
                 std::max(1, height));
  }

  // The room an item has: the list's visible width less its spacing.
  static int ItemWidth(const QStyleOptionViewItem& item) {
    const auto* view = qobject_cast<const QListView*>(item.widget);
    if (!view) return item.rect.width();
    return std::max(1, view->viewport()->width() - 2 * view->spacing());
  }

  static bool LeftClickInside(QEvent* event, const QStyleOptionViewItem& option) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    return mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
  }
};

}  // namespace

QListWidget* MakeCheckList(const char* name, const char* const* texts, int count, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setItemDelegate(new TWrappedCheckDelegate(list));
  list->setWordWrap(true);
  list->setResizeMode(QListView::Adjust);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
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

void TrackTicks(QListWidget& list, bool* ticks, int count, std::function<void()> changed) {
  QObject::connect(&list, &QListWidget::itemChanged, &list,
                   [&list, ticks, count, changed = std::move(changed)](QListWidgetItem* item) {
                     const int row = list.row(item);
                     if (row < 0 || row >= count) return;
                     const bool on = item->checkState() == Qt::Checked;
                     if (ticks[row] == on) return;
                     ticks[row] = on;
                     changed();
                   });
}
