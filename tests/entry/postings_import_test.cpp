// The import of postings at its edges: lines that do not match the header, control characters, numbers
// beyond the entry masks; imported postings that the entry window loads and saves again unchanged; and
// damaged files that never leave a row a window would refuse.
#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <random>
#include <set>

#include "admin/book_check.h"
#include "base/gbk.h"
#include "base/input_mask.h"
#include "entry/date_entry_view.h"
#include "entry/posting.h"
#include "entry/postings_import.h"
#include "entry_fixture.h"

namespace {

const std::string kHead = "date,account,summary,debit,credit,mark,quantity\n";

class PostingsImportTest : public EntryTest {
 protected:
  ImportOutcome Import(const std::string& gbkText) {
    CsvTable table;
    std::string error;
    if (!table.Parse(gbk::ToUtf8(gbkText), error)) {
      ImportOutcome refused;
      refused.refused.push_back(error);
      return refused;
    }
    return ImportPostings(env, table);
  }
};

TEST_F(PostingsImportTest, EveryLineMatchesTheHeaderAndTheEntryMasks) {
  const std::pair<std::string, std::string> cases[] = {
      {"20260105,101,收款,1,000.00,,0,", "该行有 8 个字段，而标题行有 7 列"},
      {"20260105,101,收款,1", "该行有 4 个字段，而标题行有 7 列"},
      {"20260105,101,\"收\n款\",1,,0,", "列“summary”含有换行、回车、制表符等控制字符"},
      {"20260105,101,\"收\r款\",1,,0,", "列“summary”含有换行、回车、制表符等控制字符"},
      {"20260105,101,\"收\t款\",1,,0,", "列“summary”含有换行、回车、制表符等控制字符"},
      {"20260105,101,x,99999999999999.99,,,", "金额的整数部分超过 12 位"},
      {"20260105,101,x,," + std::string(400, '9') + ",,", "金额的整数部分超过 12 位"},
      {"20260105,101,x,1.234,,,", "金额最多 2 位小数"},
      {"20260105,101,付 款,1,,,", "摘要不能超过 40 个字节，也不能含有空格和 | [ ] ' \""},
      {"20260105,101,付[款],1,,,", "摘要不能超过 40 个字节，也不能含有空格和 | [ ] ' \""},
      {"20260105,101,x,-5,,,", "金额应为不带负号的数"},
      {"20260105,101,x,1e3,,,", "金额应为不带负号的数"},
      {"20260105,103,x,1,,,123456789012345.1234", "数量或外币应为至多 12 位整数、4 位小数的数，且能准确保存"},
      {"20260105,103,x,1,,,999999999999.0003", "数量或外币应为至多 12 位整数、4 位小数的数，且能准确保存"},
  };
  for (const auto& [line, message] : cases) {
    ImportOutcome out = Import(kHead + line + "\n");
    EXPECT_EQ(out.refused, std::vector<std::string>{"第 2 行：" + message}) << line;
  }
  EXPECT_TRUE(Postings().empty());
  // The largest numbers the masks take go in as they were written; the header's names may carry blanks.
  ImportOutcome good = Import(
      " date , account,summary,debit,credit,mark,quantity\n"
      "20260105,101,大,999999999999.99,,,\n20260105,103,量,1,,,123456789012.1234\n");
  EXPECT_TRUE(good.Ok()) << (good.refused.empty() ? "" : good.refused[0]);
  EXPECT_EQ(Postings(), (std::vector<std::string>{"20260105 101 1 999999999999.99 0 0 4 1 01 大",
                                                  "20260105 103 1 1.00 1.23457e+11 0 4 1 01 量"}));
  EXPECT_EQ(Import("date,account,summary,debit,credit,mark,account\n").refused,
            std::vector<std::string>{"第 1 行：列“account”出现了两次。"});
}

// Random postings that pass the import, shown by the entry-by-date window and saved again by it, are the
// same rows: the import writes what the window writes.
TEST_F(PostingsImportTest, ImportedPostingsSurviveTheEntryWindowsSave) {
  const char* codes[] = {"101", "102-1", "102-2", "103", "201"};
  const char* pieces[] = {"收", "付", "款", "现金", "A", "b", "7", "-", ",", "(", ")", "/", "项目"};
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
    env.Execute("delete from p0");
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::string csv = kHead;
    std::set<int> days;
    for (int i = 0; i < 40; ++i) {
      int day = 1 + pick(6);
      days.insert(day);
      std::string code = codes[pick(5)];
      std::string summary;
      for (int k = pick(8); k >= 0; --k) summary += pieces[pick(13)];  // at most 36 bytes
      std::string amount = std::to_string(1 + rng() % 999999) + (pick(2) ? Format(".%02d", pick(100)) : "");
      if (pick(10) == 0) amount = "999999999999.99";
      std::string quantity = code == "103" && pick(2) ? Format("%d.%04d", pick(100000), pick(10000)) : "";
      bool debit = pick(2);
      csv += Format("202603%02d,%s,\"%s\",%s,%s,%s,%s\n", day, code.c_str(), summary.c_str(),
                    debit ? amount.c_str() : "", debit ? "" : amount.c_str(), Format("%d", pick(3)).c_str(),
                    quantity.c_str());
    }
    ImportOutcome out = Import(csv);
    ASSERT_TRUE(out.Ok()) << seed << ": " << out.refused[0];
    const std::vector<std::string> imported = Postings();
    ASSERT_EQ(imported.size(), 40u);
    for (int day : days) {
      CQirnpz2 view;
      view.SetDataEnv(&env);
      view.InitForm();
      view.OnSize(1400, 900);
      view.Load(2026, 3, day);
      view.SetModified(true);
      platform.answers.push_back(MsgAnswer::Yes);
      platform.answers.push_back(MsgAnswer::Yes);  // a random day seldom balances: saved all the same
      ASSERT_EQ(view.SaveFlow(), CEntryView::kSaved) << seed << " day " << day;
    }
    EXPECT_EQ(Postings(), imported) << seed;
  }
}

