#include "turnover_range_dialog.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QVBoxLayout>
#include <map>
#include <memory>

#include "dialog_kit.h"
#include "guarded.h"
#include "reports/turnover_range_dlg.h"

QDialog* MakeTurnoverRangeDialog(CTurnoverRangeDlg& model, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setWindowTitle(Q("Tavrel软件"));
  auto from = std::make_shared<DateRow>(model.from), to = std::make_shared<DateRow>(model.to);
  auto* code = MaskField(CTurnoverRangeDlg::CodeMask(), model.code, 140);
  auto* browse = new QPushButton(Q("浏览..."));
  auto* one = new QRadioButton(Q("下一级"));
  auto* all = new QRadioButton(Q("所有下级"));
  (model.allLevels ? all : one)->setChecked(true);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Q("年度：")), 0, 0);
  grid->addWidget(new QLabel(Q(model.yearText)), 0, 1);
  auto* fromLabel = new QLabel(Q("&F.起始时间："));
  fromLabel->setBuddy(from->year);
  grid->addWidget(fromLabel, 1, 0);
  grid->addLayout(from->Layout(), 1, 1);
  auto* toLabel = new QLabel(Q("&T.终止时间："));
  toLabel->setBuddy(to->year);
  grid->addWidget(toLabel, 2, 0);
  grid->addLayout(to->Layout(), 2, 1);
  auto* codeLabel = new QLabel(Q("&K.科目代码："));
  codeLabel->setBuddy(code);
  grid->addWidget(codeLabel, 3, 0);
  grid->addLayout(BrowseRow(code, browse, true), 3, 1);
  grid->addWidget(new QLabel(Q("查询方式：")), 4, 0);
  auto* modeRow = new QHBoxLayout;
  modeRow->addWidget(one);
  modeRow->addWidget(all);
  modeRow->addStretch();
  grid->addLayout(modeRow, 4, 1);
  auto* nonzero = NonzeroBox(model.nonzero);
  grid->addWidget(nonzero, 5, 1);
  auto* ok = new QPushButton(Q("&S.确认"));
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid);
  layout->addLayout(OkCancelRow(dialog, ok, "&X.取消"));
  std::map<std::string, QWidget*> fields = {
      {"fromYear", from->year}, {"fromMonth", from->month}, {"fromDay", from->day}, {"toYear", to->year},
      {"toMonth", to->month},   {"toDay", to->day},         {"code", code}};
  QObject::connect(browse, &QPushButton::clicked, dialog, Guard([&model, code] {
                     model.code = code->GbkText();
                     model.OnBrowse();
                     code->SetGbkText(model.code);
                   }));
  QObject::connect(ok, &QPushButton::clicked, dialog, Guard([&model, dialog, from, to, code, all, nonzero, fields] {
                     from->Read(model.from);
                     to->Read(model.to);
                     model.code = code->GbkText();
                     model.allLevels = all->isChecked();
                     model.nonzero = nonzero->isChecked();
                     if (model.OnOK())
                       dialog->accept();
                     else
                       FocusNamed(fields, model.focus);
                   }));
  from->year->setFocus();
  return dialog;
}

bool RunTurnoverRangeDialog(CTurnoverRangeDlg& model, QWidget* parent) {
  return ExecOnce(MakeTurnoverRangeDialog(model, parent));
}
