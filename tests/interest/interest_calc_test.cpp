// Day counts, product sums and the interest list, within one year file and across two.
#include <cstdio>
#include <fstream>
#include <functional>

#include "interest/day_count.h"
#include "interest/interest_dlg.h"
#include "interest/interest_year_files.h"
#include "interest/interest_list_view.h"
#include "interest_books.h"

TEST(InterestDayCount, BothMethods) {
  struct Case {
    const char *a, *b;
    DayCount method;
    long days;
  } cases[] = {
      {"20260101", "20260301", DayCount::EqualMonths, 60},
      {"20260131", "20260228", DayCount::EqualMonths, 28},  // the 31st counts as the 30th
      {"20251215", "20260115", DayCount::EqualMonths, 30},
      {"20260101", "20260301", DayCount::ActualMonths, 59},
      {"20240228", "20240301", DayCount::ActualMonths, 2},  // leap year
      {"21000228", "21000301", DayCount::ActualMonths, 1},  // no leap year at a century
      {"20251201", "20260131", DayCount::ActualMonths, 61},
      {"20260105", "20260105", DayCount::ActualMonths, 0},
      {"2026015", "20260105", DayCount::EqualMonths, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(CountDays(c.a, c.b, c.method), c.days) << c.a << ".." << c.b;
}

class InterestCalcTest : public InterestBooks {
 protected:
  std::vector<InterestRow> Compute(const InterestParams& p) {
    CQirnpz3 view(env);
    view.InitForm();
    EXPECT_TRUE(view.Calculate(p, ListInterestYearFiles(env.dataDir))) << platform.LastText();
    return view.Rows();
  }
};

TEST_F(InterestCalcTest, ProductSumsAndInterestOfOneAccount) {
  Account("1001", "银行存款");
  Opening("1001", 1, 1000);
  InterestParams base{"20260101", "20260201", "1001", 2, DayCount::ActualMonths, false};
  EXPECT_EQ(Compute(base), (std::vector<InterestRow>{{"1001", "银行存款", "31,000.00", "6.20"}}));

  // A posting dated on the end day bears nothing; one dated on the start day bears for the whole period.
  Post("20260201", "1001", 1, 500);
  Post("20260101", "1001", 1, 100);
  EXPECT_EQ(Compute(base)[0].product, "34,100.00");

  // A deposit: a credit balance bears positive interest only on the credit side.
  Account("2001", "借入款");
  Opening("2001", -1, 1000);
  InterestParams credit{"20260101", "20260201", "2001", 2, DayCount::ActualMonths, true};
  EXPECT_EQ(Compute(credit)[0].product, "31,000.00");
  EXPECT_EQ(Compute(credit)[0].interest, "6.20");
  credit.credit = false;
  EXPECT_EQ(Compute(credit)[0].product, "-31,000.00");
  EXPECT_EQ(Compute(credit)[0].interest, "-6.20");

  // 等月法 over January and February: 60 days, whatever the calendar says.
  InterestParams equal{"20260101", "20260301", "2001", 1, DayCount::EqualMonths, true};
  EXPECT_EQ(Compute(equal)[0].product, "60,000.00");
}

TEST_F(InterestCalcTest, ParentRowsAndTheTotalOverLowestLevels) {
  Account("1002", "应收款");
  Account("1002-1", "甲公司");
  Account("1002-2", "乙公司");
  Account("1003", "备用金");
  Opening("1002-1", 1, 100);
  Opening("1002-2", 1, 200);
  Post("20260111", "1003", 1, 10);
  InterestParams p{"20260101", "20260131", "1002", 1, DayCount::ActualMonths, false};
  std::vector<InterestRow> rows = Compute(p);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].code, "1002");
  EXPECT_EQ(rows[0].product, "9,000.00");  // the parent covers its sub-tree
  EXPECT_EQ(rows[1].name, "应收款/甲公司");
  EXPECT_EQ(rows[3], (InterestRow{"", "合        计", "9,000.00", "0.90"}));

  // The whole chart: every account, the total over 1002-1, 1002-2 and 1003 only.
  p.code = "";
  rows = Compute(p);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[3].product, "200.00");
  EXPECT_EQ(rows[4].product, "9,200.00");
}

