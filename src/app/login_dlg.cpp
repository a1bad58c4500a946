#include "app/login_dlg.h"

#include "base/platform.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"

CHobdFileDlg::CHobdFileDlg(std::string initialFile, std::string initialOpno, std::string extension)
    : fileName(std::move(initialFile)),
      initialOpno_(std::move(initialOpno)),
      extension_(std::move(extension)) {}

std::string CHobdFileDlg::Filter() {
  return "Tavrel项目核算数据文件(*.VYX)|*.VYX||";
}

std::string CHobdFileDlg::Title() {
  std::string filter = Filter();
  return "打开" + filter.substr(0, filter.find('('));
}

void CHobdFileDlg::OnInitDialog() {
  DateTime now = Plat().Now();
  dateText = Format("%d 年 %d 月 %d 日", now.year, now.month, now.day);
  std::string initial = fileName;
  fileName.clear();
  OnFileChanged(initial);
}

void CHobdFileDlg::OnFileChanged(const std::string& path) {
  if (path.empty() || path == shownFile_) {
    fileName = shownFile_;
  } else {
    std::string previous = shownFile_;
    if (probe_.Open(path, "", 0, extension_)) {
      shownFile_ = probe_.dataFile;
      fileName = shownFile_;
      unitName = probe_.unitName;
      yearText = Format("%d", probe_.year);
      FillOperators();
      probe_.Close();
    } else {
      probe_.Close();
      fileName = previous;
    }
  }
  bool valid = !shownFile_.empty();
  operatorEnabled = okEnabled = passwordEnabled = valid;
  if (valid) focus = Focus::Password;
}

void CHobdFileDlg::FillOperators() {
  operatorItems.clear();
  selectedOperator = -1;
  try {
    CVyRecordset rs(probe_.Db(), {}, {}, {"Expr1000", "Expr1001"});
    rs.Open("SELECT RTRIM(OPNO),RTRIM(NA) FROM OPR ORDER BY VAL(OPNO)");
    std::vector<std::string> codes;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      operatorItems.push_back(Format("%3s  %s", rs.GetText(0).c_str(), rs.GetText(1).c_str()));
      codes.push_back(rs.GetText(0));
      if (rs.GetText(0) == initialOpno_) selectedOperator = static_cast<int>(operatorItems.size()) - 1;
    }
    // Without the operator of before, the first one who may keep the books: a new account set's 101 may
    // only administer, and a login as 101 would find every data menu grey.
    for (size_t i = 0; selectedOperator < 0 && i < codes.size(); ++i)
      if (probe_.QueryLong(Format("select count(*) from pwr where trim(opno)='%s' and trim(pwr)<>'0101'",
                                  jet::SqlText(codes[i]).c_str())) > 0)
        selectedOperator = static_cast<int>(i);
  } catch (const std::exception&) {
    // The file passed validation; a list that cannot be read stays empty and OK will say so.
  }
}

void CHobdFileDlg::OnOperatorListClosed() {
  if (selectedOperator >= 0) focus = Focus::Password;
}

std::string CHobdFileDlg::ChosenOpno() const {
  if (selectedOperator < 0 || selectedOperator >= static_cast<int>(operatorItems.size())) return {};
  return Trim(operatorItems[static_cast<size_t>(selectedOperator)].substr(0, 3));
}

bool CHobdFileDlg::OnOk() {
  std::string opno = ChosenOpno();
  if (opno.empty()) {
    ShowMessage("没有选择操作员！");
    focus = Focus::Operator;
    return false;
  }
  if (!probe_.Open(shownFile_, opno, 1, extension_)) {
    probe_.Close();
    return false;
  }
  bool accepted = PasswordAccepted(probe_, password);
  probe_.Close();
  if (!accepted) focus = Focus::Password;
  return accepted;
}

bool PasswordAccepted(const CVyDataEnv& env, const std::string& typed) {
  if (typed == env.opPassword) return true;
  ShowMessage("操作员口今不正确！");
  return false;
}
