#include "interest_post_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "date_fields_edit.h"
#include "dialog_kit.h"
#include "enter_order.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

InterestPostDialog::InterestPostDialog(CInterestPostDlg& model, QWidget* parent)
    : ModelDialog(parent, model) {
  setWindowTitle(Q(CInterestPostDlg::Caption()));
  date_ = new DateFieldsEdit(model_.fields);
  summary_ = new MaskEdit;
  summary_->SetMask(CInterestPostDlg::SummaryMask());
  summary_->SetGbkText(model_.summaryText);
  summary_->setMinimumWidth(260);
  counter_ = new MaskEdit;
  counter_->SetMask(CInterestPostDlg::CounterMask());
  counter_->setMaxLength(CInterestPostDlg::kCounterLength);
  counter_->SetGbkText(model_.counterText);
  auto* browse = new QPushButton(Q("浏览..."));
  browse->setAutoDefault(false);
  QHBoxLayout* counterRow = BrowseRow(counter_, browse, false);
  auto* form = new QFormLayout;
  form->addRow(Q("记帐日期："), date_);
  form->addRow(Q("摘    要："), summary_);
  form->addRow(Q("对方科目："), counterRow);
  form->addRow(QString(), new QLabel(Q("（可不填：不填则只记利息帐户）")));
  auto* box = new QGroupBox(Q(CInterestPostDlg::Heading()));
  box->setLayout(form);
  QPushButton* ok;
  QDialogButtonBox* buttons =
      ConfirmBox(this, "&S.确认", "取消", Guard(this, &InterestPostDialog::OnOk), &ok);
  connect(browse, &QPushButton::clicked, this, Guard([this] {
            model_.counterText = counter_->GbkText();
            model_.OnBrowseCounter();
            counter_->SetGbkText(model_.counterText);
            counter_->setFocus();
          }));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addWidget(buttons);
  std::vector<QWidget*> order = date_->Parts();
  order.insert(order.end(), {summary_, counter_});
  new EnterOrder(this, order, ok);
  date_->FocusPart(DateFields::kYear);
}

void InterestPostDialog::OnOk() {
  model_.fields = date_->Fields();
  model_.summaryText = summary_->GbkText();
  model_.counterText = counter_->GbkText();
  if (AcceptWhenTaken()) return;
  using F = CInterestPostDlg::Focus;
  if (model_.focus == F::Summary)
    summary_->setFocus();
  else if (model_.focus == F::Counter)
    counter_->setFocus();
  else
    date_->FocusPart(static_cast<DateFields::Part>(static_cast<int>(model_.focus)));
}
