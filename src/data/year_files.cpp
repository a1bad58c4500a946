#include "data/year_files.h"


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
#include "data/jet/db_error.h"
#include "data/jet/sql_text.h"
#include "data/vy_data_env.h"
#include "data/vy_recordset.h"
#include "data/year_schema.h"

using jet::SqlText;

namespace {

bool EndsWithExtension(const std::string& name, const std::string& ext) {
  std::string tail = "." + ext;
  if (name.size() <= tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[name.size() - tail.size() + i])) !=
        std::tolower(static_cast<unsigned char>(tail[i])))
      return false;
  return true;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Removes a file made half-way, so that a failed creation leaves nothing behind.
void RemoveQuietly(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(NativePath(path), ec);
}

// Moves a finished file into its place, never over a file that appeared there meanwhile.
void MoveFinishedFile(const std::string& from, const std::string& to) {
  int error = MoveIntoPlace(from, to, false);
  if (error != 0) {
    RemoveQuietly(from);
    throw jet::DbError(error == EEXIST ? Format("文件“%s”已存在。", to.c_str())
                                       : Format("文件“%s”不能建立：%s", to.c_str(), std::strerror(error)));
  }
}

// A new year file with every table, filled by fill. The file is built under a working name beside its
// place and moved there whole when its transaction has committed: a crash at any moment leaves either no
// year file or a finished one, never one that blocks the year. A working file left by such a crash is
// removed first, and so is a file that an older version left half-made (ours, but without its tables).
void MakeYearFile(const std::string& path, unsigned mode, const std::function<void(jet::Database&)>& fill) {
  if (jet::Database::IsUnfinished(path)) RemoveQuietly(path);
  if (QueryRealFile(path).exists) throw jet::DbError(Format("文件“%s”已存在。", path.c_str()));
  std::string part = path + ".part";
  RemoveQuietly(part);
  RemoveQuietly(part + "-journal");
  {
    jet::Database db;
    db.Create(part, mode);
    try {
      db.Begin();
      CreateYearTables(db);
      fill(db);
      db.Commit();
      db.Close();
    } catch (...) {
      db.Close();
      RemoveQuietly(part);
      RemoveQuietly(part + "-journal");
      throw;
    }
  }
  MoveFinishedFile(part, path);
}

}  // namespace

bool IsValidYearFile(const std::string& folder, const std::string& name, const std::string& ext) {
  if (!EndsWithExtension(name, ext)) return false;
  std::string path = Join(folder, name);
  FileFacts f = Plat().QueryFile(path);
  if (!f.exists || f.isFolder || f.readOnly || f.system || f.hidden) return false;
  if (name.size() - ext.size() - 1 != 4) return false;
  CVyDataEnv probe;
  bool ok = probe.Open(path, "101", 0, ext) && probe.loggedIn;
  probe.Close();
  return ok;
}

std::vector<std::string> YearList(const std::string& folder, const std::string& ext) {
  std::set<std::string> years;
  for (auto& name : ListFolder(folder, false))
    if (IsValidYearFile(folder, name, ext)) years.insert(name.substr(0, 4));
  return {years.begin(), years.end()};
}

bool IsAccountSetFolder(const std::string& folder, const std::string& ext) {
  for (auto& name : ListFolder(folder, false))
    if (IsValidYearFile(folder, name, ext)) return true;
  return false;
}

std::string YearFilePath(const std::string& folder, const std::string& year, const std::string& ext) {
  for (auto& name : ListFolder(folder, false))
    if (EndsWithExtension(name, ext) && name.size() == year.size() + ext.size() + 1 &&
        name.rfind(year, 0) == 0)
      return Join(folder, name);
  std::string lower = ext;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return Join(folder, year + "." + lower);
}

bool MakeFolders(const std::string& folder) {
  std::error_code ec;
  std::filesystem::create_directories(NativePath(folder), ec);
  return QueryRealFile(folder).isFolder;
}

std::string CreateAccountSetFile(const std::string& folder, int year, const std::string& ext) {
  std::string path = YearFilePath(folder, Format("%4d", year), ext);
  MakeYearFile(path, DefaultFileMode(), [&](jet::Database& db) { SeedNewAccountSet(db, year); });
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
  MakeYearFile(path, ModeFromBook(current.Db()->GetName()), [&](jet::Database& db) {
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
  std::error_code ec;
  return std::filesystem::remove(NativePath(path), ec) && !ec;
}

bool CanCreateYear(const std::string& text, const std::vector<std::string>& years) {
  if (text.size() != 4 || text < "1990") return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return std::find(years.begin(), years.end(), text) == years.end();
}
