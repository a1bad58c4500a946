#pragma once
// The Qt faces of "操作员口令设置" (CPasswordDlg) and of its confirmation (CPasswordConfirmDlg).
#include "admin/password_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QPushButton;

class PasswordConfirmDialog : public ModelDialog<CPasswordConfirmDlg&> {
  Q_OBJECT

 public:
  explicit PasswordConfirmDialog(CPasswordConfirmDlg& model, QWidget* parent = nullptr);

 private:
  MaskEdit* confirmEdit_;
  QPushButton* okButton_;
};

class PasswordDialog : public ModelDialog<CPasswordDlg> {
  Q_OBJECT

 public:
  explicit PasswordDialog(CVyDataEnv& env, QWidget* parent = nullptr);

 private:
  void Sync();
  void OnOk();

  MaskEdit* passwordEdit_;
  QPushButton *okButton_, *cancelButton_;
};
