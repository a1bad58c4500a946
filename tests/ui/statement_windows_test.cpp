// The financial statements in their windows: the dialog's fields and refusals, the balance sheet side by
// side and one half under the other, the income statement, a statement whose formulas fail, the page a
// statement prints on and its export; a picture of each.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTableWidget>

#include "base/cell_text.h"
#include "base/text.h"
#include "child_frame.h"
#include "dialog_test_support.h"
#include "form_view_widget.h"
#include "io/report_export.h"
#include "main_window_fixture.h"
#include "pl_closing_dialog.h"
#include "statement_dialog.h"
#include "statement_template_dialog.h"
#include "statements/pl_closing_dlg.h"
#include "statements/statement_dlg.h"
#include "statements/statement_template.h"
#include "statements/statement_template_dlg.h"
#include "statements/statement_view.h"
#include "support/pdf_facts.h"
#include "support/scripted_face.h"
#include "support/statement_book.h"

namespace {

// The user's answer to the statement dialog.
class ChooseStatement : public ScriptedFace<CStatementDlg> {
 public:
  bool Run(CStatementDlg& d) override {
    ++asked;
    if (!name.empty()) d.name = name;
    d.monthText = month;
    d.narrow = narrow;
    return d.OnOK();
  }
  std::string name, month = "10";
  bool narrow = false;
  int asked = 0;
};

class StatementWindows : public MainWindowTest {
 protected:
  void SetUp() override {
    std::string error;
    path = MakeStatementBook(dir.Path(), error);
    ASSERT_FALSE(path.empty()) << error;
    ASSERT_TRUE(LogIn("102"));
  }
  // Opens 财务报表 from the menu with these answers; the new window's widget, or nullptr.
  FormViewWidget* Open(const std::string& name, bool narrow) {
    choose.name = name;
    choose.narrow = narrow;
    size_t before = frame.Children().size();
    frame.RunCommand(40037);
    if (frame.Children().size() != before + 1) return nullptr;
    return qobject_cast<FormViewWidget*>(frame.ActiveChild()->View());
  }
  static CStatementView& ViewOf(FormViewWidget* w) { return dynamic_cast<CStatementView&>(w->View()); }
  static std::string Cell(CStatementView& v, int lineNo, int col) {
    const auto& lines = v.Result().form.lines;
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].lineNo == lineNo) {
        const StatementCell& c = v.Result().cells[i][static_cast<size_t>(col)];
        return c.blank ? "blank" : c.value == 0 ? "0.00" : MoneyText(money::FromCents(c.value));
      }
    return "none";
  }
  // The main window with the statement's window in it, as the user sees it.
  void Shoot(const char* name) {
    frame.resize(1400, 900);
    Screenshot(frame, name);
  }
  ChooseStatement choose;
};

TEST_F(StatementWindows, TheDialogHandsItsFieldsToTheModelAndKeepsTheRefusedFieldInFocus) {
  ::DialogFaces faces{nullptr, &app.env};
  struct Case {
    const char* statement;
    const char* month;
    bool narrow;
    bool accepted;
    const char* focus;  // the field a refusal leaves in focus
  } cases[] = {
      {"资产负债表", "10", false, true, ""},
      {"利润表", " 3", true, true, ""},
      {"资产负债表", "13", false, false, "month"},
      {"资产负债表", "", true, false, "month"},
      {"利润表", "0", false, false, "month"},
  };
  for (const Case& c : cases) {
    CStatementDlg model(app.env);
    ASSERT_TRUE(model.OnInitDialog());
    EXPECT_EQ(model.names, (std::vector<std::string>{"资产负债表", "利润表"}));
    std::unique_ptr<QDialog> dialog(MakeStatementDialog(model, nullptr));
    auto* names = dialog->findChild<QComboBox*>();
    auto* month = dialog->findChild<QLineEdit*>();
    ASSERT_TRUE(names && month);
    EXPECT_EQ(names->currentText(), Q("资产负债表"));  // the first is preset
    names->setCurrentText(Q(c.statement));
    month->setText(Q(c.month));
    dialog->findChild<QCheckBox*>()->setChecked(c.narrow);
    if (c.month == std::string("10")) Screenshot(*dialog, "statement_dialog.png");
    dialog->show();
    ButtonNamed(*dialog, "&S.确认")->click();
    EXPECT_EQ(dialog->result() == QDialog::Accepted, c.accepted) << c.month;
    if (c.accepted) {
      EXPECT_EQ(model.name, c.statement);
      EXPECT_EQ(model.month, std::atoi(c.month));
      EXPECT_EQ(model.narrow, c.narrow);
    } else {
      EXPECT_EQ(model.focus, c.focus);
      EXPECT_EQ(dialog->focusWidget(), month) << c.month;
      EXPECT_EQ(platform.LastText(), "月份应为 1 到 12。");
    }
  }
}

