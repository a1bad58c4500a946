// The import files' CSV reading, the import frame's all-or-nothing rule, and a report written as text and
// CSV.
#include <gtest/gtest.h>

#include <time.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

#include "base/gbk.h"
#include "data/data_env.h"
#include "formview/report_view.h"
#include "io/csv_reader.h"
#include "io/import_run.h"
#include "io/report_export.h"
#include "base/text.h"
#include "support/temp_dir.h"
#include "support/year_file_fixture.h"

namespace {

std::string U(const std::string& gbkText) {
  return gbk::ToUtf8(gbkText);
}

TEST(CsvTable, ReadsQuotingLineNumbersAndRefusals) {
  struct Case {
    std::string utf8;
    std::vector<std::vector<std::string>> fields;  // GBK
    std::vector<int> lines;
    std::string error;
  } cases[] = {
      {"\xEF\xBB\xBF"
       "a,b\r\n1,2\r\n",
       {{"1", "2"}},
       {2},
       ""},
      {"a,b\n\"x,y\",\"say \"\"hi\"\"\"\n", {{"x,y", "say \"hi\""}}, {2}, ""},
      {"a,b\n\"two\nlines\",z\n3,4", {{"two\nlines", "z"}, {"3", "4"}}, {2, 4}, ""},
      {"a\n\n" + U("现金") + "\n", {{"现金"}}, {3}, ""},
      {"a,b\n1,\"open\n", {}, {}, "第 2 行：引号没有结束。"},
      {"a\n\"x\"y\n", {}, {}, "第 2 行：引号之后应为逗号或行尾。"},
      {"a\n1\n\xE2\x82\xAC\n", {}, {}, "第 3 行：含有 GBK 不能表示的字符。"},
  };
  for (const Case& c : cases) {
    CsvTable t;
    std::string error;
    bool ok = t.Parse(c.utf8, error);
    EXPECT_EQ(ok, c.error.empty()) << c.utf8;
    EXPECT_EQ(error, c.error) << c.utf8;
    if (!ok) continue;
    ASSERT_EQ(t.Records().size(), c.fields.size()) << c.utf8;
    for (size_t i = 0; i < c.fields.size(); ++i) {
      EXPECT_EQ(t.Records()[i].fields, c.fields[i]) << c.utf8;
      EXPECT_EQ(t.Records()[i].line, c.lines[i]) << c.utf8;
    }
  }
}

// The header's names are taken without the blanks around them, and each once; a record is whole when it has
// a field for every column and no control character in any of them.
TEST(CsvTable, HeaderNamesAreTrimmedAndEveryRecordMatchesTheHeader) {
  CsvTable t;
  std::string error;
  ASSERT_TRUE(t.Parse("date, account ,summary\n1,2,3\n1,2\n1,2,3,\n1,\"a\nb\",3\n1,2,\"x\ty\"\n1,2,\"\r\"\n",
                      error))
      << error;
  EXPECT_EQ(t.Header(), (std::vector<std::string>{"date", "account", "summary"}));
  EXPECT_TRUE(t.MissingColumns({"date", "account", "summary"}).empty());
  std::vector<std::string> refusals;
  for (const CsvRecord& r : t.Records()) refusals.push_back(t.RecordRefusal(r));
  EXPECT_EQ(refusals, (std::vector<std::string>{"", "该行有 2 个字段，而标题行有 3 列",
                                                "该行有 4 个字段，而标题行有 3 列",
                                                "列“account”含有换行、回车、制表符等控制字符",
                                                "列“summary”含有换行、回车、制表符等控制字符",
                                                "列“summary”含有换行、回车、制表符等控制字符"}));
  EXPECT_FALSE(t.Parse("date,account, date\n1,2,3\n", error));
  EXPECT_EQ(error, "第 1 行：列“date”出现了两次。");
}

// A file read piece by piece gives the records and line numbers the whole text gives, wherever a piece
// ends: inside a quoted field, between a quote and its double, between CR and LF; and a fault late in a
// long file is found with its line.
TEST(CsvTable, ReadsALongFilePieceByPieceAsTheWholeText) {
  const std::string cells[] = {"1",  "",   "\"x,y\"", "\"say \"\"hi\"\"\"", "\"two\nlines\"", U("现金"),
                               "\"\"", U("长一些的摘要文字")};
  const char* ends[] = {"\n", "\r\n", "\n\n"};
  for (unsigned seed : {1u, 2u, 3u}) {
    std::mt19937 rnd(seed);
    std::string text = "\xEF\xBB\xBF" "a,b,c\n";
    while (text.size() < 2500000) {
      for (int k = 0; k < 3; ++k) text += std::string(k ? "," : "") + cells[rnd() % std::size(cells)];
      text += ends[rnd() % std::size(ends)];
    }
    TempDir dir;
    std::ofstream(dir.File("a.csv"), std::ios::binary) << text;
    CsvTable whole, file;
    std::string error;
    ASSERT_TRUE(whole.Parse(text, error)) << error;
    ASSERT_TRUE(file.Load(dir.File("a.csv"), error)) << error;
    EXPECT_EQ(file.Header(), whole.Header());
    EXPECT_EQ(file.Size(), text.size());
    CsvRecord r;
    size_t n = 0;
    for (; file.Next(r, error); ++n) {
      ASSERT_LT(n, whole.Records().size());
      ASSERT_EQ(r.fields, whole.Records()[n].fields) << "record " << n;
      ASSERT_EQ(r.line, whole.Records()[n].line) << "record " << n;
    }
    EXPECT_EQ(error, "");
    EXPECT_EQ(n, whole.Records().size());

    // The broken record starts on the line after the text's last line break.
    int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    std::ofstream(dir.File("a.csv"), std::ios::binary | std::ios::app) << "1,\"open\n\n";
    ASSERT_TRUE(file.Load(dir.File("a.csv"), error));
    while (file.Next(r, error)) {
    }
    EXPECT_EQ(error, Format("第 %d 行：引号没有结束。", lines));
  }
}

// A header of any width is read in time proportional to it: each name is compared with the others once,
// not with every other (200,000 names took half a minute). A repeated name is still found, at either end.
TEST(CsvTable, AVeryWideHeaderIsCheckedInLinearTime) {
  std::string header;
  const int columns = 200000;
  for (int k = 0; k < columns; ++k) header += Format("%sc%d", k ? "," : "", k);
  for (const std::string& tail : {std::string(), std::string(",c0")}) {
    CsvTable t;
    std::string error;
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    bool ok = t.Parse(header + tail + "\n", error);
    clock_gettime(CLOCK_MONOTONIC, &end);
    double seconds = static_cast<double>(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
    EXPECT_LT(seconds, 3.0);
    EXPECT_EQ(ok, tail.empty()) << error;
    if (ok) {
      EXPECT_EQ(t.Header().size(), static_cast<size_t>(columns));
      EXPECT_EQ(t.UnknownColumns({"c1", "c5"}).size(), static_cast<size_t>(columns - 2));
    } else {
      EXPECT_EQ(error, "第 1 行：列“c0”出现了两次。");
    }
  }
  // From a file, where the header is longer than a piece of the reading.
  TempDir dir;
  std::ofstream(dir.File("wide.csv"), std::ios::binary) << header << "\n" << std::string(columns - 1, ',') << "\n";
  CsvTable t;
  std::string error;
  ASSERT_TRUE(t.Load(dir.File("wide.csv"), error)) << error;
  EXPECT_EQ(t.Header().size(), static_cast<size_t>(columns));
  CsvRecord r;
  ASSERT_TRUE(t.Next(r, error)) << error;
  EXPECT_EQ(r.fields.size(), static_cast<size_t>(columns));
}

class ImportRunTest : public YearFileTest {};

TEST_F(ImportRunTest, OneRefusedLineOrAMissingColumnImportsNothing) {
  std::string path = MakeYearFile("2026.vyx", 2026);
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "101", 1));
  auto writeEach = [&](const CsvRecord& r) -> std::string {
    if (r.fields[0] == "bad") return "不要这一行";
    env.Execute("insert into opr(opno,na) values('" + r.fields[0] + "','x')");
    return "";
  };
  long before = env.QueryLong("select count(*) from opr");
  CsvTable t;
  std::string error;
  ASSERT_TRUE(t.Parse("no\n201\nbad\n202\nbad\n", error));
  ImportOutcome out = RunImport(env, t, {"no"}, writeEach);
  EXPECT_EQ(out.refused, (std::vector<std::string>{"第 3 行：不要这一行", "第 5 行：不要这一行"}));
  EXPECT_EQ(out.imported, 0);
  EXPECT_EQ(env.QueryLong("select count(*) from opr"), before);

