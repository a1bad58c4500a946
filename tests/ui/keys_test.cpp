// The keys a bookkeeper's hands rely on in every dialog: Enter walks the fields in the dialog's order and
// ends on its confirming button, Enter presses a focused push button, the print dialog's mnemonics lead
// to their fields; and Qt's own dialogs speak Chinese.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <memory>

#include "account_dialog.h"
#include "account_entry_dialog.h"
#include "account_set_dialog.h"
#include "accounts/account_dlg.h"
#include "accounts/opening_edit_dlg.h"
#include "date_entry_dialog.h"
#include "entry/account_entry_dlg.h"
#include "entry/date_entry_dlg.h"
#include "formview/print_dlg.h"
#include "gbk_qt.h"
#include "interest/interest_dlg.h"
#include "interest/interest_post_dlg.h"
#include "interest_dialog.h"
#include "interest_post_dialog.h"
#include "mask_edit.h"
#include "opening_edit_dialog.h"
#include "print_dialog.h"
#include "set_info_dialog.h"
#include "tavrel_application.h"
#include "ui/dialog_test_support.h"

namespace {

class Keys : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    for (const char* sql :
         {"INSERT INTO SUBT(KNO,NA,CLAS,OP,FZ,DL,DLF,DLW) VALUES('1002','银行存款',1,'0','0','0',0,0)",
          "INSERT INTO P0(T,CER,RN,MRY,KNO,F,MY,NU,MK,TT) VALUES('20260105','0',1,'存入','1002',1,100,0,'4','01')"})
      env.Execute(sql);
  }
};

// What has the focus, as the table below names it: "m<i>" for the dialog's i-th masked field, the text
// of a push button, else the class.
std::string Name(QDialog& dialog, QWidget* w) {
  if (!w) return "nothing";
  QList<MaskEdit*> edits = dialog.findChildren<MaskEdit*>();
  for (qsizetype i = 0; i < edits.size(); ++i)
    if (edits[i] == w) return "m" + std::to_string(i);
  if (auto* b = qobject_cast<QPushButton*>(w)) return G(b->text()).value_or("?");
  return w->metaObject()->className();
}

// Presses Enter where the focus is until a push button is pressed; the stops on the way, then the button
// pressed in brackets.
std::vector<std::string> WalkWithEnter(QDialog& dialog) {
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QApplication::processEvents();
  std::string pressed;
  for (QPushButton* b : dialog.findChildren<QPushButton*>())
    QObject::connect(b, &QPushButton::clicked, &dialog, [&pressed, b] {
      if (pressed.empty()) pressed = G(b->text()).value_or("?");
    });
  std::vector<std::string> stops{Name(dialog, QApplication::focusWidget())};
  for (int step = 0; pressed.empty() && step < 20; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    if (pressed.empty()) stops.push_back(Name(dialog, QApplication::focusWidget()));
  }
  stops.push_back("[" + pressed + "]");
  dialog.hide();
  return stops;
}

}  // namespace

