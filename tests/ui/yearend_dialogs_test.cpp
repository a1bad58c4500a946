#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "base/text.h"
#include "carry_forward_dialog.h"
#include "copy_info_dialog.h"
#include "data/database.h"
#include "dialog_test_support.h"
#include "gbk_qt.h"
#include "io/backup.h"

namespace {

// Takes a picture of a dialog while one of its run's questions is open.
class ShootingPlatform : public ScriptedPlatform {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons,
                       MsgAnswer defaultButton) override {
    if (target && caption == "黄牌警告：") {
      shot = target->grab().save(QString::fromStdString(ShotPath(shotName)));
      target = nullptr;
    }
    return ScriptedPlatform::MessageBox(text, caption, icon, buttons, defaultButton);
  }
  QWidget* target = nullptr;
  const char* shotName = "";
  bool shot = false;
};

class YearendDialogs : public DialogTest {
 protected:
  static void Fill(const std::string& path, int year, int accounts) {
    jet::Database db;
    db.Open(path);
    db.Begin();
    for (int i = 1; i <= accounts; ++i) {
      db.Execute(Format(
          "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%d','科目%d',1,'0','0',NULL,'0',0,0)",
          100 + i, i));
      db.Execute(Format(
          "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('%d0105','0',1,'x','%d',%d,%d,0,'4','01')",
          year, 100 + i, i % 2 ? 1 : -1, i * 10));
    }
    db.Commit();
  }
  QCheckBox* Box(QWidget& w, const char* text) { return ChildNamed<QCheckBox>(w, text); }
  QPushButton* Button(QWidget& w, const char* text) { return ButtonNamed(w, text); }
};

TEST_F(YearendDialogs, TheCarryForwardShowsItsProgressAndClosesWithTheTotals) {
  ShootingPlatform shooting;
  std::string previous = CreateAccountSetFile(dir.Path(), 2025);
  Fill(previous, 2025, 40);
  Fill(path, 2026, 0);
  env.Execute(
      "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('120','新名称',1,'0','0',NULL,'0',0,0)");

  CarryForwardDialog dlg(env);
  ASSERT_TRUE(dlg.Ready());
  ASSERT_NE(Box(dlg, "凭证分类表"), nullptr);
  EXPECT_FALSE(Box(dlg, "凭证分类表")->isEnabled());
  EXPECT_FALSE(Box(dlg, "分录模板")->isEnabled());
  EXPECT_FALSE(dlg.findChild<QProgressBar*>()->isVisibleTo(&dlg));
  Box(dlg, "会计科目表")->click();
  Box(dlg, "帐户余额")->click();
  Screenshot(dlg, "carry_forward_dialog.png");

  shooting.target = &dlg;
  shooting.shotName = "carry_forward_running.png";
  shooting.answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes};
  Button(dlg, "&S.确认")->click();
  EXPECT_TRUE(shooting.shot);  // the rename of 120 was asked about half-way
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(
      shooting.LastText().rfind("余额结转情况：\r\r    借方合计：4,000.00\r\r    贷方合计：4,200.00", 0), 0u)
      << shooting.LastText();
  EXPECT_EQ(env.QueryLong("select count(*) from p0 where strcomp(cer,'    ',0)=0"), 40);
  EXPECT_EQ(YearBackups(dir.Path(), 2026).size(), 1u);
  Screenshot(dlg, "carry_forward_done.png");
}

TEST_F(YearendDialogs, TheCopyChoosesItsSourceAndDrawsItsProgressInTheStatusField) {
  std::string other = dir.File("other");
  MakeFolders(other);
  std::string source = CreateAccountSetFile(other, 2026);
  Fill(source, 2026, 60);

  CopyInfoDialog dlg(env);
  EXPECT_FALSE(Button(dlg, "&S.确认")->isEnabled());
  for (auto* b : dlg.findChildren<QCheckBox*>()) EXPECT_FALSE(b->isEnabled());
  Screenshot(dlg, "copy_info_dialog.png");

  CCopyZwData chooser(env);
  CopySourceFileDialog files(chooser, &dlg);
  files.selectFile(QString::fromStdString(path));
  files.show();
  QApplication::processEvents();
  files.accept();
  EXPECT_EQ(platform.LastText(), "不能把自己拷贝到自己，请重新选择！");
  EXPECT_TRUE(files.isVisible());
  files.setDirectory(QString::fromStdString(other));
  files.selectFile("2026");
  Screenshot(files, "copy_source_file_dialog.png");
  files.accept();
  EXPECT_EQ(files.result(), QDialog::Accepted);
  dlg.TakeSource(chooser.chosenPath, chooser.unitName);

  EXPECT_TRUE(Box(dlg, "会计科目")->isEnabled());
  EXPECT_FALSE(Box(dlg, "变量表")->isEnabled());  // a file of this program has no variables
  EXPECT_TRUE(Box(dlg, "页面格式表")->isEnabled());
  Box(dlg, "会计科目")->click();
  Box(dlg, "页面格式表")->click();
  EXPECT_TRUE(Button(dlg, "&S.确认")->isEnabled());

  bool shot = false;
  auto redraw = dlg.Model().onChange;
  dlg.Model().onChange = [&] {
    redraw();
    if (!shot && dlg.Model().done == 30)
      shot = dlg.grab().save(QString::fromStdString(ShotPath("copy_info_running.png")));
  };
  Button(dlg, "&S.确认")->click();
  EXPECT_TRUE(shot);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(platform.LastText().rfind("拷贝结束 ！", 0), 0u);
  EXPECT_EQ(env.QueryLong("select count(*) from subt"), 60);
  Screenshot(dlg, "copy_info_done.png");
}

}  // namespace
