#pragma once
// Copies of year files taken before the commands that rewrite or remove a year: the carry forward, the copy
// from another account set, deleting a year file, and on demand. They live in the account set's folder
// "备份" as YYYY-<date>-<time>.vyx (a copy taken before a carry forward, a copy or a deletion says so at
// the end of its name: -结转, -拷贝, -删除); restoring one is copying it back as YYYY.vyx.
// A copy is made under a working name, checked, and only then given its name, so that every file under a
// backup's name is a whole year file. Each year keeps its newest ten copies, and always the newest one
// taken before a carry forward, a copy and a deletion; "newest" by when a copy was made, never by the
// clock's stamp in its name alone, and the copy just taken is always kept. An account set on a server keeps its copies in its
// own database, as schemas named "backup-" and the title a file would have, under the same rule.
#include <string>
#include <vector>

#include "data/database.h"

constexpr int kBackupsKept = 10;

enum class BackupReason { OnDemand, CarryForward, Copy, Delete };

struct BackupOutcome {
  std::string path;   // the copy, when it was made
  std::string error;  // why not, otherwise
  bool Ok() const { return error.empty(); }
};

// folder/备份
std::string BackupFolder(const std::string& accountSetFolder);
// A copy of the open file db of the year, into the account set's backup folder, with the permission bits
// of db's file; then the year's copies that do not open are removed, and the oldest beyond those kept.
// Nothing is thrown: a copy that cannot be made says why, and leaves nothing behind.
BackupOutcome BackupYear(jet::Database& db, const std::string& accountSetFolder, int year,
                         BackupReason reason = BackupReason::OnDemand);
// The same for a year file that is not open (its name gives the year).
BackupOutcome BackupYearFile(const std::string& path, BackupReason reason = BackupReason::OnDemand);
// The year's copies in the backup folder, oldest first (whether they open or not).
std::vector<std::string> YearBackups(const std::string& accountSetFolder, int year);

struct BackupEntry {
  std::string path;
  std::string taken;  // "YYYY-MM-DD HH:MM:SS" from its name
  BackupReason reason = BackupReason::OnDemand;
  std::string problem;  // "" when it opens as a year file, else why not
};
// The year's copies, oldest first, each looked at (thorough: every page read).
std::vector<BackupEntry> ListBackups(const std::string& accountSetFolder, int year, bool thorough);
// Restores the year from one of its copies (a path ListBackups gave): the copy is checked page by page and
// must be of this year; then the year as it stands is copied first (the outcome's path), and the open year
// db takes the copy's contents in place. Nothing is thrown; a restore that cannot be made changes nothing.
BackupOutcome RestoreYear(jet::Database& db, const std::string& accountSetFolder, int year, const std::string& copy);
// "结转前", "拷贝前", "删除前" or "" for a copy taken on demand.
std::string ReasonText(BackupReason reason);
// The line that final messages add: where the copy taken before the command is.
std::string BackupNote(const std::string& what, const std::string& path);
