#include "io/backup.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/file_facts.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/jet/db_error.h"
#include "data/vy_data_env.h"
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

void RemoveCopy(const std::string& path) {
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

std::vector<std::pair<CopyKey, std::string>> Copies(const std::string& accountSetFolder, int year) {
  std::string folder = BackupFolder(accountSetFolder);
  std::vector<std::pair<CopyKey, std::string>> found;
  for (auto& name : ListFolder(folder, false)) {
    CopyKey key = KeyOf(name, year);
    if (key.sequence >= 0) found.emplace_back(key, Join(folder, name));
  }
  std::sort(found.begin(), found.end());
  return found;
}

// A copy that does not open is worth nothing and is never counted: it goes. Of the others the newest ten
// stay, and the newest taken before each kind of command, which may be older than those ten.
void PruneBackups(const std::string& accountSetFolder, int year) {
  std::vector<std::pair<CopyKey, std::string>> whole;
  for (auto& [key, path] : Copies(accountSetFolder, year)) {
    if (IsSymbolicLink(path) || !jet::Database::CheckCopy(path, false).empty())
      RemoveCopy(path);
    else
      whole.emplace_back(key, path);
  }
  std::vector<bool> keep(whole.size(), false);
  for (size_t i = 0; i < whole.size(); ++i) keep[i] = i + kBackupsKept >= whole.size();
  for (const Suffix& s : kSuffixes)
    for (size_t i = whole.size(); i-- > 0;)
      if (whole[i].first.reason == s.reason) {
        keep[i] = true;
        break;
      }
  for (size_t i = 0; i < whole.size(); ++i)
    if (!keep[i]) RemoveCopy(whole[i].second);
}

}  // namespace

std::string BackupFolder(const std::string& accountSetFolder) {
  return Join(accountSetFolder, "备份");
}

std::vector<std::string> YearBackups(const std::string& accountSetFolder, int year) {
  std::vector<std::string> paths;
  for (auto& f : Copies(accountSetFolder, year)) paths.push_back(f.second);
  return paths;
}

std::vector<BackupEntry> ListBackups(const std::string& accountSetFolder, int year, bool thorough) {
  std::vector<BackupEntry> out;
  for (auto& [key, path] : Copies(accountSetFolder, year)) {
    BackupEntry e;
    e.path = path;
    const std::string& t = key.stamp;  // YYYYMMDD-HHMMSS
    e.taken = t.substr(0, 4) + "-" + t.substr(4, 2) + "-" + t.substr(6, 2) + " " + t.substr(9, 2) + ":" +
              t.substr(11, 2) + ":" + t.substr(13, 2);
    e.reason = key.reason;
    e.problem = IsSymbolicLink(path) ? "是符号链接，不是备份。" : jet::Database::CheckCopy(path, thorough);
    out.push_back(e);
  }
  return out;
}

std::string ReasonText(BackupReason reason) {
  for (const Suffix& s : kSuffixes)
    if (s.reason == reason) return std::string(s.word) + "前";
  return {};
}

BackupOutcome BackupYear(jet::Database& db, const std::string& accountSetFolder, int year,
                         BackupReason reason) {
  BackupOutcome out;
  std::string folder = BackupFolder(accountSetFolder);
  if (IsSymbolicLink(folder) || !MakeFolders(folder)) {
    out.error = "备份文件夹“" + folder + "”无法建立。";
    return out;
  }
  RemoveLeftovers(folder);
  DateTime now = Plat().Now();
  std::string stem = Format("%04d-%04d%02d%02d-%02d%02d%02d", year, now.year, now.month, now.day, now.hour,
                            now.minute, now.second);
  std::string word;
  for (const Suffix& s : kSuffixes)
    if (s.reason == reason) word = std::string("-") + s.word;
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
  PruneBackups(accountSetFolder, year);
  return out;
}

BackupOutcome BackupYearFile(const std::string& path, BackupReason reason) {
  std::string name = NameOf(path);
  jet::Database db;
  try {
    db.Open(path, true);
  } catch (const jet::DbError& e) {
    return {"", e.what()};
  }
  return BackupYear(db, FolderOf(path), std::atoi(name.substr(0, 4).c_str()), reason);
}

std::string BackupNote(const std::string& what, const std::string& path) {
  return what + "前的数据已备份到：\r" + path;
}
