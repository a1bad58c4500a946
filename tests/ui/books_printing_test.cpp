// 打印全部帐页 into a PDF folder: one file per ledger, each counting its pages from 1, and the combined file
// holding them all in code order; a cancelled run leaves no combined file; the dialog's picture.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPrinterInfo>
#include <QRegularExpression>

#include "base/text.h"
#include "books_dialog.h"
#include "books_printing.h"
#include "dialog_test_support.h"
#include "gbk_qt.h"

namespace {

int PdfPageCount(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  return static_cast<int>(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

class BooksPrintingTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
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
  YearBooksDlg dialog(env);
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
  YearBooksDlg dialog(env);
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
  YearBooksDlg model(env);
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

TEST_F(BooksPrintingTest, DialogOffersThePdfFolderAndChecksItsFields) {
  YearBooksDlg model(env);
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
