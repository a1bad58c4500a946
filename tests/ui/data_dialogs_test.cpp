#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>

#include "set_info_dialog.h"
#include "account_set_dialog.h"
#include "dialog_test_support.h"
#include "gbk_qt.h"
#include "new_year_dialog.h"

namespace {

using DataDialogs = DialogTest;

TEST_F(DataDialogs, TheAccountSetSearchRunsInTheEventLoopAndEndsOnTheOpenSet) {
  std::string other = dir.Path() + "/其他单位/帐套";
  MakeFolders(other);
  CreateAccountSetFile(other, 2025);
  for (int i = 0; i < 30; ++i) MakeFolders(dir.Path() + "/empty/" + std::to_string(i));

  AccountSetDialog dlg(CAccountSetDlg::Form::Browse, dir.Path(), "2026");
  dlg.SetSearchRoots({dir.Path()});
  Screenshot(dlg, "account_set_dialog_empty.png");
  dlg.StartSearch();
  QApplication::processEvents();
  ASSERT_TRUE(dlg.Searching());
  EXPECT_FALSE(ButtonNamed(dlg, "取消")->isEnabled());
  EXPECT_FALSE(ButtonNamed(dlg, "建立")->isEnabled());
  dlg.reject();  // Esc does nothing while searching
  EXPECT_TRUE(dlg.isVisible());
  Screenshot(dlg, "account_set_dialog_searching.png");

  ASSERT_TRUE(SpinUntil([&] { return !dlg.Searching(); }));
  auto lists = dlg.findChildren<QListWidget*>();
  ASSERT_EQ(lists.size(), 2);
  EXPECT_EQ(lists[0]->count(), 2);
  EXPECT_EQ(G(lists[0]->currentItem()->text()), dir.Path());
  EXPECT_EQ(G(lists[1]->currentItem()->text()), std::string("2026"));
  EXPECT_TRUE(ButtonNamed(dlg, "打开")->isEnabled());
  EXPECT_FALSE(ButtonNamed(dlg, "建立")->isEnabled());
  Screenshot(dlg, "account_set_dialog.png");

  lists[0]->setCurrentRow(1);
  auto* folder = dlg.findChild<QLineEdit*>();
  EXPECT_EQ(G(folder->text()), other);
  folder->end(false);
  folder->insert(QString::fromUtf8("\xF0\x9F\x98\x80"));  // GBK cannot hold it: the folder stays
  EXPECT_EQ(G(folder->text()), other);
  EXPECT_FALSE(ButtonNamed(dlg, "建立")->isEnabled());
  ButtonNamed(dlg, "打开")->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.Result(), other + "/2025.vyx");
}

TEST_F(DataDialogs, TheNewYearDialogEnablesNewForAFreshYear) {
  NewYearDialog dlg(env);
  QPushButton* create = ButtonNamed(dlg, "新建(&N)");
  ASSERT_NE(create, nullptr);
  EXPECT_FALSE(create->isEnabled());
  auto* edit = dlg.findChild<QLineEdit*>();
  for (const char* typed : {"2", "0", "a", "2", "-", "6", "7"}) edit->insert(typed);
  EXPECT_EQ(edit->text(), "2026");  // digits, four at most
  EXPECT_FALSE(create->isEnabled());
  EXPECT_FALSE(create->isEnabled());
  edit->setText("2027");
  EXPECT_TRUE(create->isEnabled());
  EXPECT_EQ(dlg.findChild<QListWidget*>()->count(), 1);
  Screenshot(dlg, "new_year_dialog.png");
}

TEST_F(DataDialogs, TheAccountInfoDialogShowsTheYearAndRefusesQuotesInTheUnitName) {
  AccountInfoDialog dlg(env);
  ASSERT_TRUE(dlg.Ready());
  auto boxes = dlg.findChildren<QComboBox*>();
  ASSERT_EQ(boxes.size(), 3);
  EXPECT_EQ(boxes[0]->count(), 22);
  EXPECT_EQ(boxes[0]->currentText(), "20260101");
  EXPECT_EQ(boxes[1]->currentText(), "20261231");
  EXPECT_EQ(boxes[2]->currentText(), "031");
  auto* unit = dlg.findChildren<QLineEdit*>()[0];
  unit->end(false);
  for (const char* typed : {"\"", "[", "]", "'", "|", " "}) unit->insert(typed);
  unit->insert("\"[]");  // a paste made only of refused characters
  EXPECT_EQ(G(unit->text()), std::string("××单位"));
  unit->setText(Q("北京某某工程项目部"));
  Screenshot(dlg, "account_info_dialog.png");
  ButtonNamed(dlg, "确认")->click();
  EXPECT_EQ(platform.LastText(), "修改结束");
  EXPECT_EQ(env.unitName, "北京某某工程项目部");
}

}  // namespace