TEST_F(StatementWindows, TheBalanceSheetOpensSideBySideOrNarrowAndPrintsOnALandscapePage) {
  ASSERT_TRUE(Enabled(40037));
  FormViewWidget* wide = Open("资产负债表", false);
  ASSERT_NE(wide, nullptr);
  CStatementView& view = ViewOf(wide);
  EXPECT_EQ(view.ColumnCount(), 8);
  EXPECT_EQ(Cell(view, 1, 0), "96,999.50");  // 货币资金
  EXPECT_EQ(Cell(view, 1, 1), "0.00");
  EXPECT_EQ(Cell(view, 4, 0), "40,000.00");  // 应收账款
  EXPECT_EQ(view.ReportHead()[1], "编制单位：" + app.env.unitName + "\t2026年10月\t单位：元");
  EXPECT_EQ(view.ReportFoot().size(), 1u);
  EXPECT_EQ(view.ReportFoot()[0].rfind("校验：资产总计 = 负债和所有者权益总计", 0), 0u) << view.ReportFoot()[0];
  EXPECT_EQ(G(frame.ActiveChild()->windowTitle()).value_or("").find("2026年10月") != std::string::npos, true);
  EXPECT_TRUE(platform.messages.empty()) << platform.LastText();
  Shoot("statement_balance_sheet.png");

  std::string pdf = ShotPath("statement_balance_sheet.pdf");
  ASSERT_TRUE(wide->Printing().PrintToPdf(QString::fromStdString(pdf)));
  EXPECT_EQ(PdfPages(pdf), 1);
  for (const PdfPageSize& page : PdfPageSizes(pdf)) EXPECT_TRUE(page.Landscape()) << page.width << "x" << page.height;

  for (int command : {vycmd::kPageSetup, vycmd::kPrint, vycmd::kPrintPreview, vycmd::kExport})
    EXPECT_TRUE(wide->IsCommandEnabled(command)) << command;
  int previewed = 0;  // pages
  wide->Printing().runPreview = [&](QPrintPreviewDialog& d) {
    auto* preview = d.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(preview, nullptr);
    preview->updatePreview();
    previewed = preview->pageCount();
  };
  EXPECT_TRUE(wide->RunCommand(vycmd::kPrintPreview));
  EXPECT_EQ(previewed, 1);

  QString csv = QString::fromStdString(ShotPath("statement_balance_sheet.csv"));
  QFile::remove(csv);
  wide->askExportFile = [csv] { return csv; };
  EXPECT_TRUE(wide->RunCommand(vycmd::kExport));
  QFile exported(csv);
  ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
  EXPECT_EQ(exported.readAll().toStdString(), ReportAsCsv(view));

  // Ctrl+O asks again and lays the same window out anew.
  choose.narrow = true;
  wide->RunCommand(vycmd::kOpen);
  EXPECT_EQ(choose.asked, 2);
  EXPECT_EQ(view.ColumnCount(), 4);
  EXPECT_EQ(view.TextRows(), static_cast<int>(view.Result().form.lines.size()));

  FormViewWidget* narrow = Open("资产负债表", true);
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(ViewOf(narrow).ColumnCount(), 4);
  Shoot("statement_balance_narrow.png");
  std::string upright = ShotPath("statement_balance_narrow.pdf");
  ASSERT_TRUE(narrow->Printing().PrintToPdf(QString::fromStdString(upright)));
  for (const PdfPageSize& page : PdfPageSizes(upright)) EXPECT_FALSE(page.Landscape());
}