TEST_F(InterestCalcTest, APeriodReachingIntoTheYearBefore) {
  std::string earlier = AddYear(2025);
  {
    jet::Database db;
    db.Open(earlier);
    Account("1001", "银行存款", &db);
    Opening("1001", 1, 1000, "20250101", &db);
    Post("20251201", "1001", 1, 200, 1, "存入", "0", &db);
  }
  Account("1001", "银行存款");
  Opening("1001", 1, 1200);  // carried forward: already counted in the year before
  Post("20260110", "1001", 1, 300);
  Post("20260131", "1001", 1, 999);  // on the end day

  std::vector<YearFileSpan> files = ListInterestYearFiles(env.dataDir);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].title, "2025");
  EXPECT_EQ(files[1].last, "20261231");

  // 1,000 × 76 days + 200 × 61 + 300 × 21.
  InterestParams p{"20251116", "20260131", "1001", 1, DayCount::ActualMonths, false};
  EXPECT_EQ(Compute(p)[0].product, "94,500.00");

  // When the earlier file can no longer be read, the window says so and keeps what it showed.
  CQirnpz3 view(env);
  view.InitForm();
  std::ofstream(earlier, std::ios::trunc) << "kein Datenbank";
  platform.messages.clear();
  EXPECT_FALSE(view.Calculate(p, files));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::Stop);
  EXPECT_TRUE(view.Rows().empty());
  EXPECT_FALSE(view.Unposted());
}

TEST_F(InterestCalcTest, ParameterChecksInOrder) {
  platform.now = {2026, 3, 15, 9, 0, 0};
  EXPECT_FALSE(CInterestDlg::MayStart(env));
  EXPECT_EQ(platform.LastText(), "本年度未建立帐户无需计息！");
  Account("1001", "银行存款");
  Account("1002", "应收款");
  EXPECT_FALSE(CInterestDlg::MayStart(env));
  EXPECT_EQ(platform.LastText(), "本年度无任何数据，无需计息！");
  Opening("1001", 1, 1000);
  EXPECT_TRUE(CInterestDlg::MayStart(env));

  CInterestDlg defaults(env);
  defaults.OnInitDialog();
  EXPECT_EQ(defaults.start.Date(), "20260101");
  EXPECT_EQ(defaults.end.Date(), "20260315");

  struct Case {
    std::string s, e, code, rate, message;
    CInterestDlg::Focus focus;
  } cases[] = {
      {"19890101", "20260201", "", "1", "起息日的年度不合理，请重输!", CInterestDlg::Focus::StartYear},
      {"20261301", "20260201", "", "1", "起息日的月份不合理，请重输!", CInterestDlg::Focus::StartMonth},
      {"20260230", "20260301", "", "1", "起息日的日不合理，请重输!", CInterestDlg::Focus::StartDay},
      {"20260101", "20260231", "", "1", "止息日的日不合理，请重输!", CInterestDlg::Focus::EndDay},
      {"20251231", "20260201", "", "1", "起息日小于本系统的最小年度的年初日，请重输!",
       CInterestDlg::Focus::StartYear},
      {"20260101", "20270101", "", "1", "止息日大于本系统的最大年度的年末日，请重输!",
       CInterestDlg::Focus::EndYear},
      {"20260201", "20260201", "", "1", "止息日不合理，请重输!", CInterestDlg::Focus::EndYear},
      {"20260101", "20260201", "9", "1", "指定帐户不存在，请重输!", CInterestDlg::Focus::Code},
      {"20260101", "20260201", "1*", "1", "指定帐户不存在，请重输!", CInterestDlg::Focus::Code},
      {"20260101", "20260201", "1002", "1", "指定帐户本年度无任何数据，请重新指定其他帐户！",
       CInterestDlg::Focus::Code},
      {"20260101", "20260201", "1001", "0", "日利率是一个万分数，且不得小于或等“0”，请重输!",
       CInterestDlg::Focus::Rate},
      {"20260101", "20260201", "1001", "1.5", "", CInterestDlg::Focus::StartYear},
  };
  for (const Case& c : cases) {
    CInterestDlg dlg(env);
    dlg.OnInitDialog();
    dlg.start.Set(c.s);
    dlg.end.Set(c.e);
    dlg.code = c.code;
    dlg.rateText = c.rate;
    platform.messages.clear();
    EXPECT_EQ(dlg.OnOk(), c.message.empty()) << c.message;
    EXPECT_EQ(platform.LastText(), c.message);
    EXPECT_EQ(dlg.focus, c.focus) << c.message;
    if (c.message.empty()) {
      EXPECT_EQ(dlg.params.rate, 1.5);
    }
  }
}

