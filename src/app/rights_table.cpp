#include "app/rights_table.h"

const std::vector<RightInfo>& RightsTable() {
  static const std::vector<RightInfo> table = {
      {"0101", "帐务管理"},     {"0201", "按帐户录入"},         {"0202", "按日期录入"},
      {"0203", "利息计算"},     {"0204", "余额调节表"},         {"0301", "三栏式帐"},
      {"0302", "多栏式帐"},     {"0303", "数量金额式帐"},       {"0304", "复币式帐"},
      {"0305", "帐簿余额表"},   {"0306", "帐簿余额及发生额表"}, {"0307", "模糊查询帐页"},
      {"0401", "帐户目录查询"}, {"0402", "帐户目录打印"},       {"0403", "帐户设置"},
      {"0404", "年初帐户余额"}, {"0405", "外币帐户设置"},       {"0406", "外币汇率设置"},
  };
  return table;
}

const RightInfo* FindRight(const std::string& code) {
  for (const RightInfo& r : RightsTable())
    if (code == r.code) return &r;
  return nullptr;
}

namespace {
std::vector<std::string> Alternatives(const std::string& code) {
  std::vector<std::string> codes(1);
  for (char c : code) {
    if (c == '|')
      codes.emplace_back();
    else
      codes.back() += c;
  }
  return codes;
}
}  // namespace

bool HoldsRight(const std::string& rights, const std::string& code) {
  for (const std::string& one : Alternatives(code))
    if (!one.empty() && rights.find(one) != std::string::npos) return true;
  return false;
}

std::string RightNames(const std::string& code) {
  std::string names;
  for (const std::string& one : Alternatives(code)) {
    const RightInfo* r = FindRight(one);
    names += (names.empty() ? "" : "或") + (r ? std::string(r->name) : one);
  }
  return names;
}