TEST_F(StatementWindows, FormulasThatFailAreNamedUnderTheLinesAndInAMessageAsTheWindowOpens) {
  FormViewWidget* income = Open("利润表", false);
  ASSERT_NE(income, nullptr);
  EXPECT_EQ(Cell(ViewOf(income), 1, 0), "40,000.00");
  EXPECT_EQ(Cell(ViewOf(income), 16, 0), "11,999.50");
  EXPECT_TRUE(platform.messages.empty()) << platform.LastText();
  Shoot("statement_income.png");

  StatementTemplate form;
  ASSERT_TRUE(LoadStatement(app.env, "利润表", form));
  form.lines[2].formula[0] = "fs(6999)";
  form.lines[3].formula[1] = "fs(6601";
  ASSERT_TRUE(SaveStatement(app.env, form));
  FormViewWidget* broken = Open("利润表", false);
  ASSERT_NE(broken, nullptr);
  CStatementView& view = ViewOf(broken);
  // The two lines, and those that add them up.
  const std::vector<std::string>& errors = view.Result().errors;
  ASSERT_GE(errors.size(), 2u);
  EXPECT_EQ(errors[0].rfind("行次 3", 0), 0u) << errors[0];
  EXPECT_EQ(errors[1].rfind("行次 4", 0), 0u) << errors[1];
  EXPECT_EQ(view.FootLines(), static_cast<int>(errors.size()));
  std::vector<std::string> foot = view.ReportFoot();
  ASSERT_EQ(foot.size(), errors.size());
  for (size_t i = 0; i < errors.size(); ++i) EXPECT_EQ(foot[i], "公式出错：" + errors[i]);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.LastText().rfind(Format("报表“利润表”有 %zu 个公式出错", errors.size()), 0), 0u)
      << platform.LastText();
  EXPECT_NE(platform.LastText().find(errors[1]), std::string::npos);
  EXPECT_EQ(Cell(view, 3, 0), "blank");
  Shoot("statement_income_errors.png");
}

// 结转损益 from the menu asks its dialog with the month planned; the dialog follows the month as it is typed
// and posts after the question.
TEST_F(StatementWindows, TheClosingDialogFollowsTheMonthAndPostsAfterTheQuestion) {
  platform.now = {2026, 10, 31};
  struct Look : ScriptedFace<CClosingDlg> {
    bool Run(CClosingDlg& d) override {
      shown = d.lines.size();
      month = d.monthText;
      return false;
    }
    size_t shown = 0;
    std::string month;
  } look;
  ASSERT_TRUE(Enabled(40039));
  frame.RunCommand(40039);
  EXPECT_EQ(look.month, "10");
  EXPECT_EQ(look.shown, 4u);

  CClosingDlg model(app.env);
  model.monthText = "9";
  model.OnInitDialog();
  ClosingDialog dialog(model);
  auto* list = dialog.findChild<QListWidget*>();
  auto* month = dialog.findChild<QLineEdit*>();
  ASSERT_TRUE(list && month);
  EXPECT_EQ(list->count(), 0);
  EXPECT_NE(ChildNamed<QLabel>(dialog, "本月没有要结转的损益。"), nullptr);
  month->selectAll();
  TypeText(month, "10");
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->item(3)->text(), Q("4103 本年利润  贷  11,999.50"));
  Screenshot(dialog, "closing_dialog.png");
  platform.answers = {MsgAnswer::Yes};
  ButtonNamed(dialog, "&J.记帐")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(platform.LastText(), "已记帐 4 笔。");
  EXPECT_EQ(model.posted, 4u);
  EXPECT_EQ(list->count(), 0);
}

