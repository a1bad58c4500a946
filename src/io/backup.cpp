#include "io/backup.h"

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
#include "data/db_error.h"
#include "data/jet/server_engine.h"
#include "data/data_env.h"
#include "data/year_files.h"

namespace {

bool AllDigits(const std::string& s, size_t from, size_t count) {
  if (from + count > s.size()) return false;
  for (size_t i = from; i < from + count; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

struct Suffix {
  BackupReason reason;
  const char* word;
};
const Suffix kSuffixes[] = {
    {BackupReason::CarryForward, "结转"}, {BackupReason::Copy, "拷贝"}, {BackupReason::Delete, "删除"}};

// The order of a copy among its year's: its date and time, then the number that parts copies taken in
// the same second; -1 for a file that is not one of our copies of that year.
struct CopyKey {
  std::string stamp;
  long sequence = -1;
  BackupReason reason = BackupReason::OnDemand;
  bool operator<(const CopyKey& o) const {
    return stamp != o.stamp ? stamp < o.stamp : sequence < o.sequence;
  }
};

CopyKey KeyOf(const std::string& name, int year) {
  CopyKey key;
  std::string prefix = Format("%04d-", year);
  if (name.size() < 4) return key;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext != ".vyx") return key;
  std::string title = name.substr(0, name.size() - 4);
  // YYYY-YYYYMMDD-HHMMSS, then -N for a second copy within that second, then -结转 (or -拷贝, -删除)
  if (title.rfind(prefix, 0) != 0 || !AllDigits(title, 5, 8) || title.size() < 20 || title[13] != '-' ||
      !AllDigits(title, 14, 6))
    return key;
  std::string rest = title.substr(20);
  for (const Suffix& s : kSuffixes) {
    std::string tail = std::string("-") + s.word;
    if (rest.size() >= tail.size() && rest.compare(rest.size() - tail.size(), tail.size(), tail) == 0) {
      key.reason = s.reason;
      rest.resize(rest.size() - tail.size());
      break;
    }
  }
  if (rest.empty()) {
    key.sequence = 0;
  } else if (rest[0] == '-' && rest.size() > 1 && AllDigits(rest, 1, rest.size() - 1)) {
    key.sequence = std::atol(rest.c_str() + 1);
  } else {
    return key;
  }
  key.stamp = title.substr(5, 15);
  return key;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// On a server a year's copies are schemas of the account set's database named "backup-" and the title a
// copy's file would have ("backup-2026-20261207-151000-结转"); their place is "URI#schema".
const char* const kServerCopyPrefix = "backup-";

bool OnServer(const std::string& place) {
  return jet::IsServerName(place);
}

void SplitServerCopy(const std::string& path, std::string& uri, std::string& schema) {
  size_t hash = path.rfind('#');
  uri = path.substr(0, hash);
  schema = hash == std::string::npos ? "" : path.substr(hash + 1);
}

void RemoveCopy(const std::string& path) {
  if (OnServer(path)) {
    std::string uri, schema;
    SplitServerCopy(path, uri, schema);
    try {
      jet::ServerEngine::DropBackup(uri, schema);
    } catch (const jet::DbError&) {
    }
    return;
  }
  std::error_code ec;
  std::filesystem::remove(NativePath(path), ec);
  std::filesystem::remove(NativePath(path + "-journal"), ec);
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// What a copy interrupted by a kill or a power cut left: a working file whose process is gone, or a journal
// without its file (older versions copied with one).
void RemoveLeftovers(const std::string& folder) {
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

// One of a year's copies. Its name tells when the clock said it was taken, but clocks are set wrong and
// copies come from other machines: the order of copies goes by when the copy itself was made (a file's
// modification time, a schema's place in the server's order of creation), the name only parting ties. A
// file time still to come was made while the clock was ahead and says nothing about when: such a copy
// counts as older than every copy with a possible time, so that once the clock is put right the copies
// taken since are not pruned in favour of the stale ones.
struct Copy {
  CopyKey key;
  long long made = 0;
  bool future = false;
  std::string path;
  bool operator<(const Copy& o) const {
    if (future != o.future) return future;
    return made != o.made ? made < o.made : key < o.key;
  }
};

long long ModifiedNs(const std::string& path) {
  struct stat st {};
  if (::lstat(NativePath(path).c_str(), &st) != 0) return 0;
  return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

bool InTheFuture(long long ns) {
  constexpr long long kSlackNs = 60LL * 1000000000LL;  // file systems and clocks a little apart
  return ns > static_cast<long long>(std::time(nullptr)) * 1000000000LL + kSlackNs;
}

std::vector<Copy> Copies(const std::string& accountSetFolder, int year) {
  std::vector<Copy> found;
  if (OnServer(accountSetFolder)) {
    std::vector<std::string> schemas;  // in the order they were made
    try {
      schemas = jet::ServerEngine::Backups(accountSetFolder);
    } catch (const jet::DbError&) {
    }
    std::string prefix = kServerCopyPrefix;
    for (size_t i = 0; i < schemas.size(); ++i) {
      if (schemas[i].rfind(prefix, 0) != 0) continue;
      CopyKey key = KeyOf(schemas[i].substr(prefix.size()) + ".vyx", year);
      if (key.sequence >= 0)
        found.push_back({key, static_cast<long long>(i), false, accountSetFolder + "#" + schemas[i]});
    }
  } else {
    std::string folder = BackupFolder(accountSetFolder);
    for (auto& name : ListFolder(folder, false)) {
      CopyKey key = KeyOf(name, year);
      if (key.sequence < 0) continue;
      long long made = ModifiedNs(Join(folder, name));
      found.push_back({key, made, InTheFuture(made), Join(folder, name)});
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

// "" when a copy opens as a year of ours, else why not; busy when it could not be looked at because
// another process holds it. A copy on a server was checked inside the transaction that made it: it exists
// whole or not at all.
std::string CopyProblem(const std::string& path, bool thorough, bool* busy = nullptr) {
  if (busy) *busy = false;
  if (OnServer(path)) return "";
  return IsSymbolicLink(path) ? "是符号链接，不是备份。" : jet::Database::CheckCopy(path, thorough, busy);
}

// A copy that does not open is worth nothing and is never counted: it goes. One that another process
// holds cannot be looked at and may be whole (someone may be restoring it): it counts, and stays. Of the
// copies the newest ten stay, and the newest taken before each kind of command, which may be older than
// those ten. The copy just made (justMade) is the newest whatever the clocks say: the command that took it
// names it in its message.
void PruneBackups(const std::string& accountSetFolder, int year, const std::string& justMade) {
  std::vector<Copy> kept;
  std::vector<bool> keep;
  for (Copy& c : Copies(accountSetFolder, year)) {
    bool busy = false;
    if (c.path != justMade && !CopyProblem(c.path, false, &busy).empty() && !busy) {
      RemoveCopy(c.path);
      continue;
    }
    kept.push_back(std::move(c));
    keep.push_back(busy);
  }
  for (size_t i = 0; i + 1 < kept.size(); ++i)
    if (kept[i].path == justMade) {
      std::rotate(kept.begin() + i, kept.begin() + i + 1, kept.end());
      std::rotate(keep.begin() + i, keep.begin() + i + 1, keep.end());
      break;
    }
  for (size_t i = 0; i < kept.size(); ++i)
    if (i + kBackupsKept >= kept.size()) keep[i] = true;
  for (const Suffix& s : kSuffixes)
    for (size_t i = kept.size(); i-- > 0;)
      if (kept[i].key.reason == s.reason) {
        keep[i] = true;
        break;
      }
  for (size_t i = 0; i < kept.size(); ++i)
    if (!keep[i]) RemoveCopy(kept[i].path);
}

}  // namespace

std::string BackupFolder(const std::string& accountSetFolder) {
  return Join(accountSetFolder, "备份");
}

std::vector<std::string> YearBackups(const std::string& accountSetFolder, int year) {
  std::vector<std::string> paths;
  for (auto& c : Copies(accountSetFolder, year)) paths.push_back(c.path);
  return paths;
}

std::vector<BackupEntry> ListBackups(const std::string& accountSetFolder, int year, bool thorough) {
  std::vector<BackupEntry> out;
  for (auto& c : Copies(accountSetFolder, year)) {
    BackupEntry e;
    e.path = c.path;
    const std::string& t = c.key.stamp;  // YYYYMMDD-HHMMSS
    e.taken = t.substr(0, 4) + "-" + t.substr(4, 2) + "-" + t.substr(6, 2) + " " + t.substr(9, 2) + ":" +
              t.substr(11, 2) + ":" + t.substr(13, 2);
    e.reason = c.key.reason;
    e.problem = CopyProblem(c.path, thorough);
    out.push_back(e);
  }
  return out;
}

std::string ReasonText(BackupReason reason) {
  for (const Suffix& s : kSuffixes)
    if (s.reason == reason) return std::string(s.word) + "前";
  return {};
}

namespace {

std::string CopyStem(int year, BackupReason reason, std::string& word) {
  DateTime now = Plat().Now();
  word.clear();
  for (const Suffix& s : kSuffixes)
    if (s.reason == reason) word = std::string("-") + s.word;
  return Format("%04d-%04d%02d%02d-%02d%02d%02d", year, now.year, now.month, now.day, now.hour, now.minute,
                now.second);
}

// On a server the copy is made and checked in one transaction of the server, so it needs no working name.
BackupOutcome BackupOnServer(jet::Database& db, const std::string& uri, int year, BackupReason reason) {
  BackupOutcome out;
  std::string word;
  std::string stem = kServerCopyPrefix + CopyStem(year, reason, word);
  std::vector<std::string> existing;
  try {
    existing = jet::ServerEngine::Backups(uri);
  } catch (const jet::DbError& e) {
    out.error = e.what();
    return out;
  }
  auto taken = [&](const std::string& s) { return std::find(existing.begin(), existing.end(), s) != existing.end(); };
  std::string schema = stem + word;
  for (int n = 2; taken(schema); ++n) schema = Format("%s-%d%s", stem.c_str(), n, word.c_str());
  try {
    db.BackupTo(schema);
  } catch (const jet::DbError& e) {
    out.error = e.what();
    return out;
  }
  out.path = uri + "#" + schema;
  PruneBackups(uri, year, out.path);
  return out;
}

}  // namespace

BackupOutcome BackupYear(jet::Database& db, const std::string& accountSetFolder, int year,
                         BackupReason reason) {
  if (OnServer(accountSetFolder)) return BackupOnServer(db, accountSetFolder, year, reason);
  BackupOutcome out;
  std::string folder = BackupFolder(accountSetFolder);
  if (IsSymbolicLink(folder) || !MakeFolders(folder)) {
    out.error = "备份文件夹“" + folder + "”无法建立。";
    return out;
  }
  RemoveLeftovers(folder);
  std::string word;
  std::string stem = CopyStem(year, reason, word);
  // Copies taken within the same second are told apart by a number; anything standing at a name (a
  // symbolic link too) makes the copy take the next one.
  auto taken = [](const std::string& p) { return QueryRealFile(p).exists || IsSymbolicLink(p); };
  std::string path = Join(folder, stem + word + ".vyx");
  for (int n = 2; taken(path); ++n) path = Join(folder, Format("%s-%d%s.vyx", stem.c_str(), n, word.c_str()));
  std::string working = Format("%s.%ld.part", path.c_str(), static_cast<long>(::getpid()));
  try {
    db.BackupTo(working, ModeFromBook(db.GetName()));
  } catch (const jet::DbError& e) {
    RemoveCopy(working);
    out.error = e.what();
    return out;
  }
  if (int error = MoveIntoPlace(working, path, false); error != 0) {
    RemoveCopy(working);
    out.error = Format("备份文件“%s”不能建立：%s", path.c_str(), std::strerror(error));
    return out;
  }
  out.path = path;
  PruneBackups(accountSetFolder, year, path);
  return out;
}

BackupOutcome BackupYearFile(const std::string& path, BackupReason reason) {
  jet::Database db;
  try {
    db.Open(path, true);
  } catch (const jet::DbError& e) {
    return {"", e.what()};
  }
  if (auto server = jet::ParseServerName(path); server && !server->year.empty())
    return BackupYear(db, server->uri, std::atoi(server->year.c_str()), reason);
  std::string name = NameOf(path);
  return BackupYear(db, FolderOf(path), std::atoi(name.substr(0, 4).c_str()), reason);
}

std::string BackupNote(const std::string& what, const std::string& path) {
  return what + "前的数据已备份到：\r" + path;
}
