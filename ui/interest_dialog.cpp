#include "interest_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "date_fields_edit.h"
#include "dialog_kit.h"
#include "enter_order.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

namespace {

QHBoxLayout* Pair(QRadioButton* a, QRadioButton* b) {
  auto* group = new QButtonGroup(a);
  group->addButton(a);
  group->addButton(b);
  auto* row = new QHBoxLayout;
  row->addWidget(a);
  row->addSpacing(24);
  row->addWidget(b);
  row->addStretch();
  return row;
}

}  // namespace

InterestDialog::InterestDialog(CInterestDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(CInterestDlg::Caption()));
  start_ = new DateFieldsEdit(model_.start);
  end_ = new DateFieldsEdit(model_.end);
  code_ = new MaskEdit;
  code_->SetMask(CInterestDlg::CodeMask());
  code_->setMaxLength(CInterestDlg::kCodeLength);
  code_->SetGbkText(model_.code);
  auto* browse = new QPushButton(Q("浏览..."));
  // 浏览... is pressed by its own Enter, never by the Enter of a field.
  browse->setAutoDefault(false);
  rate_ = new MaskEdit;
  rate_->SetMask(CInterestDlg::RateMask());
  rate_->setMaxLength(CInterestDlg::kRateLength);
  rate_->SetGbkText(model_.rateText);
  equal_ = new QRadioButton(Q("等月法"));
  actual_ = new QRadioButton(Q("实月法"));
  debit_ = new QRadioButton(Q("借  方"));
  credit_ = new QRadioButton(Q("贷  方"));
  (model_.method == DayCount::EqualMonths ? equal_ : actual_)->setChecked(true);
  (model_.credit ? credit_ : debit_)->setChecked(true);

  auto* codeRow = new QHBoxLayout;
  codeRow->addWidget(code_);
  codeRow->addWidget(browse);
  auto* form = new QFormLayout;
  form->addRow(Q("起息时间："), start_);
  form->addRow(Q("止息时间："), end_);
  form->addRow(Q("帐户代码："), codeRow);
  form->addRow(Q("日 利 率："), rate_);
  form->addRow(QString(), new QLabel(Q("（万分数）")));
  form->addRow(Q("计息方法："), Pair(equal_, actual_));
  form->addRow(Q("余额方向："), Pair(debit_, credit_));
  auto* box = new QGroupBox(Q(CInterestDlg::Heading()));
  box->setLayout(form);

  QPushButton* ok;
  QDialogButtonBox* buttons = ConfirmBox(this, "&S.确认", "取消", Guard(this, &InterestDialog::OnOk), &ok);
  connect(browse, &QPushButton::clicked, this, Guard([this] {
            Store();
            model_.OnBrowse();
            code_->SetGbkText(model_.code);
            code_->setFocus();
          }));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addWidget(buttons);
  std::vector<QWidget*> order = start_->Parts();
  for (QWidget* w : end_->Parts()) order.push_back(w);
  order.insert(order.end(), {code_, rate_});
  new EnterOrder(this, order, ok);
  start_->FocusPart(DateFields::kYear);
}

void InterestDialog::Store() {
  model_.start = start_->Fields();
  model_.end = end_->Fields();
  model_.code = code_->GbkText();
  model_.rateText = rate_->GbkText();
  model_.method = actual_->isChecked() ? DayCount::ActualMonths : DayCount::EqualMonths;
  model_.credit = credit_->isChecked();
}

void InterestDialog::OnOk() {
  Store();
  if (AcceptWhenTaken()) return;
  using F = CInterestDlg::Focus;
  // The part of a date the focus names, counting from that date's year.
  auto partFrom = [this](F year) {
    return static_cast<DateFields::Part>(static_cast<int>(model_.focus) - static_cast<int>(year) + 1);
  };
  switch (model_.focus) {
    case F::StartYear:
    case F::StartMonth:
    case F::StartDay:
      start_->FocusPart(partFrom(F::StartYear));
      break;
    case F::EndYear:
    case F::EndMonth:
    case F::EndDay:
      end_->FocusPart(partFrom(F::EndYear));
      break;
    case F::Code:
      code_->setFocus();
      break;
    default:
      rate_->setFocus();
      break;
  }
}
