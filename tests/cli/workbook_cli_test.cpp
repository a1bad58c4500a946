// tavrel-cli report … --format xlsx, read back as a spreadsheet program reads it (python3-openpyxl): every
// figure of the text report is a number cell of the same value, every other cell the same text, nothing a
// formula; the captions are the frozen row, the sheet is named after the report.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace {

// One line a row: the sheet's facts first, then each cell as type|number format|value, tab-separated.
const char* const kReader = R"(import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
print('\t'.join([ws.title, str(ws.freeze_panes), ws['A1'].font.name or '',
                 *[str(ws.column_dimensions[openpyxl.utils.get_column_letter(c)].width) for c in range(1, ws.max_column + 1)]]))
for row in ws.iter_rows():
    print('\t'.join('%s|%s|%s' % (c.data_type, c.number_format, repr(c.value) if c.data_type == 'n' and c.value is not None else ('' if c.value is None else c.value)) for c in row))
)";

std::vector<std::string> Split(const std::string& text, char sep) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, sep)) parts.push_back(part);
  if (!text.empty() && text.back() == sep) parts.push_back("");
  return parts;
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
  for (size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size())) s.replace(p, from.size(), to);
  return s;
}

// The plain number of a figure's text ("1,234.50"), the decimals it shows.
bool Figure(const std::string& text, double& value, int& decimals) {
  std::string t = Replace(Trim(text), ",", "");
  if (t.empty() || t.find_first_not_of("-.0123456789") != std::string::npos) return false;
  size_t dot = t.find('.');
  decimals = dot == std::string::npos ? 0 : static_cast<int>(t.size() - dot - 1);
  value = std::stod(t);
  return true;
}

class WorkbookCli : public ::testing::Test {
 protected:
  void SetUp() override {
    if (RunCommand("/usr/bin/python3 -c 'import openpyxl'").status != 0) GTEST_SKIP() << "python3-openpyxl is missing";
    CliResult made = RunCli("create-set '" + dir.Path() + "/s'");
    ASSERT_EQ(made.status, 0) << made.out;
    year = made.out.substr(made.out.find(".vyx") - 4, 4);
    file = "'" + dir.Path() + "/s/" + year + ".vyx'";
    std::ofstream(dir.Path() + "/reader.py") << kReader;
    Import("accounts", "code,name,kind,unit,multi,side,width\n1002,银行存款,,,,,\n1002-1,工行,,,,,\n"
                       "1403,原材料,quantity,吨,,,\n");
    Import("openings", "code,side,amount,quantity\n1002-1,debit,900,\n1403,debit,25,10\n");
    // Summaries a spreadsheet would take for formulas if they were not written as text.
    Import("postings", "date,account,summary,debit,credit,mark,quantity\n" + year + "0105,1002-1,=1+2,1234.5,,0,\n" +
                           year + "0106,1002-1,@SUM(A1:A3),,34.5,0,\n" + year + "0107,1002-1,-5元,1000000,,0,\n" +
                           year + "0108,1002-1,+x,,0.01,0,\n" + year + "0110,1403,入库,120,,0,12\n" + year +
                           "0111,1403,出库,,33.3,0,3\n");
  }
  void Import(const std::string& kind, const std::string& csv) {
    std::ofstream(dir.Path() + "/" + kind + ".csv") << csv;
    CliResult r = RunCli("import " + kind + " " + file + " '" + dir.Path() + "/" + kind + ".csv'");
    ASSERT_EQ(r.status, 0) << r.out;
  }
  TempDir dir;
  std::string year, file;
};

