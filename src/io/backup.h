#pragma once
// Copies of year files taken before the commands that rewrite or remove a year: the carry forward, the copy
// from another account set, deleting a year file, and on demand. They live in the account set's folder
// "备份" as YYYY-<date>-<time>.vyx, the newest ten of each year; restoring one is copying it back as
// YYYY.vyx.
#include <string>
#include <vector>

#include "data/jet/database.h"

constexpr int kBackupsKept = 10;

struct BackupOutcome {
  std::string path;   // the copy, when it was made
  std::string error;  // why not, otherwise
  bool Ok() const { return error.empty(); }
};

// folder/备份
std::string BackupFolder(const std::string& accountSetFolder);
// A copy of the open file db of the year, into the account set's backup folder, then the year's oldest
// copies beyond the newest ten are removed. Nothing is thrown: a copy that cannot be made says why.
BackupOutcome BackupYear(jet::Database& db, const std::string& accountSetFolder, int year);
// The same for a year file that is not open (its name gives the year).
BackupOutcome BackupYearFile(const std::string& path);
// The year's copies in the backup folder, oldest first.
std::vector<std::string> YearBackups(const std::string& accountSetFolder, int year);
// The line that final messages add: where the copy taken before the command is.
std::string BackupNote(const std::string& what, const std::string& path);
