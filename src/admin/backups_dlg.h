#pragma once
// 备份与恢复: the open year's copies with their reasons and times; 备份 takes one now, 恢复 puts the year
// back as a copy holds it, after a question (否 the default) and after copying the year as it stands, so
// that a restore is itself undone by restoring that copy. No window of the books may be open meanwhile (the
// command needs every child window closed); the restore takes the year file's exclusive lock, so no one
// else reads it half restored.
#include <string>
#include <vector>

#include "io/backup.h"

class CVyDataEnv;

class CBackupsDlg {
 public:
  explicit CBackupsDlg(CVyDataEnv& env) : env_(env) {}

  static std::string Caption() { return "备份与恢复"; }
  // Lists the copies, newest first.
  void OnInitDialog();
  // 备份: a copy now; the list shows it first. The message says where it is.
  void OnBackup();
  // 恢复 of the selected copy.
  void OnRestore();
  bool RestoreEnabled() const { return selected >= 0 && selected < static_cast<int>(entries.size()); }

  std::vector<BackupEntry> entries;  // newest first
  std::vector<std::string> lines;    // "2026-12-08 09:30:00  结转前  2026-20261208-093000-结转.vyx"
  int selected = -1;

 private:
  CVyDataEnv& env_;
};
