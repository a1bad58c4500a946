#include "fuzzy_query_dialog.h"

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

#include "dialog_kit.h"
#include "guarded.h"
#include "reports/fuzzy_query_dlg.h"

QDialog* MakeFuzzyQueryDialog(CFuzzyQueryDlg& model, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setWindowTitle(Q("Tavrel软件"));
  auto* summary = MaskField(CFuzzyQueryDlg::SummaryMask(), model.summary, 300);
  auto* code = MaskField(CFuzzyQueryDlg::CodeMask(), model.code, 140);
  auto* amount1 = MaskField(CFuzzyQueryDlg::AmountMask(), model.amount1, 110);
  auto* amount2 = MaskField(CFuzzyQueryDlg::AmountMask(), model.amount2, 110);
  auto* start = MaskField(CFuzzyQueryDlg::MonthMask(), model.startMonth, 36);
  auto* end = MaskField(CFuzzyQueryDlg::MonthMask(), model.endMonth, 36);
  auto* browse = new QPushButton(Q("浏览科目"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Q("请输入查找的条件")), 0, 0, 1, 2);
  grid->addWidget(new QLabel(Q("摘要：")), 1, 0);
  grid->addWidget(summary, 1, 1);
  grid->addWidget(new QLabel(Q("科目：")), 2, 0);
  grid->addLayout(BrowseRow(code, browse, true), 2, 1);
  grid->addLayout(FieldRow({"金额在", amount1, "与", amount2, "之间"}), 3, 0, 1, 2);
  auto* time = new QGroupBox(Q("时间范围"));
  FieldRow({model.yearText + " 年", start, "月 至", end, "月"}, false, time);
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
  layout->addLayout(OkCancelRow(dialog, ok, "取消"));
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
                       FocusNamed(fields, model.focus);
                     }
                   }));
  enable();
  summary->setFocus();
  return dialog;
}

bool RunFuzzyQueryDialog(CFuzzyQueryDlg& model, QWidget* parent) {
  return ExecOnce(MakeFuzzyQueryDialog(model, parent));
}
