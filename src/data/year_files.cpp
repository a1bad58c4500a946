#include "data/year_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>

#include "base/file_facts.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/data_env.h"
#include "data/db_error.h"
#include "data/recordset.h"
#include "data/sql_text.h"
#include "data/year_schema.h"

using jet::SqlText;

namespace {

// A new year with every table, filled by fill, all in one transaction (see AccountSet::MakeYear).
void MakeYear(const std::string& path, unsigned mode, const std::function<void(jet::Database&)>& fill) {
  AccountSet::Of(path)->MakeYear(path, mode, [&](jet::Database& db) {
    CreateYearTables(db);
    fill(db);
  });
}

// A year whose place is sound and that opens ending logged in (SYSTAB's year equals the name).
bool IsYearOf(const YearPlace& place, const std::string& ext) {
  if (!place.problem.empty()) return false;
  CVyDataEnv probe;
  bool ok = probe.Open(place.path, "101", 0, ext) && probe.loggedIn;
  probe.Close();
  return ok;
}

}  // namespace

bool IsValidYearFile(const std::string& folder, const std::string& name, const std::string& ext) {
  auto place = YearFilePlace(folder, name, ext);
  return place && IsYearOf(*place, ext);
}

std::vector<std::string> YearList(const std::string& folder, const std::string& ext) {
  // Each once: a folder may hold a year's file under two cases of its extension.
  std::set<std::string> years;
  for (const YearPlace& place : YearPlaces(folder, ext))
    if (IsYearOf(place, ext)) years.insert(place.title);
  return {years.begin(), years.end()};
}

std::vector<YearPlace> YearPlaces(const std::string& folder, const std::string& ext) {
  return AccountSet::Of(folder)->Places(ext);
}

bool IsAccountSetFolder(const std::string& folder, const std::string& ext) {
  for (const YearPlace& place : YearPlaces(folder, ext))
    if (IsYearOf(place, ext)) return true;
  return false;
}

std::string YearFilePath(const std::string& folder, const std::string& year, const std::string& ext) {
  return AccountSet::Of(folder)->YearPath(year, ext);
}

bool IsAccountSetPlace(const std::string& folder) {
  return AccountSet::Of(folder)->IsPlace();
}

std::string CreateAccountSetFile(const std::string& folder, int year, const std::string& ext) {
  std::string path = YearFilePath(folder, Format("%4d", year), ext);
  // The year file holds the operators' passwords: only its owner reads it until the owner decides otherwise.
  MakeYear(path, kPrivateFileMode, [&](jet::Database& db) { SeedNewAccountSet(db, year); });
  return path;
}

void NextYearDates(const std::string& t1, const std::string& t13, int currentYear, int newYear,
                   std::string& newT1, std::string& newT13) {
  int startYear = std::atoi(t1.substr(0, 4).c_str()) < currentYear ? newYear - 1 : newYear;
  int endYear = currentYear < std::atoi(t13.substr(0, 4).c_str()) ? newYear + 1 : newYear;
  std::string md1 = t1.size() >= 8 ? t1.substr(4, 4) : "0101";
  std::string md13 = t13.size() >= 8 ? t13.substr(4, 4) : "1231";
  newT1 = Format("%4d%4s", startYear, md1.c_str());
  newT13 = Format("%4d%4s", endYear, md13.c_str());
}

std::string CreateNextYearFile(CVyDataEnv& current, int newYear) {
  std::string path = YearFilePath(current.dataDir, Format("%4d", newYear), current.extension);
  CVyRecordset rs(current.Db(), {}, {},
                  {"Expr1000", "Expr1001", "Expr1002", "Expr1003", "Expr1004", "Expr1005"});
  rs.Open("SELECT TRIM(NA),TRIM(KJ),TRIM(AN),TRIM(JT),TRIM(T1),TRIM(T13) FROM SYSTAB");
  std::string na = rs.GetText(0), kj = rs.GetText(1), an = rs.GetText(2), jt = rs.GetText(3);
  std::string t1, t13;
  NextYearDates(rs.GetText(4), rs.GetText(5), current.year, newYear, t1, t13);
  rs.Close();

  // The new year is kept as closely as the book it comes from.
  MakeYear(path, ModeFromBook(current.Db()->GetName()), [&](jet::Database& db) {
    db.Execute(Format(
        "INSERT INTO SYSTAB(NA,KJ,AN,PY,MM,JT,T1,T13) \t\tVALUES('%s','%s','%s',%s,0,'%s','%4d%4s','%4d%4s')",
        SqlText(na).c_str(), SqlText(kj).c_str(), SqlText(an).c_str(), Format("%d", newYear).c_str(),
        SqlText(jt).c_str(), std::atoi(t1.substr(0, 4).c_str()), t1.substr(4).c_str(),
        std::atoi(t13.substr(0, 4).c_str()), t13.substr(4).c_str()));
    CopyCarriedTables(*current.Db(), db);
  });
  return path;
}

bool DeleteYearFile(const std::string& path) {
  return AccountSet::Of(path)->DropYear(path);
}

bool YearExists(const std::string& path) {
  return AccountSet::Of(path)->HasYear(path);
}

AloneWork::AloneWork(const std::string& place, const std::string& who, const std::string& work) {
  std::string holder;
  try {
    lock_ = AccountSet::Of(place)->TakeAloneLock(who, work, holder);
  } catch (const jet::DbError& e) {
    refusal_ = Format("不能进行“%s”：%s", work.c_str(), e.what());
    return;
  }
  if (!lock_) refusal_ = Format("%s，此时不能进行“%s”，请稍后再试。", holder.c_str(), work.c_str());
}

AloneWork::~AloneWork() = default;

bool CanCreateYear(const std::string& text, const std::vector<std::string>& years) {
  if (text.size() != 4 || text < "1990") return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return std::find(years.begin(), years.end(), text) == years.end();
}
