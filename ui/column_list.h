#pragma once
// A list of rows in columns under heading buttons (the header of a QTreeWidget without branches): the
// currency, rate and account lists. Rows are the model's records, one text per column.
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

struct ListColumn {
  std::string caption;
  int characters;  // the width, in half-width characters
  bool alignRight = false;
};

QTreeWidget* MakeColumnList(const std::vector<ListColumn>& columns);
// Replaces the rows and makes current the row of that index (none when it is -1); sends no signals.
void FillColumnList(QTreeWidget* list, const std::vector<std::vector<std::string>>& rows, int current);
// The index of the current row, -1 when there is none.
int CurrentRow(const QTreeWidget* list);

// Enter and Delete on a list of records: modify and delete the current one. True when the event was one of
// those keys (and was acted on).
bool ListEditKey(QEvent* event, const std::function<void()>& modify, const std::function<void()>& remove);