// A day's line numbers go on from the book's: read at once when the file is the larger (an empty book), or
// looked up day by day and account by account when the book is (a few lines added to many).
TEST_F(PostingsImportTest, LineNumbersGoOnFromTheBookWhicheverIsLarger) {
  std::mt19937 rng(7);
  auto lines = [&rng](int n) {
    std::string csv = kHead;
    for (int i = 0; i < n; ++i)
      csv += Format("2026030%d,%s,x,%d,,0,\n", 1 + static_cast<int>(rng() % 3), rng() % 2 ? "101" : "201",
                    1 + static_cast<int>(rng() % 99));
    return csv;
  };
  for (int n : {60, 3, 2, 1}) ASSERT_TRUE(Import(lines(n)).Ok()) << n;
  std::map<std::string, std::vector<long>> numbers;
  auto rows = env.Db()->Query("select t,trim(kno),rn from p0 where rn>0 order by t,trim(kno),rn");
  for (; !rows->AtEnd(); rows->Next()) numbers[rows->Text(0) + rows->Text(1)].push_back(rows->Int(2));
  size_t total = 0;
  for (const auto& [day, rn] : numbers) {
    for (size_t i = 0; i < rn.size(); ++i) EXPECT_EQ(rn[i], static_cast<long>(i + 1)) << day;
    total += rn.size();
  }
  EXPECT_EQ(total, 66u);
}

// Valid files damaged at random (fixed seeds, bounded time): whatever an import takes is a row every check
// of the windows would take — the book check finds nothing and every summary passes the summary's mask.
TEST_F(PostingsImportTest, DamagedFilesNeverStoreWhatAWindowWouldRefuse) {
  const std::string valid = kHead +
                            "20260105,101,收款,100.50,,0,\n20260105,102-1,\"付,款\",,100.50,1,\n"
                            "20260210,103,料,6,,2,3.5\n20260331,201,借入,,999999999999.99,,\n";
  const std::string alphabet = "0123456789.,-\"\n\r\t |[]'e*?收款";
  const std::clock_t deadline = std::clock() + 2 * CLOCKS_PER_SEC;  // processor time: a busy machine waits
  int taken = 0, tried = 0;
  for (unsigned seed = 1; seed <= 400 && std::clock() < deadline; ++seed, ++tried) {
    std::mt19937 rng(seed);
    std::string text = valid;
    for (int m = 1 + static_cast<int>(rng() % 3); m > 0; --m) {
      size_t at = kHead.size() + rng() % (text.size() - kHead.size());
      char c = alphabet[rng() % alphabet.size()];
      switch (rng() % 3) {
        case 0: text.insert(at, 1, c); break;
        case 1: text.erase(at, 1); break;
        default: text[at] = c;
      }
    }
    if (!gbk::FromUtf8(gbk::ToUtf8(text))) continue;
    ImportOutcome out = Import(text);
    if (!out.Ok()) {
      EXPECT_EQ(env.QueryLong("select count(*) from p0"), 0) << seed;
      continue;
    }
    ++taken;
    BookCheck check = CheckBook(env);
    EXPECT_TRUE(check.Clean()) << seed << ": " << check.findings[0].what << "\n" << text;
    CVyRecordset rs(env.Db(), {}, {}, {"mry"});
    for (rs.Open("select mry from p0"); !rs.IsEOF(); rs.MoveNext())
      EXPECT_TRUE(MaskAdmitsTyping({"STRING NOT |[]'\"", 40}, RTrim(rs.GetText(0)))) << seed << "\n" << text;
    env.Execute("delete from p0");
  }
  EXPECT_GT(taken, 0);
  EXPECT_GT(tried, 50);
}

}  // namespace

// The written statement and the bound one store the same figures, rounded as "%.2f" and "%.4f" write them,
// also where rounding the product x * 100 would give the other cent.
TEST_F(EntryTest, WrittenAndBoundPostingsStoreTheSameFigures) {
  const struct {
    double amount, second;
  } cases[] = {{2.675, 1.00005}, {0.015, 0.00015}, {0.125, 2.5}, {1.005, -0.12345}, {1234.56, 0}};
  auto insert = env.Db()->Prepare(kInsertPosting);
  int line = 0;
  for (const auto& c : cases) {
    Posting p{"20260105", "摘要", "101", 1, c.amount, c.second};
    p.line = ++line;
    WritePosting(env, p);
    p.line = ++line;
    BindPosting(*insert, p);
    insert->Run();
  }
  std::vector<std::pair<double, double>> stored;
  for (auto c = env.Db()->Query("select my,nu from p0 where rn>0 order by rn"); !c->AtEnd(); c->Next())
    stored.emplace_back(c->Real(0), c->Real(1));
  ASSERT_EQ(stored.size(), 2 * std::size(cases));
  for (size_t i = 0; i < stored.size(); i += 2) {
    EXPECT_EQ(stored[i], stored[i + 1]) << cases[i / 2].amount;
    EXPECT_EQ(Format("%.2f", stored[i].first), Format("%.2f", cases[i / 2].amount));
  }
}
