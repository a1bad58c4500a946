#include "reports/fuzzy_query_dlg.h"

#include <cmath>

#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "accounts/account_full_name.h"
#include "base/date_fields.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "base/validators.h"
#include "data/sql_text.h"

namespace {

using money::kAmountZero;
using money::kBalanceZero;

bool IsAmount(const std::string& text) {
  return IsNumberText(text, 0, 0) && text.find_first_of("0123456789") != std::string::npos;
}

}  // namespace

void CFuzzyQueryDlg::OnInitDialog() {
  yearText = Format("%d", env_.year);
  summary = code = amount1 = amount2 = "";
  startMonth = "1";
  endMonth = "12";
  side = kAuto;
}

void CFuzzyQueryDlg::OnBrowse() {
  if (auto chosen = AskAccount(accountquery::kAnyAccount, code)) code = *chosen;
}

bool CFuzzyQueryDlg::OnOK() {
  code = Trim(code);
  const std::string c = jet::SqlText(code);
  if (!code.empty()) {
    if (!IsValidCode(code)) return Refuse(focus, "code", "非法的科代码，请重输!", MsgIcon::Warning);
    if (env_.QueryLong(Format("select count(*) from subt where trim(kno)='%s' or trim(kno) like '%s-*'",
                              c.c_str(), c.c_str())) <= 0)
      return Refuse(focus, "code", "给定的科代码不存在，请重输!", MsgIcon::Warning);
  }
  std::string a1 = Trim(amount1), a2 = Trim(amount2);
  if (!a1.empty() && !IsAmount(a1)) return Refuse(focus, "amount1", "非法的金额，请重输!", MsgIcon::Warning);
  if (!a2.empty() && !IsAmount(a2)) return Refuse(focus, "amount2", "非法的金额，请重输!", MsgIcon::Warning);
  const int s = DateFields::Number(startMonth), e = DateFields::Number(endMonth);
  const double A1 = ParseNumber(a1), A2 = ParseNumber(a2);
  if (code.empty() && std::fabs(A1) < kAmountZero && std::fabs(A2) < kAmountZero)
    return Refuse(focus, "code", "科目代码和金额必须至少指定其一。", MsgIcon::Warning);
  if (std::fabs(A1) > kAmountZero && std::fabs(A2) > kAmountZero && A1 - A2 > kAmountZero)
    return Refuse(focus, "amount2", "后一个金额应不小于前一个金额", MsgIcon::Warning);
  if (s < 1 || s > 12) return Refuse(focus, "startMonth", "起始月份不合理，请重输!", MsgIcon::Warning);
  if (e < 1 || e > 12 || e < s) return Refuse(focus, "endMonth", "终止月份不合理，请重输!", MsgIcon::Warning);
  summary = Trim(summary);

  std::string sql = Format("select count(*) from p0 where val(tt)>=%d and \tval(tt)<=%d and mk='4'", s, e);
  if (side == kDebit) sql += " and f=1";
  if (side == kCredit) sql += " and f=-1";
  if (!summary.empty()) sql += Format(" and instr(1,mry,'%s',0)>0", jet::SqlText(summary).c_str());
  if (!code.empty()) sql += Format(" and (trim(kno)='%s' or trim(kno) like '%s-*')", c.c_str(), c.c_str());
  const bool range =
      std::fabs(A1) > kAmountZero && std::fabs(A2) > kAmountZero && std::fabs(A1 - A2) > kAmountZero;
  if (range)
    sql += Format(" and my-%.2lf>=-%.6f and my-%.2lf<=%.6f", A1, kBalanceZero, A2, kBalanceZero);
  else if (std::fabs(A1) > kAmountZero)
    sql += Format(" and abs(my-%.2lf)<%.5f", A1, kAmountZero);
  else if (std::fabs(A2) > kAmountZero)
    sql += Format(" and abs(my-%.2lf)<%.5f", A2, kAmountZero);

  hits = env_.QueryLong(sql);
  if (hits <= 0) return Refuse(focus, "summary", "没有满足条件的记录", MsgIcon::Warning);
  countSql = sql;
  hitSql = "select t,cer,trim(kno),rtrim(mry),f,my " + sql.substr(15) + " order by t,kno,rn";

  conditionText.clear();
  if (!code.empty()) conditionText = "帐户：" + AccountFullName(env_, code, 30);
  conditionText += s == e ? Format("  %s 年 %d 月", yearText.c_str(), s)
                          : Format("  %s 年 %d 月 至 %d 月", yearText.c_str(), s, e);
  if (range)
    conditionText += Format(" 金额在[%.2lf ～ %.2lf]内", A1, A2);
  else if (std::fabs(A1) > kAmountZero)
    conditionText += Format(" 限制金额 = %.2lf", A1);
  else if (std::fabs(A2) > kAmountZero)
    conditionText += Format(" 限制金额 = %.2lf", A2);
  if (side == kDebit) conditionText += "(借方)";
  if (side == kCredit) conditionText += "(贷方)";
  if (!summary.empty()) conditionText += " 摘要包含“" + summary + "”";
  focus.clear();
  return true;
}
