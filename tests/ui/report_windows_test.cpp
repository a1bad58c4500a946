// The balance table, the balance-and-turnover table and the fuzzy query in their windows and dialogs,
// with pictures of each and of the progress window.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "balance_date_dialog.h"
#include "base/text.h"
#include "dialog_test_support.h"
#include "form_view_widget.h"
#include "fuzzy_query_dialog.h"
#include "gbk_qt.h"
#include "progress_window.h"
#include "reports/balance_date_dlg.h"
#include "reports/balance_table.h"
#include "reports/fuzzy_query_dlg.h"
#include "reports/fuzzy_query_list.h"
#include "reports/report_progress.h"
#include "reports/turnover_range_dlg.h"
#include "reports/turnover_table.h"
#include "turnover_range_dialog.h"

namespace {

class ReportWindowsTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    const char* accounts[][3] = {{"1001", "库存现金", "1"}, {"1001-1", "总部", "2"},
                                 {"1001-2", "分部", "2"},   {"1002", "银行存款", "1"},
                                 {"6602", "管理费用", "1"}, {"6602-1", "差旅费", "2"}};
    for (auto& a : accounts)
      env.Execute(
          Format("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%s,'0','0','','0',0,0)",
                 a[0], a[1], a[2]));
    struct {
      const char *t, *kno, *mry;
      int f;
      double my;
    } rows[] = {{"20260305", "1001-1", "提现", 1, 5000},
                {"20260305", "1002", "提现", -1, 5000},
                {"20260412", "6602-1", "报销张三差旅费", 1, 1280.5},
                {"20260412", "1001-2", "报销张三差旅费", -1, 1280.5}};
    int rn = 0;
    for (auto& r : rows)
      env.Execute(Format(
          "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('%s','2',%d,'%s','%s',%d,%.2f,0,'4','%s')",
          r.t, ++rn, r.mry, r.kno, r.f, r.my, std::string(r.t).substr(4, 2).c_str()));
  }
  template <class View>
  void Shoot(std::unique_ptr<View> view, const char* name) {
    FormViewWidget widget(std::move(view));
    widget.resize(900, 360);
    Screenshot(widget, name);
  }
};

TEST_F(ReportWindowsTest, DialogsAndWindows) {
  CBalanceDateDlg balanceDlg(env);
  balanceDlg.OnInitDialog();
  std::unique_ptr<QDialog> d1(MakeBalanceDateDialog(balanceDlg, nullptr));
  Screenshot(*d1, "balance_date_dialog.png");
  ASSERT_TRUE(balanceDlg.OnOK());
  auto balance = std::make_unique<CHobdzb5>();
  balance->SetDataEnv(&env);
  FormViewWidget balanceWidget(std::move(balance));
  auto& bv = static_cast<CHobdzb5&>(balanceWidget.View());
  bv.SetParameters(balanceDlg);
  bv.Build();
  EXPECT_EQ(bv.Rows()[0], (std::vector<std::string>{"1001", "库存现金", "借", "3,719.50"}));
  balanceWidget.resize(900, 360);
  Screenshot(balanceWidget, "balance_table.png");

  CTurnoverRangeDlg rangeDlg(env);
  rangeDlg.OnInitDialog("", true, "20260301", "20261231");
  std::unique_ptr<QDialog> d2(MakeTurnoverRangeDialog(rangeDlg, nullptr));
  Screenshot(*d2, "turnover_range_dialog.png");
  ASSERT_TRUE(rangeDlg.OnOK());
  auto turnover = std::make_unique<CHobdzb6>();
  turnover->SetDataEnv(&env);
  turnover->InitForm();
  turnover->SetParameters(rangeDlg);
  turnover->Build();
  Shoot(std::move(turnover), "turnover_table.png");

  CFuzzyQueryDlg queryDlg(env);
  queryDlg.OnInitDialog();
  std::unique_ptr<QDialog> d3(MakeFuzzyQueryDialog(queryDlg, nullptr));
  auto edits = d3->findChildren<QLineEdit*>();
  QPushButton* ok = nullptr;
  for (auto* b : d3->findChildren<QPushButton*>())
    if (b->text() == Q("确认")) ok = b;
  ASSERT_TRUE(ok);
  edits[0]->setText(Q("差旅"));  // a summary alone
  EXPECT_FALSE(ok->isEnabled());
  edits[1]->setText("6602");
  EXPECT_TRUE(ok->isEnabled());
  Screenshot(*d3, "fuzzy_query_dialog.png");
  queryDlg.summary = "差旅";
  queryDlg.code = "6602";
  ASSERT_TRUE(queryDlg.OnOK());
  auto query = std::make_unique<CHobdzb7>();
  query->SetDataEnv(&env);
  query->InitForm();
  query->SetParameters(queryDlg);
  query->Build();
  EXPECT_EQ(query->Rows().size(), 2u);
  Shoot(std::move(query), "fuzzy_query_window.png");

  QWidget owner;
  owner.resize(400, 200);
  owner.show();
  ProgressWindow progress(&owner);
  progress.Show(42);
  EXPECT_TRUE(progress.isVisible());
  Screenshot(progress, "report_progress.png");
  progress.Show(-1);
  EXPECT_FALSE(progress.isVisible());

  // Driven by a report: nothing for a quick one, then a few redraws a second.
  long long now = 0;
  progress.clock = [&now] { return now; };
  auto shown = [&progress] {
    for (auto* label : progress.findChildren<QLabel*>())
      if (label->text().endsWith(Q("％"))) return label->text();
    return QString();
  };
  struct Step {
    long long ms;
    int percent;
    bool visible;
    const char* shown;
  } steps[] = {{0, 0, false, ""},       {120, 40, false, ""},     {310, 41, true, " 41％"},
               {350, 60, true, " 41％"}, {420, 61, true, " 61％"}, {0, -1, false, ""},
               {1000, 0, false, ""},    {1200, 100, false, ""}};
  for (const Step& s : steps) {
    now = s.ms;
    progress.Report(s.percent);
    EXPECT_EQ(progress.isVisible(), s.visible) << s.ms;
    if (s.visible) {
      EXPECT_EQ(shown(), Q(s.shown)) << s.ms;
    }
  }
}

// The window a main window installs for the reports goes with it; a report built afterwards (by the next
// main window's tests, or a tool without one) must not reach it.
TEST(ProgressWindowTest, AReportAfterTheWindowIsGoneDrawsNothing) {
  TestApp();
  ProgressSink previous = CurrentProgressSink();
  {
    QWidget owner;
    auto* progress = new ProgressWindow(&owner);
    progress->clock = [] { return 0LL; };
    progress->Install();
    ReportProgress report(4);
    report.Step(2);
  }
  {
    ReportProgress report(4);
    report.Step(4);
  }
  SetProgressSink(previous);
}

}  // namespace
