#include "command_wiring.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "account_set_dialog.h"
#include "admin/book_check_view.h"
#include "accounts/account_asker.h"
#include "app/application.h"
#include "base/gbk.h"
#include "calculator_dialog.h"
#include "child_frame.h"
#include "data_window_kit.h"
#include "form_view_widget.h"
#include "support/sample_form_view.h"
#include "gbk_qt.h"
#include "login_dialog.h"
#include "main_frame.h"
#include "support/year_file_fixture.h"
#include "ui/main_window_fixture.h"
#include "ui/qt_test_app.h"

namespace {

class WiredFrame : public MainWindowTest {
 protected:
  void Start(const std::string& opno) {
    path = CreateAccountSetFile(dir.Path(), 2026);
    ASSERT_TRUE(LogIn(opno));
  }
};

}  // namespace

TEST_F(WiredFrame, TheAdministratorHasTheDialogsOfThisVersion) {
  Start("101");
  for (int id : {40019, 916, 40030, 40031, 40032, 40033, 40029, 40034, 40035}) EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(WiredFrame, OperatorsWithoutTheAdministrationRightStillHaveThePasswordAndTheCalculator) {
  Start("102");
  for (int id : {40019, 916}) EXPECT_TRUE(Enabled(id)) << id;
  for (int id : {40030, 40031, 40032, 40033, 40029, 40034, 40035}) EXPECT_FALSE(Enabled(id)) << id;
}

// 数据检查 opens a window of what it found, without asking anything first.
TEST_F(WiredFrame, TheBookCheckShowsItsFindingsInAWindow) {
  Start("101");
  app.env.Execute(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260105','0',1,'孤','999',1,5,0,'4','01')");
  frame.RunCommand(40035);
  ASSERT_NE(frame.ActiveChild(), nullptr);
  auto* widget = qobject_cast<FormViewWidget*>(frame.ActiveChild()->View());
  ASSERT_NE(widget, nullptr);
  auto& view = dynamic_cast<CBookCheckView&>(widget->View());
  EXPECT_FALSE(view.Result().Clean());
  EXPECT_EQ(view.ReportRows()[0][0], "帐户代码不在科目表中（1 行）");
  frame.resize(1400, 700);
  frame.show();
  QApplication::processEvents();
  frame.grab().save(QString::fromStdString(ShotPath("book_check.png")));
}

TEST_F(WiredFrame, TheCalculatorFromTheMenuComputesAndSendsNothing) {
  Start("102");
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<CalculatorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    seen = true;
    EXPECT_FALSE(dialog->SendButton()->isEnabled());
    dialog->ExpressionField()->setPlainText(Q("(1+2)*3/4"));
    dialog->ComputeButton()->click();
    EXPECT_EQ(dialog->ResultField()->text(), Q("2.25"));
    dialog->grab().save(QString::fromStdString(ShotPath("calculator_from_menu.png")));
    dialog->CancelButton()->click();
  });
  frame.RunCommand(916);
  EXPECT_TRUE(seen);
}

TEST_F(WiredFrame, TheMenusCommandsReachTheActiveFormView) {
  Start("102");
  DataWindowKit kit;
  kit.ask = [](QWidget*) { return true; };
  kit.createView = [] { return new FormViewWidget(std::make_unique<SampleFormView>()); };
  kit.load = [](QWidget*) {};
  frame.SetDataWindowKit(32779, kit);
  frame.RunCommand(32779);
  ASSERT_NE(frame.ActiveChild(), nullptr);
  auto* widget = qobject_cast<FormViewWidget*>(frame.ActiveChild()->View());
  ASSERT_NE(widget, nullptr);
  auto& view = static_cast<SampleFormView&>(widget->View());

  platform.clipboard = "办公用品";
  frame.UpdateCommandStates();
  EXPECT_TRUE(frame.Action(57637)->isEnabled());   // paste
  EXPECT_FALSE(frame.Action(57634)->isEnabled());  // copy: nothing selected
  frame.RunCommand(57637);
  EXPECT_EQ(view.Text(0, 0), "办公用品");
  frame.RunCommand(57643);  // undo, from its key
  EXPECT_EQ(view.Text(0, 0), "");
}

// The first start on a machine: nothing remembered, no account set anywhere.
TEST_F(WiredFrame, TheFirstAccountSetIsMadeFromTheLoginsSearch) {
  WireCommands(app, frame);
  std::string folder = dir.Path() + "/第一个帐套";
  QStringList operators;
  bool created = false;
  QTimer::singleShot(0, [&] {
    auto* login = qobject_cast<LoginDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(login, nullptr);
    EXPECT_TRUE(login->FileNameBox()->text().isEmpty());
    EXPECT_FALSE(login->OkButton()->isEnabled());
    QTimer::singleShot(0, [&] {
      auto* sets = qobject_cast<AccountSetDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(sets, nullptr);
      auto* edit = sets->findChild<QLineEdit*>();
      edit->setText(Q(folder));
      emit edit->textEdited(edit->text());
      for (auto* button : sets->findChildren<QPushButton*>())
        if (button->text() == Q("建立")) button->click();
      created = true;
    });
    login->SearchButton()->click();
    for (int i = 0; i < login->OperatorBox()->count(); ++i) operators << login->OperatorBox()->itemText(i);
    // Nobody remembered: the first operator who keeps the books, so OK leads straight into the work.
    EXPECT_EQ(login->OperatorBox()->currentIndex(), 1);
    login->OkButton()->click();
  });
  ASSERT_TRUE(app.InitInstance({}, frame));
  EXPECT_TRUE(created);
  EXPECT_EQ(operators, QStringList({Q("101  管理员"), Q("102  ×××")}));
  EXPECT_EQ(app.env.dataFile, folder + "/2026.vyx");  // the scripted clock says 2026
  EXPECT_EQ(app.env.opno, "102");
  EXPECT_GE(app.env.QueryLong("select count(*) from subt"), 150);  // the standard chart, chosen by default
}
