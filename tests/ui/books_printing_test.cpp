// 打印全部帐页 into a PDF folder: one file per ledger, each counting its pages from 1, and the combined file
// holding them all in code order; a cancelled run leaves no combined file; every file written as every
// output is (never through a link, over a file only when asked); the dialog's picture.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTimer>
#include <filesystem>

#include "base/text.h"
#include "year_books_dialog.h"
#include "books_printing.h"
#include "dialog_test_support.h"
#include "gbk_qt.h"
#include "support/pdf_facts.h"

namespace {

int PdfPageCount(const QString& path) {
  return PdfPages(path.toStdString());
}

class BooksPrintingTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    // The bookkeeper, who may see every kind of ledger.
    ASSERT_TRUE(env.Open(path, "102", 1));
    env.LoadRights();
    const char* accounts[][3] = {{"1001", "库存现金", "1"}, {"1002", "银行存款", "1"}, {"1002-1", "工行", "2"},
                                 {"1002-10", "农行", "2"},  {"2001", "短期借款", "1"}};
    for (auto& a : accounts)
      env.Execute(Format("insert into subt(kno,na,clas,op,fz,dl,dlf,dlw) values('%s','%s',%s,'0','0','0',0,0)",
                         a[0], a[1], a[2]));
    // 1002-10 gets enough postings for several pages; the others one each.
    for (int i = 0; i < 60; ++i)
      Post(Format("2026%02d%02d", 1 + i / 6, 1 + i % 6 * 4), "1002-10", i % 3 ? 1 : -1, 10 + i);
    Post("20260105", "1001", 1, 500);
    Post("20260106", "1002-1", -1, 200);
    Post("20260107", "2001", -1, 300);
  }
  void Post(const std::string& date, const char* code, int side, double amount) {
    env.Execute(Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('%s','1',1,'摘要','%s',%d,%.2f,0,"
                       "'4','%s')",
                       date.c_str(), code, side, amount, date.substr(4, 2).c_str()));
  }
};

TEST_F(BooksPrintingTest, FolderGetsAFilePerLedgerAndTheCombinedOne) {
  CYearBooksDlg dialog(env);
  ASSERT_TRUE(dialog.Confirm());
  QString folder = QString::fromStdString(dir.Path()) + "/books";
  QDir().mkpath(folder);
  BooksRun run = PrintBooks(env, dialog, {CombinedBooksFile(folder), QString()}, folder);
  ASSERT_EQ(run.outcome, BooksOutcome::kDone) << run.error.toStdString();
  std::vector<BookEntry> plan = PlanYearBooks(env, dialog.kinds, 12);
  ASSERT_EQ(plan.size(), 5u);  // four ledgers and the balance table
  EXPECT_EQ(run.ledgers, 5);
  int sum = 0;
  for (const BookEntry& e : plan) {
    int pages = PdfPageCount(BookFile(folder, e));
    EXPECT_GT(pages, 0) << e.code;
    sum += pages;
  }
  EXPECT_GT(PdfPageCount(BookFile(folder, plan[2])), 1);  // 1002-10 runs over pages
  EXPECT_EQ(PdfPageCount(CombinedBooksFile(folder)), sum);
  EXPECT_EQ(run.pages, sum);
}

TEST_F(BooksPrintingTest, CancelledOrFailedRunLeavesNoCombinedFile) {
  CYearBooksDlg dialog(env);
  ASSERT_TRUE(dialog.Confirm());
  QString folder = QString::fromStdString(dir.Path()) + "/cancelled";
  QDir().mkpath(folder);
  int asked = 0;
  BooksRun run = PrintBooks(env, dialog, {CombinedBooksFile(folder), QString()}, folder,
                            [&] { return ++asked == 3; });
  EXPECT_EQ(run.outcome, BooksOutcome::kCancelled);
  EXPECT_FALSE(QFile::exists(CombinedBooksFile(folder)));
  // A queue that does not exist: nothing built, the reason given.
  run = PrintBooks(env, dialog, {QString(), Q("没有这台打印机")}, QString());
  EXPECT_EQ(run.outcome, BooksOutcome::kFailed);
  EXPECT_EQ(run.ledgers, 0);
  EXPECT_FALSE(run.error.isEmpty());
}

// The dialog names the paper the books go on: a PDF page keeps each form's size; a queue offers its papers,
// its default one chosen, or each form's nearest, and the choice goes with the job.
TEST_F(BooksPrintingTest, DialogNamesThePaperAndLetsItBeChosen) {
  CYearBooksDlg model(env);
  BooksDialog dialog(model, nullptr);
  QComboBox* destination = dialog.Destination();
  destination->setCurrentIndex(destination->count() - 1);  // the PDF folder
  EXPECT_FALSE(dialog.Paper()->isEnabled());
  EXPECT_EQ(dialog.Paper()->currentText(), Q("帐页自身大小"));

  const QString queue = QPrinterInfo::defaultPrinterName();
  if (queue.isEmpty()) GTEST_SKIP() << "no print queue here (ctest runs this with a print service of its own)";
  destination->setCurrentIndex(destination->findData(queue));
  ASSERT_TRUE(dialog.Paper()->isEnabled());
  const QPageSize standard = QPrinterInfo::printerInfo(queue).defaultPageSize();
  EXPECT_TRUE(dialog.Paper()->currentText().startsWith(standard.name()));
  EXPECT_TRUE(dialog.Paper()->currentText().endsWith(Q("（打印机默认）")));
  Screenshot(dialog, "books-dialog-queue.png");
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_TRUE(dialog.target.paper.has_value());
  EXPECT_TRUE(dialog.target.paper->isEquivalentTo(standard));

  dialog.Paper()->setCurrentIndex(0);  // each form on its nearest paper
  dialog.accept();
  EXPECT_FALSE(dialog.target.paper.has_value());
}

