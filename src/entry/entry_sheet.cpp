#include "entry/entry_sheet.h"

#include <algorithm>

EntryRow& EntrySheet::Row(int r) {
  if (r >= Count()) rows_.resize(static_cast<size_t>(r) + 1);
  return rows_[static_cast<size_t>(r)];
}

void EntrySheet::AppendEmpty(int n) {
  rows_.resize(rows_.size() + static_cast<size_t>(std::max(0, n)));
}

void EntrySheet::FollowCount(int delta) {
  if (delta >= 0) {
    AppendEmpty(delta);
    return;
  }
  rows_.resize(static_cast<size_t>(std::max(1, Count() + delta)));
}

void EntrySheet::OpenRows(int at, int lastOld, int count) {
  if (count <= 0 || at < 0) return;
  if (Count() < lastOld + count + 1) rows_.resize(static_cast<size_t>(lastOld + count + 1));
  for (int r = lastOld; r >= at; --r) rows_[static_cast<size_t>(r + count)] = rows_[static_cast<size_t>(r)];
  for (int r = at; r < at + count; ++r) rows_[static_cast<size_t>(r)] = EntryRow{};
}
