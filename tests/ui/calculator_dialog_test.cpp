// The calculator window under the offscreen platform: what it shows, what its buttons do, what it returns.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt_test_app.h"
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "calculator_dialog.h"
#include "calc/calc_variables.h"
#include "gbk_qt.h"
#include "support/year_file_fixture.h"

namespace {

// A key pressed in widget, as the user presses it.
void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(widget, &release);
}

QApplication& App() { return TestQtApp(); }

TEST(CalculatorDialog, FromTheMenuComputesAndNeverSends) {
  App();
  CalculatorDialog dlg(nullptr, "", false);
  dlg.show();
  EXPECT_EQ(dlg.windowTitle(), Q("Tavrel计算器"));
  EXPECT_FALSE(dlg.SendButton()->isEnabled());
  EXPECT_TRUE(dlg.ComputeButton()->isDefault());
  EXPECT_FALSE(dlg.SendButton()->isDefault());

  dlg.ExpressionField()->insertPlainText("(1+2]*100/3");
  Press(dlg.ExpressionField(), Qt::Key_Return);  // the default button: compute
  EXPECT_EQ(dlg.ResultField()->text(), "100");
  EXPECT_TRUE(dlg.isVisible());

  dlg.ExpressionField()->setPlainText(Q("money(1234.56)+1"));
  dlg.ComputeButton()->click();
  EXPECT_EQ(dlg.ResultField()->text(), Q("数据类型不匹配！"));

  dlg.ExpressionField()->setPlainText(Q("1234.5*2+1/3"));
  dlg.ComputeButton()->click();
  EXPECT_EQ(dlg.ResultField()->text(), "2469.333333");
  EXPECT_TRUE(dlg.ExpressionField()->hasFocus() || !QApplication::focusWidget());

  QImage shot = dlg.grab().toImage();
  ASSERT_FALSE(shot.isNull());
  EXPECT_TRUE(shot.save(QString::fromStdString(ShotPath("calculator_dialog.png"))));

  dlg.ClearButton()->click();
  EXPECT_EQ(dlg.ExpressionField()->toPlainText(), "");
  EXPECT_EQ(dlg.ResultField()->text(), "");
}

TEST(CalculatorDialog, SendsBackOnlyAGoodResult) {
  App();
  std::optional<std::string> sent;
  QTimer::singleShot(0, [] {
    auto* dlg = qobject_cast<CalculatorDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dlg);
    EXPECT_TRUE(dlg->SendButton()->isDefault());
    dlg->ExpressionField()->setPlainText("1/0");
    dlg->SendButton()->click();  // fails: the dialog stays open with the message
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->ResultField()->text(), Q("除数为零！"));
    dlg->ExpressionField()->setPlainText("12.5+30+");
    dlg->ExpressionField()->moveCursor(QTextCursor::End);
    Press(dlg->ExpressionField(), Qt::Key_Return, Qt::ControlModifier);  // a new line
    dlg->ExpressionField()->insertPlainText("7.5");
    EXPECT_EQ(dlg->ExpressionField()->toPlainText(), "12.5+30+\n7.5");
    Press(dlg->ExpressionField(), Qt::Key_Return);
  });
  sent = RunCalculator(nullptr, "12.5+30+", true);
  ASSERT_TRUE(sent);
  EXPECT_EQ(*sent, "50");

  QTimer::singleShot(0, [] {
    auto* dlg = qobject_cast<CalculatorDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dlg);
    EXPECT_EQ(dlg->ExpressionField()->toPlainText(), "2*3");
    dlg->CancelButton()->click();
  });
  EXPECT_FALSE(RunCalculator(nullptr, "2*3", true));
}

using CalculatorVariables = YearFileTest;

TEST_F(CalculatorVariables, AreListedAndPutIntoTheExpression) {
  App();
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(MakeYearFile("2026.VYX", 2026), "", 1));
  {
    CalculatorDialog plain(nullptr, "", false, &env);  // a file of our own has no variables
    EXPECT_FALSE(plain.findChild<QListWidget*>());
  }
  env.Execute("CREATE TABLE VYVAR(SVAR CHAR(10),SEXP CHAR(100),SNOTE CHAR(40),NTYPE LONG)");
  ASSERT_TRUE(RewriteCalcVariables(env, {{"rate", "0.0525", "一年期利率", 1}, {"days", "360", "", 0}}));

  CalculatorDialog dlg(nullptr, "10000*", false, &env);
  dlg.show();
  auto* list = dlg.findChild<QListWidget*>();
  ASSERT_TRUE(list);
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(0)->text(), Q("rate = 0.0525    一年期利率"));
  emit list->itemDoubleClicked(list->item(0));
  dlg.ExpressionField()->insertPlainText("/");
  emit list->itemDoubleClicked(list->item(1));
  EXPECT_EQ(dlg.ExpressionField()->toPlainText(), "10000*(0.0525)/(360)");
  dlg.ComputeButton()->click();
  EXPECT_EQ(dlg.ResultField()->text(), "1.458333");
  EXPECT_TRUE(dlg.grab().toImage().save(QString::fromStdString(ShotPath("calculator_variables.png"))));
}

}  // namespace
