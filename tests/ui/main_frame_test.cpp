#include "main_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include "about_dialog.h"
#include "base/gbk.h"
#include "child_frame.h"
#include "gbk_qt.h"
#include "form_view_widget.h"
#include "help_dialog.h"
#include "ledgers/three_column_ledger.h"
#include "status_panes.h"
#include "main_window_fixture.h"
#include "ui/qt_test_app.h"

namespace {

const std::vector<int> kAdmin = {40030, 40031, 40032, 40033, 40029, 40034};

// A data window of a kind the tests make up: its view is a label.
DataWindowKit LabelKit(int* asked = nullptr) {
  DataWindowKit kit;
  kit.ask = [asked](QWidget*) {
    if (asked) ++*asked;
    return true;
  };
  kit.createView = [] { return new QLabel(); };
  kit.load = [](QWidget* view) { static_cast<QLabel*>(view)->setText(Q("三栏式帐")); };
  kit.duplicate = [](QWidget* source) { return new QLabel(static_cast<QLabel*>(source)->text()); };
  return kit;
}

// The smallest entry window: asked to close, it answers its save question from the test's script.
class TestEntryFrame : public CChildFrame {
 public:
  TestEntryFrame(int id, SaveAnswer* answer) : CChildFrame(id), answer_(answer) {}

 protected:
  bool QueryClose() override { return EntryFrameMayClose(*answer_, App().Shutdown()); }

 private:
  SaveAnswer* answer_;
};

class MainFrameTest : public MainWindowTest {
 protected:
  void SetUp() override {
    path = CreateAccountSetFile(dir.Path(), 2026);
    Exec(path, "insert into opr(opno,na,psd) values('103','张三','')");
    Exec(path, "insert into pwr(opno,pwr) values('101','0301')");
  }
  // Starts the program on the year file as the operator, the commands left to the test's stand-ins.
  void Start(const std::string& opno) { ASSERT_TRUE(LogIn(opno, false)); }
  void StandIns(const std::vector<int>& ids) {
    for (int id : ids) frame.SetCommandHandler(id, [this, id] { ran.push_back(id); });
  }

  std::vector<int> ran;
};

}  // namespace

TEST_F(MainFrameTest, StartsWithTitleStatusPanesAndTheMenusOfTheTable) {
  Start("103");
  EXPECT_EQ(frame.windowTitle(), Q("Tavrel项目核算软件：××单位(" + path + ")"));
  EXPECT_EQ(frame.Panes()->OperatorText(), Q("操作：103,张三"));
  EXPECT_EQ(frame.Panes()->CapsPane()->text(), Q("大写"));
  EXPECT_EQ(frame.Panes()->NumPane()->text(), Q("数字"));
  EXPECT_EQ(frame.Panes()->OperatorPane()->width(), 5 * frame.Panes()->NumPane()->width());
  EXPECT_TRUE(frame.isMaximized());

  // The menu bar shows the popups and items of the table, separators included.
  QList<QAction*> popups = frame.menuBar()->actions();
  ASSERT_EQ(popups.size(), static_cast<qsizetype>(MenuLayout().size()));
  for (size_t m = 0; m < MenuLayout().size(); ++m) {
    const MenuPopup& popup = MenuLayout()[m];
    EXPECT_EQ(popups[m]->text(), Q(popup.title));
    QList<QAction*> items = popups[m]->menu()->actions();
    ASSERT_EQ(items.size(), static_cast<qsizetype>(popup.items.size())) << popup.title;
    for (size_t i = 0; i < popup.items.size(); ++i) {
      if (popup.items[i] == 0) {
        EXPECT_TRUE(items[i]->isSeparator());
      } else {
        EXPECT_EQ(items[i], frame.Action(popup.items[i]));
        EXPECT_TRUE(items[i]->text().startsWith(Q(FindCommand(popup.items[i])->text)));
        // The prompt, or for a command grey for want of a right, which right it wants.
        std::string missing = app.MissingRightText(*FindCommand(popup.items[i]));
        EXPECT_EQ(items[i]->statusTip(), Q(missing.empty() ? FindCommand(popup.items[i])->prompt : missing));
      }
    }
  }
  // Every accelerator is on its command.
  for (const Accelerator& a : Accelerators()) {
    QString keys = Q(a.keys).replace("Insert", "Ins").replace("Delete", "Del");
    EXPECT_TRUE(frame.Action(a.id)->shortcuts().contains(QKeySequence(keys))) << a.keys;
  }
  EXPECT_EQ(frame.Action(cmd::kExit)->shortcut(), QKeySequence("Alt+F4"));
  EXPECT_EQ(frame.Action(cmd::kClose)->text(), Q("关闭(&C)"));
  EXPECT_EQ(frame.Action(cmd::kClose)->shortcut(), QKeySequence("Ctrl+F4"));
}

