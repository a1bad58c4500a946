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
#include "data/db_error.h"
#include "data/jet/server_engine.h"
#include "data/sql_text.h"
#include "data/data_env.h"
#include "data/recordset.h"
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
// On a server the year is its schema, made and filled in one transaction; a schema left by a crash before
// it had its tables is removed first.
// The year's tables made and filled in one transaction of a database just made; on any failure it is closed
// and discard removes what was made.
void FillNewYear(jet::Database& db, const std::function<void(jet::Database&)>& fill,
                 const std::function<void()>& discard) {
  try {
    db.Begin();
    CreateYearTables(db);
    fill(db);
    db.Commit();
    db.Close();
  } catch (...) {
    db.Close();
    discard();
    throw;
  }
}

void MakeServerYear(const std::string& name, const std::function<void(jet::Database&)>& fill) {
  if (jet::Database::IsUnfinished(name)) jet::ServerEngine::DropYear(name);
  jet::Database db;
  db.Create(name);
  FillNewYear(db, fill, [&name] {
    try {
      jet::ServerEngine::DropYear(name);
    } catch (const jet::DbError&) {
    }
  });
}

void MakeYearFile(const std::string& path, unsigned mode, const std::function<void(jet::Database&)>& fill) {
  if (jet::IsServerName(path)) return MakeServerYear(path, fill);
  if (jet::Database::IsUnfinished(path)) RemoveQuietly(path);
  if (QueryRealFile(path).exists) throw jet::DbError(Format("文件“%s”已存在。", path.c_str()));
  std::string part = path + ".part";
  RemoveQuietly(part);
  RemoveQuietly(part + "-journal");
  {
    jet::Database db;
    db.Create(part, mode);
    FillNewYear(db, fill, [&part] {
      RemoveQuietly(part);
      RemoveQuietly(part + "-journal");
    });
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
  if (jet::IsServerName(folder)) {
    // The years of an account set on a server: its years' schemas that open ending logged in.
    std::vector<std::string> years, found;
    try {
      found = jet::ServerEngine::Years(folder);
    } catch (const jet::DbError&) {
      return {};  // a server out of reach lists no years, as a missing folder does
    }
    for (auto& year : found) {
      CVyDataEnv probe;
      if (probe.Open(YearFilePath(folder, year, ext), "101", 0, ext) && probe.loggedIn) years.push_back(year);
      probe.Close();
    }
    return years;
  }
  std::set<std::string> years;
  for (auto& name : ListFolder(folder, false))
    if (IsValidYearFile(folder, name, ext)) years.insert(name.substr(0, 4));
  return {years.begin(), years.end()};
}

std::vector<YearPlace> YearPlaces(const std::string& folder, const std::string& ext) {
  std::vector<YearPlace> places;
  if (jet::IsServerName(folder)) {
    try {
      for (auto& year : jet::ServerEngine::Years(folder)) places.push_back({year, YearFilePath(folder, year, ext), ""});
    } catch (const jet::DbError&) {
    }
    return places;
  }
  for (const std::string& name : ListFolder(folder, false)) {
    if (!EndsWithExtension(name, ext) || name.size() - ext.size() - 1 != 4) continue;
    std::string path = Join(folder, name);
    FileFacts f = Plat().QueryFile(path);
    if (!f.exists) continue;
    std::string problem;
    if (f.isFolder || f.hidden || f.system || f.readOnly)
      problem = f.isFolder ? "是文件夹" : f.readOnly ? "是只读文件" : "是隐藏或系统文件";
    places.push_back({name.substr(0, 4), path, problem});
  }
  return places;
}

bool IsAccountSetFolder(const std::string& folder, const std::string& ext) {
  if (jet::IsServerName(folder)) return !YearList(folder, ext).empty();
  for (auto& name : ListFolder(folder, false))
    if (IsValidYearFile(folder, name, ext)) return true;
  return false;
}

std::string YearFilePath(const std::string& folder, const std::string& year, const std::string& ext) {
  if (jet::IsServerName(folder)) return folder + "#" + year;
  for (auto& name : ListFolder(folder, false))
    if (EndsWithExtension(name, ext) && name.size() == year.size() + ext.size() + 1 &&
        name.rfind(year, 0) == 0)
      return Join(folder, name);
  std::string lower = ext;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return Join(folder, year + "." + lower);
}

bool IsAccountSetPlace(const std::string& folder) {
  return jet::IsServerName(folder) ? jet::ParseServerName(folder).has_value() && folder.find('#') == std::string::npos
                                   : !folder.empty() && folder[0] == '/';
}

bool MakeFolders(const std::string& folder, unsigned mode) {
  if (jet::IsServerName(folder)) return true;  // an account set's database is made by its administrator
  std::filesystem::path native(NativePath(folder)), made;
  for (const auto& part : native) {
    made /= part;
    if (::mkdir(made.c_str(), mode ? mode : 0777) == 0) {
      // The umask may have taken bits away: a folder made private gets exactly its bits.
      if (mode && ::chmod(made.c_str(), mode) != 0) return false;
    } else if (errno != EEXIST) {
      return false;
    }
  }
  return QueryRealFile(folder).isFolder;
}

std::string CreateAccountSetFile(const std::string& folder, int year, const std::string& ext) {
  std::string path = YearFilePath(folder, Format("%4d", year), ext);
  // The year file holds the operators' passwords: only its owner reads it until the owner decides otherwise.
  MakeYearFile(path, kPrivateFileMode, [&](jet::Database& db) { SeedNewAccountSet(db, year); });
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
  if (jet::IsServerName(path)) {
    try {
      jet::ServerEngine::DropYear(path);
      return true;
    } catch (const jet::DbError&) {
      return false;
    }
  }
  std::error_code ec;
  return std::filesystem::remove(NativePath(path), ec) && !ec;
}

bool IsServerYear(const std::string& path) {
  auto n = jet::ParseServerName(path);
  return n && !n->year.empty();
}

bool YearExists(const std::string& path) {
  if (jet::IsServerName(path)) {
    auto n = jet::ParseServerName(path);
    if (!n || n->year.empty()) return false;
    try {
      std::vector<std::string> years = jet::ServerEngine::Years(n->uri);
      return std::find(years.begin(), years.end(), n->year) != years.end();
    } catch (const jet::DbError&) {
      return false;
    }
  }
  return Plat().QueryFile(path).exists;
}

AloneWork::AloneWork(const std::string& place, const std::string& who, const std::string& work) {
  if (!jet::IsServerName(place)) return;
  std::string holder;
  try {
    lock_ = jet::ServerEngine::TakeAloneLock(place, who, work, holder);
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
