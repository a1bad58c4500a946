// A bookkeeper's first year, driven with keys only through the real main window as main() builds it. The
// year is played in stages that run one after another on the same books (each stage starts the program
// again and logs in): the first hour (first start, a new set with the standard chart, the chart's branches,
// a currency and its rate, the openings), the postings of a month and of a day, the books read and one
// printed, interest and the bank's reconciliation, the next year and its carry-forward. After each
// stage's steps the figures are read back from the year file with the command-line tool, and pictures
// are kept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/application.h"
#include "base/gbk.h"
#include "base/platform.h"
#include "command_wiring.h"
#include "gbk_qt.h"
#include "journey/key_robot.h"
#include "main_frame.h"
#include "qt_platform.h"
#include "status_panes.h"
#include "ui/qt_test_app.h"

namespace {

// Runs a command (its text in UTF-8) and gives what it printed.
std::string Shell(const std::string& command) {
  std::string out;
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (!p) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}
std::string Gbk(const std::string& utf8) { return gbk::FromUtf8(utf8).value_or(utf8); }

// Runs the command-line tool on the journey's books and gives what it printed.
std::string Tool(const std::string& args) {
  return Gbk(Shell("'" TAVREL_CLI "' " + args));
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

// The machine of the journey: its home folder (with the program's settings) and the account set, kept from
// one stage to the next. $TAVREL_JOURNEY, else a folder beside the test program.
std::string Home() {
  const char* env = std::getenv("TAVREL_JOURNEY");
  return env && *env ? env : TAVREL_JOURNEY_HOME;
}

class Journey : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", Home().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Home() + "/.config").c_str(), 1);
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
  // Starts the program as main() does, with the robot at the keyboard, and plays the steps.
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
  static std::string Set() { return Home() + "/帐套"; }
  static std::string Year() { return std::to_string(CurrentYear()); }
  static std::string File() { return Set() + "/" + Year() + ".vyx"; }
  // The tool on the year file: "report balance --date D" → report balance 'FILE' --date D.
  static std::string Report(const std::string& kind, const std::string& options) {
    return Tool("report " + kind + " '" + Utf8(File()) + "' " + Utf8(options));
  }
  static std::string Sql(const std::string& statement) {
    return Tool("sql --operator 101 '" + Utf8(File()) + "' \"" + Utf8(statement) + "\"");
  }
  // A later stage starts the program on the books the earlier ones left: the login remembers them.
  void LogIn() {
    robot.Step("the login remembers the books", KeyRobot::ModalTitled(Q("打开Tavrel项目核算数据文件")), [] {
      KeyRobot::Type("Enter");
    });
  }
  KeyRobot::Ready Main() const { return KeyRobot::MainWindow(frame.get()); }
  // The account dialog of 增加, fresh: the code is still to be typed (not the one just confirmed, which
  // the next of the series replaces).
  static KeyRobot::Ready NewAccount() {
    return [] {
      auto* code = qobject_cast<QLineEdit*>(QApplication::focusWidget());
      return KeyRobot::ModalTitled(Q("增加新科目(帐户)..."))() && code && code->text().isEmpty();
    };
  }
  // Once the main window has the keys again: checks what the steps before left.
  void Check(const std::string& what, KeyRobot::Act act) { robot.Step(what, Main(), std::move(act)); }
  void Shot(const std::string& what, const std::string& name) {
    robot.Step(what, Main(), [this, name] { Snapshot(frame.get(), name); });
  }

  std::unique_ptr<QtPlatform> platform;
  std::unique_ptr<CQirnApp> app;
  std::unique_ptr<CMainFrame> frame;
  KeyRobot robot;
};

}  // namespace

using R = KeyRobot;

