#include "ledgers/aux_catalogue_dlg.h"

#include <algorithm>

#include "accounts/account_full_name.h"
#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "ledgers/ledger_line.h"
#include "ledgers/ledger_period_dlg.h"

bool AskAuxCatalogue(CAuxCatalogueDlg& dialog) {
  return dialog.Open() && AskDialog(dialog);
}

CAuxCatalogueDlg::CAuxCatalogueDlg(CVyDataEnv& env, int mode, std::string preset, const std::string& start,
                                 const std::string& end)
    : mode(mode), env_(env), preset_(std::move(preset)) {
  startMonth = Format("%d", MonthNumber(start) > 0 ? MonthNumber(start) : 1);
  endMonth = Format("%d", MonthNumber(end) > 0 ? MonthNumber(end) : 12);
}

std::string CAuxCatalogueDlg::Caption() const {
  const char* kind = mode == kQuantity ? "(数量金额)" : mode == kCurrency ? "(外币)" : "(多栏帐)";
  return Format("%d年度辅助核算目录", env_.year) + kind;
}

std::vector<std::string> CAuxCatalogueDlg::Headers() const {
  return {" 帐 户 代 码", " 帐  户  名  称",
          mode == kQuantity   ? "数量单位"
          : mode == kCurrency ? "外币名称"
                              : ""};
}

bool CAuxCatalogueDlg::Open() {
  const char* sql =
      mode == kQuantity   ? "SELECT trim(kno),rtrim(fzn) FROM SUBT WHERE fz='1' ORDER BY clas,trim(kno)"
      : mode == kCurrency ? "SELECT trim(subt.kno),rtrim(wbt.na) FROM SUBT,wbt WHERE subt.fz='2' and "
                            "subt.fzn=wbt.wno ORDER BY "
                            "subt.clas,len(trim(kno)),val(subt.fzn)"
                          : "SELECT trim(kno),trim(dl) FROM SUBT WHERE dl='1' ORDER BY clas,kno";
  lines.clear();
  for (auto c = env_.Db()->Query(sql); !c->AtEnd(); c->Next()) {
    std::string kno = c->Text(0);
    std::string line = mode == kMultiColumn
                           ? Format("%-15s%-42s", kno.c_str(), AccountFullName(env_, kno, 42).c_str())
                           : Format("%-15s%-32s%-10s", kno.c_str(), AccountFullName(env_, kno, 30).c_str(),
                                    c->Text(1).c_str());
    if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
  }
  if (lines.empty()) {
    ShowMessage("没有相应的辅助核算目录。", MsgIcon::Stop);
    return false;
  }
  if (!SelectCode(preset_)) selected = 0;
  return true;
}

bool CAuxCatalogueDlg::SelectCode(const std::string& wanted) {
  if (wanted.empty()) return false;
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].compare(0, wanted.size() + 1, wanted + " ") == 0) {
      selected = static_cast<int>(i);
      return true;
    }
  return false;
}

bool CAuxCatalogueDlg::Confirm() {
  if (selected < 0 || selected >= static_cast<int>(lines.size())) return false;
  int s = 0, e = 0;
  if (!CheckMonths(startMonth, endMonth, s, e, focus)) return false;
  const std::string& line = lines[static_cast<size_t>(selected)];
  code = line.substr(0, line.find(' '));
  periodText = LedgerPeriodText(env_.year, s, e);
  start = MonthKey(env_.year, s);
  end = MonthKey(env_.year, e);
  focus.clear();
  return true;
}
