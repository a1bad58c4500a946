#include "confirm_row.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "gbk_qt.h"

QHBoxLayout* ConfirmRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
  ok = new QPushButton(Q("&S.确认"));
  cancel = new QPushButton(Q("&X.取消"));
  ok->setDefault(true);
  cancel->setAutoDefault(false);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}