TEST_F(Journey, TheFirstHour) {
  // A machine that has never run the program.
  std::filesystem::remove_all(Home());
  std::filesystem::create_directories(Home());

  // First start: the login has no file yet; 搜索 leads to the account-set dialog, whose 建立 makes the first
  // set with the standard chart of accounts.
  robot.Step("the login dialog on a new machine", R::ModalTitled(Q("打开Tavrel项目核算数据文件")), [] {
    Snapshot(R::TopWindow(), "journey-01-first-start.png");
    R::Type("Alt+S");
  });
  robot.Step("建立新帐套", R::ModalTitled(Q("建立新帐套")), [] {
    R::Type("Alt+N Ctrl+A '" + Q(Set()) + "'");
    ASSERT_TRUE(TabTo(Q("建立")));
    R::Type("Enter");
  });
  robot.Keys("帐套建立成功", R::MessageSaying(Q("帐套建立成功")), "Enter");
  robot.Step("the login with the new year file", R::ModalTitled(Q("打开Tavrel项目核算数据文件")), [] {
    Snapshot(R::TopWindow(), "journey-02-login.png");
    R::Type("Enter");
  });
  Check("logged in", [this] {
    Snapshot(frame.get(), "journey-03-main.png");
    EXPECT_NE(Report("catalogue", "").find("1002\t银行存款"), std::string::npos);
  });

  // A currency with its rate, for a foreign-currency bank account.
  robot.Menu(frame.get(), Q("帐户目录(&K)"), Q("外币帐户设置"));
  robot.Keys("no currency yet", R::MessageSaying(Q("本年度尚未设置外币目录")), "Enter");
  robot.Keys("增加", R::ModalTitled(Q("外币币种增加、修改、删除")), "Alt+A");
  robot.Keys("美元 with its exchange-gain account", R::ModalTitled(Q("请增加、修改、外币币种")),
             "'1' Tab '美元' Tab '6061' Alt+S");
  robot.Keys("no second currency", R::ModalTitled(Q("请增加、修改、外币币种")), "Esc");
  robot.Keys("close", R::ModalTitled(Q("外币币种增加、修改、删除")), "Alt+X");
  robot.Menu(frame.get(), Q("帐户目录(&K)"), Q("外币汇率设置"));
  robot.Keys("设置汇率", R::ModalTitled(Q("外币汇率设置")), "Alt+A");
  robot.Keys("1 美元 = 7.1 元 from the first day", R::ModalTitled(Q("请设置、修改外币汇率")),
             "Ctrl+A '" + Q(Year()) + "' Tab Ctrl+A '1' Tab Ctrl+A '1' Tab Ctrl+A '1' Tab Ctrl+A '7.1' Alt+S");
  robot.Keys("close", R::ModalTitled(Q("外币汇率设置")), "Alt+X");
  Check("the currency and its rate", [] {
    std::string rates = Sql("select trim(wno), t, my1, my2 from wbr");
    EXPECT_NE(rates.find("1\t" + Year() + "0101\t1\t7.1"), std::string::npos) << rates;
  });

  // 帐户设置: a three-level branch under 1002, a dollar account beside it and a quantity account under 1403.
  robot.Menu(frame.get(), Q("帐户目录(&K)"), Q("帐户设置"));
  robot.Step("the standard chart", R::ModalTitled(Q("科目目录操纵")), [] {
    Snapshot(R::TopWindow(), "journey-04-standard-chart.png");
    R::Type("'1002' Right Alt+A");
  });
  robot.Step("1002-1", NewAccount(), [] {
    R::Type("'1' Enter '工商银行'");
    Snapshot(R::TopWindow(), "journey-05-account-dialog.png");
    R::Type("Enter");
  });
  robot.Step("1002-2 in dollars", NewAccount(), [] {
    R::Type("'2' Enter '美元户'");
    ASSERT_TRUE(TabTo(Q("外币核算")));
    R::Type("Space Tab Down Alt+S");
  });
  robot.Keys("the series ends", NewAccount(), "Esc");
  robot.Keys("into 1002-1", R::ModalTitled(Q("科目目录操纵")), "'1002-1' Right Alt+A");
  robot.Keys("1002-1-1", NewAccount(), "'1' Enter '活期' Alt+S");
  robot.Keys("the series ends", NewAccount(), "Esc");
  robot.Keys("up to the top", R::ModalTitled(Q("科目目录操纵")), "Left Left '1403' Right Alt+A");
  robot.Step("1403-1 by quantity", NewAccount(), [] {
    R::Type("'1' Enter '钢材'");
    ASSERT_TRUE(TabTo(Q("数量金额")));
    R::Type("Space Tab 't' Enter");
  });
  robot.Keys("the series ends", NewAccount(), "Esc");
  // 6602 管理费用 kept in columns, one for each of its two new sub-accounts.
  robot.Keys("modify 6602", R::ModalTitled(Q("科目目录操纵")), "Left '6602' Alt+S");
  robot.Step("6602 in columns", R::ModalTitled(Q("修改科目(帐户)...")), [] {
    ASSERT_TRUE(TabTo(Q("需要")));
    R::Type("Space Alt+S");
  });
  robot.Keys("into 6602", R::ModalTitled(Q("科目目录操纵")), "'6602' Right Alt+A");
  for (const char* sub : {"'1' Enter '办公费'", "'2' Enter '差旅费'"})
    robot.Step("a debit column", NewAccount(), [sub] {
      R::Type(sub);
      ASSERT_TRUE(TabTo(Q("借方")));
      R::Type("Space Alt+S");
    });
  robot.Keys("the series ends", NewAccount(), "Esc");
  robot.Keys("close", R::ModalTitled(Q("科目目录操纵")), "Esc");
  Check("the chart holds the branches", [] {
    std::string branch = Sql("select trim(kno), fz, trim(fzn) from subt where kno like '1002-*' or kno like '1403-*'");
    EXPECT_NE(branch.find("1002-1-1"), std::string::npos) << branch;
    EXPECT_NE(branch.find("1002-2\t2\t1"), std::string::npos) << branch;  // in currency 1
    EXPECT_NE(branch.find("1403-1\t1\tt"), std::string::npos) << branch;  // in tonnes
    std::string columns = Sql("select trim(kno), dl from subt where kno like '6602*'");
    EXPECT_NE(columns.find("6602\t1"), std::string::npos) << columns;
    EXPECT_NE(columns.find("6602-2"), std::string::npos) << columns;
  });

  // 年初帐户余额: three openings, walked down to with Enter.
  robot.Menu(frame.get(), Q("帐户目录(&K)"), Q("年初帐户余额"));
  robot.Keys("1001", R::ModalTitled(Q("科目期初余额调整")), "'1001' Enter");
  robot.Keys("5,000.00 on the debit side", R::ModalTitled(Q("帐户：1001")), "Ctrl+A '5000' Enter Enter");
  robot.Keys("down to 1002-1-1", R::ModalTitled(Q("科目期初余额调整")), "'1002' Enter '1002-1' Enter '1002-1-1' Enter");
  robot.Keys("100,000.00", R::ModalTitled(Q("帐户：1002-1-1")), "Ctrl+A '100000' Enter Enter");
  robot.Keys("back up and down to 1403-1", R::ModalTitled(Q("科目期初余额调整")), "Esc Esc '1403' Enter '1403-1' Enter");
  robot.Keys("10 t at 3,000.00", R::ModalTitled(Q("帐户：1403-1")), "Ctrl+A '10' Enter Ctrl+A '3000' Enter Enter Enter");
  robot.Keys("back up and to 4001", R::ModalTitled(Q("科目期初余额调整")), "Esc '4001' Enter");
  robot.Step("135,000.00 on the credit side", R::ModalTitled(Q("帐户：4001")), [] {
    R::Type("Alt+-");
    for (int i = 0; i < 10 && !qobject_cast<QLineEdit*>(QApplication::focusWidget()); ++i) R::Type("Tab");
    R::Type("Ctrl+A '135000' Enter Enter");
  });
  robot.Keys("close", R::ModalTitled(Q("科目期初余额调整")), "Esc");
  Check("the openings are in the books", [] {
    std::string balances = Report("balance", "--date " + Year() + "0101");
    EXPECT_NE(balances.find("1002\t银行存款\t借\t100,000.00"), std::string::npos) << balances;
    EXPECT_NE(balances.find("1403\t原材料\t借\t30,000.00"), std::string::npos) << balances;
    EXPECT_NE(balances.find("4001\t实收资本\t贷\t135,000.00"), std::string::npos) << balances;
  });

  EXPECT_TRUE(Play());
}

