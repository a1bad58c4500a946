// 年初帐户余额 and 帐户目录打印 from the main menu: walking the levels, editing and saving an opening
// balance, building the catalogue and printing it to PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "accounts/account_code.h"
#include "accounts/chart_print_view.h"
#include "app/application.h"
#include "base/gbk.h"
#include "base/text.h"
#include "chart_print_dialog.h"
#include "child_frame.h"
#include "command_wiring.h"
#include "dialog_test_support.h"
#include "form_view_widget.h"
#include "gbk_qt.h"
#include "login_dialog.h"
#include "main_frame.h"
#include "mask_edit.h"
#include "opening_browser_dialog.h"
#include "opening_edit_dialog.h"
#include "support/year_file_fixture.h"
#include "ui/main_window_fixture.h"
#include "ui/qt_test_app.h"

namespace {

class ChartWindows : public MainWindowTest {
 protected:
  void SetUp() override {
    path = CreateAccountSetFile(dir.Path(), 2026);
    const char* chart[][3] = {{"1001", "库存现金", "0"},     {"1002", "银行存款", "0"},
                              {"1002-1", "工商银行", "0"},   {"1002-2", "建设银行", "0"},
                              {"1002-1-1", "人民币户", "0"}, {"1403", "原材料", "1"}};
    for (auto& a : chart) Exec(path, AccountInsert(a[0], a[1], *a[2] == '1'));
    ASSERT_TRUE(LogIn());
  }
  static std::string AccountInsert(const std::string& code, const std::string& name, bool quantity = false) {
    return Format(
        "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'0','%d',%s,'0',0,0)",
        code.c_str(), name.c_str(), CodeLevel(code), quantity ? 1 : 0, quantity ? "'吨'" : "NULL");
  }
  // Runs act on the next modal dialog of type D once it shows.
  template <class D>
  void WhenShown(std::function<void(D&)> act, bool* seen) {
    QTimer::singleShot(0, [act, seen] {
      auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      *seen = true;
      act(*d);
    });
  }
  static QStringList Row(QTableWidget* t, int r) {
    QStringList cells;
    for (int c = 0; c < t->columnCount(); ++c) cells << t->item(r, c)->text();
    return cells;
  }
};

TEST_F(ChartWindows, OpeningBalancesAreWalkedEditedAndSavedFromTheMainMenu) {
  frame.UpdateCommandStates();
  ASSERT_TRUE(frame.Action(40026)->isEnabled());
  bool browsed = false, edited = false, quantity = false;
  WhenShown<OpeningBalanceDialog>(
      [&](OpeningBalanceDialog& d) {
        QTableWidget* t = d.Table();
        ASSERT_EQ(t->rowCount(), 3);
        EXPECT_EQ(Row(t, 1), QStringList({"1002", Q("银行存款"), Q("平"), "0.00"}));
        Screenshot(d, "openings_top.png");

        t->setCurrentCell(1, 0);
        QTest::keyClick(t, Qt::Key_Return);  // down into 1002
        ASSERT_EQ(t->rowCount(), 2);
        EXPECT_EQ(t->item(0, 0)->text(), "1002-1");
        t->setCurrentCell(1, 0);
        WhenShown<OpeningEditDialog>(
            [&](OpeningEditDialog& e) {
              EXPECT_EQ(e.windowTitle(), Q("帐户：1002-2"));
              EXPECT_EQ(e.QuantityField(), nullptr);
              QTest::keyClicks(e.AmountField(), "1234.5");
              e.CreditButton()->setChecked(true);
              Screenshot(e, "openings_edit.png");
              QTest::keyClick(e.AmountField(), Qt::Key_Return);  // on to 确认
              EXPECT_TRUE(e.OkButton()->hasFocus());
              e.OkButton()->click();
            },
            &edited);
        QTest::keyClick(t, Qt::Key_Return);  // 1002-2 has no sub-accounts: its balance is edited
        EXPECT_EQ(Row(t, 1), QStringList({"1002-2", Q("建设银行"), Q("贷"), "1234.50"}));
        Screenshot(d, "openings_level2.png");

        QTest::keyClick(t, Qt::Key_Escape);  // back up, on 1002
        ASSERT_EQ(t->rowCount(), 3);
        EXPECT_EQ(t->currentRow(), 1);
        EXPECT_EQ(Row(t, 1), QStringList({"1002", Q("银行存款"), Q("贷"), "1234.50"}));

        t->setCurrentCell(2, 0);
        WhenShown<OpeningEditDialog>(
            [&](OpeningEditDialog& e) {
              ASSERT_NE(e.QuantityField(), nullptr);
              QTest::keyClicks(e.QuantityField(), "10");
              QTest::keyClicks(e.PriceField(), "2.5");
              EXPECT_EQ(e.AmountField()->text(), "25.00");
              Screenshot(e, "openings_edit_quantity.png");
              e.OkButton()->click();
            },
            &quantity);
        d.Open();
        EXPECT_EQ(Row(t, 2), QStringList({"1403", Q("原材料"), Q("借"), "25.00"}));
        EXPECT_EQ(d.findChildren<QLineEdit*>()[2]->text(), "-1209.50");
        browsed = true;
        QTest::keyClick(t, Qt::Key_Escape);  // the top level closes
      },
      &browsed);
  frame.RunCommand(40026);
  EXPECT_TRUE(browsed);
  EXPECT_TRUE(edited);
  EXPECT_TRUE(quantity);
  EXPECT_EQ(app.env.QueryLong("select count(*) from p0 where strcomp(cer,'    ',0)=0"), 2);
}

// Entering a level selects its first account, and Enter there edits that account, wherever the parent
// stood: a parent listed at or below its children's count used to leave the table's current row (and the
// edit) on the level's last account.
TEST_F(ChartWindows, EnterOnANewLevelEditsItsFirstAccount) {
  // The fixture's 1001, 1002 and 1403 stand on rows 0 to 2.
  struct Case {
    const char* parent;
    int row, children;  // the parent's row on the top level and its number of sub-accounts
  } cases[] = {{"2201", 3, 1}, {"2202", 4, 2}, {"2203", 5, 9}, {"2204", 6, 3}, {"2205", 7, 12}};
  for (const Case& c : cases) {
    app.env.Execute(AccountInsert(c.parent, "上级"));
    for (int k = 1; k <= c.children; ++k)
      app.env.Execute(AccountInsert(Format("%s-%d", c.parent, k), Format("下级%d", k)));
  }
  OpeningBalanceDialog d(app.env);
  ASSERT_TRUE(d.Ready());
  d.show();
  QTableWidget* t = d.Table();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parent);
    ASSERT_EQ(t->item(c.row, 0)->text(), c.parent);
    t->setCurrentCell(c.row, 0);
    QTest::keyClick(t, Qt::Key_Return);
    ASSERT_EQ(t->rowCount(), c.children);
    const QString first = QString(c.parent) + "-1";
    EXPECT_EQ(t->currentRow(), 0);
    EXPECT_EQ(d.Model().SelectedCode(), first.toStdString());
    bool edited = false;
    WhenShown<OpeningEditDialog>(
        [&](OpeningEditDialog& e) {
          EXPECT_EQ(e.windowTitle(), Q("帐户：") + first);
          e.reject();
        },
        &edited);
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_TRUE(edited);
    QTest::keyClick(t, Qt::Key_Escape);  // back to the top level, on the parent
    EXPECT_EQ(t->currentRow(), c.row);
  }
}

