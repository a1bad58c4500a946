#include "ledger_period_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "data/db_guard.h"
#include "dialog_kit.h"
#include "ledgers/ledger_period_dlg.h"

LedgerPeriodDialog::LedgerPeriodDialog(CLedgerPeriodDlg& model, QWidget* parent)
    : ModelDialog(parent, model) {
  setWindowTitle(Q("Tavrel软件(项目核算)"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Q("输入查询时条件")));
  start_ = MonthEdit(model.startMonth);
  end_ = MonthEdit(model.endMonth);
  layout->addLayout(FieldRow({"日期:", model.yearText, "年", start_, "月 至", end_, "月"}));
  auto* kind = new QHBoxLayout;
  reached_ = new QRadioButton(Q("本帐已达"));
  unreached_ = new QRadioButton(Q("本帐未达"));
  (model.reached ? reached_ : unreached_)->setChecked(true);
  kind->addWidget(new QLabel(Q("类型:")));
  kind->addWidget(reached_);
  kind->addWidget(unreached_);
  kind->addStretch();
  layout->addLayout(kind);
  layout->addWidget(OkCancelBox(this, "确认", "取消"));
}

void LedgerPeriodDialog::accept() {
  model_.startMonth = G(start_->text()).value_or("");
  model_.endMonth = G(end_->text()).value_or("");
  model_.reached = reached_->isChecked();
  bool confirmed = false;
  if (!RunCatchingDbErrors([&] { confirmed = model_.Confirm(); })) return;
  if (!confirmed) return FocusStartOrEnd(model_.focus, start_, end_);
  QDialog::accept();
}
