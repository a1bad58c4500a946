#include "admin/password_confirm_dlg.h"

#include "base/platform.h"

CPasswordConfirmDlg::CPasswordConfirmDlg(std::string newPassword) : newPassword_(std::move(newPassword)) {
  OnConfirmationChanged("");
}

std::string CPasswordConfirmDlg::Warning() {
  return "    警告：口令是您注册进入系统的密码，\n应当牢牢记住，一旦忘记了它，您就无法再\n进入系统操作。";
}

void CPasswordConfirmDlg::OnConfirmationChanged(const std::string& text) {
  confirmation = text;
  // Removing the password is confirmed with an empty entry; setting one needs something typed.
  okEnabled = newPassword_.empty() || !confirmation.empty();
}

bool CPasswordConfirmDlg::OnOk() {
  if (confirmation != newPassword_) {
    ShowMessage("确认的口令与先前输入的不一致。", MsgIcon::Stop);
    focusOnConfirmation = true;
    return false;
  }
  return true;
}
