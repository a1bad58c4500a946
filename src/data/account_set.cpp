// The two kinds of account set: a folder of year files and a server's database. Only here does the data
// layer reach the server engine's own operations on a whole account set.
#include "data/account_set.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "base/file_facts.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/database.h"
#include "data/db_error.h"
#include "data/jet/server_engine.h"

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

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Removes a file made half-way (and its journal), so that a failed making leaves nothing behind.
void RemoveWithJournal(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(NativePath(path), ec);
  std::filesystem::remove(NativePath(path + "-journal"), ec);
}

// The year's tables made and filled in one transaction of a database just made; on any failure it is closed
// and discard removes what was made.
void FillNewYear(jet::Database& db, const std::function<void(jet::Database&)>& fill,
                 const std::function<void()>& discard) {
  try {
    db.Begin();
    fill(db);
    db.Commit();
    db.Close();
  } catch (...) {
    db.Close();
    discard();
    throw;
  }
}

// The first free title of title(1), title(2), ...
std::string FreeTitle(const std::function<std::string(int)>& title,
                      const std::function<bool(const std::string&)>& taken) {
  std::string t = title(1);
  for (int n = 2; taken(t); ++n) t = title(n);
  return t;
}

class FolderAccountSet : public AccountSet {
 public:
  explicit FolderAccountSet(std::string folder) : folder_(std::move(folder)) {}

  bool IsPlace() const override { return !folder_.empty() && folder_[0] == '/'; }

  std::vector<YearPlace> Places(const std::string& ext) const override {
    std::vector<YearPlace> places;
    for (const std::string& name : ListFolder(folder_, false))
      if (auto place = YearFilePlace(folder_, name, ext)) places.push_back(*place);
    return places;
  }

  std::string YearPath(const std::string& year, const std::string& ext) const override {
    for (auto& name : ListFolder(folder_, false))
      if (EndsWithExtension(name, ext) && name.size() == year.size() + ext.size() + 1 &&
          name.rfind(year, 0) == 0)
        return Join(folder_, name);
    std::string lower = ext;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return Join(folder_, year + "." + lower);
  }

  bool HasYear(const std::string& yearPath) const override { return Plat().QueryFile(yearPath).exists; }

  // The file is built under a working name beside its place and moved there whole when its transaction has
  // committed: a crash at any moment leaves either no year file or a finished one, never one that blocks
  // the year. A working file left by such a crash is removed first, and so is a file that an older version
  // left half-made (ours, but without its tables).
  void MakeYear(const std::string& path, unsigned mode,
                const std::function<void(jet::Database&)>& fill) const override {
    std::error_code ec;
    if (jet::Database::IsUnfinished(path)) std::filesystem::remove(NativePath(path), ec);
    if (QueryRealFile(path).exists) throw jet::DbError(Format("文件“%s”已存在。", path.c_str()));
    std::string part = path + ".part";
    RemoveWithJournal(part);
    {
      jet::Database db;
      db.Create(part, mode);
      FillNewYear(db, fill, [&part] { RemoveWithJournal(part); });
    }
    // Never over a file that appeared at the place meanwhile.
    if (int error = MoveIntoPlace(part, path, false); error != 0) {
      std::filesystem::remove(NativePath(part), ec);
      throw jet::DbError(error == EEXIST
                             ? Format("文件“%s”已存在。", path.c_str())
                             : Format("文件“%s”不能建立：%s", path.c_str(), std::strerror(error)));
    }
  }

  bool DropYear(const std::string& path) const override {
    std::error_code ec;
    return std::filesystem::remove(NativePath(path), ec) && !ec;
  }

  // A year file needs no lock of the account set: its own keeps a second writer out while the work's
  // transaction runs.
  std::unique_ptr<AloneLock> TakeAloneLock(const std::string&, const std::string&,
                                           std::string&) const override {
    return std::make_unique<AloneLock>();
  }

  std::vector<StoredCopy> Copies() const override {
    std::vector<StoredCopy> found;
    std::string folder = CopyFolder(folder_);
    for (auto& name : ListFolder(folder, false)) {
      if (name.size() < 4 || !EndsWithExtension(name, "vyx")) continue;
      long long made = ModifiedNs(Join(folder, name));
      found.push_back({name.substr(0, name.size() - 4), Join(folder, name), made, InTheFuture(made)});
    }
    return found;
  }

