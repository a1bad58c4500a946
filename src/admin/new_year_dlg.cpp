#include "admin/new_year_dlg.h"

#include <cstdlib>

#include "base/platform.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/db_guard.h"
#include "data/year_files.h"
#include "io/backup.h"

CNewYearDlg::CNewYearDlg(CVyDataEnv& env) : env_(env) {}

std::string CNewYearDlg::Note() {
  return "    注意：当建立了新年\n度文件后，请使用年末转\n帐功能转帐。\n    删除年度文件之前请\n做好备份。";
}

void CNewYearDlg::OnInitDialog() {
  folder = env_.dataDir;
  years = YearList(folder, env_.extension);
  selectedYear = -1;
  createEnabled = false;
  cancelEnabled = true;
}

void CNewYearDlg::OnYearTextChanged(const std::string& text) {
  yearText = text;
  createEnabled = CanCreateYear(text, years);
}

bool CNewYearDlg::OnCreate() {
  if (!CanCreateYear(yearText, years)) return false;
  if (ShowMessage("真的要建立“" + yearText + "”年的数据文件吗？", MsgIcon::Exclamation, MsgButtons::YesNo,
                  MsgAnswer::No) != MsgAnswer::Yes)
    return false;
  createEnabled = cancelEnabled = false;
  // A file of that year that failed the year test may be in the way, or the disk refuse: nothing is made.
  if (!RunCatchingDbErrors([&] { CreateNextYearFile(env_, std::atoi(yearText.c_str())); })) {
    createEnabled = cancelEnabled = true;
    return false;
  }
  ShowMessage(yearText + "年数据文件建立完毕！");
  return true;
}

void CNewYearDlg::OnDeleteKey() {
  if (selectedYear < 0 || selectedYear >= static_cast<int>(years.size())) return;
  std::string year = years[static_cast<size_t>(selectedYear)];
  if (year == Format("%d", env_.year)) {
    ShowMessage("不能删除注册年度帐务！");
    return;
  }
  if (ShowMessage("真的要删除“" + year + "”年的数据文件吗？", MsgIcon::Exclamation, MsgButtons::YesNo,
                  MsgAnswer::No) != MsgAnswer::Yes)
    return;
  std::string path = YearFilePath(folder, year, env_.extension);
  AloneWork alone(folder, env_.opno + " " + env_.opName, "删除年度");
  if (!alone.Refusal().empty()) {
    ShowMessage(alone.Refusal(), MsgIcon::Stop);
    return;
  }
  // Deleting is the one thing the program cannot undo: a copy is kept first, and without it nothing goes.
  BackupOutcome backup = BackupYearFile(path, BackupReason::Delete);
  if (!backup.Ok()) {
    ShowMessage(year + "年数据文件无法备份，没有删除：\r" + backup.error, MsgIcon::Stop);
    return;
  }
  if (!DeleteYearFile(path)) {
    // The list keeps showing a file that is still there.
    ShowMessage(year + "年数据文件无法删除！");
    return;
  }
  ShowMessage(year + "年数据文件已删除。\r\r" + BackupNote("删除", backup.path), MsgIcon::Information);
  years.erase(years.begin() + selectedYear);
  if (selectedYear > 0 || years.empty()) --selectedYear;
  createEnabled = CanCreateYear(yearText, years);
}
