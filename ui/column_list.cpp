#include "column_list.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>

#include "gbk_qt.h"

QTreeWidget* MakeColumnList(const std::vector<ListColumn>& columns) {
  auto* list = new QTreeWidget;
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setColumnCount(static_cast<int>(columns.size()));
  QStringList captions;
  for (const ListColumn& c : columns) captions << Q(c.caption);
  list->setHeaderLabels(captions);
  QHeaderView* header = list->header();
  header->setSectionsMovable(false);
  header->setStretchLastSection(true);
  const int unit = QFontMetrics(list->font()).horizontalAdvance(QChar('0'));
  int total = 0;
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
    const ListColumn& c = columns[static_cast<size_t>(i)];
    // Never narrower than its heading: a heading is never cut.
    int width = std::max((c.characters + 2) * unit, header->sectionSizeHint(i) + unit);
    list->setColumnWidth(i, width);
    total += width;
    if (c.alignRight) list->headerItem()->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
  }
  list->setMinimumWidth(total + 2 * list->frameWidth() + 4);
  list->setMinimumHeight(220);
  list->setProperty("rightColumns", [&] {
    QVariantList right;
    for (const ListColumn& c : columns) right << c.alignRight;
    return right;
  }());
  return list;
}

void FillColumnList(QTreeWidget* list, const std::vector<std::vector<std::string>>& rows, int current) {
  QSignalBlocker block(list);
  list->clear();
  const QVariantList right = list->property("rightColumns").toList();
  QList<QTreeWidgetItem*> items;
  for (const auto& row : rows) {
    auto* item = new QTreeWidgetItem;
    for (int i = 0; i < static_cast<int>(row.size()); ++i) {
      item->setText(i, Q(row[static_cast<size_t>(i)]));
      if (i < right.size() && right[i].toBool()) item->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    }
    items << item;
  }
  list->addTopLevelItems(items);
  if (current >= 0 && current < list->topLevelItemCount()) list->setCurrentItem(list->topLevelItem(current));
}

int CurrentRow(const QTreeWidget* list) {
  QTreeWidgetItem* item = list->currentItem();
  return item ? list->indexOfTopLevelItem(item) : -1;
}

bool ListEditKey(QEvent* event, const std::function<void()>& modify, const std::function<void()>& remove) {
  if (event->type() != QEvent::KeyPress) return false;
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      modify();
      return true;
    case Qt::Key_Delete:
      remove();
      return true;
    default:
      return false;
  }
}
