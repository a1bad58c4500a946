#include "admin/operators_dlg.h"

#include "app/rights_table.h"
#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/db_guard.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

COperatorsDlg::COperatorsDlg(CVyDataEnv& env) : env_(env) {}

bool COperatorsDlg::Guarded(const std::function<void()>& work) {
  return RunCatchingDbErrors(work);
}

void ClearPassword(CVyDataEnv& env, const std::string& opno) {
  env.Execute(Format("update opr set psd='' where opno='%s'", jet::SqlText(opno).c_str()));
}

void COperatorsDlg::OnClearPassword() {
  if (!ClearPasswordEnabled()) return;
  const std::string code = SelectedCode();
  if (ShowMessage(Format("清除操作员 %s 的口令吗？\n\n清除后该操作员登录时不必输入口令，请其登录后立即在“操作员口令设置与更改”中设置新口令。",
                         code.c_str()),
                  MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
    return;
  if (Guarded([&] { ClearPassword(env_, code); }))
    ShowMessage(Format("操作员 %s 的口令已清除。", code.c_str()), MsgIcon::Information);
}

bool COperatorsDlg::OnInitDialog() {
  bool ok = Guarded([&] {
    FillOperators();
    // The list opens on the first operator after the administrator, or on the administrator alone.
    if (operatorItems.size() == 1)
      Select(0);
    else if (operatorItems.size() > 1)
      Select(1);
  });
  OnFocus(Focus::OperatorList);
  return ok;
}

void COperatorsDlg::FillOperators() {
  operatorItems.clear();
  selectedOperator = -1;
  if (env_.QueryLong("SELECT count(*) FROM OPR") <= 0) return;
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001"});
  rs.Open("SELECT RTRIM(OPNO),RTRIM(NA) FROM OPR ORDER BY VAL(OPNO)");
  for (; !rs.IsEOF(); rs.MoveNext())
    operatorItems.push_back(Format("%-11s%s", rs.GetText(0).c_str(), rs.GetText(1).c_str()));
}

void COperatorsDlg::ShowRights(const std::string& opno) {
  rightsOf = opno;
  rights.clear();
  for (const RightInfo& r : RightsTable()) {
    RightEntry e{r.code, r.name};
    // A right is held when any row grants it: the rights text of the login counts every row.
    e.ticked = env_.QueryLong(Format("SELECT COUNT(*) from pwr where opno='%s' and pwr='%s'",
                                     SqlText(opno).c_str(), SqlText(r.code).c_str())) >= 1;
    e.changeable = e.code != "0101" && opno != "101";
    rights.push_back(e);
  }
}

void COperatorsDlg::Select(int index) {
  if (index < 0 || index >= static_cast<int>(operatorItems.size())) {
    selectedOperator = -1;
    return;
  }
  selectedOperator = index;
  ShowRights(CodeOf(index));
}

std::string COperatorsDlg::CodeOf(int index) const {
  if (index < 0 || index >= static_cast<int>(operatorItems.size())) return {};
  return Trim(operatorItems[static_cast<size_t>(index)].substr(0, 3));
}

int COperatorsDlg::IndexOfCode(const std::string& code) const {
  for (int i = 0; i < static_cast<int>(operatorItems.size()); ++i)
    if (CodeOf(i) == code) return i;
  return -1;
}

void COperatorsDlg::OnOperatorSelected(int index) {
  Guarded([&] { Select(index); });
}

void COperatorsDlg::OnRightToggled(int index) {
  if (selectedOperator < 0) {
    ShowMessage("没有选择操作员，不能操作权限！");
    return;
  }
  if (index < 0 || index >= static_cast<int>(rights.size())) return;
  RightEntry& r = rights[static_cast<size_t>(index)];
  if (!r.changeable) return;
  bool tick = !r.ticked;
  std::string opno = SqlText(rightsOf), pwr = SqlText(r.code);
  bool ok = env_.RunInTransaction([&] {
    if (tick)
      env_.Execute(Format("insert into pwr(opno,pwr) values('%s','%s')", opno.c_str(), pwr.c_str()));
    else
      env_.Execute(Format("delete from pwr where opno='%s' and pwr='%s'", opno.c_str(), pwr.c_str()));
  });
  if (ok) r.ticked = tick;
}

void COperatorsDlg::OnFocus(Focus list) {
  focus = list;
  if (list == Focus::OperatorList) {
    hint = "修改:双击或回车. 删除:<Delete>";
    addEnabled = true;
    arrowPicture = 121;
  } else {
    hint = "     单击小方框收授权限";
    addEnabled = false;
    arrowPicture = 120;
  }
}

void COperatorsDlg::OnDeleteKey() {
  if (selectedOperator < 0) {
    ShowMessage("对不起，没有选择删除对象！");
    return;
  }
  std::string code = SelectedCode();
  if (code == "101") {
    ShowMessage("不允许删除代码为101的操作员！");
    return;
  }
  int index = selectedOperator;
  bool ok = env_.RunInTransaction([&] {
    env_.Execute(Format("delete from opr where opno='%s'", SqlText(code).c_str()));
    env_.Execute(Format("delete from pwr where opno='%s'", SqlText(code).c_str()));
  });
  if (!ok) return;
  Guarded([&] {
    FillOperators();
    Select(index > 0 ? index - 1 : 0);
  });
}

void COperatorsDlg::OnModify() {
  if (selectedOperator < 0) return;
  const std::string& item = operatorItems[static_cast<size_t>(selectedOperator)];
  COperatorDlg dialog(env_, COperatorDlg::Mode::Modify, SelectedCode(),
                      item.size() > 11 ? item.substr(11) : "");
  if (!AskDialog(dialog)) return;
  // The login shows the operator's name; it follows a change of the logged-in operator.
  if (dialog.OldCode() == env_.opno) {
    env_.opno = dialog.code;
    env_.opName = dialog.name;
  }
  Guarded([&] {
    FillOperators();
    Select(IndexOfCode(dialog.code));
  });
}

void COperatorsDlg::OnAdd() {
  for (;;) {
    COperatorDlg dialog(env_, COperatorDlg::Mode::Add);
    if (!AskDialog(dialog)) break;
    Guarded([&] {
      FillOperators();
      Select(IndexOfCode(dialog.code));
    });
  }
  OnFocus(Focus::OperatorList);
}
