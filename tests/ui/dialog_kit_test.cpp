// The shared button rows keep each dialog's keys: 确认 is the default button everywhere; 取消 is an
// auto-default button (a focused one takes Enter) in the rows that always let it (OkCancelRow) and not in
// ConfirmRow's. And the rows of fields and words lay them out in the order given.
#include "dialog_kit.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <memory>

#include "accounts/currency_dlg.h"
#include "admin/operator_dlg.h"
#include "confirm_row.h"
#include "currency_dialog.h"
#include "dialog_test_support.h"
#include "new_year_dialog.h"
#include "operator_dialog.h"

namespace {

using DialogKit = DialogTest;

// Presses Enter on the focused cancel button of a dialog whose ok accepts it; how the dialog closed.
QDialog::DialogCode EnterOnCancel(QDialog& dialog, QPushButton* ok, QPushButton* cancel) {
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  dialog.show();
  QApplication::processEvents();
  cancel->setFocus();
  QTest::keyClick(cancel, Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  return static_cast<QDialog::DialogCode>(dialog.result());
}

TEST_F(DialogKit, ACancelTakesEnterOnlyWhereItsRowLetsIt) {
  struct Case {
    const char* name;
    std::function<QHBoxLayout*(QDialog*, QPushButton*&, QPushButton*&)> row;
    const char* cancelText;
    bool cancelTakesEnter;
  };
  const Case cases[] = {
      {"ConfirmRow",
       [](QDialog* d, QPushButton*& ok, QPushButton*& cancel) { return ConfirmRow(d, ok, cancel); },
       "&X.取消", false},
      {"OkCancelRow",
       [](QDialog* d, QPushButton*& ok, QPushButton*& cancel) {
         ok = new QPushButton(Q("新建(&N)"));
         return OkCancelRow(d, ok, "取消(&X)", &cancel);
       },
       "取消(&X)", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QDialog dialog;
    QPushButton *ok = nullptr, *cancel = nullptr;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(c.row(&dialog, ok, cancel));
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(G(cancel->text()).value_or(""), c.cancelText);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->autoDefault(), c.cancelTakesEnter);
    if (c.cancelTakesEnter) EXPECT_EQ(EnterOnCancel(dialog, ok, cancel), QDialog::Rejected);
  }
}

// The dialogs whose rows moved onto the kit, each with the captions it had and a cancel that takes Enter.
TEST_F(DialogKit, TheMovedRowsKeepTheirCaptionsAndKeys) {
  COperatorDlg operatorModel(env, COperatorDlg::Mode::Add);
  CCurrencyDlg currencyModel(env, CCurrencyDlg::Mode::Add);
  struct Case {
    const char* name;
    std::function<QDialog*()> make;
    const char *okText, *cancelText;
  };
  const Case cases[] = {
      {"operator", [&] { return new OperatorDialog(operatorModel); }, "&S.确认", "&X.取消"},
      {"currency", [&] { return new CurrencyDialog(currencyModel); }, "&S.确认", "&X.取消"},
      {"new year", [&] { return new NewYearDialog(env); }, "新建(&N)", "取消(&X)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<QDialog> dialog(c.make());
    QPushButton* ok = ButtonNamed(*dialog, c.okText);
    QPushButton* cancel = ButtonNamed(*dialog, c.cancelText);
    ASSERT_TRUE(ok && cancel);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(EnterOnCancel(*dialog, ok, cancel), QDialog::Rejected);
  }
}

TEST_F(DialogKit, AConfirmBoxRunsItsOkAndRejectsOnCancel) {
  QDialog dialog;
  int oks = 0;
  QPushButton* ok = nullptr;
  QDialogButtonBox* box = ConfirmBox(
      &dialog, "确认", "取消", [&] { ++oks; }, &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(G(ok->text()).value_or(""), "确认");
  EXPECT_TRUE(ok->isDefault());
  ok->click();
  EXPECT_EQ(oks, 1);
  dialog.show();
  for (QAbstractButton* b : box->buttons())
    if (box->buttonRole(b) == QDialogButtonBox::RejectRole) b->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(oks, 1);
}

TEST_F(DialogKit, AFieldRowLaysOutFieldsAndWordsInOrder) {
  QWidget host;
  auto* year = new QLineEdit;
  auto* month = new QLineEdit;
  QHBoxLayout* row = FieldRow({"日期: ", year, "年", month, std::string("月")}, true, &host);
  EXPECT_EQ(host.layout(), row);
  ASSERT_EQ(row->count(), 6);  // five parts and the stretch
  std::vector<std::string> words;
  for (int i = 0; i < 5; ++i) {
    QWidget* w = row->itemAt(i)->widget();
    auto* label = qobject_cast<QLabel*>(w);
    words.push_back(label        ? G(label->text()).value_or("?")
                    : w == year  ? "<year>"
                    : w == month ? "<month>"
                                 : "?");
  }
  EXPECT_EQ(words, (std::vector<std::string>{"日期: ", "<year>", "年", "<month>", "月"}));
  EXPECT_NE(row->itemAt(5)->spacerItem(), nullptr);
}

}  // namespace
