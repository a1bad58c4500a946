#include "login_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>

#include "account_set_dialog.h"
#include "accounts/chart_templates.h"
#include "base/file_facts.h"
#include "gbk_qt.h"
#include "mask_edit.h"
#include "support/year_file_fixture.h"
#include "ui/qt_test_app.h"

namespace {

class LoginDialogTest : public YearFileTest {
 protected:
  void SetUp() override {
    std::string folder = dir.File("帐套");
    MakeFolders(folder + "/子目录");
    path = CreateAccountSetFile(folder, 2026);
    Exec(path, "update opr set psd='abc' where opno='102'");
    std::ofstream(NativePath(folder + "/2025.VYX")) << "not a year file";
    std::ofstream(NativePath(folder + "/readme.txt")) << "";
  }
  QStringList ListTexts(const LoginDialog& d) {
    QStringList texts;
    for (int i = 0; i < d.FileList()->count(); ++i) texts << d.FileList()->item(i)->text();
    return texts;
  }

  QApplication& qt = TestQtApp();
  std::string path;
};

}  // namespace

TEST_F(LoginDialogTest, ShowsTheFolderAndTheRememberedFile) {
  CHobdFileDlg model(path, "101");
  LoginDialog d(model);
  EXPECT_EQ(d.windowTitle(), Q("打开Tavrel项目核算数据文件"));
  EXPECT_EQ(d.OkButton()->text(), Q("确定"));
  EXPECT_EQ(ListTexts(d), (QStringList{Q("子目录"), "2025.VYX", "2026.vyx"}));
  EXPECT_EQ(d.FileList()->currentItem()->text(), "2026.vyx");
  EXPECT_TRUE(d.FileNameBox()->isReadOnly());
  EXPECT_EQ(d.FileNameBox()->text(), Q(path));
  EXPECT_EQ(d.UnitBox()->text(), Q("××单位"));
  EXPECT_EQ(d.YearBox()->text(), "2026");
  EXPECT_EQ(d.DateBox()->text(), Q("2026 年 12 月 7 日"));
  EXPECT_EQ(d.OperatorBox()->count(), 2);
  EXPECT_EQ(d.OperatorBox()->currentText(), Q("101  管理员"));
  EXPECT_EQ(d.PasswordBox()->echoMode(), QLineEdit::Password);
  EXPECT_TRUE(d.OkButton()->isEnabled());
  EXPECT_FALSE(d.SearchButton()->isEnabled());  // no account-set search plugged in
}

TEST_F(LoginDialogTest, WalksFoldersAndChoosesFiles) {
  CHobdFileDlg model("", "");
  LoginDialog d(model);
  EXPECT_FALSE(d.OkButton()->isEnabled());
  EXPECT_FALSE(d.PasswordBox()->isEnabled());
  d.ShowFolder(dir.File("帐套/子目录"));
  EXPECT_TRUE(ListTexts(d).isEmpty());
  d.PickEntry("..", true);  // not an entry: nothing happens
  d.ShowFolder(dir.Path());
  d.PickEntry(Q("帐套"), true);
  EXPECT_EQ(d.Folder(), dir.File("帐套"));

  // A file that is no year file leaves the panel as it was.
  d.PickEntry("2025.VYX", false);
  EXPECT_FALSE(d.OkButton()->isEnabled());
  EXPECT_TRUE(d.FileNameBox()->text().isEmpty());
  d.PickEntry("2026.vyx", false);
  EXPECT_TRUE(d.OkButton()->isEnabled());
  // Nobody was remembered: the first operator who keeps the books (101 only administers).
  EXPECT_EQ(d.OperatorBox()->count(), 2);
  EXPECT_EQ(d.OperatorBox()->currentIndex(), 1);
  EXPECT_EQ(model.ShownFile(), path);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LoginDialogTest, OkChecksThePasswordAndKeepsTheDialogOpen) {
  CHobdFileDlg model(path, "102");
  LoginDialog d(model);
  d.PasswordBox()->setText("abx");
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(platform.LastText(), "操作员口今不正确！");
  d.PasswordBox()->setText("abc");
  d.OkButton()->click();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(model.ChosenOpno(), "102");

  // Choosing the operator in the list leads to an empty password for 101.
  CHobdFileDlg other(path, "102");
  LoginDialog d2(other);
  d2.OperatorBox()->setCurrentIndex(0);
  d2.accept();
  EXPECT_EQ(d2.result(), QDialog::Accepted);
  EXPECT_EQ(other.ChosenOpno(), "101");
}

