#include "accounts/opening_edit_dlg.h"

#include <cmath>

#include "accounts/chart_queries.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/recordset.h"
#include "data/sql_text.h"

using jet::SqlText;

namespace {

bool Filled(const std::string& text) {
  return !Trim(text).empty();
}

// A stored value as its field shows it: empty for zero, else without the zeros a fixed format leaves after
// the point beyond minDecimals (quantities read 10, not 10.0000; amounts keep their two places).
std::string Shown(double value, int minDecimals, int maxDecimals) {
  if (std::fabs(value) <= money::kAmountZero) return "";
  std::string text = Format("%.*lf", maxDecimals, value);
  size_t point = text.find('.');
  while (text.size() > point + 1 + minDecimals && text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

COpeningEditDlg::COpeningEditDlg(CVyDataEnv& env, std::string code) : env_(env), code_(std::move(code)) {}

bool COpeningEditDlg::OnInitDialog() {
  if (!IsLowestLevel(env_, code_)) {
    refusal_ = "帐户代码不存在或非最低明细帐户";
    return false;
  }
  aux = static_cast<int>(
      env_.QueryLong(Format("SELECT val(trim(fz)) FROM subt WHERE kno='%s'", SqlText(code_).c_str())));
  if (aux != 1 && aux != 2) aux = 0;
  if (std::optional<OpeningRow> row = ReadOpening(env_, code_)) {
    debit = row->side > 0;
    amount = Shown(row->amount, 2, 2);
    if (HasQuantity()) {
      quantity = Shown(row->quantity, 0, 4);
      if (double p = money::PriceOf(row->amount, row->quantity, money::kBalanceZero)) price = Format("%.4lf", p);
    }
  } else {
    const std::string top = code_.substr(0, code_.find('-'));
    CVyRecordset name(env_.Db(), {}, {}, {"Expr1000"});
    name.Open(Format("select trim(na) from subt where trim(kno)='%s'", SqlText(top).c_str()));
    debit = NormallyDebit(top, name.IsEOF() ? std::string() : name.GetText(0));
    if (aux == 2) {
      // The opening is the year's first day: the currency's earliest rate of the year is the one to offer.
      CVyRecordset currency(env_.Db(), {}, {}, {"Expr1000"});
      currency.Open(Format("select trim(fzn) from subt where trim(kno)='%s'", SqlText(code_).c_str()));
      const std::string wno = currency.IsEOF() ? std::string() : currency.GetText(0);
      CVyRecordset rate(env_.Db(), {}, {"my1", "my2"}, {});
      rate.Open(Format("select my1,my2 from wbr where trim(wno)='%s' order by t", SqlText(wno).c_str()));
      if (!rate.IsEOF() && rate.GetDouble(0) > 0) price = Format("%.4lf", rate.GetDouble(1) / rate.GetDouble(0));
    }
  }
  focus = Focus::Amount;
  return true;
}

bool COpeningEditDlg::NormallyDebit(const std::string& topCode, const std::string& topName) {
  if (topName.find("库存股") != std::string::npos) return true;
  for (const char* credit : {"准备", "累计折旧", "累计摊销", "累计折耗", "资本", "公积", "利润", "收入", "收益"})
    if (topName.find(credit) != std::string::npos) return false;
  return topCode.empty() || topCode[0] != '2';
}

std::string COpeningEditDlg::AmountEcho() const {
  const double value = ParseNumber(Trim(amount));
  if (std::fabs(value) < 1000) return "";
  return Trim(FormatAmount(value, 0, 2, 2));
}

void COpeningEditDlg::OnQuantityOrPriceChanged() {
  if (!Filled(quantity) || !Filled(price)) return;
  amount = Format("%.2lf", ParseNumber(quantity) * ParseNumber(price));
}

void COpeningEditDlg::OnAmountChanged() {
  if (!Filled(quantity) || !Filled(amount)) return;
  double q = ParseNumber(quantity), a = ParseNumber(amount);
  if (double p = money::PriceOf(a, q, money::kBalanceZero)) price = Format("%.4lf", p);
}

namespace {

// Whether the text is refused only for holding more integer digits than the mask allows.
bool OnlyTooManyDigits(const FieldMask& mask, const std::string& text) {
  FieldMask wider = mask;
  wider.maxLength = static_cast<int>(text.size());
  return !MaskAdmitsTyping(mask, text) && MaskAdmitsTyping(wider, text);
}

}  // namespace

std::string COpeningEditDlg::Refusal() {
  if (!refusal_.empty()) return refusal_;
  // Only what the fields' masks let a user type gets through: a number, not negative (the side says debit
  // or credit), with at most two decimals for amounts and four for quantities.
  if (!MaskAdmitsTyping(AmountMask(), Trim(amount))) {
    focus = Focus::Amount;
    if (OnlyTooManyDigits(AmountMask(), Trim(amount)))
      return Format("金额太大，整数部分最多%d位，请重输!", AmountMask().maxLength);
    return "金额应为不小于零的数，最多两位小数，请重输!";
  }
  if (HasQuantity() && !MaskAdmitsTyping(QuantityMask(), Trim(quantity))) {
    focus = Focus::Quantity;
    if (OnlyTooManyDigits(QuantityMask(), Trim(quantity)))
      return Format("数量太大，整数部分最多%d位，请重输!", QuantityMask().maxLength);
    return "数量应为不小于零的数，最多四位小数，请重输!";
  }
  if (!HasQuantity() && Filled(quantity) && std::fabs(ParseNumber(quantity)) > money::kAmountZero) {
    focus = Focus::Amount;
    return "该帐户不是数量金额或外币核算，不能有数量!";
  }
  return "";
}

OpeningRow COpeningEditDlg::Row() const {
  OpeningRow row;
  row.side = debit ? 1 : -1;
  row.amount = ParseNumber(Trim(amount));  // empty counts as 0: clearing the field removes the balance
  row.quantity = HasQuantity() ? ParseNumber(Trim(quantity)) : 0;
  return row;
}

bool COpeningEditDlg::OnOk() {
  if (std::string why = Refusal(); !why.empty()) {
    ShowMessage(why);
    return false;
  }
  return SaveOpening(env_, code_, aux, Row());
}