namespace {
// The keys of one row of an entry window, typed from its first column: each cell's text (an empty cell is
// passed over), then down to the next row and back to its first column.
QString Row(const std::vector<const char*>& cells) {
  QString keys;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) keys += " Tab";
    if (*cells[i]) keys += " '" + Q(cells[i]) + "'";
  }
  keys += " Down";
  if (cells.size() > 1) keys += " Shift+Tab*" + QString::number(cells.size() - 1);
  return keys;
}
}  // namespace

TEST_F(Journey, AMonthAndADay) {
  const std::string y = Year();
  LogIn();

  // January of the bank account, by account: one row of each reconciliation mark.
  robot.Menu(frame.get(), Q("数据操纵(&E)"), Q("按帐户录入"));
  robot.Keys("January, 1002-1-1", R::ModalTitled(Q("Tavrel软件(项目)")), "Ctrl+A '1' Enter '1002-1-1' Enter");
  robot.Step("three rows", R::ChildTitled(frame.get(), Q("按户录入数据 1002-1-1")), [this] {
    R::Type(Row({"5", "收到投资款", "20000", "", "2"}) + Row({"12", "支付货款", "", "3000", "1"}) +
            Row({"20", "提取现金", "", "1000", "0"}));
    Snapshot(frame.get(), "journey-06-entry-by-account.png");
    R::Type("Ctrl+S");
  });
  robot.Keys("save", R::MessageSaying(Q("月份的数据已被修改")), "Alt+Y");
  robot.Keys("close", R::ChildTitled(frame.get(), Q("按户录入数据 1002-1-1")), "Ctrl+F4");
  Check("January is in the books", [y] {
    std::string rows = Sql("select t, rn, f, my, trim(cer), mk from p0 where trim(kno)='1002-1-1' and rn>0");
    EXPECT_NE(rows.find(y + "0105\t1\t1\t20000\t2\t4"), std::string::npos) << rows;
    EXPECT_NE(rows.find(y + "0112\t1\t-1\t3000\t1\t0"), std::string::npos) << rows;
    EXPECT_NE(rows.find(y + "0120\t1\t-1\t1000\t0\t4"), std::string::npos) << rows;
  });

  // The 3rd of February, by date: cash from the bank, the bank's fee.
  robot.Menu(frame.get(), Q("数据操纵(&E)"), Q("按日期录入"));
  robot.Keys("3 February", R::ModalTitled(Q("Tavrel软件(项目核算)")),
             "Ctrl+A '" + Q(y) + "' Enter Ctrl+A '2' Enter Ctrl+A '3' Enter");
  robot.Step("four rows", R::ChildTitled(frame.get(), Q("按日期录入数据")), [this] {
    R::Type(Row({"提取现金", "1001", "1000", "", "0"}) + Row({"提取现金", "1002-1-1", "", "1000", "2"}) +
            Row({"银行手续费", "6603", "50"}) + Row({"银行手续费", "1002-1-1", "", "50", "1"}) +
            Row({"办公用品", "6602-1", "300"}) + Row({"办公用品", "1001", "", "300"}));
    Snapshot(frame.get(), "journey-07-entry-by-date.png");
    R::Type("Ctrl+S");
  });
  robot.Keys("save", R::MessageSaying(Q("的数据已被修改")), "Alt+Y");
  // The bank's fee is known to the bank alone (对方达): the books hold its debit only, and the day is asked.
  robot.Keys("saved although the day does not balance", R::MessageSaying(Q("本日借贷不平衡（借 1,350.00，贷 1,300.00")),
             "Alt+Y");
  robot.Keys("close", R::ChildTitled(frame.get(), Q("按日期录入数据")), "Ctrl+F4");
  Check("the day is in the books", [y] {
    std::string rows = Sql("select trim(kno), rn, f, my, trim(cer), mk from p0 where t='" + y + "0203'");
    EXPECT_NE(rows.find("1001\t1\t1\t1000\t0\t4"), std::string::npos) << rows;
    EXPECT_NE(rows.find("1002-1-1\t1\t-1\t1000\t2\t4"), std::string::npos) << rows;
    EXPECT_NE(rows.find("6603\t1\t1\t50\t0\t4"), std::string::npos) << rows;
    EXPECT_NE(rows.find("1002-1-1\t2\t-1\t50\t1\t0"), std::string::npos) << rows;
    std::string balances = Report("balance", "--date " + y + "0228");
    EXPECT_NE(balances.find("1001\t库存现金\t借\t5,700.00"), std::string::npos) << balances;
  });

  EXPECT_TRUE(Play());
}

