#include "accounts/chart_print_dlg.h"

#include "accounts/account_code.h"
#include "base/gbk.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/sql_text.h"

CSubjectChoiceDlg::CSubjectChoiceDlg(CVyDataEnv& env) : env_(env) {}

bool CSubjectChoiceDlg::MayOpen(CVyDataEnv& env) {
  if (env.QueryLong("select count(*) from subt") > 0) return true;
  ShowMessage("本年度尚未设置科目！", MsgIcon::Warning);
  return false;
}

std::string CSubjectChoiceDlg::CleanCode(const std::string& typed) {
  // Character by character: "|" and "[" are also trail bytes of two-byte characters, which stay whole.
  std::string out;
  for (size_t i = 0; i < typed.size(); i = gbk::NextChar(typed, i)) {
    std::string_view ch = std::string_view(typed).substr(i, gbk::CharLength(typed, i));
    if (ch.size() == 1 && (ch[0] == '|' || ch[0] == '\'' || ch[0] == '[' || ch[0] == '*')) continue;
    out += ch;
  }
  return out;
}

void CSubjectChoiceDlg::ChooseAll(bool wholeChart) {
  all = wholeChart;
  codeEnabled = !wholeChart;
  if (wholeChart) code.clear();
}

bool CSubjectChoiceDlg::OnOk() {
  std::string c = all ? std::string() : Trim(CleanCode(code));
  // A code that is not well formed cannot name an account; the LIKE pattern never sees it.
  if (!c.empty() &&
      (!IsValidCode(c) || env_.QueryLong(Format("select count(*) from subt where trim( kno ) like '%s-*'",
                                                jet::SqlText(c).c_str())) <= 0)) {
    ShowMessage("该科目不存在或没有子科目，请重输！");
    focus = Focus::Code;
    return false;
  }
  startCode = c;
  return true;
}
