#include "reconcile_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "date_fields_edit.h"
#include "dialog_kit.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

ReconcileDialog::ReconcileDialog(CReconcileDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(CReconcileDlg::Caption()));
  start_ = new DateFieldsEdit(model_.start);
  end_ = new DateFieldsEdit(model_.end);
  code_ = new MaskEdit;
  code_->SetMask(CReconcileDlg::CodeMask());
  code_->setMaxLength(CReconcileDlg::kCodeLength);
  code_->SetGbkText(model_.code);
  auto* browse = new QPushButton(Q("浏览..."));
  balance_ = new MaskEdit;
  balance_->SetMask(CReconcileDlg::BalanceMask());
  balance_->SetGbkText(model_.balanceText);

  QHBoxLayout* codeRow = BrowseRow(code_, browse, false);
  auto* form = new QFormLayout;
  form->addRow(Q("起始时间："), start_);
  form->addRow(Q("终止时间："), end_);
  form->addRow(Q("帐 户 代 码："), codeRow);
  form->addRow(Q("对方帐户余额："), balance_);
  auto* box = new QGroupBox(Q(CReconcileDlg::Heading()));
  box->setLayout(form);

  QDialogButtonBox* buttons = ConfirmBox(this, "&S.确认", "取消", Guard(this, &ReconcileDialog::OnOk));
  connect(browse, &QPushButton::clicked, this, Guard([this] {
            Store();
            model_.OnBrowse();
            code_->SetGbkText(model_.code);
            code_->setFocus();
          }));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addWidget(buttons);
  start_->FocusPart(DateFields::kYear);
}

void ReconcileDialog::Store() {
  model_.start = start_->Fields();
  model_.end = end_->Fields();
  model_.code = code_->GbkText();
  model_.balanceText = balance_->GbkText();
}

void ReconcileDialog::OnOk() {
  Store();
  if (AcceptWhenTaken()) return;
  using F = CReconcileDlg::Focus;
  int f = static_cast<int>(model_.focus);
  if (model_.focus >= F::StartYear && model_.focus <= F::StartDay)
    start_->FocusPart(static_cast<DateFields::Part>(f - static_cast<int>(F::StartYear) + 1));
  else if (model_.focus >= F::EndYear && model_.focus <= F::EndDay)
    end_->FocusPart(static_cast<DateFields::Part>(f - static_cast<int>(F::EndYear) + 1));
  else if (model_.focus == F::Balance)
    balance_->setFocus();
  else
    code_->setFocus();
}
