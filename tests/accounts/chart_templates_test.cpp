// The charts a new account set may start from: every shipped line goes in through the account dialog's
// checks, and a chart that cannot be loaded leaves no account set behind.
#include "accounts/chart_templates.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "data/data_env.h"
#include "io/csv_reader.h"
#include "support/year_file_fixture.h"

using ChartTemplatesTest = YearFileTest;

TEST_F(ChartTemplatesTest, EveryShippedChartLoadsWholeIntoANewSet) {
  for (const ChartTemplate& chart : ChartTemplates()) {
    std::ifstream in(ChartsFolder() + "/" + chart.name + ".csv", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    CsvTable table;
    std::string error;
    ASSERT_TRUE(table.Parse(text.str(), error)) << error;
    std::string folder = dir.File(chart.name);
    MakeFolders(folder);
    std::string path = CreateAccountSetWithChart(folder, 2026, chart.name, error);
    ASSERT_FALSE(path.empty()) << chart.name << ": " << error;
    CVyDataEnv env;
    ASSERT_TRUE(env.Open(path, "", 1));
    EXPECT_EQ(env.QueryLong("select count(*) from subt"), static_cast<long>(table.Records().size())) << chart.name;
    // Each account is in the chart under its own code and name.
    for (const CsvRecord& r : table.Records())
      EXPECT_EQ(env.QueryLong("select count(*) from subt where trim(kno)='" + table.Field(r, "code") +
                              "' and trim(na)='" + table.Field(r, "name") + "'"),
                1)
          << chart.name << " " << table.Field(r, "code");
  }
}

// The small companies' chart: its own numbers for equity (3…) and the profit and loss accounts (5…), and
// the sides a new opening starts on follow its names as they follow the general chart's.
TEST_F(ChartTemplatesTest, TheSmallCompaniesChartHasItsOwnNumbers) {
  std::string error;
  std::string path = CreateAccountSetWithChart(dir.Path(), 2026, "small", error);
  ASSERT_FALSE(path.empty()) << error;
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "", 1));
  EXPECT_EQ(env.QueryLong("select count(*) from subt"), 66);
  const std::pair<const char*, const char*> some[] = {
      {"3001", "实收资本"},     {"3103", "本年利润"},     {"5001", "主营业务收入"}, {"5401", "主营业务成本"},
      {"5602", "管理费用"},     {"1602", "累计折旧"},     {"2221", "应交税费"},     {"5801", "所得税费用"},
  };
  for (auto [code, name] : some)
    EXPECT_EQ(env.QueryLong(std::string("select count(*) from subt where trim(kno)='") + code + "' and trim(na)='" +
                            name + "'"),
              1)
        << code;
  ASSERT_NE(FindChartTemplate("small"), nullptr);
  EXPECT_EQ(std::string(FindChartTemplate("small")->title), "小企业会计准则一级科目");
}

TEST_F(ChartTemplatesTest, TheStandardChartHoldsTheLevelOneAccountsOfTheStandards) {
  std::string error;
  std::string path = CreateAccountSetWithChart(dir.Path(), 2026, "standard", error);
  ASSERT_FALSE(path.empty()) << error;
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "", 1));
  EXPECT_GE(env.QueryLong("select count(*) from subt"), 150);
  EXPECT_EQ(env.QueryLong("select count(*) from subt where clas<>1"), 0);
  const std::pair<const char*, const char*> some[] = {
      {"1001", "库存现金"},     {"1002", "银行存款"},     {"1012", "其他货币资金"}, {"1101", "交易性金融资产"},
      {"1122", "应收账款"},     {"1601", "固定资产"},     {"2202", "应付账款"},     {"2221", "应交税费"},
      {"4001", "实收资本"},     {"4103", "本年利润"},     {"5001", "生产成本"},     {"6001", "主营业务收入"},
      {"6602", "管理费用"},     {"6901", "以前年度损益调整"},
  };
  for (auto [code, name] : some)
    EXPECT_EQ(env.QueryLong(std::string("select count(*) from subt where trim(kno)='") + code + "' and trim(na)='" +
                            name + "'"),
              1)
        << code;
}

TEST_F(ChartTemplatesTest, NoChartOrAnUnknownOneOrABadFile) {
  std::string error;
  // No chart: today's empty chart.
  MakeFolders(dir.File("empty"));
  std::string path = CreateAccountSetWithChart(dir.File("empty"), 2026, "", error);
  ASSERT_FALSE(path.empty()) << error;
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "", 1));
  EXPECT_EQ(env.QueryLong("select count(*) from subt"), 0);
  // A chart whose lines are refused (here: loaded twice) goes in whole or not at all.
  EXPECT_EQ(LoadChart(env, "project"), "");
  long accounts = env.QueryLong("select count(*) from subt");
  error = LoadChart(env, "project");
  EXPECT_EQ(error.rfind("科目表“project”未能载入：第 2 行：", 0), 0u) << error;
  EXPECT_EQ(env.QueryLong("select count(*) from subt"), accounts);
  env.Close();

  // A chart nobody ships: refused before anything is made.
  MakeFolders(dir.File("unknown"));
  EXPECT_EQ(CreateAccountSetWithChart(dir.File("unknown"), 2026, "nonesuch", error), "");
  EXPECT_EQ(error, "找不到科目表“nonesuch”。");
  EXPECT_FALSE(std::filesystem::exists(dir.File("unknown/2026.vyx")));
}