TEST_F(Journey, TheBooks) {
  const std::string y = Year();
  LogIn();

  // 三栏式帐 asks for the account first, then the months.
  robot.Menu(frame.get(), Q("查询帐簿(&B)"), Q("三栏式帐"));
  robot.Keys("down to 1002-1-1", R::ModalTitled(Q("科目查询")), "'1002' Right '1002-1' Right '1002-1-1' Enter");
  robot.Step("the ledger of 1002-1-1", R::ChildTitled(frame.get(), Q("三栏式帐页 1002-1-1")), [this] {
    Snapshot(frame.get(), "journey-08-three-column-ledger.png");
  });
  Check("the ledger's figures", [] {
    std::string ledger = Report("ledger", "--code 1002-1-1");
    EXPECT_NE(ledger.find("119,000.00"), std::string::npos) << ledger;
  });

  // The ledger on paper: Ctrl+P, the print dialog's last printer "打印到 PDF 文件", then Qt's file dialog.
  const std::string pdf = Home() + "/ledger.pdf";
  std::filesystem::remove(pdf);
  robot.Keys("print", R::ChildTitled(frame.get(), Q("三栏式帐页 1002-1-1")), "Ctrl+P");
  robot.Step("to a PDF file", R::ModalTitled(Q("Tavrel财务软件－打印")), [] {
    for (int i = 0; i < 20 && !qobject_cast<QComboBox*>(QApplication::focusWidget()); ++i) R::Type("Tab");
    R::Type("End");
    Snapshot(R::TopWindow(), "journey-15-print-dialog.png");
    R::Type("Enter");
  });
  robot.Step("the file's name", R::WindowTitled(Q("打印到 PDF 文件")), [pdf] {
    R::Type("'" + Q(pdf) + "'");
    Snapshot(R::TopWindow(), "journey-16-file-dialog.png");
    R::Type("Enter");
  });
  Check("the printed ledger", [pdf] {
    ASSERT_TRUE(std::filesystem::exists(pdf));
    std::string text = Gbk(Shell("pdftotext -layout '" + pdf + "' -"));
    EXPECT_NE(text.find("三栏式"), std::string::npos) << text;
    EXPECT_NE(text.find("收到投资款"), std::string::npos) << text;
    EXPECT_NE(text.find("20,000.00"), std::string::npos) << text;
  });

  // 多栏式帐 and 数量金额式帐 list the accounts kept so; each has only one.
  robot.Menu(frame.get(), Q("查询帐簿(&B)"), Q("多栏式帐"));
  robot.Keys("6602 over the year", R::ModalWith(Q("查询时段")), "Alt+S");
  robot.Step("the columns of 6602", R::ChildTitled(frame.get(), Q("多栏式帐页 6602")), [this] {
    Snapshot(frame.get(), "journey-09-multi-column-ledger.png");
  });
  Check("the multi-column figures", [] {
    std::string multi = Report("multi", "--code 6602");
    EXPECT_NE(multi.find("300.00"), std::string::npos) << multi;
  });
  robot.Menu(frame.get(), Q("查询帐簿(&B)"), Q("数量金额式帐"));
  robot.Keys("1403-1 over the year", R::ModalWith(Q("查询时段")), "Alt+S");
  robot.Step("the steel in tonnes", R::ChildTitled(frame.get(), Q("数量金额式帐页 1403-1")), [this] {
    Snapshot(frame.get(), "journey-10-quantity-ledger.png");
  });
  Check("the quantity figures", [] {
    std::string quantity = Report("quantity", "--code 1403-1");
    EXPECT_NE(quantity.find("30,000.00"), std::string::npos) << quantity;
  });

  // 余额表: Enter goes down a level on 1002, Esc comes back up.
  robot.Menu(frame.get(), Q("查询帐簿(&B)"), Q("余额表"));
  robot.Keys("to the end of February", R::ModalWith(Q("截止时间")),
             "Ctrl+A '" + Q(y) + "' Tab Ctrl+A '2' Tab Ctrl+A '28' Alt+S");
  robot.Keys("down on 1002", R::ChildTitled(frame.get(), Q("帐户余额表")), "Down Enter");
  robot.Step("the level of 1002", R::ChildTitled(frame.get(), Q("帐户余额表 1002 ")), [this] {
    Snapshot(frame.get(), "journey-11-balance-table-1002.png");
    R::Type("Esc");
  });
  robot.Step("back up", R::ChildTitled(frame.get(), Q("帐户余额表 " + Year())), [this] {
    Snapshot(frame.get(), "journey-12-balance-table.png");
  });
  Check("the balances at the end of February", [y] {
    std::string balances = Report("balance", "--date " + y + "0228");
    EXPECT_NE(balances.find("1002\t银行存款\t借\t118,000.00"), std::string::npos) << balances;
  });

  // 余额及发生额表 over the first quarter, and 帐页模糊查询 for the cash drawn.
  robot.Menu(frame.get(), Q("查询帐簿(&B)"), Q("余额及发生额表"));
  robot.Keys("the first quarter", R::ModalWith(Q("起始时间")),
             "Ctrl+A '" + Q(y) + "' Tab Ctrl+A '1' Tab Ctrl+A '1' Tab Ctrl+A '" + Q(y) +
                 "' Tab Ctrl+A '3' Tab Ctrl+A '31' Alt+S");
  robot.Step("the turnover table", R::ChildTitled(frame.get(), Q("帐户余额及发生额表")), [this] {
    Snapshot(frame.get(), "journey-13-turnover-table.png");
  });
  Check("the turnover of the quarter", [y] {
    std::string turnover = Report("turnover", "--from " + y + "0101 --to " + y + "0331");
    EXPECT_NE(turnover.find("1001\t库存现金"), std::string::npos) << turnover;
  });
  robot.Menu(frame.get(), Q("查询帐簿(&B)"), Q("帐页模糊查询"));
  robot.Keys("cash drawn from the bank", R::ModalWith(Q("请输入查找的条件")), "'提取现金' Tab '1002-1-1' Enter");
  robot.Step("what was found", R::ChildTitled(frame.get(), Q("模糊查询帐页")), [this] {
    Snapshot(frame.get(), "journey-14-fuzzy-query.png");
  });
  Check("the same rows from the tool", [] {
    std::string found = Report("search", "--summary 提取现金 --code 1002-1-1");
    EXPECT_NE(found.find("1,000.00"), std::string::npos) << found;
  });

  EXPECT_TRUE(Play());
}