TEST_F(Keys, EnterWalksEveryDialogInItsOrderToItsConfirmingButton) {
  CAccountEntryDlg accountEntry(env);
  CDateEntryDlg dateEntry(env);
  CInterestDlg interest(env);
  CInterestPostDlg post(env, "20260131");
  CAccountDlg account = CAccountDlg::ForAdd(env, "1002");
  COpeningEditDlg opening(env, "1002");
  const std::string ok = "&S.确认";
  struct Case {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
    std::vector<std::string> stops;
  };
  const std::vector<Case> cases = {
      // year → month → account → 确认
      {"按帐户录入",
       [&] {
         accountEntry.OnInitDialog();
         accountEntry.code = "1002";  // 确认 is enabled once an account is there
         return std::make_unique<AccountEntryDialog>(accountEntry);
       },
       {"m0", "m1", "m2", "[" + ok + "]"}},
      // year → month → day → 确认
      {"按日期录入",
       [&] {
         dateEntry.OnInitDialog();
         return std::make_unique<DateEntryDialog>(dateEntry);
       },
       {"m0", "m1", "m2", "[" + ok + "]"}},
      // the two dates, the account (not 浏览...), the rate, 确认
      {"利息计算",
       [&] {
         interest.OnInitDialog();
         return std::make_unique<InterestDialog>(interest);
       },
       {"m0", "m1", "m2", "m3", "m4", "m5", "m6", "m7", "[" + ok + "]"}},
      // the date, the summary, the counter account, 确认
      {"记帐", [&] { return std::make_unique<InterestPostDialog>(post); },
       {"m0", "m1", "m2", "m3", "m4", "[" + ok + "]"}},
      // the code, then the name, then 确认 (ready for the next account of the series)
      {"增加新科目",
       [&] {
         account.OnInitDialog();
         return std::make_unique<AccountDialog>(account);
       },
       {"m0", "m1", "[" + ok + "]"}},
      // 核算单位 → 会计主管 → 确认
      {"修改帐套信息", [&] { return std::make_unique<AccountInfoDialog>(env); }, {"m0", "m1", "[确认]"}},
      // the amount, then 确认 with the focus, which Enter presses
      {"年初余额",
       [&] {
         opening.OnInitDialog();
         return std::make_unique<OpeningEditDialog>(opening);
       },
       {"m0", ok, "[" + ok + "]"}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<QDialog> dialog = c.make();
    EXPECT_EQ(WalkWithEnter(*dialog), c.stops) << c.name;
  }
}

TEST_F(Keys, EnterPressesTheFocusedPushButton) {
  // 建立 of the account-set dialog is no default button; Enter on it creates the set all the same.
  AccountSetDialog dialog(CAccountSetDlg::Form::Create, "", "");
  dialog.show();
  QApplication::processEvents();
  auto* folder = dialog.findChild<MaskEdit*>();
  ASSERT_NE(folder, nullptr);
  QTest::keyClicks(folder, QString::fromStdString(dir.File("newset")));
  QPushButton* create = nullptr;
  for (QPushButton* b : dialog.findChildren<QPushButton*>())
    if (b->text() == Q("建立")) create = b;
  ASSERT_NE(create, nullptr);
  create->setFocus();
  QTest::keyClick(create, Qt::Key_Return);
  EXPECT_EQ(platform.LastText(), dir.File("newset") + "/2026.vyx 帐套建立成功！");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(Keys, ThePrintDialogsMnemonicsLeadToThePageFields) {
  CVyPrintDlg model(false, {}, "", "");
  PrintDialog dialog(model);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QApplication::processEvents();
  QList<MaskEdit*> edits = dialog.findChildren<MaskEdit*>();
  ASSERT_GE(edits.size(), 2);
  for (auto [label, field] : {std::pair{"从(&F)", edits[0]}, std::pair{"页  到(&T)", edits[1]}}) {
    QLabel* shown = nullptr;
    for (QLabel* l : dialog.findChildren<QLabel*>())
      if (l->text() == Q(label)) shown = l;
    ASSERT_NE(shown, nullptr) << label;
    EXPECT_EQ(shown->buddy(), field) << label;  // the "&" marks a key, it is not printed
  }
  QTest::keyClick(&dialog, Qt::Key_T, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), edits[1]);
  QTest::keyClicks(edits[1], "2");
  auto* range = dialog.findChildren<QRadioButton*>().value(1);
  ASSERT_NE(range, nullptr);
  EXPECT_TRUE(range->isChecked());  // a page typed: those pages are printed
}

TEST(QtInChinese, AFileDialogsButtonsReadOpenSaveCancel) {
  auto& qt = static_cast<TavrelApplication&>(TestQtApp());
  ASSERT_TRUE(qt.ChineseLoaded()) << "qt6-translations-l10n is missing";
  struct Case {
    QFileDialog::AcceptMode mode;
    const char* accept;
    const char* picture;
  } cases[] = {{QFileDialog::AcceptOpen, "打开", "file_dialog_open.png"},
               {QFileDialog::AcceptSave, "保存", "file_dialog_save.png"}};
  for (const Case& c : cases) {
    QFileDialog dialog(nullptr, Q("导出"), QDir::tempPath(), Q("CSV 文件 (*.csv)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(c.mode);
    dialog.show();
    QApplication::processEvents();
    auto* box = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    QStringList texts;
    for (QAbstractButton* b : box->buttons()) texts << b->text().remove('&').remove(QRegularExpression("\\(.\\)"));
    EXPECT_TRUE(texts.contains(Q(c.accept))) << texts.join(' ').toStdString();
    EXPECT_TRUE(texts.contains(Q("取消"))) << texts.join(' ').toStdString();
    Screenshot(dialog, c.picture);
  }
  // The type column's word for a folder, which Qt's own translation leaves in English.
  EXPECT_EQ(QFileIconProvider().type(QFileInfo(QDir::tempPath())), Q("文件夹"));
}

TEST_F(Keys, AMnemonicActsBeforeTheNextKey) {
  CAccountDlg account = CAccountDlg::ForAdd(env, "1002");
  COpeningEditDlg opening(env, "1002");
  // The window behind has its own Alt+S, as 科目目录操纵 has behind the account dialog.
  QDialog behind;
  auto* modify = new QPushButton(Q("修改(&S)"), &behind);
  (void)modify;
  behind.show();
  struct Case {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
    QKeyCombination key;
    const char* button;  // the button the key presses (a push button is clicked, a radio button chosen)
  };
  const std::vector<Case> cases = {
      {"增加新科目 Alt+S",
       [&] {
         account.OnInitDialog();
         return std::make_unique<AccountDialog>(account, &behind);
       },
       QKeyCombination(Qt::AltModifier, Qt::Key_S), "&S.确认"},
      {"年初余额 Alt+-",
       [&] {
         opening.OnInitDialog();
         return std::make_unique<OpeningEditDialog>(opening);
       },
       QKeyCombination(Qt::AltModifier, Qt::Key_Minus), "贷(&-)"},
      {"年初余额 Alt++",
       [&] {
         opening.debit = false;
         opening.OnInitDialog();
         return std::make_unique<OpeningEditDialog>(opening);
       },
       QKeyCombination(Qt::AltModifier, Qt::Key_Plus), "借(&+)"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<QDialog> dialog = c.make();
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    QApplication::processEvents();
    QAbstractButton* target = nullptr;
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
      if (b->text() == Q(c.button)) target = b;
    ASSERT_NE(target, nullptr) << c.name;
    bool clicked = false;
    QObject::connect(target, &QAbstractButton::clicked, dialog.get(), [&clicked] { clicked = true; });
    // The key's effect is there before the next key comes, with no turn of the event loop between.
    QTest::keyClick(QApplication::focusWidget(), c.key.key(), c.key.keyboardModifiers());
    EXPECT_TRUE(clicked) << c.name;
    if (target->isCheckable()) {
      EXPECT_TRUE(target->isChecked()) << c.name;
    }
    dialog->hide();
  }
}

TEST(KeysAfterADialog, GoBackToTheWindowThatOpenedIt) {
  TestQtApp();
  QMainWindow main;
  auto* field = new QLineEdit(&main);
  main.setCentralWidget(field);
  main.show();
  main.activateWindow();
  field->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &main);
  // A dialog of the main window, and a message box over that dialog: each hands the keys back as it closes.
  QDialog dialog(&main);
  dialog.setModal(true);
  dialog.show();
  dialog.activateWindow();
  QApplication::processEvents();
  QMessageBox box(QMessageBox::Information, "", "", QMessageBox::Ok, &dialog);
  box.show();
  box.activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &box);
  // The window behind a modal box cannot keep the keys, even when the window system activates it.
  main.activateWindow();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &box);
  box.hide();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &dialog);
  dialog.hide();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &main);
  EXPECT_EQ(QApplication::focusWidget(), field);
  // A window that took the keys though it is no dialog (as a progress window may) gives them back too.
  QWidget tool(&main, Qt::Tool);
  tool.show();
  tool.activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &tool);
  tool.hide();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &main);
}
