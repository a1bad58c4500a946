#include "operator_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "field_validator.h"
#include "gbk_qt.h"

OperatorDialog::OperatorDialog(COperatorDlg& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle(Q(model_.Caption()));
  codeEdit_ = new QLineEdit(Q(model_.code));
  ApplyFieldRule(codeEdit_, COperatorDlg::CodeRule());
  codeEdit_->setEnabled(model_.codeEnabled);
  codeEdit_->setFixedWidth(60);
  nameEdit_ = new QLineEdit(Q(model_.name));
  ApplyFieldRule(nameEdit_, COperatorDlg::NameRule());
  nameEdit_->setFixedWidth(120);

  auto* form = new QFormLayout;
  form->addRow(Q("代码："), codeEdit_);
  form->addRow(Q("姓名："), nameEdit_);
  auto* ok = new QPushButton(Q("&S.确认"));
  auto* cancel = new QPushButton(Q("&X.取消"));
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  setMinimumWidth(280);
  connect(ok, &QPushButton::clicked, this, &OperatorDialog::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  (model_.focus == COperatorDlg::Focus::Name ? nameEdit_ : codeEdit_)->setFocus();
}

void OperatorDialog::OnOk() {
  model_.code = G(codeEdit_->text()).value_or(std::string());
  model_.name = G(nameEdit_->text()).value_or(std::string());
  if (model_.OnOk()) {
    accept();
    return;
  }
  // The name comes back trimmed, or cleared when it held a refused character.
  nameEdit_->setText(Q(model_.name));
  QLineEdit* field = model_.focus == COperatorDlg::Focus::Name ? nameEdit_ : codeEdit_;
  field->setFocus();
  field->selectAll();
}

bool QtOperatorDialogRunner::Run(COperatorDlg& dialog) {
  OperatorDialog window(dialog, parent_);
  return window.exec() == QDialog::Accepted;
}
