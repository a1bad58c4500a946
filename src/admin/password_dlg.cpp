#include "admin/password_dlg.h"

#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/sql_text.h"

using jet::SqlText;

CPasswordDlg::CPasswordDlg(CVyDataEnv& env) : env_(env) {
  operatorText = env_.opno + "  " + env_.opName;
  OnPasswordChanged("");
}

void CPasswordDlg::OnPasswordChanged(const std::string& text) {
  password = text;
  // An operator without a password cannot "remove" it: there is nothing to confirm. A pasted text gets into
  // the box unless all of it is refused; one holding any character the box refuses is not taken.
  okEnabled = (!env_.opPassword.empty() || !password.empty()) && MaskAdmitsTyping(PasswordMask(), password);
}

bool CPasswordDlg::OnOk() {
  if (!okEnabled) return false;
  controlsEnabled = false;
  CPasswordConfirmDlg confirm(password);
  if (!AskDialog(confirm)) {
    controlsEnabled = true;
    return false;
  }
  std::string opno = SqlText(env_.opno);
  bool ok = env_.RunInTransaction([&] {
    if (password.empty())
      env_.Execute(Format("update opr set psd=NULL where opno='%s'", opno.c_str()));
    else
      env_.Execute(
          Format("update opr set psd='%s' where opno='%s'", SqlText(password).c_str(), opno.c_str()));
  });
  if (!ok) {
    controlsEnabled = true;
    return false;
  }
  env_.opPassword = password;
  ShowMessage(password.empty() ? "您的口令已被取消!" : "您的口令设置成功，请牢记之！", MsgIcon::Information);
  return true;
}
