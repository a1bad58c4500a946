// 帐户设置 from the main menu: the chart browser walks the tree and adds an account through the account
// dialog; pictures of both.
#include "chart_setup_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "account_dialog.h"
#include "accounts/chart_templates.h"
#include "app/application.h"
#include "base/gbk.h"
#include "command_wiring.h"
#include "gbk_qt.h"
#include "login_dialog.h"
#include "main_frame.h"
#include "mask_edit.h"
#include "main_window_fixture.h"
#include "ui/qt_test_app.h"

namespace {

// Acts on the next modal dialog of type T other than skip (while skip lives), as soon as it is up.
template <class T>
void WhenModal(std::function<void(T*)> act, QPointer<QWidget> skip = nullptr) {
  QTimer::singleShot(20, [act, skip] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!dialog || (skip && dialog == skip) || !dialog->isVisible()) {
      WhenModal<T>(act, skip);
      return;
    }
    act(dialog);
  });
}

QStringList Lines(QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text().section(' ', 0, 0);
  return lines;
}

using ChartSetupWindow = MainWindowTest;

}  // namespace

TEST_F(ChartSetupWindow, OpensFromTheMenuWalksTheTreeAndAddsAnAccount) {
  path = CreateAccountSetFile(dir.Path(), 2026);
  Exec(path,
       "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('101','现金',1,'0','0',NULL,'0',0,0)");
  Exec(
      path,
      "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('101-1','人民币户',2,'0','0',NULL,'0',0,0)");
  Exec(path,
       "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('102','银行存款',1,'0','0',NULL,'1',0,0)");
  Exec(path, "insert into wbt(wno,na,ho) values('1','美元','')");
  ASSERT_TRUE(LogIn("102"));
  frame.UpdateCommandStates();
  ASSERT_TRUE(frame.Action(40025)->isEnabled());

  bool walked = false, added = false;
  QStringList listed, behind;
  WhenModal<ChartSetupDialog>([&](ChartSetupDialog* browser) {
    QListWidget* list = browser->List();
    EXPECT_EQ(Lines(list), QStringList({"101", "102"}));
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_EQ(Lines(list), QStringList({"101-1"}));
    EXPECT_EQ(browser->Model().directory, "101");
    QTest::keyClick(list, Qt::Key_Left);
    EXPECT_EQ(Lines(list), QStringList({"101", "102"}));
    EXPECT_EQ(list->currentRow(), 0);
    browser->grab().save(QString::fromStdString(ShotPath("chart_setup_browser.png")));
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Right);  // into 102, which keeps a multi-column ledger
    // A code typed into the level selector that is not on the level.
    auto* level = browser->findChild<QComboBox*>();
    level->lineEdit()->setText("109");
    QTest::keyClick(level->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(platform.LastText(), "警告：\n\t本级科目无此代码!");
    EXPECT_EQ(browser->Model().directory, "102");
    walked = true;

    WhenModal<AccountDialog>([&](AccountDialog* first) {
      first->CodeField()->setText("1");
      first->NameField()->setText(Q("工商银行"));
      for (QAbstractButton* b : first->findChildren<QAbstractButton*>())
        if (b->text() == Q("借方")) b->click();
      first->grab().save(QString::fromStdString(ShotPath("account_dialog.png")));
      // The dialog opens again for the next account: cancelled, it ends the series.
      WhenModal<AccountDialog>(
          [&, list](AccountDialog* second) {
            behind = Lines(list);  // the account just added is in the list behind the next dialog
            second->CancelButton()->click();
          },
          first);
      first->OkButton()->click();
      added = true;
    });
    browser->AddButton()->click();
    listed = Lines(list);
    browser->accept();
  });
  frame.Action(40025)->trigger();
  EXPECT_TRUE(walked);
  EXPECT_TRUE(added);
  EXPECT_EQ(listed, QStringList({"102-1"}));
  EXPECT_EQ(behind, QStringList({"102-1"}));
  EXPECT_EQ(CVyDataEnv::QueryLong(app.env.Db(),
                                  "select count(*) from subt where trim(kno)='102-1' and dlf=1 and dlw=4"),
            1);
}

TEST_F(ChartSetupWindow, AStandardChartFromTheStart) {
  std::string error;
  path = CreateAccountSetWithChart(dir.Path(), 2026, "standard", error);
  ASSERT_FALSE(path.empty()) << error;
  ASSERT_TRUE(LogIn(""));  // the preselected operator
  EXPECT_EQ(app.env.opno, "102");
  QStringList top;
  WhenModal<ChartSetupDialog>([&](ChartSetupDialog* browser) {
    top = Lines(browser->List());
    browser->resize(560, 640);
    browser->grab().save(QString::fromStdString(ShotPath("standard_chart.png")));
    browser->accept();
  });
  frame.Action(40025)->trigger();
  ASSERT_GE(top.size(), 150);
  EXPECT_EQ(top.front(), "1001");
  EXPECT_EQ(top.back(), "6901");
}