  ASSERT_TRUE(t.Parse("number\n201\n", error));
  out = RunImport(env, t, {"no"}, writeEach);
  EXPECT_EQ(out.refused, (std::vector<std::string>{"第 1 行：缺少列：no", "第 1 行：不认识的列：number"}));

  // A column the import does not know is refused by name, never silently ignored; a long list is cut.
  std::string wide = "no,remark";
  for (int k = 0; k < 12; ++k) wide += Format(",x%d", k);
  for (auto [header, refusal] : std::vector<std::pair<std::string, std::string>>{
           {"no,nmae", "第 1 行：不认识的列：nmae"},
           {wide, "第 1 行：不认识的列：remark,x0,x1,x2,x3,x4,x5,x6,x7,x8 等 13 列"}}) {
    ASSERT_TRUE(t.Parse(header + "\n201\n", error));
    out = RunImport(env, t, {"no"}, writeEach);
    EXPECT_EQ(out.refused, std::vector<std::string>{refusal});
    EXPECT_EQ(env.QueryLong("select count(*) from opr"), before);
  }

  ASSERT_TRUE(t.Parse("no\n201\n202\n", error));
  out = RunImport(env, t, {"no"}, writeEach);
  EXPECT_TRUE(out.Ok());
  EXPECT_EQ(out.imported, 2);
  EXPECT_EQ(env.QueryLong("select count(*) from opr"), before + 2);
}

