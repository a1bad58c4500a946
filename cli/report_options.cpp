// Report options checked by the masks of the dialog fields they stand for.
#include "report_options.h"

#include <map>
#include <vector>

#include "accounts/account_code.h"
#include "accounts/chart_queries.h"
#include "base/date_fields.h"
#include "base/input_mask.h"
#include "base/text.h"
#include "base/validators.h"
#include "interest/interest_dlg.h"
#include "interest/reconcile_dlg.h"
#include "reports/fuzzy_query_dlg.h"

namespace {

// Options every report takes, whatever its kind.
const char* const kCommon[] = {"format", "output", "force", "printer", "operator", "head"};

// The kind's options with their placeholders ("" for a flag), read from its usage text.
std::map<std::string, std::string> OptionsOf(const std::string& usage) {
  std::vector<std::string> words;
  std::string word;
  for (char c : usage + " ") {
    if (c == '[' || c == ']') continue;
    if (c != ' ') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  std::map<std::string, std::string> out;
  for (size_t i = 0; i < words.size(); ++i) {
    if (!words[i].starts_with("--")) continue;
    bool valued = i + 1 < words.size() && !words[i + 1].starts_with("--");
    out[words[i].substr(2)] = valued ? words[i + 1] : "";
  }
  for (const char* c : kCommon) out.emplace(c, "");
  return out;
}

bool HasDigit(const std::string& text) {
  return text.find_first_of("0123456789") != std::string::npos;
}

// What is wrong with a value for its placeholder, "" when its dialog field would take it.
std::string ValueRefusal(const std::string& placeholder, const std::string& v) {
  if (placeholder == "D") {
    bool ok = v.size() == 8 && MaskAdmitsTyping(DateFields::YearMask(), v.substr(0, 4)) &&
              MaskAdmitsTyping(DateFields::PartMask(), v.substr(4, 2)) &&
              MaskAdmitsTyping(DateFields::PartMask(), v.substr(6, 2));
    return ok ? "" : "应为 YYYYMMDD 形式的日期（8 位数字）";
  }
  if (placeholder == "M")
    return !v.empty() && MaskAdmitsTyping(DateFields::PartMask(), v) ? "" : "应为月份（一到两位数字）";
  if (placeholder == "Y")
    return v.size() == 4 && MaskAdmitsTyping(DateFields::YearMask(), v) ? "" : "应为四位数字的年份";
  if (placeholder == "C")
    return MaskAdmitsTyping(CInterestDlg::CodeMask(), v) && IsValidCode(v)
               ? ""
               : "不合帐户代码的规则（各级为不以 0 开头的数字，以“-”相连，最多 14 个字符、6 级）";
  if (placeholder == "A" || placeholder == "B")
    return MaskAdmitsTyping(CFuzzyQueryDlg::AmountMask(), v) && IsNumberText(v, 0, 0) && HasDigit(v)
               ? ""
               : "应为金额（数字，可带小数点和负号，不带千分位逗号）";
  if (placeholder == "R")
    return MaskAdmitsTyping(CInterestDlg::RateMask(), v) && HasDigit(v) ? "" : "应为不小于零的利率数字";
  if (placeholder == "BALANCE")
    return MaskAdmitsTyping(CReconcileDlg::BalanceMask(), v) && HasDigit(v)
               ? ""
               : "应为金额（数字，可带小数点和负号，不带千分位逗号）";
  if (placeholder == "T")
    return MaskAdmitsTyping(CFuzzyQueryDlg::SummaryMask(), v) && !HasControlChar(v)
               ? ""
               : "最多 40 个字节，不能含有 | [ ] ' \" 和控制字符";
  if (placeholder.find('|') != std::string::npos) {
    std::string choices = "|" + placeholder + "|";
    return choices.find("|" + v + "|") != std::string::npos && !v.empty()
               ? ""
               : "应为 " + ReplaceAll(placeholder, "|", "、") + " 之一";
  }
  return "";
}

std::string Refused(const std::string& name, const std::string& value, const std::string& why) {
  return "选项 --" + name + " 的值“" + value + "”不对：" + why + "。";
}

}  // namespace

std::string ReportOptionRefusal(const std::string& usage, const CliOptions& options) {
  const std::map<std::string, std::string> known = OptionsOf(usage);
  for (const auto& [name, value] : options.values) {
    auto it = known.find(name);
    if (it == known.end()) return "这种报表没有选项 --" + name + "。";
    if (std::string why = ValueRefusal(it->second, value); !why.empty()) return Refused(name, value, why);
  }
  return "";
}

std::string ReportCodeRefusal(CVyDataEnv& env, const std::string& usage, const CliOptions& options) {
  for (const auto& [name, placeholder] : OptionsOf(usage))
    if (placeholder == "C" && options.Has(name) && CountCode(env, options.Get(name)) < 1)
      return Refused(name, options.Get(name), "科目表中没有这个帐户");
  return "";
}