namespace {
// Tabs until the focus is in the row of the dialog's form that this label heads, at most 30 times.
bool TabToRow(const QString& label) {
  auto holds = [](QLayoutItem* item, QWidget* focus) {
    if (!item) return false;
    if (QWidget* w = item->widget()) return w == focus || w->isAncestorOf(focus);
    if (QLayout* row = item->layout())
      for (int i = 0; i < row->count(); ++i)
        if (QWidget* w = row->itemAt(i)->widget(); w && (w == focus || w->isAncestorOf(focus))) return true;
    return false;
  };
  for (int i = 0; i < 30; ++i) {
    QWidget* focus = QApplication::focusWidget();
    if (focus)
      for (QFormLayout* form : focus->window()->findChildren<QFormLayout*>())
        for (int r = 0; r < form->rowCount(); ++r) {
          QLayoutItem* head = form->itemAt(r, QFormLayout::LabelRole);
          auto* l = head ? qobject_cast<QLabel*>(head->widget()) : nullptr;
          if (l && l->text().startsWith(label) && holds(form->itemAt(r, QFormLayout::FieldRole), focus)) return true;
        }
    KeyRobot::Type("Tab");
  }
  return false;
}
}  // namespace

TEST_F(Journey, InterestAndTheBank) {
  const std::string y = Year();
  LogIn();

  // 利息计算 on the bank account over the first quarter at 1 per ten thousand a day, walked with Enter.
  robot.Menu(frame.get(), Q("数据操纵(&E)"), Q("利息计算"));
  robot.Keys("the first quarter of 1002-1-1", R::ModalTitled(Q("Tavrel软件(利息计算)")),
             "Ctrl+A '" + Q(y) + "' Enter Ctrl+A '1' Enter Ctrl+A '1' Enter Ctrl+A '" + Q(y) +
                 "' Enter Ctrl+A '3' Enter Ctrl+A '31' Enter Ctrl+A '1002-1-1' Enter Ctrl+A '1' Enter");
  robot.Step("the interest table", R::ChildTitled(frame.get(), Q("利息计算表 1002-1-1")), [this] {
    Snapshot(frame.get(), "journey-17-interest.png");
    R::Type("Menu");
  });
  robot.Step("记帐 from the window's menu", R::PopupMenu(), [] { R::ChooseFromMenu(Q("记帐")); });
  robot.Keys("posted against 6603", R::ModalTitled(Q("Tavrel软件(利息)")), "Enter*4 '6603' Enter");
  robot.AnswerUntil("记帐完毕", R::ChildTitled(frame.get(), Q("利息计算表 1002-1-1")));
  Check("the interest is posted on both sides", [y] {
    std::string computed = Report("interest", "--from " + y + "0101 --to " + y + "0331 --rate 1 --code 1002-1-1");
    EXPECT_NE(computed.find("\t1,047.30"), std::string::npos) << computed;
    std::string rows = Sql("select trim(kno), t, f, my from p0 where trim(mry)='利息'");
    EXPECT_NE(rows.find("1002-1-1\t" + y + "0331\t1\t1047.3"), std::string::npos) << rows;
    EXPECT_NE(rows.find("6603\t" + y + "0331\t-1\t1047.3"), std::string::npos) << rows;
  });

  // 余额调节表 of the bank account against the bank's statement.
  robot.Menu(frame.get(), Q("数据操纵(&E)"), Q("余额调节表"));
  robot.Step("1002-1-1 against the bank's 118,000.00", R::ModalTitled(Q("Tavrel软件(余额调节)")), [] {
    ASSERT_TRUE(TabToRow(Q("帐 户 代 码")));
    R::Type("Ctrl+A '1002-1-1'");
    ASSERT_TRUE(TabToRow(Q("对方帐户余额")));
    R::Type("Ctrl+A '118000' Alt+S");
  });
  robot.Step("the statement", R::ChildTitled(frame.get(), Q("余额调节表")), [this] {
    Snapshot(frame.get(), "journey-18-reconciliation.png");
  });
  Check("the tool reconciles the same", [y] {
    std::string r = Report("reconcile", "--code 1002-1-1 --from " + y + "0101 --to " + y + "1231 --other 118000");
    EXPECT_NE(r.find("118,000.00"), std::string::npos) << r;
  });

  EXPECT_TRUE(Play());
}

