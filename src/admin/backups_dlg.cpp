#include "admin/backups_dlg.h"

#include <algorithm>

#include "base/platform.h"
#include "base/text.h"
#include "data/data_env.h"

void CBackupsDlg::OnInitDialog() {
  entries = ListBackups(env_.dataDir, env_.year, false);
  std::reverse(entries.begin(), entries.end());
  lines.clear();
  for (const BackupEntry& e : entries) {
    std::string reason = ReasonText(e.reason);
    lines.push_back(e.taken + "  " + (reason.empty() ? "随时备份" : reason) + "  " + NameOf(e.path) +
                    (e.problem.empty() ? "" : "  （不能打开）"));
  }
  selected = entries.empty() ? -1 : 0;
}

void CBackupsDlg::OnBackup() {
  BackupOutcome b = BackupYear(*env_.Db(), env_.dataDir, env_.year);
  if (!b.Ok()) {
    ShowMessage("备份未能完成：" + b.error, MsgIcon::Stop);
    return;
  }
  OnInitDialog();
  ShowMessage("当前数据已备份到：\r" + b.path, MsgIcon::Information);
}

void CBackupsDlg::OnRestore() {
  if (!RestoreEnabled()) return;
  const BackupEntry chosen = entries[static_cast<size_t>(selected)];
  if (!chosen.problem.empty()) {
    ShowMessage("这个备份不能打开：" + chosen.problem, MsgIcon::Stop);
    return;
  }
  if (ShowMessage(Format("用 %s 的备份恢复 %d 年度的帐务数据吗？\n\n恢复后本年度的数据就是备份时的样子；"
                         "恢复前先备份当前的数据，需要时可以再恢复回来。",
                         chosen.taken.c_str(), env_.year),
                  MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
    return;
  BackupOutcome before = RestoreYear(*env_.Db(), env_.dataDir, env_.year, chosen.path);
  if (!before.Ok()) {
    ShowMessage("未能恢复：" + before.error, MsgIcon::Stop);
    return;
  }
  // The year's settings (the unit, the dates, the operators) are the copy's now.
  const std::string file = env_.dataFile, opno = env_.opno;
  env_.Open(file, opno, 1);
  OnInitDialog();
  ShowMessage("已恢复为 " + chosen.taken + " 的备份。\r" + BackupNote("恢复", before.path), MsgIcon::Information);
}