TEST_F(MainFrameTest, AnOperatorWithoutRightsHasOnlyTheCommandsEveryoneHas) {
  Start("103");
  StandIns({cmd::kPassword, cmd::kCalculator});
  StandIns(kAdmin);
  for (const CommandInfo& c : Commands()) {
    if (*c.right) {
      frame.SetCommandHandler(c.id, [] {});
      EXPECT_FALSE(Enabled(c.id)) << c.id;
    }
  }
  for (int id : {cmd::kLogin, cmd::kPassword, cmd::kCalculator, cmd::kCascade, cmd::kTile, cmd::kArrangeIcons,
                 cmd::kHelpTopics, cmd::kAbout, cmd::kExit, cmd::kClose, cmd::kToolBar, cmd::kStatusBar})
    EXPECT_TRUE(Enabled(id)) << id;
  // Nothing to save or print without a window.
  for (int id : {cmd::kSave, cmd::kPrint, cmd::kCopy, cmd::kWindowNew}) EXPECT_FALSE(Enabled(id)) << id;
  // A disabled command does nothing even when asked directly.
  frame.RunCommand(40030);
  EXPECT_TRUE(ran.empty());
  frame.RunCommand(cmd::kPassword);
  EXPECT_EQ(ran, std::vector<int>{cmd::kPassword});
}

TEST_F(MainFrameTest, AChildWindowLocksAdministrationAndTheLogin) {
  Start("101");
  StandIns(kAdmin);
  int asked = 0;
  frame.SetDataWindowKit(32779, LabelKit(&asked));
  for (int id : kAdmin) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_TRUE(Enabled(cmd::kLogin));
  EXPECT_FALSE(Enabled(32780));  // 多栏式帐 is not built

  frame.RunCommand(32779);
  ASSERT_EQ(frame.Children().size(), 1u);
  EXPECT_EQ(asked, 1);
  CChildFrame* first = frame.Children()[0];
  EXPECT_TRUE(first->isMaximized());
  EXPECT_EQ(static_cast<QLabel*>(first->View())->text(), Q("三栏式帐"));
  EXPECT_EQ(first->windowTitle(), Q("Tavrel软件"));
  for (int id : kAdmin) EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_FALSE(Enabled(cmd::kLogin));
  EXPECT_TRUE(Enabled(32779));
  EXPECT_TRUE(Enabled(cmd::kWindowNew));

  // A second window of the same command, and 新建窗口: each its own frame, numbered.
  frame.RunCommand(32779);
  frame.RunCommand(cmd::kWindowNew);
  ASSERT_EQ(frame.Children().size(), 3u);
  EXPECT_EQ(frame.Children()[2]->windowTitle(), Q("Tavrel软件:3"));
  EXPECT_EQ(static_cast<QLabel*>(frame.Children()[2]->View())->text(), Q("三栏式帐"));
  EXPECT_TRUE(frame.Children()[2]->isMaximized());
  EXPECT_EQ(frame.WindowListTexts(),
            (QStringList{Q("&1 Tavrel软件:1"), Q("&2 Tavrel软件:2"), Q("&3 Tavrel软件:3")}));

  // 关闭 closes the active one; with all closed, the locks are off again.
  frame.RunCommand(cmd::kClose);
  QApplication::processEvents();
  EXPECT_EQ(frame.Children().size(), 2u);
  frame.MdiArea()->closeAllSubWindows();
  QApplication::processEvents();
  EXPECT_TRUE(frame.Children().empty());
  for (int id : kAdmin) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_TRUE(Enabled(cmd::kLogin));
  frame.RunCommand(40031);
  EXPECT_EQ(ran, std::vector<int>{40031});
}

