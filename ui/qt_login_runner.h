#pragma once
// Runs the login dialog modally over the main window.
#include <QWidget>

#include "app/login_rules.h"

class QtLoginRunner : public LoginDialogRunner {
 public:
  explicit QtLoginRunner(QWidget* parent) : parent_(parent) {}
  bool Run(CHobdFileDlg& dialog) override;

 private:
  QWidget* parent_;
};
