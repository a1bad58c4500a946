#pragma once
// The main window as the program builds it, over a fresh account set's year file, for the tests that open
// windows from its menus. The program's global hooks are put back after each test, as the next one expects.
#include <QApplication>
#include <string>

#include "accounts/account_asker.h"
#include "app/application.h"
#include "base/gbk.h"
#include "command_wiring.h"
#include "login_dialog.h"
#include "main_frame.h"
#include "support/year_file_fixture.h"
#include "ui/qt_test_app.h"

class MainWindowTest : public YearFileTest {
 protected:
  // Wires every menu's commands (unless the test puts its own handlers in) and logs in to the year file at
  // path as the operator ("": the one the login preselects), as the program's start does; false when the
  // login ends the program.
  bool LogIn(const std::string& opno = "102", bool wire = true) {
    if (wire) WireCommands(app, frame);
    login.act = [opno](CHobdFileDlg& d) { return opno.empty() ? d.OnOk() : ChooseOperator(d, opno); };
    login.Install();
    return app.InitInstance({gbk::ToUtf8(path)}, frame);
  }
  void TearDown() override {
    LoginDialog::SetSearchHook(nullptr);
    SetAccountAsker(nullptr);
  }
  bool Enabled(int id) {
    frame.UpdateCommandStates();
    return frame.Action(id)->isEnabled();
  }

  QApplication& qt = TestQtApp();
  std::string path;
  CQirnApp app;
  CMainFrame frame{app};
  ScriptedLogin login;
};
