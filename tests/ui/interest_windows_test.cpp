// 利息计算 and 余额调节表 from the main menu: their dialogs, their windows, and pictures of both.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>
#include <map>

#include "app/application.h"
#include "base/gbk.h"
#include "child_frame.h"
#include "command_wiring.h"
#include "form_view_widget.h"
#include "gbk_qt.h"
#include "interest/interest_list_view.h"
#include "interest/interest_post_dlg.h"
#include "interest/reconcile_view.h"
#include "interest_dialog.h"
#include "login_dialog.h"
#include "main_frame.h"
#include "mask_edit.h"
#include "reconcile_dialog.h"
#include "support/year_file_fixture.h"
#include "ui/main_window_fixture.h"
#include "ui/qt_test_app.h"

namespace {

class InterestWindows : public MainWindowTest {
 protected:
  void SetUp() override {
    path = CreateAccountSetFile(dir.Path(), 2026);
    ASSERT_TRUE(LogIn());
    frame.resize(1100, 720);
    for (
        const char* sql : {
            "INSERT INTO SUBT(KNO,NA,CLAS,OP,FZ,DL,DLF,DLW) VALUES('1002','银行存款',1,'0','0','0',0,0)",
            "INSERT INTO SUBT(KNO,NA,CLAS,OP,FZ,DL,DLF,DLW) VALUES('1002-1','工商银行',2,'0','0','0',0,0)",
            "INSERT INTO SUBT(KNO,NA,CLAS,OP,FZ,DL,DLF,DLW) VALUES('1002-2','建设银行',2,'0','0','0',0,0)",
            "INSERT INTO P0(T,CER,RN,MRY,KNO,F,MY,NU,MK,TT) VALUES('20260101','    ',0,'期初余额','1002-1',1,"
            "1000,0,'4','01')",
            "INSERT INTO P0(T,CER,RN,MRY,KNO,F,MY,NU,MK,TT) VALUES('20260101','    ',0,'期初余额','1002-2',1,"
            "5000,0,'4','01')",
            "INSERT INTO P0(T,CER,RN,MRY,KNO,F,MY,NU,MK,TT) "
            "VALUES('20260110','1',1,'银行代收货款','1002-1',1,"
            "300,0,'0','01')",
            "INSERT INTO P0(T,CER,RN,MRY,KNO,F,MY,NU,MK,TT) VALUES('20260120','0',1,'开出支票','1002-1',-1,"
            "120,0,'4','01')",
        })
      app.env.Execute(sql);
  }
  // Fills the open dialog's masked fields (in their order on the dialog), pictures it and confirms it.
  template <class Dialog>
  void Answer(std::map<int, std::string> texts, std::string picture) {
    QTimer::singleShot(0, [this, texts, picture] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      QList<MaskEdit*> edits = dialog->template findChildren<MaskEdit*>();
      for (auto& [index, text] : texts) edits[index]->SetGbkText(text);
      dialog->grab().save(QString::fromStdString(ShotPath(picture)));
      for (QPushButton* b : dialog->template findChildren<QPushButton*>())
        if (b->text() == Q("&S.确认")) b->click();
      if (dialog->isVisible()) {  // refused: the test reads the message
        ADD_FAILURE() << platform.LastText();
        dialog->reject();
      }
    });
  }
  template <class View>
  View* ActiveView() {
    CChildFrame* child = frame.ActiveChild();
    auto* host = child ? dynamic_cast<FormViewWidget*>(child->View()) : nullptr;
    return host ? dynamic_cast<View*>(&host->View()) : nullptr;
  }
};

}  // namespace

TEST_F(InterestWindows, TheInterestListFromTheMenu) {
  frame.show();
  Answer<InterestDialog>({{5, "31"}, {4, "1"}, {7, "2"}}, "interest_dialog.png");
  frame.RunCommand(32853);
  auto* view = ActiveView<CQirnpz3>();
  ASSERT_NE(view, nullptr) << platform.LastText();
  ASSERT_EQ(view->Rows().size(), 4u);
  EXPECT_EQ(view->Rows()[3].product, "172,800.00");
  EXPECT_TRUE(view->IsCommandEnabled(vycmd::kPostInterest));
  QApplication::processEvents();
  EXPECT_TRUE(frame.grab().save(QString::fromStdString(ShotPath("interest_window.png"))));
}

TEST_F(InterestWindows, TheReconciliationFromTheMenu) {
  frame.show();
  Answer<ReconcileDialog>({{5, "31"}, {4, "1"}, {6, "1002-1"}, {7, "1180"}}, "reconcile_dialog.png");
  frame.RunCommand(32854);
  auto* view = ActiveView<CQirnpz4>();
  ASSERT_NE(view, nullptr) << platform.LastText();
  EXPECT_EQ(view->Rows().back()[2], "1,180.00");
  EXPECT_EQ(view->Rows().back()[5], "1,060.00");
  QApplication::processEvents();
  EXPECT_TRUE(frame.grab().save(QString::fromStdString(ShotPath("reconcile_window.png"))));
}
