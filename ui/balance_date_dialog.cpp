#include "balance_date_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <map>
#include <memory>

#include "dialog_kit.h"
#include "guarded.h"
#include "reports/balance_date_dlg.h"

QDialog* MakeBalanceDateDialog(CBalanceDateDlg& model, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setWindowTitle(Q("Tavrel软件"));
  auto* code = MaskField(CBalanceDateDlg::CodeMask(), model.code, 140);
  auto date = std::make_shared<DateRow>(model.date);
  auto* browse = new QPushButton(Q("浏览..."));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Q("年度:")), 0, 0);
  grid->addWidget(new QLabel(Q(model.yearText)), 0, 1);
  grid->addWidget(new QLabel(Q("科目代码:")), 1, 0);
  grid->addLayout(BrowseRow(code, browse, true), 1, 1);
  grid->addWidget(new QLabel(Q("截止时间:")), 2, 0);
  grid->addLayout(date->Layout(), 2, 1);
  auto* nonzero = NonzeroBox(model.nonzero);
  grid->addWidget(nonzero, 3, 1);
  auto* ok = new QPushButton(Q("&S.确认"));
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid);
  layout->addLayout(OkCancelRow(dialog, ok, "&X.取消"));
  std::map<std::string, QWidget*> fields = {
      {"code", code}, {"year", date->year}, {"month", date->month}, {"day", date->day}};
  QObject::connect(browse, &QPushButton::clicked, dialog, Guard([&model, code] {
                     model.code = code->GbkText();
                     model.OnBrowse();
                     code->SetGbkText(model.code);
                   }));
  QObject::connect(ok, &QPushButton::clicked, dialog, Guard([&model, dialog, code, date, nonzero, fields] {
                     model.code = code->GbkText();
                     date->Read(model.date);
                     model.nonzero = nonzero->isChecked();
                     if (model.OnOK())
                       dialog->accept();
                     else
                       FocusNamed(fields, model.focus);
                   }));
  date->year->setFocus();
  return dialog;
}

bool RunBalanceDateDialog(CBalanceDateDlg& model, QWidget* parent) {
  return ExecOnce(MakeBalanceDateDialog(model, parent));
}
