// The account query dialog and the currency and rate dialogs, opened from the main window's menu as the
// user opens them, and the account query answering every window that asks for an account.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "account_query_dialog.h"
#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "app/application.h"
#include "base/gbk.h"
#include "base/text.h"
#include "command_wiring.h"
#include "currency_dialog.h"
#include "currency_list_dialog.h"
#include "gbk_qt.h"
#include "login_dialog.h"
#include "main_frame.h"
#include "mask_edit.h"
#include "rate_dialog.h"
#include "rate_list_dialog.h"
#include "support/year_file_fixture.h"
#include "ui/main_window_fixture.h"
#include "ui/qt_test_app.h"

namespace {

class QueryDialogs : public MainWindowTest {
 protected:
  void SetUp() override {
    path = CreateAccountSetFile(dir.Path(), 2026);
    ASSERT_TRUE(LogIn());
    for (auto [code, name] : std::initializer_list<std::pair<const char*, const char*>>{{"1", "现金"},
                                                                                        {"10", "银行存款"},
                                                                                        {"10-3", "工商银行"},
                                                                                        {"10-3-2", "活期户"},
                                                                                        {"10-3-12", "定期户"},
                                                                                        {"10-20", "建设银行"},
                                                                                        {"6", "财务费用"},
                                                                                        {"6-1", "汇兑损益"}})
      app.env.Execute(Format(
          "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'0','0',NULL,'0',0,0)",
          code, name, CodeLevel(code)));
  }
  template <class T>
  static T* Modal() {
    return qobject_cast<T*>(QApplication::activeModalWidget());
  }
  // Each row's columns joined by "|".
  static QStringList Lines(QTreeWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      QStringList cells;
      for (int c = 0; c < list->columnCount(); ++c) cells << list->topLevelItem(i)->text(c);
      lines << cells.join('|');
    }
    return lines;
  }
  static void Shot(QWidget* w, const char* name) {
    QApplication::processEvents();
    EXPECT_TRUE(w->grab().save(QString::fromStdString(ShotPath(name)))) << name;
  }
};

TEST_F(QueryDialogs, TheMenusAccountQueryWalksDownAndUp) {
  frame.UpdateCommandStates();
  ASSERT_TRUE(frame.Action(40023)->isEnabled());
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* d = Modal<AccountQueryDialog>();
    ASSERT_NE(d, nullptr);
    seen = true;
    QTreeWidget* list = d->List();
    EXPECT_EQ(Lines(list), QStringList({Q("1|现金"), Q("6|财务费用"), Q("10|银行存款")}));
    EXPECT_FALSE(d->Combo()->isEnabled());
    EXPECT_FALSE(d->UpButton()->isEnabled());
    list->setCurrentItem(list->topLevelItem(2));
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_EQ(d->Model().parent, "10");
    EXPECT_EQ(d->Combo()->currentText(), Q("10"));
    QTest::keyClick(list, Qt::Key_Return);  // 10-3 has sub-accounts: browsing opens them
    EXPECT_EQ(Lines(list), QStringList({Q("10-3-2|活期户"), Q("10-3-12|定期户")}));
    EXPECT_TRUE(d->findChildren<QLabel*>().size() > 0);
    bool counted = false, named = false;
    for (QLabel* l : d->findChildren<QLabel*>()) {
      counted |= l->text() == Q("本级有科目2个");
      named |= l->text() == Q("工商银行");
    }
    EXPECT_TRUE(counted);
    EXPECT_TRUE(named);
    Shot(d, "account_query_dialog.png");

    // The filter: Enter in it applies it; nothing found is told, and the filter keeps the focus.
    d->FilterEdit()->setFocus();
    d->FilterEdit()->insert(Q("定期"));
    QTest::keyClick(d->FilterEdit(), Qt::Key_Return);
    EXPECT_EQ(Lines(list), QStringList({Q("10-3-12|定期户")}));
    Shot(d, "account_query_dialog_filtered.png");

    QTest::keyClick(list, Qt::Key_Left);
    EXPECT_EQ(d->Model().parent, "10");
    EXPECT_EQ(list->currentItem()->text(0), Q("10-3"));
    EXPECT_TRUE(d->FilterEdit()->text().isEmpty());
    d->UpButton()->click();
    EXPECT_EQ(d->Model().parent, "");
    EXPECT_EQ(list->indexOfTopLevelItem(list->currentItem()), 2);

    // The search beside the filter reaches every level: 工商's initials from the top, Enter goes there.
    d->SearchEdit()->setFocus();
    QTest::keyClicks(d->SearchEdit(), "gsy");
    EXPECT_EQ(Lines(d->FoundList()), QStringList({Q("10-3|工商银行")}));
    Shot(d, "account_query_dialog_search.png");
    QTest::keyClick(d->SearchEdit(), Qt::Key_Return);
    EXPECT_EQ(d->Model().parent, "10");
    EXPECT_EQ(list->currentItem()->text(0), Q("10-3"));
    d->reject();
  });
  frame.RunCommand(40023);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(QueryDialogs, EveryWindowAsksForAnAccountThroughTheQueryDialog) {
  QTimer::singleShot(0, [&] {
    auto* d = Modal<AccountQueryDialog>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->List()->currentItem()->text(0), Q("10-3-12"));
    QTest::keyClick(d->List(), Qt::Key_Up);
    d->OkButton()->click();
  });
  EXPECT_EQ(AskAccount(accountquery::kLowestLevel, "10-3-12"), std::optional<std::string>("10-3-2"));

  QTimer::singleShot(0, [&] { Modal<AccountQueryDialog>()->reject(); });
  EXPECT_EQ(AskAccount(accountquery::kAnyAccount, "10"), std::nullopt);
}

