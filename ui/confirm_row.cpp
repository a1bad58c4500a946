#include "confirm_row.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "dialog_kit.h"

QHBoxLayout* ConfirmRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
  ok = new QPushButton(Q("&S.确认"));
  QHBoxLayout* row = OkCancelRow(dialog, ok, "&X.取消", &cancel);
  cancel->setAutoDefault(false);
  return row;
}