TEST_F(LoginDialogTest, ThePasswordRefusesWhatGbkCannotHoldAndOverlongText) {
  CHobdFileDlg model(path, "102");
  LoginDialog d(model);
  MaskEdit* box = d.PasswordBox();
  box->insert(QString::fromUtf8("\xF0\x9F\x98\x80"));
  box->insert("12345678901");
  EXPECT_EQ(box->text(), "");
  EXPECT_EQ(model.password, "");
  box->insert(Q("口 令12345"));  // ten bytes; a blank stays typeable for a password set elsewhere
  EXPECT_EQ(model.password, "口 令12345");
  box->insert("6");
  EXPECT_EQ(model.password, "口 令12345");
}

TEST_F(LoginDialogTest, SearchPutsTheFoundFileIntoTheDialog) {
  MakeFolders(dir.File("另一帐套"));
  std::string other = CreateAccountSetFile(dir.File("另一帐套"), 2027);
  std::string found = other;
  LoginDialog::SetSearchHook([&found](QWidget*) { return std::optional<std::string>(found); });
  CHobdFileDlg model("", "");
  LoginDialog d(model);
  ASSERT_TRUE(d.SearchButton()->isEnabled());
  d.Search();
  EXPECT_EQ(model.ShownFile(), other);
  EXPECT_EQ(d.YearBox()->text(), "2027");
  EXPECT_EQ(d.Folder(), dir.File("另一帐套"));
  // A found file that does not open leaves the shown one.
  found = dir.File("帐套/2025.VYX");
  d.Search();
  EXPECT_EQ(model.ShownFile(), other);
  EXPECT_EQ(d.FileNameBox()->text(), Q(other));
  LoginDialog::SetSearchHook(nullptr);
}

TEST_F(LoginDialogTest, PictureOfTheLoginDialog) {
  CHobdFileDlg model(path, "101");
  LoginDialog d(model);
  d.show();
  QApplication::processEvents();
  EXPECT_TRUE(d.grab().save(QString::fromStdString(ShotPath("login_dialog.png"))));
}

// A new machine, a new account set: 搜索 → 建立 with the standard chart, and the login is ready for the
// operator who keeps the books, with only the password (none yet) between the user and the work.
TEST_F(LoginDialogTest, FirstStartLeadsToTheOperatorWhoKeepsTheBooks) {
  std::string created;
  LoginDialog::SetSearchHook([&](QWidget* parent) -> std::optional<std::string> {
    AccountSetDialog dialog(CAccountSetDlg::Form::Browse, "", "", parent);
    dialog.show();
    QApplication::processEvents();
    auto* chart = dialog.findChild<QComboBox*>();
    EXPECT_EQ(chart->currentText(), Q("企业会计准则一级科目"));
    dialog.findChild<MaskEdit*>()->SetGbkText(dir.File("新单位"));
    dialog.grab().save(QString::fromStdString(ShotPath("first_start_account_set.png")));
    std::string error;
    MakeFolders(dir.File("新单位"));
    created = CreateAccountSetWithChart(dir.File("新单位"), 2026, "standard", error);
    return created;
  });
  CHobdFileDlg model("", "");
  LoginDialog d(model);
  d.show();
  d.Search();
  ASSERT_FALSE(created.empty());
  EXPECT_EQ(model.ShownFile(), created);
  EXPECT_EQ(d.OperatorBox()->currentText(), Q("102  ×××"));
  EXPECT_TRUE(d.OkButton()->isEnabled());
  QApplication::processEvents();
  EXPECT_TRUE(d.grab().save(QString::fromStdString(ShotPath("first_start.png"))));
  EXPECT_TRUE(model.OnOk());
  LoginDialog::SetSearchHook(nullptr);
}