TEST_F(QueryDialogs, ACurrencyAddedFromTheMenuIsListed) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* list = Modal<CurrencyListDialog>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(platform.LastText(), "本年度尚未设置外币目录，\r\r确定后按增加按钮进行设置!");
    QTimer::singleShot(0, [&] {
      auto* d = Modal<CurrencyDialog>();
      ASSERT_NE(d, nullptr);
      EXPECT_FALSE(d->OkButton()->isEnabled());
      // The code takes digits only: letters are dropped as before, but the dialog says why.
      EXPECT_TRUE(d->CodeHint()->isHidden());
      QTest::keyClicks(d->CodeEdit(), "USD");
      EXPECT_TRUE(d->CodeEdit()->text().isEmpty());
      EXPECT_FALSE(d->CodeHint()->isHidden());
      EXPECT_TRUE(d->CodeHint()->text().startsWith(Q("币种代码只能是数字")));
      Shot(d, "currency_dialog_letters.png");
      QTest::keyClicks(d->CodeEdit(), "007");
      EXPECT_TRUE(d->CodeHint()->isHidden());
      for (const char* typed : {"美元", "'"}) d->NameEdit()->insert(Q(typed));  // the quote is refused
      QTest::keyClicks(d->AccountEdit(), "6-1");
      EXPECT_EQ(d->NameEdit()->text(), Q("美元"));
      EXPECT_TRUE(d->OkButton()->isEnabled());
      Shot(d, "currency_dialog.png");
      // Adding goes on with a fresh dialog until it is cancelled.
      QTimer::singleShot(0, [&] {
        auto* next = Modal<CurrencyDialog>();
        ASSERT_NE(next, nullptr);
        EXPECT_TRUE(next->CodeEdit()->text().isEmpty());
        next->reject();
      });
      d->OkButton()->click();
    });
    list->AddButton()->click();
    EXPECT_EQ(Lines(list->List()), QStringList({Q("7|美元|6-1")}));
    seen = true;
    Shot(list, "currency_list_dialog.png");
    QTest::keyClick(list->List(), Qt::Key_Delete);  // no rates, no account: gone without a question
    EXPECT_EQ(list->List()->topLevelItemCount(), 0);
    list->accept();
  });
  frame.RunCommand(40027);
  EXPECT_TRUE(seen);
}

TEST_F(QueryDialogs, ARateAddedFromTheMenuIsListed) {
  app.env.Execute("insert into wbt(wno,na,ho) values('1','美元','6-1')");
  app.env.Execute("insert into wbt(wno,na,ho) values('2','港币','6-1')");
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* list = Modal<RateListDialog>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Lines(list->CurrencyList()), QStringList({Q("   1  美元"), Q("   2  港币")}));
    EXPECT_EQ(list->RateList()->topLevelItemCount(), 0);
    QTimer::singleShot(0, [&] {
      auto* d = Modal<RateDialog>();
      ASSERT_NE(d, nullptr);
      QTest::keyClicks(d->YearEdit(), "2026");
      QTest::keyClicks(d->MonthEdit(), "3");
      QTest::keyClicks(d->DayEdit(), "1");
      QTest::keyClicks(d->ForeignEdit(), "100");
      QTest::keyClicks(d->BaseEdit(), "712.5");
      Shot(d, "rate_dialog.png");
      d->OkButton()->click();
    });
    list->AddButton()->click();
    EXPECT_EQ(Lines(list->RateList()), QStringList({Q("20260301|100|712.5")}));
    list->CurrencyList()->setCurrentItem(list->CurrencyList()->topLevelItem(1));
    EXPECT_EQ(list->RateList()->topLevelItemCount(), 0);
    list->CurrencyList()->setCurrentItem(list->CurrencyList()->topLevelItem(0));
    seen = true;
    Shot(list, "rate_list_dialog.png");
    list->accept();
  });
  frame.RunCommand(40028);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
