// The month of the trial balance: one field, Enter on it confirms.
#include "trial_month_dialog.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_kit.h"
#include "guarded.h"
#include "reports/trial_balance.h"

QDialog* MakeTrialMonthDialog(CTrialMonthDlg& model, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setWindowTitle(Q("试算平衡表"));
  auto* month = MaskField(CTrialMonthDlg::MonthMask(), model.monthText, 40);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Q("年度:")), 0, 0);
  grid->addWidget(new QLabel(Q(model.yearText)), 0, 1);
  grid->addWidget(new QLabel(Q("月份:")), 1, 0);
  grid->addLayout(FieldRow({month, "月"}), 1, 1);
  auto* ok = new QPushButton(Q("&S.确认"));
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid);
  layout->addLayout(OkCancelRow(dialog, ok, "&X.取消"));
  QObject::connect(ok, &QPushButton::clicked, dialog, Guard([&model, dialog, month] {
                     model.monthText = month->GbkText();
                     if (model.OnOK())
                       dialog->accept();
                     else
                       FocusNamed({{"month", month}}, "month");
                   }));
  month->setFocus();
  month->selectAll();
  return dialog;
}

bool RunTrialMonthDialog(CTrialMonthDlg& model, QWidget* parent) {
  return ExecOnce(MakeTrialMonthDialog(model, parent));
}