TEST_F(MainFrameTest, OpeningFailsOrIsCancelledWithNothingOpened) {
  Start("101");
  DataWindowKit kit = LabelKit();
  kit.ask = [](QWidget*) { return false; };
  frame.SetDataWindowKit(32779, kit);
  frame.RunCommand(32779);
  EXPECT_TRUE(frame.Children().empty());
  EXPECT_TRUE(platform.messages.empty());

  kit.ask = [](QWidget*) { return true; };
  kit.createView = [] { return nullptr; };
  frame.SetDataWindowKit(32779, kit);
  frame.RunCommand(32779);
  EXPECT_TRUE(frame.Children().empty());
  EXPECT_EQ(platform.Texts(), std::vector<std::string>{"命令失败。"});
}

TEST_F(MainFrameTest, ADatabaseErrorReachesTheUserAndTheProgramGoesOn) {
  Start("101");
  frame.SetDataWindowKit(32779, LabelKit());
  frame.RunCommand(32779);
  frame.SetCommandHandler(cmd::kPassword, [this] { app.env.Execute("update nosuchtable set a=1"); });
  frame.RunCommand(cmd::kPassword);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("nosuchtable"), std::string::npos);
  EXPECT_EQ(platform.messages[0].caption, "Tavrel软件");
  EXPECT_EQ(frame.Children().size(), 1u);
  EXPECT_TRUE(app.env.IsOpen());
  EXPECT_EQ(app.env.QueryLong("select count(*) from opr"), 3);

  // The same from a button of a dialog the command opened.
  QPushButton button;
  QObject::connect(&button, &QPushButton::clicked, [this] { app.env.Execute("delete from nosuchtable"); });
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_NE(platform.messages[1].text.find("nosuchtable"), std::string::npos);
  EXPECT_TRUE(app.env.IsOpen());
}

TEST_F(MainFrameTest, ACancelledSaveStopsTheShutdown) {
  Start("101");
  SaveAnswer answer = SaveAnswer::Cancel;
  DataWindowKit entry = LabelKit();
  entry.createFrame = [&answer](const DocTemplate& t) {
    EXPECT_STREQ(t.frameClass, "CQirnpzFrm");
    return new TestEntryFrame(32771, &answer);
  };
  frame.SetDataWindowKit(32771, entry);
  frame.SetDataWindowKit(32779, LabelKit());
  Exec(path, "insert into pwr(opno,pwr) values('101','0201')");
  app.env.LoadRights();
  frame.RunCommand(32779);
  frame.RunCommand(32771);
  frame.RunCommand(32779);
  ASSERT_EQ(frame.Children().size(), 3u);

  EXPECT_FALSE(frame.close());
  QApplication::processEvents();
  // The window in front closed; the entry window refused and the one behind it was never asked.
  ASSERT_EQ(frame.Children().size(), 2u);
  EXPECT_NE(dynamic_cast<TestEntryFrame*>(frame.Children()[1]), nullptr);
  EXPECT_TRUE(frame.isVisible());

  answer = SaveAnswer::Saved;
  EXPECT_TRUE(frame.close());
  QApplication::processEvents();
  EXPECT_TRUE(frame.Children().empty());
}

TEST_F(MainFrameTest, ReloginInPlaceAndHelp) {
  Start("101");
  login.act = [](CHobdFileDlg& d) { return ChooseOperator(d, "102"); };
  frame.RunCommand(cmd::kLogin);
  EXPECT_EQ(frame.Panes()->OperatorText(), Q("操作：102,×××"));
  EXPECT_TRUE(app.HasRight("0201"));
  EXPECT_EQ(frame.windowTitle(), Q("Tavrel项目核算软件：××单位(" + path + ")"));

  frame.RunCommand(cmd::kHelp);
  auto* help = frame.findChild<HelpDialog*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->Browser()->toPlainText().contains(Q("改变用户身份或帐务数据文件")));
  help->close();
}

