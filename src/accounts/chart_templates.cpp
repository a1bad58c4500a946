// The charts a new account set may start from: where their files are, and loading one.
#include "accounts/chart_templates.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

#include "accounts/account_import.h"
#include "base/gbk.h"
#include "data/db_error.h"
#include "data/data_env.h"
#include "data/year_files.h"

#ifndef TAVREL_SOURCE_SHARE
#define TAVREL_SOURCE_SHARE "share"
#endif

const std::vector<ChartTemplate>& ChartTemplates() {
  static const std::vector<ChartTemplate> charts = {
      {"standard", "企业会计准则一级科目"},
      {"small", "小企业会计准则一级科目"},
      {"project", "项目核算简明科目"},
  };
  return charts;
}

const ChartTemplate* FindChartTemplate(const std::string& name) {
  for (const ChartTemplate& c : ChartTemplates())
    if (name == c.name) return &c;
  return nullptr;
}

std::string SharedDataFolder(const std::string& name) {
  char self[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n > 0) {
    std::filesystem::path installed =
        std::filesystem::path(std::string(self, static_cast<size_t>(n))).parent_path() / "../share/tavrel" / name;
    std::error_code ec;
    if (std::filesystem::is_directory(installed, ec)) return installed.lexically_normal().string();
  }
  return std::string(TAVREL_SOURCE_SHARE) + "/" + name;
}

std::string ChartsFolder() {
  return SharedDataFolder("charts");
}

std::string LoadChart(CVyDataEnv& env, const std::string& name) {
  std::string path = ChartsFolder() + "/" + gbk::ToUtf8(name) + ".csv";
  CsvTable table;
  std::string error;
  if (!FindChartTemplate(name) || !table.Load(path, error)) return "找不到科目表“" + name + "”。";
  ImportOutcome outcome = ImportAccounts(env, table);
  if (!outcome.Ok()) return "科目表“" + name + "”未能载入：" + outcome.refused.front();
  return "";
}

std::string CreateAccountSetWithChart(const std::string& folder, int year, const std::string& chart,
                                      std::string& error, const std::string& ext) {
  error.clear();
  if (!chart.empty() && !FindChartTemplate(chart)) {
    error = "找不到科目表“" + chart + "”。";
    return "";
  }
  std::string path = CreateAccountSetFile(folder, year, ext);
  if (chart.empty()) return path;
  CVyDataEnv env;
  try {
    if (env.Open(path, "", 0, ext)) error = LoadChart(env, chart);
    else error = "无法打开此文件！";
  } catch (const jet::DbError& e) {
    error = e.what();
  }
  env.Close();
  if (error.empty()) return path;
  // A set that did not get the chart asked for is not made at all.
  DeleteYearFile(path);
  return "";
}