  std::string TakeCopy(jet::Database& db, const std::function<std::string(int)>& title) const override {
    std::string folder = CopyFolder(folder_);
    if (IsSymbolicLink(folder) || !MakeFolders(folder))
      throw jet::DbError("备份文件夹“" + folder + "”无法建立。");
    RemoveLeftovers(folder);
    // Anything standing at a name (a symbolic link too) makes the copy take the next one.
    std::string path = Join(folder, FreeTitle(title, [&](const std::string& t) {
                                      std::string p = Join(folder, t + ".vyx");
                                      return QueryRealFile(p).exists || IsSymbolicLink(p);
                                    }) + ".vyx");
    // A copy is made under a working name, checked, and only then given its name, so that every file under a
    // copy's name is a whole year file.
    std::string working = Format("%s.%ld.part", path.c_str(), static_cast<long>(::getpid()));
    try {
      db.BackupTo(working, ModeFromBook(db.GetName()));
    } catch (const jet::DbError&) {
      RemoveCopy(working);
      throw;
    }
    if (int error = MoveIntoPlace(working, path, false); error != 0) {
      RemoveCopy(working);
      throw jet::DbError(Format("备份文件“%s”不能建立：%s", path.c_str(), std::strerror(error)));
    }
    return path;
  }

  std::string CopyProblem(const std::string& path, bool thorough, bool* busy) const override {
    return IsSymbolicLink(path) ? "是符号链接，不是备份。" : jet::Database::CheckCopy(path, thorough, busy);
  }

  void RemoveCopy(const std::string& path) const override { RemoveWithJournal(path); }

 private:
  static long long ModifiedNs(const std::string& path) {
    struct stat st {};
    if (::lstat(NativePath(path).c_str(), &st) != 0) return 0;
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  }

  static bool InTheFuture(long long ns) {
    constexpr long long kSlackNs = 60LL * 1000000000LL;  // file systems and clocks a little apart
    return ns > static_cast<long long>(std::time(nullptr)) * 1000000000LL + kSlackNs;
  }

  // What a copy interrupted by a kill or a power cut left: a working file whose process is gone, or a
  // journal without its file (older versions copied with one).
  void RemoveLeftovers(const std::string& folder) const {
    for (auto& name : ListFolder(folder, false)) {
      std::string path = Join(folder, name);
      if (EndsWith(name, ".part")) {
        std::string stem = name.substr(0, name.size() - 5);
        size_t dot = stem.rfind('.');
        long pid = dot == std::string::npos ? 0 : std::atol(stem.c_str() + dot + 1);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) RemoveCopy(path);
      } else if (EndsWith(name, "-journal") && !QueryRealFile(path.substr(0, path.size() - 8)).exists &&
                 !IsSymbolicLink(path.substr(0, path.size() - 8))) {
        RemoveCopy(path);
      }
    }
  }

  std::string folder_;
};

// On a server a year's copies are schemas of the account set's database named "backup-" and the title a
// copy's file would have ("backup-2026-20261207-151000-结转"); their place is "URI#schema".
const char* const kServerCopyPrefix = "backup-";

class ServerAccountSet : public AccountSet {
 public:
  // uri: the account set, or a year of it (the year is then set apart).
  explicit ServerAccountSet(std::string name) : name_(std::move(name)) {
    auto n = jet::ParseServerName(name_);
    uri_ = n && !n->year.empty() ? n->uri : name_;
  }

  bool IsPlace() const override {
    return jet::ParseServerName(name_).has_value() && name_.find('#') == std::string::npos;
  }

  // Every year whose schema is marked as ours; whether it opens is found when it is opened.
  std::vector<YearPlace> Places(const std::string& ext) const override {
    std::vector<YearPlace> places;
    try {
      for (auto& year : jet::ServerEngine::Years(uri_)) places.push_back({year, YearPath(year, ext), ""});
    } catch (const jet::DbError&) {
      // a server out of reach lists no years, as a missing folder does
    }
    return places;
  }

  std::string YearPath(const std::string& year, const std::string&) const override {
    return uri_ + "#" + year;
  }