// A day entered with its counter posting missing: the save asks, 否 goes back to the rows with nothing
// written, 是 saves it; the bookkeeper's trial balance and the status bar then show the difference.
TEST_F(Journey, AnUnbalancedDay) {
  const std::string y = Year();
  LogIn();
  // January's receipt was entered by account alone, and the bank's fee is known to the bank only: the books
  // are 19,050.00 apart already, and the status bar says so from the login on.
  Check("the status bar tells of January's receipt and the bank's fee", [this] {
    EXPECT_EQ(frame->Panes()->BalanceText(), Q("借贷不平 差额 19,050.00"));
  });
  robot.Menu(frame.get(), Q("数据操纵(&E)"), Q("按日期录入"));
  robot.Keys("28 December", R::ModalTitled(Q("Tavrel软件(项目核算)")),
             "Ctrl+A '" + Q(y) + "' Enter Ctrl+A '12' Enter Ctrl+A '28' Enter");
  robot.Step("an office bill without its payment", R::ChildTitled(frame.get(), Q("按日期录入数据")), [this] {
    R::Type(Row({"办公用品", "6602-1", "120"}));
    Snapshot(frame.get(), "journey-18a-unbalanced-day.png");
    R::Type("Ctrl+S");
  });
  robot.Keys("save", R::MessageSaying(Q("的数据已被修改")), "Alt+Y");
  robot.Step("asked, 否", R::MessageSaying(Q("本日借贷不平衡（借 120.00，贷 0.00，差额 120.00），仍要保存吗？")), [] {
    Snapshot(R::TopWindow(), "journey-18b-unbalanced-question.png");
    R::Type("Alt+N");
  });
  Check("nothing written, the window still modified", [y] {
    EXPECT_EQ(Sql("select count(*) from p0 where t='" + y + "1228'"), "Expr1000\n0\n");
  });
  robot.Keys("save again", R::ChildTitled(frame.get(), Q("按日期录入数据")), "Ctrl+S");
  robot.Keys("save", R::MessageSaying(Q("的数据已被修改")), "Alt+Y");
  robot.Keys("是 this time", R::MessageSaying(Q("本日借贷不平衡")), "Alt+Y");
  robot.Keys("close", R::ChildTitled(frame.get(), Q("按日期录入数据")), "Ctrl+F4");
  Check("the day is in the books and the status bar counts it", [this, y] {
    EXPECT_EQ(Sql("select count(*) from p0 where t='" + y + "1228'"), "Expr1000\n1\n");
    EXPECT_EQ(frame->Panes()->BalanceText(), Q("借贷不平 差额 19,170.00"));
  });
  robot.Menu(frame.get(), Q("查询帐簿(&B)"), Q("试算平衡表"));
  robot.Keys("December", R::ModalTitled(Q("试算平衡表")), "Ctrl+A '12' Enter");
  robot.Step("the trial balance", R::ChildTitled(frame.get(), Q("试算平衡表")), [this] {
    Snapshot(frame.get(), "journey-18c-trial-balance.png");
  });
  Check("the tool's trial balance shows the same", [] {
    std::string trial = Report("trial", "--month 12 --head");
    EXPECT_NE(trial.find("借贷不平：期初 借多 19,050.00；本期 借多 120.00；期末 借多 19,170.00"), std::string::npos) << trial;
  });

  EXPECT_TRUE(Play());
}

