// The statement dialog: a fixed list of the account set's statements (a name cannot be typed), the month,
// and whether a two-sided statement is laid out one half under the other.
#include "statement_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <map>

#include "dialog_kit.h"
#include "guarded.h"
#include "statements/statement_dlg.h"

QDialog* MakeStatementDialog(CStatementDlg& model, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setWindowTitle(Q(CStatementDlg::Caption()));
  auto* names = new QComboBox;
  for (const std::string& n : model.names) names->addItem(Q(n));
  names->setCurrentText(Q(model.name));
  names->setMinimumWidth(200);
  auto* month = MonthEdit(model.monthText);
  auto* narrow = new QCheckBox(Q("上下排列"));
  narrow->setChecked(model.narrow);
  auto* nameLabel = new QLabel(Q("&B.报表："));
  nameLabel->setBuddy(names);
  auto* monthLabel = new QLabel(Q("&M.月份："));
  monthLabel->setBuddy(month);
  auto* grid = new QGridLayout;
  grid->addWidget(nameLabel, 0, 0);
  grid->addWidget(names, 0, 1);
  grid->addWidget(monthLabel, 1, 0);
  grid->addLayout(FieldRow({month, "月"}), 1, 1);
  grid->addWidget(narrow, 2, 1);
  auto* ok = new QPushButton(Q("&S.确认"));
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid);
  layout->addLayout(OkCancelRow(dialog, ok, "&X.取消"));
  std::map<std::string, QWidget*> fields = {{"name", names}, {"month", month}};
  QObject::connect(ok, &QPushButton::clicked, dialog, Guard([&model, dialog, names, month, narrow, fields] {
                     model.name = G(names->currentText()).value_or("");
                     model.monthText = G(month->text()).value_or("");
                     model.narrow = narrow->isChecked();
                     if (model.OnOK())
                       dialog->accept();
                     else
                       FocusNamed(fields, model.focus);
                   }));
  names->setFocus();
  return dialog;
}

bool RunStatementDialog(CStatementDlg& model, QWidget* parent) {
  return ExecOnce(MakeStatementDialog(model, parent));
}
