// The ledger windows on the screen: what they look like, 导出 as CSV, a workbook and printed pages, and the
// period dialog's refusal keeping it open.
#include <QFile>
#include <QLineEdit>

#include "aux_catalogue_dialog.h"
#include "base/gbk.h"
#include "base/text.h"
#include "form_view_widget.h"
#include "gbk_qt.h"
#include "io/report_export.h"
#include "ledger_period_dialog.h"
#include "ledgers/ledger_period_dlg.h"
#include "ledgers/multi_column_ledger.h"
#include "ledgers/quantity_currency_ledger.h"
#include "ledgers/three_column_ledger.h"
#include "ui/dialog_test_support.h"

namespace {

class LedgerWindowTest : public DialogTest {
 protected:
  void Book() {
    env.Execute(
        "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) "
        "values('1001','库存现金',1,'0','1','件','1',0,0)");
    env.Execute(
        "insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('1001-1','总部',2,'0','0','','0',0,0)");
    env.Execute(
        "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260101','    "
        "',0,'期初余额','1001-1',1,5000,0,'4','01')");
    for (int i = 1; i <= 80; ++i)
      env.Execute(
          Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) "
                 "values('2026%02d%02d','2',%d,'第%d笔收支','1001-1',%d,%d.25,%d,'4','%02d')",
                 (i - 1) / 30 + 1, (i - 1) % 28 + 1, i, i, i % 4 ? 1 : -1, i * 10, i, (i - 1) / 30 + 1));
  }
  std::string Exported(FormViewWidget& w, const std::string& name) {
    QString file = QString::fromStdString(ShotPath(name));
    QFile::remove(file);
    w.askExportFile = [file] { return file; };
    EXPECT_TRUE(w.RunCommand(vycmd::kExport));
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll().toStdString();
  }
};

TEST_F(LedgerWindowTest, ExportsCsvAndPrintedPagesFromEveryLedger) {
  Book();
  auto three = std::make_unique<CQirnzb1>();
  three->SetDataEnv(&env);
  FormViewWidget w(std::move(three));
  auto& view = static_cast<CQirnzb1&>(w.View());
  view.outputMode = 1;
  view.Open("1001");
  w.resize(1100, 640);
  Screenshot(w, "ledger_three_column.png");
  EXPECT_TRUE(w.IsCommandEnabled(vycmd::kExport));
  EXPECT_EQ(Exported(w, "ledger_three_column.csv"), ReportAsCsv(view));
  std::string pdf = Exported(w, "ledger_three_column.pdf");
  EXPECT_EQ(pdf.substr(0, 4), "%PDF");
  EXPECT_EQ(view.TextRows(), static_cast<int>(view.Lines().size()));  // the carry lines are gone again

  auto multi = std::make_unique<CQirnzb2>();
  multi->SetDataEnv(&env);
  FormViewWidget w2(std::move(multi));
  static_cast<CQirnzb2&>(w2.View()).Open("1001", "202601", "202612", "2026 年  1 月 至 12 月");
  w2.resize(1100, 640);
  Screenshot(w2, "ledger_multi_column.png");
  EXPECT_EQ(Exported(w2, "ledger_multi_column.csv"), ReportAsCsv(static_cast<CQirnzb2&>(w2.View())));

  auto quantity = std::make_unique<CQirnzb3>(0);
  quantity->SetDataEnv(&env);
  FormViewWidget w3(std::move(quantity));
  static_cast<CQirnzb3&>(w3.View()).Open("1001-1", "202601", "202612", "2026 年  1 月 至 12 月");
  w3.resize(1300, 640);
  Screenshot(w3, "ledger_quantity.png");
  EXPECT_EQ(Exported(w3, "ledger_quantity.pdf").substr(0, 4), "%PDF");
  // A workbook (the cells themselves are read back in the tool's test).
  std::string xlsx = Exported(w3, "ledger_quantity.xlsx");
  EXPECT_EQ(xlsx.substr(0, 2), "PK");
  EXPECT_NE(xlsx.find("xl/worksheets/sheet1.xml"), std::string::npos);
}

TEST_F(LedgerWindowTest, PeriodDialogStaysOpenOnARefusal) {
  Book();
  CLedgerPeriodDlg model(env, "1001", "202601", "202612", true);
  LedgerPeriodDialog dialog(model, nullptr);
  Screenshot(dialog, "ledger_period_dialog.png");
  auto edits = dialog.findChildren<QLineEdit*>();
  ASSERT_EQ(edits.size(), 2);
  edits[0]->setText("13");
  dialog.accept();
  EXPECT_EQ(platform.LastText(), "起始月不合理，输入一数!");
  EXPECT_FALSE(dialog.result() == QDialog::Accepted);
  edits[0]->setText("2");
  edits[1]->setText("3");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(model.start, "202602");
}

// 导出 asks before it replaces a file, and never writes over the book.
TEST_F(LedgerWindowTest, ExportAsksBeforeReplacingAndRefusesTheBook) {
  Book();
  auto three = std::make_unique<CQirnzb1>();
  three->SetDataEnv(&env);
  FormViewWidget w(std::move(three));
  static_cast<CQirnzb1&>(w.View()).Open("1001");
  QString file = QString::fromStdString(ShotPath("ledger_export_again.csv"));
  QFile::remove(file);
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("mine");
  }
  auto content = [&] {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return f.readAll().toStdString();
  };
  w.askExportFile = [file] { return file; };
  platform.answers = {MsgAnswer::No};
  w.RunCommand(vycmd::kExport);
  EXPECT_EQ(platform.LastText(), "“" + *G(file) + "”已存在。\r要替换它吗？");
  EXPECT_EQ(content(), "mine");
  platform.answers = {MsgAnswer::Yes};
  w.RunCommand(vycmd::kExport);
  EXPECT_EQ(content(), ReportAsCsv(static_cast<CQirnzb1&>(w.View())));

  std::string book = env.dataFile;
  QFile bookFile(QString::fromStdString(gbk::ToUtf8(book)));
  qint64 size = bookFile.size();
  w.askExportFile = [book] { return QString::fromStdString(gbk::ToUtf8(book)); };
  platform.answers = {MsgAnswer::Yes};
  w.RunCommand(vycmd::kExport);
  EXPECT_NE(platform.LastText().find("不能写到它上面"), std::string::npos) << platform.LastText();
  EXPECT_EQ(bookFile.size(), size);
}

}  // namespace
