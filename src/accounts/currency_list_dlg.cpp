#include "accounts/currency_list_dlg.h"

#include <algorithm>

#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/count_first.h"
#include "data/db_guard.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

CCurrencyListDlg::CCurrencyListDlg(CVyDataEnv& env) : env_(env) {}

bool CCurrencyListDlg::OnInitDialog() {
  if (!RunCatchingDbErrors([&] { Fill(); })) return false;
  if (lines.empty())
    ShowMessage("本年度尚未设置外币目录，\r\r确定后按增加按钮进行设置!");
  else
    selected = 0;
  return true;
}

void CCurrencyListDlg::Fill() {
  const char* sql = "SELECT RTRIM(WNO),RTRIM(NA),RTRIM(HO) FROM WBT ORDER BY VAL(WNO)";
  lines.clear();
  currencies.clear();
  selected = -1;
  if (CountFirst(env_, sql) == 0) return;
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001", "Expr1002"});
  rs.Open(sql);
  for (; !rs.IsEOF(); rs.MoveNext()) {
    Currency c{rs.GetText(0), rs.GetText(1), rs.GetText(2)};
    lines.push_back(RTrim(Format("%-8s%-16s%s", c.code.c_str(), c.name.c_str(), c.gainAccount.c_str())));
    currencies.push_back(std::move(c));
  }
}

int CCurrencyListDlg::IndexOfCode(const std::string& code) const {
  for (int i = 0; i < static_cast<int>(currencies.size()); ++i)
    if (currencies[static_cast<size_t>(i)].code == code) return i;
  return currencies.empty() ? -1 : 0;
}

void CCurrencyListDlg::OnSelect(int index) {
  if (index >= 0 && index < static_cast<int>(lines.size())) selected = index;
}

void CCurrencyListDlg::OnAdd() {
  for (;;) {
    CCurrencyDlg dialog(env_, CCurrencyDlg::Mode::Add);
    if (!AskDialog(dialog)) break;
    RunCatchingDbErrors([&] {
      Fill();
      selected = IndexOfCode(dialog.code);
    });
  }
}

void CCurrencyListDlg::OnModify() {
  if (selected < 0 || selected >= static_cast<int>(currencies.size())) return;
  const Currency& c = currencies[static_cast<size_t>(selected)];
  CCurrencyDlg dialog(env_, CCurrencyDlg::Mode::Modify, c.code, c.name, c.gainAccount);
  if (!AskDialog(dialog)) return;
  RunCatchingDbErrors([&] {
    Fill();
    selected = IndexOfCode(dialog.code);
  });
}

void CCurrencyListDlg::OnDeleteKey() {
  if (selected < 0 || selected >= static_cast<int>(currencies.size())) {
    ShowMessage("对不起，没有选择删除对象!");
    return;
  }
  const std::string code = currencies[static_cast<size_t>(selected)].code, c = SqlText(code);
  int index = selected;
  long used = 0, rates = 0;
  if (!RunCatchingDbErrors([&] {
        used = env_.QueryLong(Format("SELECT COUNT(*) from subt where fz='2' and fzn='%s'", c.c_str()));
        if (used < 1) rates = env_.QueryLong(Format("SELECT COUNT(*) from wbr where wno='%s'", c.c_str()));
      }))
    return;
  if (used >= 1) {
    ShowMessage("代码为“" + code + "”的外币币种已被引用，不能删除！");
    return;
  }
  if (rates >= 1 && ShowMessage("代码为“" + code + "”的外币已设置汇率，决定删除吗？", MsgIcon::Exclamation,
                                MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
    return;
  // The currency and its rates go together or not at all.
  bool ok = env_.RunInTransaction([&] {
    env_.Execute(Format("delete from wbt where wno='%s'", c.c_str()));
    if (rates >= 1) env_.Execute(Format("delete from wbr where wno='%s'", c.c_str()));
  });
  if (!ok) return;
  RunCatchingDbErrors([&] {
    Fill();
    // The line that followed the deleted one, or the last.
    if (!lines.empty()) selected = std::min(index, static_cast<int>(lines.size()) - 1);
  });
}