TEST_F(MainFrameTest, PictureOfTheMainWindow) {
  Start("101");
  frame.SetDataWindowKit(32779, LabelKit());
  frame.showNormal();
  frame.resize(1100, 700);
  frame.UpdateCommandStates();
  QApplication::processEvents();
  QPixmap empty = frame.grab();
  ASSERT_FALSE(empty.isNull());
  EXPECT_TRUE(empty.save(QString::fromStdString(ShotPath("main_window.png"))));
  frame.RunCommand(32779);
  QApplication::processEvents();
  EXPECT_TRUE(frame.grab().save(QString::fromStdString(ShotPath("main_window_child.png"))));
  frame.MdiArea()->closeAllSubWindows();
}

TEST_F(MainFrameTest, PromptsShowInTheMessagePane) {
  Start("101");
  frame.Action(40031)->showStatusText(&frame);
  EXPECT_EQ(frame.statusBar()->currentMessage(), Q("建立新年度帐务文件"));
  frame.Action(cmd::kLogin)->showStatusText(&frame);
  EXPECT_EQ(frame.statusBar()->currentMessage(), Q("改变用户身份或帐务数据文件"));
  // The bars come and go with their commands.
  frame.RunCommand(cmd::kToolBar);
  EXPECT_FALSE(frame.ToolBar()->isVisible());
  EXPECT_FALSE(frame.Action(cmd::kToolBar)->isChecked());
  frame.RunCommand(cmd::kToolBar);
  EXPECT_TRUE(frame.ToolBar()->isVisible());
  frame.RunCommand(cmd::kStatusBar);
  EXPECT_FALSE(frame.statusBar()->isVisible());
  EXPECT_FALSE(frame.Action(cmd::kStatusBar)->isChecked());
}

TEST_F(MainFrameTest, PicturesOfHelpAndAbout) {
  Start("101");
  frame.RunCommand(cmd::kHelpTopics);
  auto* help = frame.findChild<HelpDialog*>();
  ASSERT_NE(help, nullptr);
  QApplication::processEvents();
  EXPECT_TRUE(help->grab().save(QString::fromStdString(ShotPath("help.png"))));
  help->close();
  AboutDialog about(Q(app.AboutText()), &frame);
  about.show();
  QApplication::processEvents();
  EXPECT_EQ(about.windowTitle(), Q("关于Tavrel报表软件"));
  EXPECT_EQ(about.findChild<QLabel*>("aboutText")->text(), Q("Tavrel项目核算软件(1.0 版)"));
  EXPECT_TRUE(about.grab().save(QString::fromStdString(ShotPath("about.png"))));
}

