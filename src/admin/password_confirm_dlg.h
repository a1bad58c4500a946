#pragma once
// The confirmation of a new password: the password typed a second time must equal the first byte for byte.
#include <string>

#include "base/field_rule.h"

class CPasswordConfirmDlg {
 public:
  explicit CPasswordConfirmDlg(std::string newPassword);

  static std::string Caption() { return "操作员口令设置"; }
  static std::string Warning();  // lines separated by "\n"
  static FieldRule PasswordRule() { return {10, false, kRefusedPasswordChars}; }

  void OnConfirmationChanged(const std::string& text);
  // OK: true when the dialog closes.
  bool OnOk();

  const std::string& NewPassword() const { return newPassword_; }

  // Fields of the dialog.
  std::string confirmation;
  bool okEnabled = true;
  bool focusOnConfirmation = true;

 private:
  std::string newPassword_;
};
