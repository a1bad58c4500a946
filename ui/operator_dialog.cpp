#include "operator_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_kit.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

OperatorDialog::OperatorDialog(COperatorDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(model_.Caption()));
  codeEdit_ = new MaskEdit;
  codeEdit_->SetMask(COperatorDlg::CodeMask());
  codeEdit_->SetGbkText(model_.code);
  codeEdit_->setEnabled(model_.codeEnabled);
  codeEdit_->setFixedWidth(60);
  nameEdit_ = new MaskEdit;
  nameEdit_->SetMask(COperatorDlg::NameMask());
  nameEdit_->SetGbkText(model_.name);
  nameEdit_->setFixedWidth(120);

  auto* form = new QFormLayout;
  form->addRow(Q("代码："), codeEdit_);
  form->addRow(Q("姓名："), nameEdit_);
  auto* ok = new QPushButton(Q("&S.确认"));
  QHBoxLayout* buttons = OkCancelRow(this, ok, "&X.取消");
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  setMinimumWidth(280);
  connect(ok, &QPushButton::clicked, this, Guard(this, &OperatorDialog::OnOk));
  (model_.focus == COperatorDlg::Focus::Name ? nameEdit_ : codeEdit_)->setFocus();
}

void OperatorDialog::OnOk() {
  model_.code = codeEdit_->GbkText();
  model_.name = nameEdit_->GbkText();
  if (AcceptWhenTaken()) return;
  // The name comes back trimmed, or cleared when it held a refused character.
  nameEdit_->SetGbkText(model_.name);
  MaskEdit* field = model_.focus == COperatorDlg::Focus::Name ? nameEdit_ : codeEdit_;
  field->setFocus();
  field->selectAll();
}
