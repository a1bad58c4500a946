// Finding the year files of the account set for the interest calculation.
#include "interest/interest_year_files.h"

#include <algorithm>
#include <cstdlib>

#include "base/text.h"
#include "data/database.h"
#include "data/db_error.h"
#include "data/recordset.h"
#include "data/year_files.h"

std::vector<YearFileSpan> ListInterestYearFiles(const std::string& folder, const std::string& ext,
                                                std::vector<YearFileSpan>* refused) {
  std::vector<YearFileSpan> files;
  auto refuse = [&](YearFileSpan& span, const std::string& why) {
    span.problem = why;
    if (refused) refused->push_back(std::move(span));
  };
  for (const YearPlace& place : YearPlaces(folder, ext)) {
    YearFileSpan span;
    span.title = place.title;
    span.path = place.path;
    if (!place.problem.empty()) {
      refuse(span, place.problem);
      continue;
    }
    try {
      jet::Database db;
      db.Open(span.path, true);
      CVyRecordset rs(&db, {}, {}, {"Expr1000", "Expr1001"});
      rs.Open("select trim(t1),trim(t13) from systab");
      if (rs.IsEOF()) {
        refuse(span, "没有年度设置(SYSTAB 为空)");
        continue;
      }
      span.first = rs.GetText(0);
      span.last = rs.GetText(1);
    } catch (const jet::DbError& e) {
      refuse(span, std::string("已损坏或不能读出：") + e.what());  // not a year file of this program
      continue;
    }
    files.push_back(std::move(span));
  }
  auto byYear = [](const YearFileSpan& a, const YearFileSpan& b) { return a.title < b.title; };
  std::stable_sort(files.begin(), files.end(), byYear);
  if (refused) std::stable_sort(refused->begin(), refused->end(), byYear);
  return files;
}

namespace {

// The year a file's title names, 0 when the title is not four digits.
int YearOfTitle(const std::string& title) {
  if (title.size() != 4) return 0;
  for (char c : title)
    if (c < '0' || c > '9') return 0;
  return std::atoi(title.c_str());
}

std::string ProblemText(const YearFileSpan& span) {
  return "年度文件“" + span.path + "”" + span.problem + "，无法计息!";
}

}  // namespace

std::string RefusedYearFileIn(const std::vector<YearFileSpan>& refused, int fromYear, int toYear) {
  for (const YearFileSpan& span : refused) {
    int year = YearOfTitle(span.title);
    if (year != 0 && year >= fromYear && year <= toYear) return ProblemText(span);
  }
  return "";
}

std::string MissingYearFile(const std::vector<YearFileSpan>& files, size_t first, size_t last,
                            const std::vector<YearFileSpan>& refused, const std::string& folder,
                            const std::string& ext) {
  int from = YearOfTitle(files[first].title), to = YearOfTitle(files[last].title);
  if (from == 0 || to == 0) return "";
  for (int year = from + 1; year < to; ++year) {
    bool present = false;
    for (size_t i = first; i <= last && !present; ++i) present = YearOfTitle(files[i].title) == year;
    if (present) continue;
    std::string why = RefusedYearFileIn(refused, year, year);
    if (!why.empty()) return why;
    return "缺少年度文件“" + YearFilePath(folder, Format("%04d", year), ext) + "”，无法计息!";
  }
  return "";
}

bool FilesOfPeriod(const std::vector<YearFileSpan>& files, const std::string& start, const std::string& end,
                   size_t& first, size_t& last) {
  bool haveFirst = false, haveLast = false;
  for (size_t i = 0; i < files.size(); ++i)
    if (files[i].first <= start) {
      first = i;
      haveFirst = true;
    }
  for (size_t i = files.size(); i-- > 0;)
    if (files[i].last >= end) {
      last = i;
      haveLast = true;
    }
  return haveFirst && haveLast && first <= last;
}
