#include "interest_post_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "date_fields_edit.h"
#include "gbk_qt.h"
#include "mask_edit.h"

InterestPostDialog::InterestPostDialog(CInterestPostDlg& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setWindowTitle(Q(CInterestPostDlg::Caption()));
  date_ = new DateFieldsEdit(model_.fields);
  summary_ = new MaskEdit;
  summary_->SetMask(CInterestPostDlg::SummaryMask());
  summary_->SetGbkText(model_.summaryText);
  summary_->setMinimumWidth(260);
  auto* form = new QFormLayout;
  form->addRow(Q("记帐日期："), date_);
  form->addRow(Q("摘    要："), summary_);
  auto* box = new QGroupBox(Q(CInterestPostDlg::Heading()));
  box->setLayout(form);
  auto* buttons = new QDialogButtonBox;
  auto* ok = buttons->addButton(Q("&S.确认"), QDialogButtonBox::AcceptRole);
  buttons->addButton(Q("取消"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &InterestPostDialog::OnOk);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addWidget(buttons);
  date_->FocusPart(DateFields::kYear);
}

void InterestPostDialog::OnOk() {
  model_.fields = date_->Fields();
  model_.summaryText = summary_->GbkText();
  if (model_.OnOk()) {
    accept();
    return;
  }
  using F = CInterestPostDlg::Focus;
  if (model_.focus == F::Summary)
    summary_->setFocus();
  else
    date_->FocusPart(static_cast<DateFields::Part>(static_cast<int>(model_.focus)));
}
