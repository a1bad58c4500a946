#pragma once
// The confirmation of a new password: the password typed a second time must equal the first byte for byte.
#include <string>

#include "base/input_mask.h"

class CPasswordConfirmDlg {
 public:
  explicit CPasswordConfirmDlg(std::string newPassword);

  static std::string Caption() { return "操作员口令设置"; }
  static std::string Warning();  // lines separated by "\n"
  // Both password boxes: no blank (the login reads the stored password trimmed, so a blank at its end could
  // never be typed back), nothing of | [ ] ' and the double quotation mark.
  static FieldMask PasswordMask() { return {"STRING NOT |[]'\"", 10}; }

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
