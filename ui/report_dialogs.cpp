#include "report_dialogs.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <map>
#include <memory>

#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"
#include "reports/balance_date_dlg.h"
#include "reports/fuzzy_query_dlg.h"
#include "reports/turnover_range_dlg.h"

namespace {

FieldMask Digits(int n) {
  return {"STRING 0123456789", n};
}

MaskEdit* Field(const FieldMask& mask, const std::string& text, int width) {
  auto* edit = new MaskEdit;
  edit->SetMask(mask);
  edit->SetGbkText(text);
  edit->setFixedWidth(width);
  return edit;
}

// Year, month and day fields in one row, bound to a date of the model.
struct DateRow {
  MaskEdit *year, *month, *day;
  DateRow(const DateFields& d)
      : year(Field(Digits(4), d.year, 56)),
        month(Field(Digits(2), d.month, 36)),
        day(Field(Digits(2), d.day, 36)) {}
  QHBoxLayout* Layout() {
    auto* row = new QHBoxLayout;
    row->addWidget(year);
    row->addWidget(new QLabel(Q("年")));
    row->addWidget(month);
    row->addWidget(new QLabel(Q("月")));
    row->addWidget(day);
    row->addWidget(new QLabel(Q("日")));
    row->addStretch();
    return row;
  }
  void Read(DateFields& d) const { d = {year->GbkText(), month->GbkText(), day->GbkText()}; }
};

QHBoxLayout* Buttons(QDialog* dialog, QPushButton* ok, const char* cancelText) {
  auto* cancel = new QPushButton(Q(cancelText));
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

void FocusOn(const std::map<std::string, QWidget*>& fields, const std::string& name) {
  auto it = fields.find(name);
  if (it == fields.end()) return;
  it->second->setFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(it->second)) edit->selectAll();
}

bool Run(QDialog* dialog) {
  std::unique_ptr<QDialog> owned(dialog);
  return dialog->exec() == QDialog::Accepted;
}

}  // namespace

QDialog* MakeBalanceDateDialog(CBalanceDateDlg& model, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setWindowTitle(Q("Tavrel软件"));
  auto* code = Field(CBalanceDateDlg::CodeMask(), model.code, 140);
  auto date = std::make_shared<DateRow>(model.date);
  auto* browse = new QPushButton(Q("浏览..."));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Q("年度:")), 0, 0);
  grid->addWidget(new QLabel(Q(model.yearText)), 0, 1);
  grid->addWidget(new QLabel(Q("科目代码:")), 1, 0);
  auto* codeRow = new QHBoxLayout;
  codeRow->addWidget(code);
  codeRow->addWidget(browse);
  codeRow->addStretch();
  grid->addLayout(codeRow, 1, 1);
  grid->addWidget(new QLabel(Q("截止时间:")), 2, 0);
  grid->addLayout(date->Layout(), 2, 1);
  auto* ok = new QPushButton(Q("&S.确认"));
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid);
  layout->addLayout(Buttons(dialog, ok, "&X.取消"));
  std::map<std::string, QWidget*> fields = {
      {"code", code}, {"year", date->year}, {"month", date->month}, {"day", date->day}};
  QObject::connect(browse, &QPushButton::clicked, dialog, Guard([&model, code] {
                     model.code = code->GbkText();
                     model.OnBrowse();
                     code->SetGbkText(model.code);
                   }));
  QObject::connect(ok, &QPushButton::clicked, dialog, Guard([&model, dialog, code, date, fields] {
                     model.code = code->GbkText();
                     date->Read(model.date);
                     if (model.OnOK())
                       dialog->accept();
                     else
                       FocusOn(fields, model.focus);
                   }));
  date->year->setFocus();
  return dialog;
}

QDialog* MakeTurnoverRangeDialog(CTurnoverRangeDlg& model, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setWindowTitle(Q("Tavrel软件"));
  auto from = std::make_shared<DateRow>(model.from), to = std::make_shared<DateRow>(model.to);
  auto* code = Field(CTurnoverRangeDlg::CodeMask(), model.code, 140);
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
  auto* codeRow = new QHBoxLayout;
  codeRow->addWidget(code);
  codeRow->addWidget(browse);
  codeRow->addStretch();
  grid->addLayout(codeRow, 3, 1);
  grid->addWidget(new QLabel(Q("查询方式：")), 4, 0);
  auto* modeRow = new QHBoxLayout;
  modeRow->addWidget(one);
  modeRow->addWidget(all);
  modeRow->addStretch();
  grid->addLayout(modeRow, 4, 1);
  auto* ok = new QPushButton(Q("&S.确认"));
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid);
  layout->addLayout(Buttons(dialog, ok, "&X.取消"));
  std::map<std::string, QWidget*> fields = {
      {"fromYear", from->year}, {"fromMonth", from->month}, {"fromDay", from->day}, {"toYear", to->year},
      {"toMonth", to->month},   {"toDay", to->day},         {"code", code}};
  QObject::connect(browse, &QPushButton::clicked, dialog, Guard([&model, code] {
                     model.code = code->GbkText();
                     model.OnBrowse();
                     code->SetGbkText(model.code);
                   }));
  QObject::connect(ok, &QPushButton::clicked, dialog, Guard([&model, dialog, from, to, code, all, fields] {
                     from->Read(model.from);
                     to->Read(model.to);
                     model.code = code->GbkText();
                     model.allLevels = all->isChecked();
                     if (model.OnOK())
                       dialog->accept();
                     else
                       FocusOn(fields, model.focus);
                   }));
  from->year->setFocus();
  return dialog;
}

