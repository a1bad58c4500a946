// The entry windows as a user meets them: opened from the menu, the parameters typed into the dialog,
// postings typed with keys, saved with Ctrl+S, closed through the save question.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QMdiArea>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "app/command_table.h"
#include "base/gbk.h"
#include "child_frame.h"
#include "command_wiring.h"
#include "entry/account_entry_dlg.h"
#include "entry/date_entry_dlg.h"
#include "reports/trial_balance.h"
#include "form_view_widget.h"
#include "gbk_qt.h"
#include "login_dialog.h"
#include "main_frame.h"
#include "mask_edit.h"
#include "status_panes.h"
#include "support/year_file_fixture.h"
#include "ui/dialog_test_support.h"
#include "ui/main_window_fixture.h"
#include "ui/qt_test_app.h"

namespace {

class EntryWindows : public MainWindowTest {
 protected:
  void SetUp() override {
    path = CreateAccountSetFile(dir.Path(), 2026);
    for (const char* a :
         {"('101','现金',1,'0','0',null,'0',0,0)", "('102','银行存款',1,'0','0',null,'0',0,0)",
          "('102-1','工商银行',2,'0','0',null,'0',0,0)"})
      Exec(path, std::string("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values") + a);
    ASSERT_TRUE(LogIn());
    frame.showNormal();
    frame.resize(1180, 640);
  }

  // Answers the modal parameter dialog, once it is up, by typing keys into its fields: each text replaces
  // what the field with the focus holds, then Enter moves on (from the last field it presses 确认).
  void AnswerDialog(std::vector<QString> texts) {
    QTimer::singleShot(50, [texts] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      for (const QString& t : texts) {
        auto* field = qobject_cast<MaskEdit*>(dialog->focusWidget());
        ASSERT_NE(field, nullptr);
        field->selectAll();
        QTest::keyClicks(field, t);
        QTest::keyClick(field, Qt::Key_Return);
      }
    });
  }
  FormViewWidget* OpenFromMenu(int id, std::vector<QString> texts) {
    AnswerDialog(std::move(texts));
    frame.Action(id)->trigger();
    CChildFrame* child = frame.ActiveChild();
    return child ? qobject_cast<FormViewWidget*>(child->View()) : nullptr;
  }
  static void Type(QWidget* w, const QString& text) { TypeText(w, text); }
  static void Keys(QWidget* w, std::vector<QString> cells, bool nextRow = true) {
    for (size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) QTest::keyClick(w, Qt::Key_Tab);
      Type(w, cells[i]);
    }
    if (!nextRow) return;
    QTest::keyClick(w, Qt::Key_Down);
    for (size_t i = 1; i < cells.size(); ++i) QTest::keyClick(w, Qt::Key_Tab, Qt::ShiftModifier);
  }
  std::vector<std::string> Rows(const std::string& where) {
    std::vector<std::string> out;
    auto cursor = app.env.Db()->Query("select t,trim(kno),f,my,rn,trim(mry) from p0 where " + where +
                                      " order by t,trim(kno),rn");
    for (; !cursor->AtEnd(); cursor->Next())
      out.push_back(cursor->Text(0) + " " + cursor->Text(1) + " " + cursor->Text(2) + " " + cursor->Text(3) +
                    " " + cursor->Text(4) + " " + cursor->Text(5));
    return out;
  }
  void Shot(const char* name) {
    QApplication::processEvents();
    EXPECT_TRUE(frame.grab().save(QString::fromStdString(ShotPath(name))));
  }
};

