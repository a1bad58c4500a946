// A bookkeeper's first hour, driven with keys only through the real main window as main() builds it: the
// first start on a machine that never ran the program, a new account set with the standard chart, the login,
// a three-level branch and a quantity account in 帐户设置, openings on both sides in 年初帐户余额. After each
// stage the figures are read back from the year file with the command-line tool, and a picture is kept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/qirn_app.h"
#include "base/gbk.h"
#include "gbk_qt.h"
#include "base/platform.h"
#include "command_wiring.h"
#include "journey/key_robot.h"
#include "main_frame.h"
#include "qt_platform.h"
#include "support/temp_dir.h"
#include "ui/qt_test_app.h"

namespace {

// Runs the command-line tool on the journey's books and gives what it printed.
std::string Tool(const std::string& args) {
  std::string out;
  std::string command = "'" TAVREL_CLI "' " + args + " 2>&1";
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return gbk::FromUtf8(out).value_or(out);
}

// Presses Tab until the focus is on the button or box with this text (as a user tabs to it), at most 30 times.
bool TabTo(const QString& text) {
  for (int i = 0; i < 30; ++i) {
    auto* b = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (b && b->text().remove('&').startsWith(text)) return true;
    KeyRobot::Type("Tab");
  }
  return false;
}

class YearJourney : public ::testing::Test {
 protected:
  void SetUp() override {
    // A machine that has never run the program: its own home and configuration folder.
    setenv("HOME", home.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.Path() + "/.config").c_str(), 1);
    // The operators of a new account set have no password; the tool takes it from here.
    setenv("TAVREL_PASSWORD", "", 1);
    TestQtApp();
    platform = std::make_unique<QtPlatform>();
    SetPlatform(platform.get());
    app = std::make_unique<CQirnApp>();
    frame = std::make_unique<CMainFrame>(*app);
    WireCommands(*app, *frame);
  }
  void TearDown() override {
    frame.reset();
    app.reset();
    SetPlatform(nullptr);
  }
  // Starts the program as main() does, with the robot at the keyboard.
  bool Play() {
    bool started = false;
    QTimer::singleShot(0, [this, &started] { started = app->InitInstance({}, *frame); });
    bool played = robot.Run();
    EXPECT_TRUE(played) << robot.Failure();
    return played && started;
  }
  static int CurrentYear() {
    DateTime now = Plat().Now();
    return now.year;
  }
  static std::string Utf8(const std::string& gbkText) { return gbk::ToUtf8(gbkText); }
  std::string Set() const { return home.Path() + "/帐套"; }

  TempDir home;
  std::unique_ptr<QtPlatform> platform;
  std::unique_ptr<CQirnApp> app;
  std::unique_ptr<CMainFrame> frame;
  KeyRobot robot;
};

}  // namespace

