// What the Excel workbook makes of a report's cell texts: the figures it reads back from them and the sheet
// name it takes from the title. The whole workbook is read back in the tool's test.
#include <gtest/gtest.h>

#include <optional>

#include "io/report_workbook.h"

namespace {

TEST(ReportWorkbook, FiguresAreReadFromTheTextsTheWindowShows) {
  struct Case {
    std::string text;
    std::optional<double> value;
    int decimals;
  } cases[] = {
      {"1,234.50", 1234.5, 2},        {"  -3.0000 ", -3.0, 4},       {"12", 12.0, 0},
      {"1,234,567.89", 1234567.89, 2}, {"-0.25", -0.25, 2},          {".5", 0.5, 1},
      {"", std::nullopt, 0},           {"   ", std::nullopt, 0},      {"过次页", std::nullopt, 0},
      {"*****", std::nullopt, 0},      {"-", std::nullopt, 0},        {"1.2.3", std::nullopt, 0},
      {"=1+2", std::nullopt, 0},       {"+5", std::nullopt, 0},       {"1e5", std::nullopt, 0},
      {"0x10", std::nullopt, 0},       {"12 34", std::nullopt, 0},    {"借", std::nullopt, 0},
  };
  for (const Case& c : cases) {
    int decimals = -1;
    std::optional<double> value = FigureValue(c.text, &decimals);
    EXPECT_EQ(value, c.value) << c.text;
    if (c.value) EXPECT_EQ(decimals, c.decimals) << c.text;
  }
}

TEST(ReportWorkbook, SheetNamesHoldNoForbiddenCharacterAndAtMost31) {
  struct Case {
    std::string title, name;
  } cases[] = {
      {" 帐户余额表 ", "帐户余额表"},
      {"　模糊查询帐页　", "模糊查询帐页"},
      {"a[b]:c*?/d\\e'", "abcde"},
      // A second byte equal to "[" belongs to its character and stays.
      {"乕[表]", "乕表"},
      {"", "报表"},
      {" []?* ", "报表"},
      {std::string(40, 'x'), std::string(31, 'x')},
      {"三栏式明细帐一二三四五六七八九十甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未", "三栏式明细帐一二三四五六七八九十甲乙丙丁戊己庚辛壬癸子丑寅卯辰"},
  };
  for (const Case& c : cases) EXPECT_EQ(SheetName(c.title), c.name) << c.title;
}

}  // namespace