QDialog* MakeFuzzyQueryDialog(CFuzzyQueryDlg& model, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setWindowTitle(Q("Tavrel软件"));
  auto* summary = Field(CFuzzyQueryDlg::SummaryMask(), model.summary, 300);
  auto* code = Field(CFuzzyQueryDlg::CodeMask(), model.code, 140);
  auto* amount1 = Field(CFuzzyQueryDlg::AmountMask(), model.amount1, 110);
  auto* amount2 = Field(CFuzzyQueryDlg::AmountMask(), model.amount2, 110);
  auto* start = Field(CFuzzyQueryDlg::MonthMask(), model.startMonth, 36);
  auto* end = Field(CFuzzyQueryDlg::MonthMask(), model.endMonth, 36);
  auto* browse = new QPushButton(Q("浏览科目"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Q("请输入查找的条件")), 0, 0, 1, 2);
  grid->addWidget(new QLabel(Q("摘要：")), 1, 0);
  grid->addWidget(summary, 1, 1);
  grid->addWidget(new QLabel(Q("科目：")), 2, 0);
  auto* codeRow = new QHBoxLayout;
  codeRow->addWidget(code);
  codeRow->addWidget(browse);
  codeRow->addStretch();
  grid->addLayout(codeRow, 2, 1);
  auto* amountRow = new QHBoxLayout;
  amountRow->addWidget(new QLabel(Q("金额在")));
  amountRow->addWidget(amount1);
  amountRow->addWidget(new QLabel(Q("与")));
  amountRow->addWidget(amount2);
  amountRow->addWidget(new QLabel(Q("之间")));
  amountRow->addStretch();
  grid->addLayout(amountRow, 3, 0, 1, 2);
  auto* time = new QGroupBox(Q("时间范围"));
  auto* timeRow = new QHBoxLayout(time);
  timeRow->addWidget(new QLabel(Q(model.yearText + " 年")));
  timeRow->addWidget(start);
  timeRow->addWidget(new QLabel(Q("月 至")));
  timeRow->addWidget(end);
  timeRow->addWidget(new QLabel(Q("月")));
  auto* sideBox = new QGroupBox(Q("金额方向"));
  auto* sideRow = new QHBoxLayout(sideBox);
  auto* sides = new QButtonGroup(dialog);
  const char* sideNames[] = {"借方", "贷方", "自动"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(Q(sideNames[i]));
    sides->addButton(b, i);
    sideRow->addWidget(b);
    b->setChecked(i == model.side);
  }
  auto* groups = new QHBoxLayout;
  groups->addWidget(time);
  groups->addWidget(sideBox);
  auto* ok = new QPushButton(Q("确认"));
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid);
  layout->addLayout(groups);
  layout->addLayout(Buttons(dialog, ok, "取消"));
  std::map<std::string, QWidget*> fields = {{"summary", summary}, {"code", code},        {"amount1", amount1},
                                            {"amount2", amount2}, {"startMonth", start}, {"endMonth", end}};
  auto read = [&model, summary, code, amount1, amount2, start, end, sides] {
    model.summary = summary->GbkText();
    model.code = code->GbkText();
    model.amount1 = amount1->GbkText();
    model.amount2 = amount2->GbkText();
    model.startMonth = start->GbkText();
    model.endMonth = end->GbkText();
    model.side = static_cast<CFuzzyQueryDlg::Side>(sides->checkedId());
  };
  auto enable = [&model, ok, read] {
    read();
    ok->setEnabled(model.ConfirmEnabled());
  };
  for (MaskEdit* e : {code, amount1, amount2}) QObject::connect(e, &MaskEdit::GbkTextChanged, dialog, enable);
  QObject::connect(browse, &QPushButton::clicked, dialog, Guard([&model, code, read] {
                     read();
                     model.OnBrowse();
                     code->SetGbkText(model.code);
                   }));
  QObject::connect(ok, &QPushButton::clicked, dialog, Guard([&model, dialog, read, fields, summary] {
                     read();
                     if (model.OnOK()) {
                       dialog->accept();
                     } else {
                       summary->SetGbkText(model.summary);
                       FocusOn(fields, model.focus);
                     }
                   }));
  enable();
  summary->setFocus();
  return dialog;
}

bool RunBalanceDateDialog(CBalanceDateDlg& model, QWidget* parent) {
  return Run(MakeBalanceDateDialog(model, parent));
}
bool RunTurnoverRangeDialog(CTurnoverRangeDlg& model, QWidget* parent) {
  return Run(MakeTurnoverRangeDialog(model, parent));
}
bool RunFuzzyQueryDialog(CFuzzyQueryDlg& model, QWidget* parent) {
  return Run(MakeFuzzyQueryDialog(model, parent));
}