TEST_F(EntryWindows, ByAccountTypedSavedAndClosedThroughTheQuestion) {
  FormViewWidget* w = OpenFromMenu(32771, {Q("5"), Q("101")});
  ASSERT_NE(w, nullptr);
  w->setFocus();
  Keys(w, {Q("3"), Q("收到货款"), Q("1234.5")});
  Keys(w, {Q("8"), Q("支付运费"), Q(""), Q("200")}, false);
  QTest::keyClick(w, Qt::Key_Tab);
  Shot("entry_by_account.png");
  platform.answers.push_back(MsgAnswer::Yes);
  QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(platform.LastText(),
            "警告:  2026 年 5 月份的数据已被修改\n\n请作选择：\n\n① 存盘请选择“是”；\n"
            "② 不存盘请选择“否”；\n③ 返回继续录入请选择“取消”。");
  EXPECT_EQ(Rows("rn>0"),
            (std::vector<std::string>{"20260503 101 1 1234.5 1 收到货款", "20260508 101 -1 200 1 支付运费"}));
  // A change, then closing: the question comes, 取消 keeps the window, 否 closes it without saving.
  Type(w, Q("1"));
  platform.answers.push_back(MsgAnswer::Cancel);
  frame.ActiveChild()->close();
  ASSERT_EQ(frame.Children().size(), 1u);
  EXPECT_EQ(platform.messages.back().buttons, MsgButtons::YesNoCancel);
  platform.answers.push_back(MsgAnswer::No);
  frame.ActiveChild()->close();
  EXPECT_TRUE(SpinUntil([&] { return frame.Children().empty(); }));
  EXPECT_EQ(Rows("rn>0").size(), 2u);
}

TEST_F(EntryWindows, ByDateTypedAndSaved) {
  FormViewWidget* w = OpenFromMenu(32772, {Q("2026"), Q("6"), Q("18")});
  ASSERT_NE(w, nullptr);
  w->setFocus();
  Keys(w, {Q("提取现金"), Q("101"), Q("5000")});
  Keys(w, {Q("提取现金"), Q("102-1"), Q(""), Q("5000"), Q("2")}, false);
  QTest::keyClick(w, Qt::Key_Tab);
  Shot("entry_by_date.png");
  platform.answers.push_back(MsgAnswer::Yes);
  QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Rows("rn>0"), (std::vector<std::string>{"20260618 101 1 5000 1 提取现金",
                                                    "20260618 102-1 -1 5000 1 提取现金"}));
  // Printed pages come out of the same window.
  QString pdf = QString::fromStdString(dir.File("day.pdf"));
  EXPECT_TRUE(w->Printing().PrintToPdf(pdf));
  EXPECT_GT(QFileInfo(pdf).size(), 1000);
  QFile::copy(pdf, QString::fromStdString(ShotPath("entry_by_date.pdf")));
}

// A one-sided payment by account: no question, but the status bar says the period does not balance, and
// its pane the book's difference; the trial balance, open to the bookkeeper, shows it; the counter posting
// by date makes everything level again.
TEST_F(EntryWindows, AOneSidedSaveShowsInTheStatusBarAndInTheTrialBalance) {
  EXPECT_EQ(frame.Panes()->BalanceText(), "");
  FormViewWidget* w = OpenFromMenu(32771, {Q("3"), Q("101")});
  ASSERT_NE(w, nullptr);
  w->setFocus();
  Keys(w, {Q("5"), Q("付款"), Q(""), Q("770")}, false);
  platform.answers.push_back(MsgAnswer::Yes);
  QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(frame.statusBar()->currentMessage(), Q("第 3 期借贷不平衡：借 0.00，贷 770.00，差额 770.00"));
  EXPECT_EQ(frame.Panes()->BalanceText(), Q("借贷不平 差额 770.00"));
  Shot("entry_by_account_unbalanced.png");

  ASSERT_TRUE(Enabled(cmd::kTrialBalance));  // 102 keeps the books, not the administration
  FormViewWidget* trial = OpenFromMenu(cmd::kTrialBalance, {Q("3")});
  ASSERT_NE(trial, nullptr);
  auto& view = static_cast<CTrialBalanceView&>(trial->View());
  EXPECT_EQ(view.Verdict(), "借贷不平：期初 平；本期 贷多 770.00；期末 贷多 770.00");
  Shot("trial_balance.png");

  FormViewWidget* day = OpenFromMenu(32772, {Q("2026"), Q("3"), Q("5")});
  ASSERT_NE(day, nullptr);
  day->setFocus();
  QTest::keyClick(day, Qt::Key_Down);  // below the cash row
  Keys(day, {Q("付款"), Q("102-1"), Q("770")}, false);
  QTest::keyClick(day, Qt::Key_Tab);
  Shot("entry_by_date_balanced.png");
  platform.answers.push_back(MsgAnswer::Yes);
  QTest::keyClick(day, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(frame.Panes()->BalanceText(), "");
}

}  // namespace
