#include "password_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_kit.h"
#include "face_owner.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

namespace {

MaskEdit* PasswordEdit(const FieldMask& mask) {
  auto* edit = new MaskEdit;
  edit->setEchoMode(QLineEdit::Password);
  edit->SetMask(mask);
  edit->setFixedWidth(140);
  return edit;
}

}  // namespace

PasswordConfirmDialog::PasswordConfirmDialog(CPasswordConfirmDlg& model, QWidget* parent)
    : ModelDialog(parent, model) {
  setWindowTitle(Q(CPasswordConfirmDlg::Caption()));
  confirmEdit_ = PasswordEdit(CPasswordConfirmDlg::PasswordMask());
  auto* form = new QFormLayout;
  form->addRow(Q("确认口令："), confirmEdit_);
  auto* warning = new QLabel(Q(CPasswordConfirmDlg::Warning()));
  warning->setStyleSheet("color: #8b0000;");
  okButton_ = new QPushButton(Q("&S.确认"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(warning);
  layout->addLayout(OkCancelRow(this, okButton_, "&X.取消"));

  setMinimumWidth(360);
  connect(confirmEdit_, &MaskEdit::GbkTextChanged, this, Guard([this](const std::string& text) {
            model_.OnConfirmationChanged(text);
            okButton_->setEnabled(model_.okEnabled);
          }));
  connect(okButton_, &QPushButton::clicked, this, Guard([this] {
            if (AcceptWhenTaken()) return;
            confirmEdit_->setFocus();
            confirmEdit_->selectAll();
          }));
  okButton_->setEnabled(model_.okEnabled);
  confirmEdit_->setFocus();
}

PasswordDialog::PasswordDialog(CVyDataEnv& env, QWidget* parent) : ModelDialog(parent, env) {
  setWindowTitle(Q(CPasswordDlg::Caption()));
  auto* shown = new QLabel(Q(model_.operatorText));
  passwordEdit_ = PasswordEdit(CPasswordDlg::PasswordMask());
  auto* form = new QFormLayout;
  form->addRow(Q("操作员："), shown);
  form->addRow(Q("输入口令："), passwordEdit_);
  okButton_ = new QPushButton(Q("&S.确认"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(new QLabel(Q(CPasswordDlg::Note())));
  layout->addLayout(OkCancelRow(this, okButton_, "&X.取消", &cancelButton_));

  setMinimumWidth(340);
  connect(passwordEdit_, &MaskEdit::GbkTextChanged, this, Guard([this](const std::string& text) {
            model_.OnPasswordChanged(text);
            Sync();
          }));
  connect(okButton_, &QPushButton::clicked, this, Guard(this, &PasswordDialog::OnOk));
  Sync();
  passwordEdit_->setFocus();
}

void PasswordDialog::Sync() {
  passwordEdit_->setEnabled(model_.controlsEnabled);
  okButton_->setEnabled(model_.controlsEnabled && model_.okEnabled);
  cancelButton_->setEnabled(model_.controlsEnabled);
}

void PasswordDialog::OnOk() {
  FaceOwner over(this);
  model_.controlsEnabled = false;
  Sync();
  bool done = model_.OnOk();
  Sync();
  if (done) accept();
}
