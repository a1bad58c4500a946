// The closing dialog: the plan follows the month as it is typed, so what 记帐 asks about is on the screen.
#include "pl_closing_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_kit.h"
#include "gbk_qt.h"
#include "guarded.h"

ClosingDialog::ClosingDialog(CClosingDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(CClosingDlg::Caption()));
  month_ = MonthEdit(model_.monthText);
  auto* monthLabel = new QLabel(Q("&M.月份："));
  monthLabel->setBuddy(month_);
  lines_ = new QListWidget;
  lines_->setMinimumSize(460, 220);
  lines_->setSelectionMode(QAbstractItemView::NoSelection);
  note_ = new QLabel;
  note_->setWordWrap(true);
  auto* ok = new QPushButton(Q("&J.记帐"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(FieldRow({monthLabel, month_, "月"}));
  layout->addWidget(new QLabel(Q("结转损益的分录：")));
  layout->addWidget(lines_);
  layout->addWidget(note_);
  layout->addLayout(OkCancelRow(this, ok, "&X.退出"));
  connect(month_, &QLineEdit::textEdited, this, Guard(this, &ClosingDialog::Replan));
  connect(ok, &QPushButton::clicked, this, Guard(this, &ClosingDialog::OnOk));
  Refresh();
  month_->setFocus();
  month_->selectAll();
}

void ClosingDialog::Replan() {
  model_.monthText = G(month_->text()).value_or("");
  model_.OnPlan();
  Refresh();
}

void ClosingDialog::Refresh() {
  lines_->clear();
  for (const std::string& line : model_.lines) lines_->addItem(Q(line));
  note_->setText(Q(model_.note));
}

void ClosingDialog::OnOk() {
  model_.monthText = G(month_->text()).value_or("");
  bool posted = AcceptWhenTaken();
  Refresh();
  if (!posted && model_.focus == "month") FocusNamed({{"month", month_}}, "month");
}
