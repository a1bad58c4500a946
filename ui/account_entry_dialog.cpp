#include "account_entry_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_kit.h"
#include "enter_order.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

AccountEntryDialog::AccountEntryDialog(CAccountEntryDlg& model, QWidget* parent)
    : ModelDialog(parent, model) {
  setWindowTitle(Q(CAccountEntryDlg::Title()));
  year_ = MaskField(CAccountEntryDlg::YearMask(), "", 60);
  month_ = MaskField(CAccountEntryDlg::MonthMask(), "", 40);
  code_ = MaskField(CAccountEntryDlg::CodeMask(), "", 150);
  code_->setMaxLength(CAccountEntryDlg::kCodeLength);
  browse_ = new QPushButton(Q("浏览..."));
  ok_ = new QPushButton(Q("&S.确认"));
  auto* cancel = new QPushButton(Q("取消"));

  auto* box = new QGroupBox(Q(CAccountEntryDlg::Caption()));
  auto* grid = new QGridLayout(box);
  grid->addLayout(FieldRow({year_, "年", month_, "月"}), 0, 0, 1, 3);
  grid->addWidget(new QLabel(Q("帐户代码")), 1, 0);
  grid->addWidget(code_, 1, 1);
  grid->addWidget(browse_, 1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addLayout(ButtonPair(ok_, cancel));

  year_->SetGbkText(model_.yearText);
  month_->SetGbkText(model_.monthText);
  code_->SetGbkText(model_.code);
  year_->setEnabled(model_.yearEnabled);
  new EnterOrder(this, {year_, month_, code_}, ok_);
  browse_->setAutoDefault(false);
  for (MaskEdit* e : {year_, month_, code_}) {
    connect(e, &MaskEdit::GbkTextChanged, this, Guard([this] {
              Take();
              ok_->setEnabled(model_.OkEnabled());
            }));
  }
  connect(browse_, &QPushButton::clicked, this, Guard([this] {
            Take();
            model_.OnBrowse();
            code_->SetGbkText(model_.code);
            Show();
          }));
  connect(ok_, &QPushButton::clicked, this, Guard([this] {
            Take();
            if (AcceptWhenTaken()) return;
            Show();
          }));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  ok_->setEnabled(model_.OkEnabled());
  (model_.yearEnabled ? year_ : month_)->setFocus();
}

void AccountEntryDialog::Take() {
  model_.yearText = year_->GbkText();
  model_.monthText = month_->GbkText();
  model_.code = code_->GbkText();
}

void AccountEntryDialog::Show() {
  using F = CAccountEntryDlg::Focus;
  MaskEdit* target = model_.focus == F::Year ? year_ : model_.focus == F::Month ? month_ : code_;
  if (model_.focus != F::None) {
    target->setFocus();
    target->selectAll();
  }
}

bool AccountEntryDialog::Ask(CAccountEntryDlg& model, QWidget* parent) {
  if (!model.OnInitDialog()) return false;
  AccountEntryDialog dialog(model, parent);
  return dialog.exec() == QDialog::Accepted;
}