// Two columns; the amount cell is drawn right-aligned and would not fit its width of 4.
class TinyReport : public CVyReportView {
 public:
  std::vector<std::string> ReportHead() override { return {"小报表", "2026年\t第1页"}; }
  std::vector<std::string> ColumnCaptions() override { return {"摘要", "金额"}; }
  void SetupForm() override {
    CVyReportView::SetupForm();
    SetSections(2, 1, 0, 1, 0);
    SetColumns({8, 4});
  }
  void DrawCell(VyDC& dc, int row, int col, const std::string& section) override {
    static const char* cells[2][2] = {{"收款, \"现\"", "1,234.50"}, {"", ""}};
    DrawCellText(row, col, dc, cells[row][col], col ? "RIGHT" : "LEFT", section);
  }
};

TEST(ReportExport, TextAndCsvHoldTheCellsAsDrawnAndWhole) {
  TinyReport view;
  view.InitForm();
  EXPECT_EQ(ReportAsText(view, false), "收款, \"现\"\t1,234.50\n\t\n");
  EXPECT_EQ(ReportAsText(view, true), "小报表\n2026年\t第1页\n摘要\t金额\n收款, \"现\"\t1,234.50\n\t\n");
  EXPECT_EQ(ReportAsCsv(view), "\xEF\xBB\xBF" + U("摘要,金额\r\n\"收款, \"\"现\"\"\",\"1,234.50\"\r\n,\r\n"));
  bool offered = false;
  for (const VyMenuItem& item : view.ContextMenu()) offered = offered || item.command == vycmd::kExport;
  EXPECT_TRUE(offered);
}

// A text column beside an amount column, whose rows are given.
class FormulaReport : public TinyReport {
 public:
  std::vector<std::vector<std::string>> rows;
  std::vector<std::vector<std::string>> ReportRows() override { return rows; }
  ReportColumnKind ColumnKind(int col) override { return col ? ReportColumnKind::kAmount : ReportColumnKind::kText; }
};

// A text a spreadsheet would run as a formula is marked as text; a figure of an amount column is not, and a
// text that only looks like a formula further in is left alone.
TEST(ReportExport, CsvMarksTextsThatASpreadsheetWouldRun) {
  struct Case {
    std::string text, amount;       // the cells (GBK)
    std::string textOut, amountOut;  // as the CSV file holds them (UTF-8, before quoting)
  } cases[] = {
      {"=HYPERLINK(\"http://x\",\"点\")", "1,234.50", "'=HYPERLINK(\"http://x\",\"点\")", "1,234.50"},
      {"@SUM(1)", "-200.00", "'@SUM(1)", "-200.00"},
      {"+SUM(1)", "", "'+SUM(1)", ""},
      {"-2+3", "-2+3", "'-2+3", "'-2+3"},
      {"\tx", "0.00", "'\tx", "0.00"},
      {"\rx", "12", "'\rx", "12"},
      {"付款=2", "=1", "付款=2", "'=1"},
      {"现金", "-0.50", "现金", "-0.50"},
  };
  for (const Case& c : cases) {
    FormulaReport view;
    view.InitForm();
    view.rows = {{c.text, c.amount}};
    std::string expected = "\xEF\xBB\xBF" + U("摘要,金额\r\n") + CsvField(U(c.textOut)) + "," + CsvField(U(c.amountOut)) + "\r\n";
    EXPECT_EQ(ReportAsCsv(view), expected) << c.text << " | " << c.amount;
  }
}

}  // namespace