TEST_F(Journey, TheNextYear) {
  const std::string next = std::to_string(CurrentYear() + 1);
  const std::string nextFile = Set() + "/" + next + ".vyx";
  // The new year and the carry-forward are the administrator's (101, listed before the bookkeeper).
  robot.Keys("log in as the administrator", R::ModalTitled(Q("打开Tavrel项目核算数据文件")), "Alt+O Up Enter");

  // 建新年度帐, then 操作环境注册 to the new year's file.
  robot.Menu(frame.get(), Q("帐务管理(&G)"), Q("建新年度帐"));
  robot.Keys("the next year", R::ModalTitled(Q("建立新年度数据文件")), "'" + Q(next) + "' Alt+N");
  robot.AnswerUntil("the new year's file is made", Main());
  Check("the new file", [nextFile] { EXPECT_TRUE(std::filesystem::exists(Utf8(nextFile))); });
  robot.Menu(frame.get(), Q("通用服务(&F)"), Q("操作环境注册"));
  robot.Step("log in to the next year", R::ModalTitled(Q("打开Tavrel项目核算数据文件")), [next] {
    // The file is chosen in the dialog's list of the set's folder.
    for (int i = 0; i < 20 && !qobject_cast<QAbstractItemView*>(QApplication::focusWidget()); ++i) R::Type("Tab");
    R::Type("'" + Q(next) + "'");
    Snapshot(R::TopWindow(), "journey-19-login-next-year.png");
    R::Type("Enter");
  });
  robot.AnswerUntil("logged in to the next year", [this, next] {
    return Main()() && frame->windowTitle().contains(Q(next + ".vyx"));
  });

  // 转帐 in the new year, then its balance table on the first day.
  robot.Menu(frame.get(), Q("帐务管理(&G)"), Q("转帐"));
  robot.Step("the chart and the balances", R::ModalTitled(Q("年度帐务数据结转")), [] {
    ASSERT_TRUE(TabTo(Q("会计科目表")));
    R::Type("Space");
    ASSERT_TRUE(TabTo(Q("帐户余额")));
    R::Type("Space");
    Snapshot(R::TopWindow(), "journey-20-carry-forward.png");
    R::Type("Alt+S");
  });
  robot.AnswerUntil("carried forward", Main());
  robot.Menu(frame.get(), Q("通用服务(&F)"), Q("操作环境注册"));
  robot.Keys("back as the bookkeeper", R::ModalTitled(Q("打开Tavrel项目核算数据文件")), "Alt+O Down Enter");
  robot.AnswerUntil("logged in as 102", Main());
  robot.Menu(frame.get(), Q("查询帐簿(&B)"), Q("余额表"));
  robot.Keys("the first day", R::ModalWith(Q("截止时间")),
             "Ctrl+A '" + Q(next) + "' Tab Ctrl+A '1' Tab Ctrl+A '1' Alt+S");
  robot.Step("the next year's balances", R::ChildTitled(frame.get(), Q("帐户余额表")), [this] {
    Snapshot(frame.get(), "journey-21-next-year-balances.png");
  });
  Check("the balances came over", [nextFile, next] {
    std::string balances =
        Tool("report balance '" + Utf8(nextFile) + "' --date " + next + "0101");
    EXPECT_NE(balances.find("1001\t库存现金\t借\t5,700.00"), std::string::npos) << balances;
    EXPECT_NE(balances.find("1002\t银行存款\t借\t119,047.30"), std::string::npos) << balances;
    EXPECT_NE(balances.find("1403\t原材料\t借\t30,000.00"), std::string::npos) << balances;
  });

  EXPECT_TRUE(Play());
}