TEST_F(YearJourney, AFirstYearWithKeysOnly) {
  using R = KeyRobot;
  const std::string year = std::to_string(CurrentYear());
  const std::string file = Set() + "/" + year + ".vyx";

  // First start: the login has no file yet; 搜索 leads to the account-set dialog, whose 建立 makes the first
  // set with the standard chart of accounts.
  robot.Step("the login dialog on a new machine", R::ModalTitled(Q("打开Tavrel项目核算数据文件")), [] {
    Snapshot(R::TopWindow(), "journey-01-first-start.png");
    R::Type("Alt+S");
  });
  robot.Step("建立新帐套", R::ModalTitled(Q("建立新帐套")), [this] {
    R::Type("Alt+N Ctrl+A '" + Q(Set()) + "'");
    ASSERT_TRUE(TabTo(Q("建立")));
    R::Type("Enter");
  });
  robot.Keys("帐套建立成功", R::MessageSaying(Q("帐套建立成功")), "Enter");
  robot.Step("the login with the new year file", R::ModalTitled(Q("打开Tavrel项目核算数据文件")), [] {
    Snapshot(R::TopWindow(), "journey-02-login.png");
    R::Type("Enter");
  });
  robot.Then("logged in", [this, file] {
    Snapshot(frame.get(), "journey-03-main.png");
    EXPECT_NE(Tool("report catalogue '" + Utf8(file) + "'").find("1002\t银行存款"), std::string::npos);
  });

  // 帐户设置: a three-level branch under 1002 and a quantity account under 1403.
  robot.Then("帐户设置", [] { R::Menu('K', Q("帐户设置")); });
  robot.Step("the standard chart", R::ModalTitled(Q("科目目录操纵")), [] {
    Snapshot(R::TopWindow(), "journey-04-standard-chart.png");
    R::Type("'1002' Right Alt+A");
  });
  robot.Step("1002-1", R::ModalTitled(Q("增加新科目(帐户)...")), [] {
    R::Type("'1' Enter '工商银行'");
    Snapshot(R::TopWindow(), "journey-05-account-dialog.png");
    R::Type("Enter");
  });
  robot.Keys("the series ends", R::ModalTitled(Q("增加新科目(帐户)...")), "Esc");
  robot.Keys("into 1002-1", R::ModalTitled(Q("科目目录操纵")), "Right Alt+A");
  robot.Keys("1002-1-1", R::ModalTitled(Q("增加新科目(帐户)...")), "'1' Enter '活期' Enter");
  robot.Keys("the series ends", R::ModalTitled(Q("增加新科目(帐户)...")), "Esc");
  robot.Keys("up to the top", R::ModalTitled(Q("科目目录操纵")), "Left Left '1403' Right Alt+A");
  robot.Step("1403-1 by quantity", R::ModalTitled(Q("增加新科目(帐户)...")), [] {
    R::Type("'1' Enter '钢材'");
    ASSERT_TRUE(TabTo(Q("数量金额")));
    R::Type("Space Tab 't' Enter");
  });
  robot.Keys("the series ends", R::ModalTitled(Q("增加新科目(帐户)...")), "Esc");
  robot.Keys("close", R::ModalTitled(Q("科目目录操纵")), "Esc");
  robot.Then("the chart holds the branch", [this, file] {
    std::string chart = Tool("report catalogue '" + Utf8(file) + "' --code 1002");
    EXPECT_NE(chart.find("1002-1-1"), std::string::npos) << chart;
    std::string steel = Tool("report catalogue '" + Utf8(file) + "' --code 1403");
    EXPECT_NE(steel.find("1403-1"), std::string::npos) << steel;
  });

  // 年初帐户余额: three openings, walked down to with Enter.
  robot.Then("年初帐户余额", [] { R::Menu('K', Q("年初帐户余额")); });
  robot.Keys("1001", R::ModalTitled(Q("科目期初余额调整")), "'1001' Enter");
  robot.Keys("5,000.00 on the debit side", R::ModalTitled(Q("帐户：1001")), "Ctrl+A '5000' Enter Enter");
  robot.Keys("down to 1002-1-1", R::ModalTitled(Q("科目期初余额调整")), "'1002' Enter '1002-1' Enter '1002-1-1' Enter");
  robot.Keys("100,000.00", R::ModalTitled(Q("帐户：1002-1-1")), "Ctrl+A '100000' Enter Enter");
  robot.Keys("back up and to 4001", R::ModalTitled(Q("科目期初余额调整")), "Esc Esc '4001' Enter");
  robot.Step("105,000.00 on the credit side", R::ModalTitled(Q("帐户：4001")), [] {
    ASSERT_TRUE(TabTo(Q("借")));
    R::Type("Right");
    for (int i = 0; i < 10 && !qobject_cast<QLineEdit*>(QApplication::focusWidget()); ++i) R::Type("Tab");
    R::Type("Ctrl+A '105000' Enter Enter");
  });
  robot.Keys("close", R::ModalTitled(Q("科目期初余额调整")), "Esc");
  robot.Then("the openings are in the books", [this, file, year] {
    std::string balances = Tool("report balance '" + Utf8(file) + "' --date " + year + "0101");
    EXPECT_NE(balances.find("1002\t银行存款\t借\t100,000.00"), std::string::npos) << balances;
    EXPECT_NE(balances.find("4001\t实收资本\t贷\t105,000.00"), std::string::npos) << balances;
  });

  EXPECT_TRUE(Play());
}