// A year between the start's and the end's that cannot be read stops the calculation with a message that
// names its file and why; it is never left out of the product sum.
TEST_F(InterestCalcTest, AYearFileOfThePeriodThatCannotBeReadStopsTheCalculation) {
  std::string first = AddYear(2024), middle = AddYear(2025);
  for (auto [file, year] : {std::pair{first, 2024}, std::pair{middle, 2025}}) {
    jet::Database db;
    db.Open(file);
    Account("1001", "银行存款", &db);
    Opening("1001", 1, year == 2024 ? 1000 : 1100, Format("%d0101", year), &db);
    Post(Format("%d0601", year), "1001", 1, 100, 1, "存入", "0", &db);
  }
  Account("1001", "银行存款");
  Opening("1001", 1, 1200);
  InterestParams p{"20240101", "20260131", "1001", 1, DayCount::ActualMonths, false};
  // 1,000 × 761 days + 100 × 609 + 100 × 244.
  EXPECT_EQ(Compute(p)[0].product, "846,300.00");

  struct Case {
    const char* what;
    std::function<void()> spoil;
    std::string message;
  } cases[] = {
      {"damaged", [&] { std::ofstream(middle, std::ios::trunc) << "kein Datenbank"; },
       "年度文件“" + middle + "”已损坏或不能读出："},
      {"read-only", [&] { platform.files[middle] = FileFacts{true, false, false, true, false}; },
       "年度文件“" + middle + "”是只读文件，无法计息!"},
      {"missing", [&] { std::remove(middle.c_str()); }, "缺少年度文件“" + middle + "”，无法计息!"},
  };
  std::string kept = middle + ".kept";
  ASSERT_EQ(std::rename(middle.c_str(), kept.c_str()), 0);
  for (const Case& c : cases) {
    std::ifstream src(kept, std::ios::binary);
    std::ofstream(middle, std::ios::binary) << src.rdbuf();
    platform.files.clear();
    c.spoil();
    CQirnpz3 view(env);
    view.InitForm();
    platform.messages.clear();
    EXPECT_FALSE(view.Calculate(p, ListInterestYearFiles(env.dataDir))) << c.what;
    ASSERT_EQ(platform.messages.size(), 1u) << c.what;
    EXPECT_EQ(platform.messages[0].text.rfind(c.message, 0), 0u) << c.what << ": " << platform.LastText();
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(view.Rows().empty()) << c.what;
  }
  // The dialog names the file too when the end lies in a year that cannot be read.
  platform.files.clear();
  std::ofstream(middle, std::ios::trunc) << "kein Datenbank";
  platform.files[path] = FileFacts{true, false, true, false, false};  // the open year is hidden away
  CInterestDlg dlg(env);
  dlg.OnInitDialog();
  dlg.Prefill({"20240301", "20250301", "1001", 1, DayCount::ActualMonths, false});
  platform.messages.clear();
  EXPECT_FALSE(dlg.OnOk());
  EXPECT_EQ(platform.LastText().rfind("止息日大于本系统的最大年度的年末日，请重输!\n\n年度文件“" + middle, 0),
            0u)
      << platform.LastText();
}
