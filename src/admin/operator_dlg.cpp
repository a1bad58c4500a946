#include "admin/operator_dlg.h"

#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/db_guard.h"
#include "data/sql_text.h"

using jet::SqlText;

namespace {

bool IsOperatorCode(const std::string& code) {
  return code.size() == 3 && MaskAdmitsTyping(COperatorDlg::CodeMask(), code);
}

}  // namespace

COperatorDlg::COperatorDlg(CVyDataEnv& env, Mode mode, std::string code, std::string name)
    : code(code), name(std::move(name)), env_(env), mode_(mode), oldCode_(std::move(code)) {
  codeEnabled = !(mode_ == Mode::Modify && oldCode_ == "101");
  focus = codeEnabled ? Focus::Code : Focus::Name;
}

bool COperatorDlg::OnOk() {
  name = Trim(name);
  bool changed = mode_ == Mode::Modify && code != oldCode_;
  // "101" is the administrator's alone: a new code, or a code changed to another, sorts from "102" on.
  if (!IsOperatorCode(code) || ((mode_ == Mode::Add || changed) && code < "102"))
    return Refuse(focus, Focus::Code, "代码不合法，请重输！");
  if (name.empty()) return Refuse(focus, Focus::Name, "姓名不能为空，请重输！");
  if (HasCharOf(name, "'|")) {
    name.clear();
    return Refuse(focus, Focus::Name, "操作员姓名中输入了无效字符，请重输！");
  }
  long n = 0;
  if (!RunCatchingDbErrors([&] {
        n = env_.QueryLong(Format("select count(*) from opr where opno='%s'", SqlText(code).c_str()));
      }))
    return false;
  if (n >= 1 && (mode_ == Mode::Add || changed)) return Refuse(focus, Focus::Code, "该代码已存在，请重输！");
  return env_.RunInTransaction([&] {
    if (mode_ == Mode::Add) {
      env_.Execute(Format("insert into pwr(opno,pwr) values('%s',NULL)", SqlText(code).c_str()));
      env_.Execute(Format("insert into opr(opno,na,psd) values('%s','%s','')", SqlText(code).c_str(),
                          SqlText(name).c_str()));
      return;
    }
    if (changed)
      env_.Execute(Format("update pwr set opno='%s' where opno='%s'", SqlText(code).c_str(),
                          SqlText(oldCode_).c_str()));
    env_.Execute(Format("update opr set opno='%s',na='%s' where opno='%s'", SqlText(code).c_str(),
                        SqlText(name).c_str(), SqlText(oldCode_).c_str()));
  });
}