TEST_F(WorkbookCli, EveryFigureOfTheTextReportIsANumberCellOfTheSameValue) {
  struct Report {
    std::string args, sheet;
    std::set<int> amounts, figures;  // the other columns are text
  } reports[] = {
      {"ledger " + file + " --code 1002 --mode detail", "", {3, 4, 6}, {}},
      {"ledger " + file + " --code 1002-1 --mode detail", "", {3, 4, 6}, {}},
      {"quantity " + file + " --code 1403", "", {5, 8, 12}, {3, 4, 6, 7, 10, 11}},
      {"balance " + file + " --date " + year + "1231", "帐户余额表", {3}, {}},
      {"turnover " + file + " --from " + year + "0101 --to " + year + "1231", "帐户余额及发生额表", {3, 4, 5, 7}, {}},
      {"search " + file + " --code 1002", "模糊查询帐页", {5}, {}},
  };
  int numbers = 0, formulaLike = 0;
  for (const Report& r : reports) {
    SCOPED_TRACE(r.args);
    CliResult text = RunCli("report " + r.args + " --head");
    ASSERT_EQ(text.status, 0) << text.out;
    std::string xlsx = dir.Path() + "/r.xlsx";
    CliResult wrote = RunCli("report " + r.args + " --format xlsx --force --output '" + xlsx + "'");
    ASSERT_EQ(wrote.status, 0) << wrote.out;
    CliResult read = RunCommand("/usr/bin/python3 '" + dir.Path() + "/reader.py' '" + xlsx + "'");
    ASSERT_EQ(read.status, 0) << read.out;

    std::vector<std::string> lines = Split(text.out, '\n'), sheet = Split(read.out, '\n');
    lines.pop_back();
    sheet.pop_back();
    ASSERT_EQ(sheet.size(), lines.size() + 1);
    std::vector<std::string> facts = Split(sheet[0], '\t');
    const std::string title = Trim(lines[0]);
    EXPECT_EQ(facts[0], r.sheet.empty() ? title : r.sheet);
    EXPECT_EQ(facts[2], "宋体");
    // The panes freeze below the caption row, the line before the report's rows.
    ASSERT_EQ(facts[1].rfind("A", 0), 0u) << facts[1];
    const size_t captionLine = static_cast<size_t>(std::stoi(facts[1].substr(1))) - 2;
    ASSERT_LT(captionLine, lines.size());
    EXPECT_EQ(Split(lines[captionLine], '\t').size(), facts.size() - 3) << lines[captionLine];
    EXPECT_EQ(Split(sheet[1], '\t')[0], "s|General|" + title);

    for (size_t i = captionLine; i < lines.size(); ++i) {
      std::vector<std::string> cells = Split(lines[i], '\t'), got = Split(sheet[i + 1], '\t');
      ASSERT_EQ(got.size(), cells.size()) << lines[i];
      for (size_t c = 0; c < cells.size(); ++c) {
        std::vector<std::string> cell = Split(got[c], '|');
        SCOPED_TRACE(lines[i] + " column " + std::to_string(c));
        ASSERT_GE(cell.size(), 3u);
        EXPECT_NE(cell[0], "f");
        double value = 0;
        int decimals = 0;
        bool figure = i > captionLine && (r.amounts.count(static_cast<int>(c)) || r.figures.count(static_cast<int>(c)));
        if (figure && Figure(cells[c], value, decimals)) {
          ++numbers;
          EXPECT_EQ(cell[0], "n");
          EXPECT_NEAR(std::stod(cell[2]), value, 1e-9 * std::max(1.0, std::fabs(value)));
          std::string format = "#,##0";
          int places = r.amounts.count(static_cast<int>(c)) ? 2 : decimals;
          if (places > 0) format += "." + std::string(static_cast<size_t>(places), '0');
          EXPECT_EQ(cell[1], format);
        } else if (Trim(cells[c]).empty()) {
          EXPECT_EQ(cell[2], "");
        } else {
          EXPECT_EQ(cell[0], "s");
          std::string want = i == captionLine ? Trim(cells[c]) : cells[c].substr(0, cells[c].find_last_not_of(' ') + 1);
          EXPECT_EQ(cell[2], want);
          formulaLike += std::string("=+-@").find(want[0]) != std::string::npos;
        }
      }
    }
  }
  EXPECT_GT(numbers, 40);
  EXPECT_GE(formulaLike, 4);
}

TEST_F(WorkbookCli, AWorkbookNeedsAFileThatCanBeWritten) {
  CliResult none = RunCli("report balance " + file + " --date " + year + "1231 --format xlsx");
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "Excel 工作簿需要 --output 文件名。\n");
  CliResult bad = RunCli("report balance " + file + " --date " + year + "1231 --format xlsx --output '" + dir.Path() +
                         "/no/such/folder/b.xlsx'");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "无法写入“" + dir.Path() + "/no/such/folder/b.xlsx”：No such file or directory\n");
}

}  // namespace
