#include "accounts/currency_dlg.h"

#include "accounts/account_asker.h"
#include "accounts/chart_queries.h"
#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/db_guard.h"
#include "data/sql_text.h"

using jet::SqlText;

namespace {

// The code as a whole number written back with "%d"; 0 for anything but digits.
long CodeValue(const std::string& typed) {
  std::string digits = Trim(typed);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  // More than four digits cannot be stored; such a code is as unusable as none.
  if (digits.size() - first > 4) return -1;
  return std::stol(digits.substr(first));
}

}  // namespace

CCurrencyDlg::CCurrencyDlg(CVyDataEnv& env, Mode mode, std::string code, std::string name,
                           std::string gainAccount)
    : code(code),
      name(std::move(name)),
      gainAccount(std::move(gainAccount)),
      env_(env),
      mode_(mode),
      oldCode_(std::move(code)) {}

void CCurrencyDlg::OnBrowseAccount() {
  if (auto chosen = AskAccount(accountquery::kLowestLevel, gainAccount)) gainAccount = *chosen;
  focus = Focus::GainAccount;
}

bool CCurrencyDlg::OnOk() {
  long value = CodeValue(code);
  if (value < 0) return Refuse(focus, Focus::Code, "币种代码最多为4位数字，请重输！");
  if (value < 1) return Refuse(focus, Focus::Code, "币种代码不能为空或小于1，请重输！");
  code = Format("%ld", value);
  name = Trim(name);
  gainAccount = Trim(gainAccount);
  if (name.empty()) return Refuse(focus, Focus::Name, "币名不能为空，请重输!");
  if (gainAccount.empty()) return Refuse(focus, Focus::GainAccount, "汇兑损益科目不能为空，请重输!");
  long n = 0;
  bool lowest = false;
  if (!RunCatchingDbErrors([&] {
        n = env_.QueryLong(Format("SELECT COUNT(*) from wbt where trim(wno)='%s'", SqlText(code).c_str()));
        lowest = IsLowestLevel(env_, gainAccount);
      }))
    return false;
  bool changed = mode_ == Mode::Modify && code != oldCode_;
  if ((mode_ == Mode::Add && n >= 1) || (changed && n == 1) || n >= 2)
    return Refuse(focus, Focus::Code, "代码重复，请重输！");
  if (!lowest) return Refuse(focus, Focus::GainAccount, "汇兑损益科目不存在或非最低明细科目，请重输！");
  return env_.RunInTransaction([&] { Write(); });
}

void CCurrencyDlg::Write() {
  const std::string c = SqlText(code), n = SqlText(name), h = SqlText(gainAccount), o = SqlText(oldCode_);
  if (mode_ == Mode::Add) {
    env_.Execute(
        Format("insert into wbt(wno,na,ho) values('%s','%s','%s')", c.c_str(), n.c_str(), h.c_str()));
    return;
  }
  if (code == oldCode_) {
    env_.Execute(
        Format("update wbt set na='%s',ho='%s' where trim(wno)='%s'", n.c_str(), h.c_str(), o.c_str()));
    return;
  }
  // The rates and the foreign-currency accounts name the currency by its code: they follow it.
  env_.Execute(Format("update wbt set wno='%s',na='%s',ho='%s' where trim(wno)='%s'", c.c_str(), n.c_str(),
                      h.c_str(), o.c_str()));
  env_.Execute(Format("update wbr set wno='%s' where trim(wno)='%s'", c.c_str(), o.c_str()));
  env_.Execute(
      Format("update subt set fzn='%s' where fz='2' and strcomp(trim(fzn),'%s',0)=0", c.c_str(), o.c_str()));
}

std::string CCurrencyDlg::CodeRefusalText(const std::string& typed) {
  if (typed.empty() || typed.find_first_not_of("0123456789") == std::string::npos) return "";
  return "币种代码只能是数字（至多 4 位，如美元 840、欧元 978），字母和其他字符不被接受。";
}
