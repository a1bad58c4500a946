// The program's windows on an account set on the server: the login dialog shows a year of it, and the
// program, logged in, enters postings through the entry window while another program imports into the
// same year. Every posting of both programs is there afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "child_frame.h"
#include "command_wiring.h"
#include "data/data_env.h"
#include "data/database.h"
#include "data/year_files.h"
#include "form_view_widget.h"
#include "gbk_qt.h"
#include "login_dialog.h"
#include "main_frame.h"
#include "mask_edit.h"
#include "support/scripted_platform.h"
#include "support/test_server.h"
#include "ui/dialog_test_support.h"
#include "ui/qt_test_app.h"

namespace {

long Count(const std::string& year, const std::string& where) {
  jet::Database db;
  db.Open(year, true);
  auto c = db.Query("select count(*) from p0 where " + where);
  return static_cast<long>(c->Int(0));
}

TEST(ServerGui, EntersPostingsWhileAnotherProgramImports) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication& qt = TestQtApp();
  (void)qt;
  ScriptedPlatform platform;
  std::string set = server.Uri(), year = CreateAccountSetFile(set, 2026);
  {
    jet::Database db;
    db.Open(year);
    for (const char* a : {"('101','现金',1,'0','0',null,'0',0,0)", "('102','银行存款',1,'0','0',null,'0',0,0)",
                          "('102-1','工商银行',2,'0','0',null,'0',0,0)"})
      db.Execute(std::string("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values") + a);
  }
  {
    CHobdFileDlg model(year, "102");
    LoginDialog d(model);
    d.show();
    QApplication::processEvents();
    EXPECT_EQ(d.YearBox()->text(), "2026");
    Screenshot(d, "server_login.png");
  }

  // The other program: the tool importing 50 postings of 102-1 again and again for 4 seconds.
  const int perImport = 50;
  std::string csv = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/server_gui_" +
                    std::to_string(getpid()) + ".csv";
  {
    std::ofstream out(csv, std::ios::binary);
    out << "date,account,summary,debit,credit,mark,quantity\n";
    for (int i = 0; i < perImport; ++i) out << "202605" << (10 + i % 18) << ",102-1,import,10.5,,2,\n";
  }
  std::string script = csv + ".sh";
  {
    std::ofstream out(script, std::ios::binary);
    out << "n=0; end=$(( $(date +%s) + 4 ))\nwhile [ $(date +%s) -lt $end ]; do\n  " << TAVREL_CLI
        << " import postings '" << year << "' " << csv << " >/dev/null 2>&1 && n=$((n+1))\ndone\necho $n\n";
  }
  FILE* other = popen(("sh " + script).c_str(), "r");
  ASSERT_NE(other, nullptr);

  CQirnApp app;
  CMainFrame frame{app};
  ScriptedLogin login;
  WireCommands(app, frame);
  login.act = [](CHobdFileDlg& d) { return ChooseOperator(d, "102"); };
  login.Install();
  // Another bookkeeper is logged in to the year: the login says so.
  CVyDataEnv colleague;
  ASSERT_TRUE(colleague.Open(year, "101", 1));
  colleague.AnnounceLogin();
  ASSERT_TRUE(app.InitInstance({year}, frame));
  ASSERT_FALSE(platform.messages.empty());
  EXPECT_EQ(platform.messages.back().text.substr(0, platform.messages.back().text.find("101")),
            "同时登录本年度的还有：\n    ");
  frame.showNormal();
  frame.resize(1180, 640);
  // 按帐户录入, May, account 101: two postings typed and saved; a save that met the other program's is
  // refused whole and saved again.
  QTimer::singleShot(50, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    for (const QString& t : {Q("5"), Q("101")}) {
      auto* field = qobject_cast<MaskEdit*>(dialog->focusWidget());
      ASSERT_NE(field, nullptr);
      field->selectAll();
      QTest::keyClicks(field, t);
      QTest::keyClick(field, Qt::Key_Return);
    }
  });
  frame.Action(32771)->trigger();
  ASSERT_NE(frame.ActiveChild(), nullptr);
  auto* w = qobject_cast<FormViewWidget*>(frame.ActiveChild()->View());
  ASSERT_NE(w, nullptr);
  w->setFocus();
  const std::vector<std::vector<QString>> rows = {{Q("3"), Q("收到货款"), Q("1234.5")},
                                                  {Q("8"), Q("支付运费"), Q(""), Q("200")}};
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t i = 0; i < rows[r].size(); ++i) {
      if (i > 0) QTest::keyClick(w, Qt::Key_Tab);
      TypeText(w, rows[r][i]);
    }
    if (r + 1 < rows.size()) {
      QTest::keyClick(w, Qt::Key_Down);
      for (size_t i = 1; i < rows[r].size(); ++i) QTest::keyClick(w, Qt::Key_Tab, Qt::ShiftModifier);
    }
  }
  QTest::keyClick(w, Qt::Key_Tab);
  int saves = 0;
  while (Count(year, "trim(kno)='101' and rn>0") == 0 && saves < 20) {
    ++saves;
    platform.answers.push_back(MsgAnswer::Yes);
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
  }
  QApplication::processEvents();
  EXPECT_TRUE(frame.grab().save(QString::fromStdString(ShotPath("server_entry.png"))));

  int imports = 0;
  ASSERT_EQ(std::fscanf(other, "%d", &imports), 1);
  pclose(other);
  std::remove(csv.c_str());
  std::remove(script.c_str());
  EXPECT_EQ(Count(year, "trim(kno)='101' and rn>0"), 2) << "after " << saves << " saves";
  EXPECT_GT(imports, 0);
  EXPECT_EQ(Count(year, "trim(kno)='102-1' and rn>0"), imports * perImport);
  std::printf("window saved after %d attempt(s); the other program imported %d times\n", saves, imports);
}

}  // namespace
