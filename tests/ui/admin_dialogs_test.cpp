#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "dialog_test_support.h"
#include "backups_dialog.h"
#include "gbk_qt.h"
#include "operator_dialog.h"
#include "operators_dialog.h"
#include "password_dialog.h"

namespace {

using AdminDialogs = DialogTest;

TEST_F(AdminDialogs, TheOperatorsDialogShowsTheRightsAndWritesATickAtOnce) {
  OperatorsDialog dlg(env);
  ASSERT_TRUE(dlg.Ready());
  auto lists = dlg.findChildren<QListWidget*>();
  ASSERT_EQ(lists.size(), 2);
  QListWidget* operators = lists[0];
  QListWidget* rights = lists[1];
  EXPECT_EQ(operators->count(), 2);
  EXPECT_EQ(operators->currentRow(), 1);
  ASSERT_EQ(rights->count(), 18);
  EXPECT_EQ(rights->item(0)->checkState(), Qt::Unchecked);
  EXPECT_FALSE(rights->item(0)->flags() & Qt::ItemIsUserCheckable);
  EXPECT_EQ(rights->item(1)->checkState(), Qt::Checked);
  Screenshot(dlg, "operators_dialog.png");

  rights->item(1)->setCheckState(Qt::Unchecked);  // as a click on the box does
  EXPECT_EQ(env.QueryLong("select count(*) from pwr where opno='102' and pwr='0201'"), 0);
  EXPECT_EQ(rights->item(1)->checkState(), Qt::Unchecked);

  operators->setCurrentRow(0);
  EXPECT_EQ(rights->item(0)->checkState(), Qt::Checked);
  for (int i = 0; i < rights->count(); ++i) EXPECT_FALSE(rights->item(i)->flags() & Qt::ItemIsUserCheckable);
}

// 增加 repeats the add dialog until it is cancelled; behind each new one the list already holds, selected,
// the operator the last one added.
TEST_F(AdminDialogs, EachOperatorAddedShowsSelectedBehindTheNextAddDialog) {
  OperatorsDialog dlg(env);
  dlg.show();
  QListWidget* operators = dlg.findChildren<QListWidget*>()[0];
  const char* typed[][2] = {{"110", "甲"}, {"104", "乙"}};
  // The list as each add dialog showed: its current item, then every item (UTF-8, for readable failures).
  std::vector<std::string> behind;
  QTimer player;
  player.callOnTimeout([&] {
    auto* add = qobject_cast<OperatorDialog*>(QApplication::activeModalWidget());
    if (!add || add->property("played").toBool()) return;
    add->setProperty("played", true);
    QStringList seen{operators->currentItem() ? operators->currentItem()->text() : QString()};
    for (int i = 0; i < operators->count(); ++i) seen << operators->item(i)->text();
    behind.push_back(seen.join(" | ").toStdString());
    if (behind.size() > std::size(typed)) {
      add->reject();
      return;
    }
    auto edits = add->findChildren<QLineEdit*>();
    edits[0]->setText(typed[behind.size() - 1][0]);
    edits[1]->setText(Q(typed[behind.size() - 1][1]));
    if (behind.size() == 2) Screenshot(dlg, "operators_adding.png");
    ButtonNamed(*add, "&S.确认")->click();
  });
  player.start(10);
  ButtonNamed(dlg, COperatorsDlg::AddButtonText().c_str())->click();
  player.stop();
  auto shown = [](const char* gbk) { return Q(gbk).toStdString(); };
  EXPECT_EQ(
      behind,
      (std::vector<std::string>{
          shown("102        ××× | 101        管理员 | 102        ×××"),
          shown("110        甲 | 101        管理员 | 102        ××× | 110        甲"),
          shown("104        乙 | 101        管理员 | 102        ××× | 104        乙 | 110        甲")}));
  EXPECT_EQ(operators->currentItem()->text(), Q("104        乙"));
}

TEST_F(AdminDialogs, TheOperatorDialogRefusesAnIllegalCodeAndKeepsTheFocusThere) {
  COperatorDlg model(env, COperatorDlg::Mode::Add);
  OperatorDialog dlg(model);
  auto edits = dlg.findChildren<QLineEdit*>();
  ASSERT_EQ(edits.size(), 2);
  edits[0]->setText("099");
  edits[1]->setText(Q("张三"));
  Screenshot(dlg, "operator_dialog.png");
  ButtonNamed(dlg, "&S.确认")->click();
  EXPECT_EQ(platform.Texts(), std::vector<std::string>{"代码不合法，请重输！"});
  EXPECT_EQ(dlg.result(), QDialog::Rejected);

  // The code field takes three digits at most.
  edits[0]->clear();
  for (const char* typed : {"1", "2", "a", "3", "4"}) edits[0]->insert(typed);
  EXPECT_EQ(edits[0]->text(), "123");

  COperatorDlg admin(env, COperatorDlg::Mode::Modify, "101", "管理员");
  OperatorDialog modify(admin);
  EXPECT_FALSE(modify.findChildren<QLineEdit*>()[0]->isEnabled());
  Screenshot(modify, "operator_dialog_modify.png");
}

TEST_F(AdminDialogs, ThePasswordDialogsMaskTheirFieldsAndRefuseQuotes) {
  PasswordDialog dlg(env);
  auto* edit = dlg.findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
  QPushButton* ok = ButtonNamed(dlg, "&S.确认");
  EXPECT_FALSE(ok->isEnabled());
  for (const char* typed : {"a", "'", "b", "|", " ", "[", "\""}) edit->insert(typed);
  EXPECT_EQ(edit->text(), "ab");
  EXPECT_TRUE(ok->isEnabled());
  Screenshot(dlg, "password_dialog.png");
  edit->end(false);
  edit->insert(" c");  // a paste: in the box, but not a password
  EXPECT_EQ(edit->text(), "ab c");
  EXPECT_FALSE(ok->isEnabled());

  CPasswordConfirmDlg confirmModel("ab");
  PasswordConfirmDialog confirm(confirmModel);
  QPushButton* confirmOk = ButtonNamed(confirm, "&S.确认");
  EXPECT_FALSE(confirmOk->isEnabled());
  confirm.findChild<QLineEdit*>()->setText("ax");
  EXPECT_TRUE(confirmOk->isEnabled());
  confirmOk->click();
  EXPECT_EQ(platform.Texts(), std::vector<std::string>{"确认的口令与先前输入的不一致。"});
  Screenshot(confirm, "password_confirm_dialog.png");
}

}  // namespace

namespace {

// 备份与恢复 and 清除口令 as the administrator meets them: a copy taken is listed at once with 恢复 enabled;
// the operators dialog offers to clear the bookkeeper's password, never the administrator's own.
TEST_F(AdminDialogs, TheBackupsDialogListsACopyAtOnceAndTheOperatorsDialogClearsAPassword) {
  BackupsDialog backups(env);
  EXPECT_EQ(backups.List()->count(), 0);
  EXPECT_FALSE(backups.RestoreButton()->isEnabled());
  backups.BackupButton()->click();
  ASSERT_EQ(backups.List()->count(), 1);
  EXPECT_TRUE(backups.RestoreButton()->isEnabled());
  Screenshot(backups, "backups_dialog.png");

  OperatorsDialog operators(env);
  auto* list = operators.findChildren<QListWidget*>()[0];
  QPushButton* clear = nullptr;
  for (QPushButton* b : operators.findChildren<QPushButton*>())
    if (b->text() == Q("&R.清除口令")) clear = b;
  ASSERT_NE(clear, nullptr);
  list->setCurrentRow(1);
  EXPECT_EQ(clear->isEnabled(), env.opno != "102");
  Screenshot(operators, "operators_dialog_clear.png");
}

}  // namespace
