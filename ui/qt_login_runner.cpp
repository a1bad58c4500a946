#include "qt_login_runner.h"

#include "login_dialog.h"

bool QtLoginRunner::Run(CHobdFileDlg& model) {
  LoginDialog dialog(model, parent_);
  return dialog.exec() == QDialog::Accepted;
}