TEST_F(BooksPrintingTest, FolderFilesAreNeverWrittenThroughLinksNorReplacedUnasked) {
  CYearBooksDlg dialog(env);
  ASSERT_TRUE(dialog.Confirm());
  const QString folder = QString::fromStdString(dir.Path()) + "/books";
  QDir().mkpath(folder);
  MakeFolders(dir.Path() + "/other");
  const std::string victim = CreateAccountSetFile(dir.Path() + "/other", 2026);
  QFile original(QString::fromStdString(victim));
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  const QByteArray before = original.readAll();
  original.close();
  auto victimKept = [&] {
    QFile f(QString::fromStdString(victim));
    return f.open(QIODevice::ReadOnly) && f.readAll() == before;
  };
  std::vector<std::string> existing;
  for (const char* name : {"全部帐页.pdf", "余额表.pdf", "1002-10.pdf"}) {
    const std::string link = (folder + "/" + Q(name)).toStdString();
    std::filesystem::create_symlink(victim, link);
    EXPECT_NE(CheckBooksFolder(env, dialog, folder, existing).find("不能写到它上面"), std::string::npos) << name;
    BooksRun run = PrintBooks(env, dialog, {CombinedBooksFile(folder), QString()}, folder, {}, true);
    EXPECT_EQ(run.outcome, BooksOutcome::kFailed) << name;
    EXPECT_TRUE(victimKept()) << name;
    QDir(folder).removeRecursively();  // the ledgers printed before the refusal
    QDir().mkpath(folder);
  }
  // A file already there: named by the check, kept by a run not told to replace it, replaced by one that is.
  QFile mine(BookFile(folder, {"1001", BookKind::kThreeColumn}));
  ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
  mine.write("mine");
  mine.close();
  EXPECT_EQ(CheckBooksFolder(env, dialog, folder, existing), "");
  EXPECT_EQ(existing, std::vector<std::string>{G(mine.fileName()).value()});
  BooksRun kept = PrintBooks(env, dialog, {CombinedBooksFile(folder), QString()}, folder);
  EXPECT_EQ(kept.outcome, BooksOutcome::kFailed);
  EXPECT_TRUE(kept.error.contains(Q("已存在"))) << kept.error.toStdString();
  EXPECT_FALSE(QFile::exists(CombinedBooksFile(folder)));
  ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
  EXPECT_EQ(mine.readAll(), QByteArray("mine"));
  mine.close();
  BooksRun replaced = PrintBooks(env, dialog, {CombinedBooksFile(folder), QString()}, folder, {}, true);
  ASSERT_EQ(replaced.outcome, BooksOutcome::kDone) << replaced.error.toStdString();
  EXPECT_GT(PdfPageCount(mine.fileName()), 0);
  EXPECT_GT(PdfPageCount(CombinedBooksFile(folder)), 0);
  EXPECT_TRUE(QDir(folder).entryList(QStringList{".*.tmp"}, QDir::Hidden | QDir::Files).isEmpty());
}

// 打印全部帐页 into a folder that already holds one of its files asks first, as 导出 does: 否 prints nothing,
// 是 replaces it; the closing message names the kinds left out for want of the operator's rights.
TEST_F(BooksPrintingTest, TheWindowAsksBeforeReplacingAFileOfTheFolder) {
  const QString folder = QString::fromStdString(dir.Path()) + "/asked";
  QDir().mkpath(folder);
  QFile mine(BookFile(folder, {"1001", BookKind::kThreeColumn}));
  ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
  mine.write("mine");
  mine.close();
  auto run = [&] {
    QTimer::singleShot(0, [&] {
      auto* dialog = dynamic_cast<BooksDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->Destination()->setCurrentIndex(dialog->Destination()->count() - 1);
      dialog->askFolder = [&] { return folder; };
      dialog->accept();
    });
    RunBooksCommand(env, nullptr);
  };
  run();  // answered 否, the default
  EXPECT_EQ(platform.LastText(), "“" + G(mine.fileName()).value() + "”已存在。\r要替换它吗？");
  ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
  EXPECT_EQ(mine.readAll(), QByteArray("mine"));
  mine.close();
  EXPECT_FALSE(QFile::exists(CombinedBooksFile(folder)));
  platform.answers.push_back(MsgAnswer::Yes);
  env.rights = "0301 0305 ";  // the kinds this book does not use are still named as left out
  run();
  EXPECT_EQ(platform.LastText().rfind("已打印 5 个帐页", 0), 0u) << platform.LastText();
  EXPECT_NE(platform.LastText().find("\r没有打印多栏式帐、数量金额式帐、复币式帐：操作员102没有查看这些帐页的权限（0302、"
                                     "0303、0304）。"),
            std::string::npos);
  EXPECT_GT(PdfPageCount(mine.fileName()), 0);
  EXPECT_GT(PdfPageCount(CombinedBooksFile(folder)), 0);
}

TEST_F(BooksPrintingTest, DialogOffersThePdfFolderAndChecksItsFields) {
  CYearBooksDlg model(env);
  BooksDialog dialog(model, nullptr);
  Screenshot(dialog, "books-dialog.png");
  QComboBox* destination = dialog.Destination();
  destination->setCurrentIndex(destination->count() - 1);  // the PDF folder
  for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) box->setChecked(false);
  dialog.accept();
  EXPECT_EQ(platform.LastText(), "请至少选择一种帐页。");
  EXPECT_EQ(dialog.result(), 0);
  for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) box->setChecked(true);
  QString folder = QString::fromStdString(dir.Path());
  dialog.askFolder = [&] { return folder; };
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.folder, folder);
  EXPECT_EQ(dialog.target.pdfPath, CombinedBooksFile(folder));
}

}  // namespace