TEST_F(ChartWindows, TheCataloguePrintWindowBuildsAndPrintsToPdf) {
  frame.RunCommand(40024);
  ASSERT_NE(frame.ActiveChild(), nullptr);
  auto* widget = qobject_cast<FormViewWidget*>(frame.ActiveChild()->View());
  ASSERT_NE(widget, nullptr);
  auto& view = dynamic_cast<CHobdSubjectPrint&>(widget->View());
  EXPECT_TRUE(view.Rows().empty());
  frame.ActiveChild()->resize(1100, 700);

  bool chose = false;
  WhenShown<SubjectChoiceDialog>(
      [&](SubjectChoiceDialog& d) {
        EXPECT_TRUE(d.AllButton()->isChecked());
        EXPECT_FALSE(d.CodeField()->isEnabled());
        d.OneButton()->setChecked(true);
        QTest::keyClicks(d.CodeField(), "10*02");
        EXPECT_EQ(d.CodeField()->text(), "1002");
        Screenshot(d, "catalogue_choice.png");
        d.AllButton()->setChecked(true);
        EXPECT_EQ(d.CodeField()->text(), "");
        d.OkButton()->click();
      },
      &chose);
  // Half way through the build the window shows how far it is.
  bool pictured = false;
  view.paintNow = [&, repaint = view.paintNow] {
    repaint();
    if (view.Progress() != 50) return;
    pictured = widget->grab().save(QString::fromStdString(ShotPath("catalogue_progress.png")));
  };
  QTest::keyClick(widget, Qt::Key_Return);  // the empty table asks where to start
  ASSERT_TRUE(chose);
  EXPECT_TRUE(pictured);
  ASSERT_EQ(view.Rows().size(), 6u);
  EXPECT_EQ(view.Rows()[3].name, "    人民币户");
  QApplication::processEvents();
  EXPECT_TRUE(frame.ActiveChild()->grab().save(QString::fromStdString(ShotPath("catalogue_window.png"))));

  frame.UpdateCommandStates();
  EXPECT_TRUE(frame.Action(57601)->isEnabled());  // Ctrl+O asks again
  std::string pdf = ShotPath("catalogue.pdf");
  std::remove(pdf.c_str());
  ASSERT_TRUE(widget->Printing().PrintToPdf(QString::fromStdString(pdf)));
  QFile f(QString::fromStdString(pdf));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")), 1);
}

}  // namespace
