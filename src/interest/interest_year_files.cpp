// Finding the year files of the account set for the interest calculation.
#include "interest/interest_year_files.h"

#include <algorithm>

#include "base/text.h"
#include "data/jet/database.h"
#include "data/jet/db_error.h"
#include "data/vy_recordset.h"
#include "data/year_files.h"


std::vector<YearFileSpan> ListInterestYearFiles(const std::string& folder, const std::string& ext) {
  std::vector<YearFileSpan> files;
  for (const YearPlace& place : YearPlaces(folder, ext)) {
    YearFileSpan span;
    span.title = place.title;
    span.path = place.path;
    try {
      jet::Database db;
      db.Open(span.path, true);
      CVyRecordset rs(&db, {}, {}, {"Expr1000", "Expr1001"});
      rs.Open("select trim(t1),trim(t13) from systab");
      if (rs.IsEOF()) continue;
      span.first = rs.GetText(0);
      span.last = rs.GetText(1);
    } catch (const jet::DbError&) {
      continue;  // not a year file of this program
    }
    files.push_back(std::move(span));
  }
  std::stable_sort(files.begin(), files.end(),
                   [](const YearFileSpan& a, const YearFileSpan& b) { return a.title < b.title; });
  return files;
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
