#include "currency_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "accounts/account_code.h"
#include "dialog_kit.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

CurrencyDialog::CurrencyDialog(CCurrencyDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(CCurrencyDlg::Caption()));
  code_ = new MaskEdit;
  code_->SetMask(CCurrencyDlg::CodeMask());
  code_->setFixedWidth(70);
  name_ = new MaskEdit;
  name_->SetMask(CCurrencyDlg::NameMask());
  name_->setFixedWidth(130);
  account_ = new MaskEdit;
  account_->SetMask(CCurrencyDlg::GainAccountMask());
  account_->setMaxLength(static_cast<int>(kMaxCodeLength));
  account_->setFixedWidth(130);
  browse_ = new QPushButton(Q("浏览..."));
  browse_->setAutoDefault(false);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Q("币种代码")), 0, 0);
  grid->addWidget(code_, 0, 1, Qt::AlignLeft);
  grid->addWidget(new QLabel(Q("币种名称")), 1, 0);
  grid->addWidget(name_, 1, 1, Qt::AlignLeft);
  grid->addWidget(new QLabel(Q("汇兑损益科目")), 2, 0);
  grid->addWidget(account_, 2, 1);
  grid->addWidget(browse_, 2, 2);

  ok_ = new QPushButton(Q("&S.确认"));
  QHBoxLayout* buttons = OkCancelRow(this, ok_, "&X.取消");
  hint_ = new QLabel;
  hint_->setWordWrap(true);
  hint_->setStyleSheet("color: #b00000;");
  hint_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(hint_);
  layout->addLayout(buttons);
  connect(code_, &MaskEdit::Refused, this, [this](const QString& typed) {
    std::string text = CCurrencyDlg::CodeRefusalText(G(typed).value_or("?"));
    if (text.empty()) return;
    hint_->setText(Q(text));
    hint_->show();
  });
  connect(code_, &MaskEdit::GbkTextChanged, this, [this] { hint_->hide(); });

  code_->SetGbkText(model_.code);
  name_->SetGbkText(model_.name);
  account_->SetGbkText(model_.gainAccount);
  for (MaskEdit* e : {code_, name_, account_})
    connect(e, &MaskEdit::GbkTextChanged, this, Guard([this] { Take(); }));
  connect(browse_, &QPushButton::clicked, this, Guard([this] {
            Take();
            model_.OnBrowseAccount();
            account_->SetGbkText(model_.gainAccount);
            account_->setFocus();
          }));
  connect(ok_, &QPushButton::clicked, this, Guard(this, &CurrencyDialog::OnOk));
  Take();
  (model_.mode() == CCurrencyDlg::Mode::Add ? code_ : name_)->setFocus();
}

void CurrencyDialog::Take() {
  model_.code = code_->GbkText();
  model_.name = name_->GbkText();
  model_.gainAccount = account_->GbkText();
  ok_->setEnabled(model_.OkEnabled());
}

void CurrencyDialog::OnOk() {
  Take();
  if (AcceptWhenTaken()) return;
  MaskEdit* field = model_.focus == CCurrencyDlg::Focus::Code   ? code_
                    : model_.focus == CCurrencyDlg::Focus::Name ? name_
                                                                : account_;
  field->setFocus();
  field->selectAll();
}