// 报表模板 from the menu shows the first statement; in the window a statement is chosen or named, its grid
// edited, a refused 保存 puts the cursor on the row it names, and changes are not dropped unasked.
TEST_F(StatementWindows, TheTemplateWindowEditsTheGridAndPutsTheCursorOnTheRowASaveStopsAt) {
  struct Look : ScriptedFace<CTemplateDlg> {
    bool Run(CTemplateDlg& d) override {
      name = d.form.name;
      return false;
    }
    std::string name;
  } look;
  ASSERT_TRUE(Enabled(40038));
  frame.RunCommand(40038);
  EXPECT_EQ(look.name, "资产负债表");

  CTemplateDlg model(app.env);
  ASSERT_TRUE(model.OnInitDialog());
  TemplateDialog dialog(model);
  QTableWidget* grid = dialog.Grid();
  EXPECT_EQ(grid->rowCount(), static_cast<int>(model.rows.size()));
  Screenshot(dialog, "statement_template_window.png");

  auto* combo = dialog.findChild<QComboBox*>();
  ASSERT_TRUE(combo && combo->lineEdit());
  auto choose = [&](const char* name) {
    combo->lineEdit()->selectAll();
    TypeText(combo->lineEdit(), Q(name));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
  };
  choose("利润表");
  ASSERT_EQ(grid->rowCount(), 16);
  EXPECT_EQ(grid->item(2, CTemplateDlg::kCaption)->text(), Q("税金及附加"));
  EXPECT_NE(ChildNamed<QLineEdit>(dialog, "6001:6801"), nullptr);  // 结转科目
  Screenshot(dialog, "statement_template_income.png");

  StatementTemplate stored;
  grid->item(2, CTemplateDlg::kFormula1)->setText("fs(6999)");
  grid->setCurrentCell(0, 0);
  ButtonNamed(dialog, "&S.保存")->click();
  EXPECT_EQ(platform.LastText().rfind("公式有错：行次 3 本期金额：", 0), 0u) << platform.LastText();
  EXPECT_EQ(grid->currentRow(), 2);
  ASSERT_TRUE(LoadStatement(app.env, "利润表", stored));
  EXPECT_EQ(stored.lines[2].formula[0], "fs(6403:6403)");

  grid->item(2, CTemplateDlg::kFormula1)->setText("fs(6403)+fs(6402)");
  grid->setCurrentCell(9, 0);
  ButtonNamed(dialog, "&D.删除行")->click();
  EXPECT_EQ(grid->rowCount(), 15);
  ButtonNamed(dialog, "&A.增加行")->click();
  ASSERT_EQ(grid->rowCount(), 16);
  EXPECT_EQ(grid->currentRow(), 9);
  const char* added[] = {"10", "1", "左", "其他收益", "-fs(6111)", "-ljfs(6111)"};
  for (int c = 0; c < 6; ++c) grid->item(9, c)->setText(Q(added[c]));
  ButtonNamed(dialog, "&S.保存")->click();
  EXPECT_FALSE(model.modified) << platform.LastText();
  ASSERT_TRUE(LoadStatement(app.env, "利润表", stored));
  ASSERT_EQ(stored.lines.size(), 16u);
  EXPECT_EQ(stored.lines[2].formula[0], "fs(6403)+fs(6402)");
  EXPECT_EQ(stored.lines[9].caption, "其他收益");

  choose("现金流量表");
  EXPECT_EQ(grid->rowCount(), 1);
  EXPECT_TRUE(model.isNew);

  // Leaving with changes asks; 否 keeps the window.
  grid->item(0, CTemplateDlg::kCaption)->setText(Q("现金"));
  platform.answers = {MsgAnswer::No};
  ButtonNamed(dialog, "&X.退出")->click();
  EXPECT_TRUE(dialog.isVisible());
  platform.answers = {MsgAnswer::Yes};
  ButtonNamed(dialog, "&X.退出")->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
