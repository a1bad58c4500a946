#include "io/backup.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
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

// The order of a copy among its year's: its date and time, then the number that parts copies taken in
// the same second; -1 for a file that is not one of our copies of that year.
struct CopyKey {
  std::string stamp;
  long sequence = -1;
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
  // YYYY-YYYYMMDD-HHMMSS or YYYY-YYYYMMDD-HHMMSS-N
  if (title.rfind(prefix, 0) != 0 || !AllDigits(title, 5, 8) || title.size() < 20 || title[13] != '-' ||
      !AllDigits(title, 14, 6))
    return key;
  if (title.size() == 20) {
    key.sequence = 0;
  } else if (title[20] == '-' && title.size() > 21 && AllDigits(title, 21, title.size() - 21)) {
    key.sequence = std::atol(title.c_str() + 21);
  } else {
    return key;
  }
  key.stamp = title.substr(5, 15);
  return key;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

void PruneBackups(const std::string& accountSetFolder, int year) {
  std::vector<std::string> copies = YearBackups(accountSetFolder, year);
  for (size_t i = 0; i + kBackupsKept < copies.size(); ++i) {
    std::error_code ec;
    std::filesystem::remove(NativePath(copies[i]), ec);
  }
}

}  // namespace

std::string BackupFolder(const std::string& accountSetFolder) {
  return Join(accountSetFolder, "备份");
}

std::vector<std::string> YearBackups(const std::string& accountSetFolder, int year) {
  std::string folder = BackupFolder(accountSetFolder);
  std::vector<std::pair<CopyKey, std::string>> found;
  for (auto& name : ListFolder(folder, false)) {
    CopyKey key = KeyOf(name, year);
    if (key.sequence >= 0) found.emplace_back(key, Join(folder, name));
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  for (auto& f : found) paths.push_back(f.second);
  return paths;
}

BackupOutcome BackupYear(jet::Database& db, const std::string& accountSetFolder, int year) {
  BackupOutcome out;
  std::string folder = BackupFolder(accountSetFolder);
  if (!MakeFolders(folder)) {
    out.error = "备份文件夹“" + folder + "”无法建立。";
    return out;
  }
  DateTime now = Plat().Now();
  std::string stem = Format("%04d-%04d%02d%02d-%02d%02d%02d", year, now.year, now.month, now.day, now.hour,
                            now.minute, now.second);
  // Copies taken within the same second are told apart by a number.
  std::string path = Join(folder, stem + ".vyx");
  for (int n = 2; QueryRealFile(path).exists; ++n) path = Join(folder, Format("%s-%d.vyx", stem.c_str(), n));
  try {
    db.BackupTo(path);
  } catch (const jet::DbError& e) {
    out.error = e.what();
    return out;
  }
  out.path = path;
  PruneBackups(accountSetFolder, year);
  return out;
}

BackupOutcome BackupYearFile(const std::string& path) {
  std::string name = NameOf(path);
  jet::Database db;
  try {
    db.Open(path);
  } catch (const jet::DbError& e) {
    return {"", e.what()};
  }
  return BackupYear(db, FolderOf(path), std::atoi(name.substr(0, 4).c_str()));
}

std::string BackupNote(const std::string& what, const std::string& path) {
  return what + "前的数据已备份到：\r" + path;
}
