#pragma once
// The dialog "操作员口令设置": the logged-in operator sets, changes or removes his own password.
#include <string>

#include "admin/password_confirm_dlg.h"
#include "data/data_env.h"

class CPasswordDlg {
 public:
  explicit CPasswordDlg(CVyDataEnv& env);

  static std::string Caption() { return "操作员口令设置"; }
  static std::string Note() { return "设置口令是保护操作员身份的有效手段"; }
  static FieldMask PasswordMask() { return CPasswordConfirmDlg::PasswordMask(); }

  void OnPasswordChanged(const std::string& text);
  // 确认: asks for the confirmation, then stores the password. True when the dialog closes.
  bool OnOk();

  // Fields of the dialog.
  std::string operatorText;  // code, two blanks, name
  std::string password;
  bool okEnabled = false;
  bool controlsEnabled = true;

 private:
  CVyDataEnv& env_;
};
