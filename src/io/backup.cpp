#include "io/backup.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "base/platform.h"
#include "base/text.h"
#include "data/account_set.h"
#include "data/data_env.h"
#include "data/db_error.h"

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

// title: a copy's name without ".vyx" (on a server, its schema's without "backup-").
CopyKey KeyOf(const std::string& title, int year) {
  CopyKey key;
  std::string prefix = Format("%04d-", year);
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

std::vector<Copy> Copies(const AccountSet& set, int year) {
  std::vector<Copy> found;
  for (StoredCopy& c : set.Copies()) {
    CopyKey key = KeyOf(c.title, year);
    if (key.sequence >= 0) found.push_back({key, c.made, c.future, std::move(c.path)});
  }
  std::sort(found.begin(), found.end());
  return found;
}

// A copy that does not open is worth nothing and is never counted: it goes. One that another process
// holds cannot be looked at and may be whole (someone may be restoring it): it counts, and stays. Of the
// copies the newest ten stay, and the newest taken before each kind of command, which may be older than
// those ten. The copy just made (justMade) is the newest whatever the clocks say: the command that took it
// names it in its message.
void PruneBackups(const AccountSet& set, int year, const std::string& justMade) {
  std::vector<Copy> kept;
  std::vector<bool> keep;
  for (Copy& c : Copies(set, year)) {
    bool busy = false;
    if (c.path != justMade && !set.CopyProblem(c.path, false, &busy).empty() && !busy) {
      set.RemoveCopy(c.path);
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
    if (!keep[i]) set.RemoveCopy(kept[i].path);
}

}  // namespace

std::string BackupFolder(const std::string& accountSetFolder) {
  return CopyFolder(accountSetFolder);
}

std::vector<std::string> YearBackups(const std::string& accountSetFolder, int year) {
  std::vector<std::string> paths;
  for (auto& c : Copies(*AccountSet::Of(accountSetFolder), year)) paths.push_back(c.path);
  return paths;
}

std::vector<BackupEntry> ListBackups(const std::string& accountSetFolder, int year, bool thorough) {
  std::vector<BackupEntry> out;
  auto set = AccountSet::Of(accountSetFolder);
  for (auto& c : Copies(*set, year)) {
    BackupEntry e;
    e.path = c.path;
    const std::string& t = c.key.stamp;  // YYYYMMDD-HHMMSS
    e.taken = t.substr(0, 4) + "-" + t.substr(4, 2) + "-" + t.substr(6, 2) + " " + t.substr(9, 2) + ":" +
              t.substr(11, 2) + ":" + t.substr(13, 2);
    e.reason = c.key.reason;
    e.problem = set->CopyProblem(c.path, thorough, nullptr);
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

}  // namespace

BackupOutcome BackupYear(jet::Database& db, const std::string& accountSetFolder, int year,
                         BackupReason reason) {
  BackupOutcome out;
  auto set = AccountSet::Of(accountSetFolder);
  std::string word;
  std::string stem = CopyStem(year, reason, word);
  // Copies taken within the same second are told apart by a number.
  try {
    out.path = set->TakeCopy(
        db, [&](int n) { return n == 1 ? stem + word : Format("%s-%d%s", stem.c_str(), n, word.c_str()); });
  } catch (const jet::DbError& e) {
    out.error = e.what();
    return out;
  }
  PruneBackups(*set, year, out.path);
  return out;
}

BackupOutcome BackupYearFile(const std::string& path, BackupReason reason) {
  jet::Database db;
  try {
    db.Open(path, true);
  } catch (const jet::DbError& e) {
    return {"", e.what()};
  }
  // A year on a server lies in its account set as a file lies in its folder.
  std::string name = NameOf(path);
  return BackupYear(db, FolderOf(path), std::atoi(name.substr(0, 4).c_str()), reason);
}

BackupOutcome RestoreYear(jet::Database& db, const std::string& accountSetFolder, int year, const std::string& copy) {
  const std::string name = NameOf(copy);
  if (name.rfind(Format("%04d-", year), 0) != 0) return {"", "这不是本年度的备份：" + name};
  if (OnServer(accountSetFolder)) return {"", "服务器上的帐套请由服务器的管理员恢复备份。"};
  if (std::string why = jet::Database::CheckCopy(copy, true); !why.empty()) return {"", "备份不能打开：" + why};
  // The copy chosen is taken aside first: the copy of the present state may make it one too many and prune it.
  auto set = AccountSet::Of(accountSetFolder);
  const std::string aside = BackupFolder(accountSetFolder) + "/恢复中-" + name;
  set->RemoveCopy(aside);  // the leftover of a restore that was cut short
  try {
    jet::Database source;
    source.Open(copy, true);
    source.BackupTo(aside);
  } catch (const jet::DbError& e) {
    set->RemoveCopy(aside);
    return {"", e.what()};
  }
  BackupOutcome before = BackupYear(db, accountSetFolder, year);
  if (before.Ok()) {
    try {
      db.RestoreFrom(aside);
    } catch (const jet::DbError& e) {
      before = {"", e.what()};
    }
  } else {
    before.error = "恢复前未能备份当前数据：" + before.error;
  }
  set->RemoveCopy(aside);
  return before;
}

std::string BackupNote(const std::string& what, const std::string& path) {
  return what + "前的数据已备份到：\r" + path;
}
