#pragma once
// The Qt faces of "操作员口令设置" (CPasswordDlg) and of its confirmation (CPasswordConfirmDlg).
#include <QDialog>

#include "admin/password_dlg.h"

class MaskEdit;
class QPushButton;

class PasswordConfirmDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PasswordConfirmDialog(CPasswordConfirmDlg& model, QWidget* parent = nullptr);

 private:
  CPasswordConfirmDlg& model_;
  MaskEdit* confirmEdit_;
  QPushButton* okButton_;
};

class PasswordDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PasswordDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  CPasswordDlg& Model() { return model_; }

 private:
  void Sync();
  void OnOk();

  CPasswordDlg model_;
  MaskEdit* passwordEdit_;
  QPushButton *okButton_, *cancelButton_;
};