  bool HasYear(const std::string& yearPath) const override {
    auto n = jet::ParseServerName(yearPath);
    if (!n || n->year.empty()) return false;
    try {
      std::vector<std::string> years = jet::ServerEngine::Years(n->uri);
      return std::find(years.begin(), years.end(), n->year) != years.end();
    } catch (const jet::DbError&) {
      return false;
    }
  }

  // The year is its schema, made and filled in one transaction; a schema left by a crash before it had its
  // tables is removed first.
  void MakeYear(const std::string& name, unsigned,
                const std::function<void(jet::Database&)>& fill) const override {
    if (jet::Database::IsUnfinished(name)) jet::ServerEngine::DropYear(name);
    jet::Database db;
    db.Create(name);
    FillNewYear(db, fill, [this, &name] { DropYear(name); });
  }

  bool DropYear(const std::string& name) const override {
    try {
      jet::ServerEngine::DropYear(name);
      return true;
    } catch (const jet::DbError&) {
      return false;
    }
  }

  std::unique_ptr<AloneLock> TakeAloneLock(const std::string& who, const std::string& work,
                                           std::string& holder) const override {
    auto conn = jet::ServerEngine::TakeAloneLock(name_, who, work, holder);
    if (!conn) return nullptr;
    struct Held : AloneLock {
      std::unique_ptr<jet::ServerConnection> conn;
    };
    auto held = std::make_unique<Held>();
    held->conn = std::move(conn);
    return held;
  }

  // Their order of making is the server's order of creation.
  std::vector<StoredCopy> Copies() const override {
    std::vector<std::string> schemas;
    try {
      schemas = jet::ServerEngine::Backups(uri_);
    } catch (const jet::DbError&) {
    }
    std::vector<StoredCopy> found;
    std::string prefix = kServerCopyPrefix;
    for (size_t i = 0; i < schemas.size(); ++i)
      if (schemas[i].rfind(prefix, 0) == 0)
        found.push_back(
            {schemas[i].substr(prefix.size()), uri_ + "#" + schemas[i], static_cast<long long>(i), false});
    return found;
  }

  // The copy is made and checked in one transaction of the server, so it needs no working name.
  std::string TakeCopy(jet::Database& db, const std::function<std::string(int)>& title) const override {
    std::vector<std::string> existing = jet::ServerEngine::Backups(uri_);
    std::string schema =
        kServerCopyPrefix + FreeTitle(title, [&](const std::string& t) {
          return std::find(existing.begin(), existing.end(), kServerCopyPrefix + t) != existing.end();
        });
    db.BackupTo(schema);
    return uri_ + "#" + schema;
  }

  // A copy on a server was checked inside the transaction that made it: it exists whole or not at all.
  std::string CopyProblem(const std::string&, bool, bool* busy) const override {
    if (busy) *busy = false;
    return "";
  }

  void RemoveCopy(const std::string& path) const override {
    size_t hash = path.rfind('#');
    try {
      jet::ServerEngine::DropBackup(path.substr(0, hash),
                                    hash == std::string::npos ? "" : path.substr(hash + 1));
    } catch (const jet::DbError&) {
    }
  }

 private:
  std::string name_;  // as given
  std::string uri_;   // the account set's, without a year
};

}  // namespace

std::optional<YearPlace> YearFilePlace(const std::string& folder, const std::string& name,
                                       const std::string& ext) {
  if (!EndsWithExtension(name, ext) || name.size() - ext.size() - 1 != 4) return std::nullopt;
  std::string path = Join(folder, name);
  FileFacts f = Plat().QueryFile(path);
  if (!f.exists) return std::nullopt;
  std::string problem;
  if (f.isFolder || f.hidden || f.system || f.readOnly)
    problem = f.isFolder ? "是文件夹" : f.readOnly ? "是只读文件" : "是隐藏或系统文件";
  return YearPlace{name.substr(0, 4), path, problem};
}

bool OnServer(const std::string& name) {
  return jet::IsServerName(name);
}

std::unique_ptr<AccountSet> AccountSet::Of(const std::string& place) {
  if (OnServer(place)) return std::make_unique<ServerAccountSet>(place);
  return std::make_unique<FolderAccountSet>(place);
}

std::string CopyFolder(const std::string& accountSetFolder) {
  return Join(accountSetFolder, "备份");
}

bool MakeFolders(const std::string& folder, unsigned mode) {
  if (OnServer(folder)) return true;  // an account set's database is made by its administrator
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
