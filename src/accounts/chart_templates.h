#pragma once
// The charts of accounts a new account set may start from. They are data, not code: CSV files in the
// accounts-import format (code,name,kind,unit,multi,side,width), share/charts/NAME.csv in the source tree
// and <prefix>/share/tavrel/charts/NAME.csv once installed, loaded through the import of accounts so that
// every line passes the account dialog's checks.
#include <string>
#include <vector>

class CVyDataEnv;

struct ChartTemplate {
  const char* name;   // the file's name without ".csv", as the tool's --chart takes it
  const char* title;  // what the account-set dialog offers
};

// The charts offered, the standard one first.
const std::vector<ChartTemplate>& ChartTemplates();
const ChartTemplate* FindChartTemplate(const std::string& name);

// A folder of the program's shared data (a UTF-8 path): <executable's folder>/../share/tavrel/NAME when it
// exists, else the source tree's share/NAME.
std::string SharedDataFolder(const std::string& name);
// The folder of the chart files (a UTF-8 path): <executable's folder>/../share/tavrel/charts when it exists,
// else the source tree's share/charts.
std::string ChartsFolder();

// Adds the chart's accounts to the open year file, all or nothing. "" when done, else the message that
// refused it (a missing file, or the first refused line).
std::string LoadChart(CVyDataEnv& env, const std::string& name);

// A new account set's first year file with the chart's accounts ("" for none: an empty chart). Returns the
// file's path; on failure "" with the message in error, and no file is left behind.
std::string CreateAccountSetWithChart(const std::string& folder, int year, const std::string& chart,
                                      std::string& error, const std::string& ext = "VYX");