TEST_F(MainFrameTest, KeysReachTheirCommands) {
  Start("101");
  StandIns({cmd::kCalculator});
  frame.SetDataWindowKit(32779, LabelKit());
  frame.activateWindow();
  QApplication::setActiveWindow(&frame);
  QTest::keyClick(&frame, Qt::Key_F12);
  EXPECT_EQ(ran, std::vector<int>{cmd::kCalculator});
  QTest::keyClick(&frame, Qt::Key_F1);
  auto* help = frame.findChild<HelpDialog*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  help->close();
  frame.RunCommand(32779);
  ASSERT_EQ(frame.Children().size(), 1u);
  QApplication::setActiveWindow(&frame);
  QTest::keyClick(&frame, Qt::Key_F4, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_TRUE(frame.Children().empty());
}

TEST_F(MainFrameTest, AGreyCommandSaysWhichRightIsMissing) {
  Start("101");  // 0101 and 0301
  for (const CommandInfo& c : Commands())
    if (*c.right) frame.SetCommandHandler(c.id, [] {});
  frame.UpdateCommandStates();
  EXPECT_EQ(frame.Action(32771)->statusTip(), Q("当前操作员无此权限（按帐户录入）"));
  EXPECT_EQ(frame.Action(40020)->statusTip(), Q("当前操作员无此权限（帐簿余额表）"));
  EXPECT_EQ(frame.Action(32779)->statusTip(), Q("三栏式帐的查询与打印"));  // held: the prompt
  // The user points at the grey item of the open menu and reads why in the status bar.
  frame.show();
  QMenu* menu = frame.menuBar()->actions()[1]->menu();  // 数据操纵
  menu->popup(frame.mapToGlobal(QPoint(20, 20)));
  QApplication::processEvents();
  QTest::mouseMove(menu, menu->actionGeometry(frame.Action(32771)).center());
  QApplication::processEvents();
  EXPECT_EQ(frame.statusBar()->currentMessage(), Q("当前操作员无此权限（按帐户录入）"));
  menu->hide();
}

TEST_F(MainFrameTest, CtrlF4ClosesTheActiveWindowWhereverTheFocusIs) {
  Exec(path, "insert into pwr(opno,pwr) values('101','0201')");
  Start("101");
  SaveAnswer answer = SaveAnswer::Cancel;
  DataWindowKit plain = LabelKit();
  plain.createView = [] { return new QLineEdit(); };
  plain.load = [](QWidget*) {};
  DataWindowKit entry = plain;
  entry.createFrame = [&answer](const DocTemplate&) { return new TestEntryFrame(32771, &answer); };
  frame.SetDataWindowKit(32779, plain);
  frame.SetDataWindowKit(32771, entry);
  frame.show();
  QApplication::setActiveWindow(&frame);
  frame.RunCommand(32771);
  frame.RunCommand(32779);
  ASSERT_EQ(frame.Children().size(), 2u);
  struct Step {
    SaveAnswer answer;
    size_t left;  // windows open afterwards
  } steps[] = {
      {SaveAnswer::Cancel, 1},  // the ledger closes; the entry window asks and stays
      {SaveAnswer::Cancel, 1},
      {SaveAnswer::Saved, 0},
  };
  for (const Step& s : steps) {
    answer = s.answer;
    CChildFrame* active = frame.ActiveChild();
    ASSERT_NE(active, nullptr);
    active->View()->setFocus();
    QTest::keyClick(active->View(), Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(frame.Children().size(), s.left);
  }
}

TEST_F(MainFrameTest, WindowsAreTitledByTheirLedgerAndAccount) {
  for (const char* sql : {"insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('1001','库存现金',1,'0','0',NULL,'0',0,0)",
                          "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('1002','银行存款',1,'0','0',NULL,'0',0,0)"})
    Exec(path, sql);
  Start("101");
  std::string code;
  DataWindowKit kit;
  kit.createView = [this] {
    auto view = std::make_unique<CQirnzb1>();
    view->SetDataEnv(&app.env);
    return new FormViewWidget(std::move(view));
  };
  kit.load = [&code](QWidget* w) { static_cast<CQirnzb1&>(static_cast<FormViewWidget*>(w)->View()).Open(code); };
  frame.SetDataWindowKit(32779, kit);
  frame.resize(1000, 640);
  frame.show();
  for (const char* c : {"1001", "1002"}) {
    code = c;
    frame.RunCommand(32779);
  }
  ASSERT_EQ(frame.Children().size(), 2u);
  EXPECT_EQ(frame.Children()[0]->windowTitle(), Q("三栏式帐页 1001"));
  EXPECT_EQ(frame.Children()[1]->windowTitle(), Q("三栏式帐页 1002"));
  EXPECT_EQ(frame.WindowListTexts(), (QStringList{Q("&1 三栏式帐页 1001"), Q("&2 三栏式帐页 1002")}));
  // The window shows another account: its title follows.
  static_cast<CQirnzb1&>(static_cast<FormViewWidget*>(frame.Children()[0]->View())->View()).Open("1002");
  frame.UpdateCommandStates();
  EXPECT_EQ(frame.Children()[0]->windowTitle(), Q("三栏式帐页 1002:1"));
  frame.MdiArea()->cascadeSubWindows();
  QApplication::processEvents();
  EXPECT_TRUE(frame.grab().save(QString::fromStdString(ShotPath("titled_ledgers.png"))));
  frame.MdiArea()->closeAllSubWindows();
}
