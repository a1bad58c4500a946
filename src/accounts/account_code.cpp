#include "accounts/account_code.h"

#include <algorithm>

#include "base/gbk.h"

namespace {

bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

int CodeLevel(std::string_view code) {
  return 1 + static_cast<int>(std::count(code.begin(), code.end(), '-'));
}

std::string ParentCode(std::string_view code) {
  size_t dash = code.rfind('-');
  return dash == std::string_view::npos ? std::string() : std::string(code.substr(0, dash));
}

std::string ChildPrefix(std::string_view parent) {
  return parent.empty() ? std::string() : std::string(parent) + "-";
}

std::string OwnPart(std::string_view code) {
  size_t dash = code.rfind('-');
  return std::string(dash == std::string_view::npos ? code : code.substr(dash + 1));
}

bool IsDescendantCode(std::string_view code, std::string_view ancestor) {
  return !ancestor.empty() && code.size() > ancestor.size() + 1 && code.starts_with(ancestor) &&
         code[ancestor.size()] == '-';
}

bool IsValidCode(std::string_view code) {
  if (code.empty() || code.size() > kMaxCodeLength || CodeLevel(code) > kMaxCodeLevels) return false;
  size_t start = 0;
  while (true) {
    size_t dash = code.find('-', start);
    std::string_view part = code.substr(start, dash == std::string_view::npos ? code.npos : dash - start);
    if (part.empty() || part[0] == '0' || !AllDigits(part)) return false;
    if (dash == std::string_view::npos) return true;
    start = dash + 1;
  }
}

OwnPartInput ParseOwnPart(std::string_view typed) {
  // The code field takes digits only; anything else that arrives here is refused rather than stored.
  if (!AllDigits(typed)) return {"", "注意：代码必须是数字"};
  size_t first = typed.find_first_not_of('0');
  if (first == std::string_view::npos) return {"", "代码不能为空或小于 1，请重输!"};
  return {std::string(typed.substr(first)), ""};
}

size_t OwnPartLimit(std::string_view parent) {
  if (parent.empty()) return kMaxCodeLength;
  return parent.size() >= kMaxCodeLength - 1 ? 0 : kMaxCodeLength - 1 - parent.size();
}

size_t OwnPartLimit(std::string_view code, size_t longestDescendant) {
  if (longestDescendant == 0) return OwnPartLimit(ParentCode(code));
  // Every descendant keeps its tail, so the own part may grow only by what the longest one has to spare.
  size_t own = OwnPart(code).size();
  if (longestDescendant >= kMaxCodeLength) return own;
  return own + (kMaxCodeLength - longestDescendant);
}

std::string ChildLimitRefusal(std::string_view parent) {
  if (parent.empty()) return "";
  if (CodeLevel(parent) >= kMaxCodeLevels) return "该科目级数达６级，不能再设置子科目!";
  if (parent.size() > kMaxCodeLength - 2) return "该代码长度已不够，不能再设置子科目!";
  return "";
}

AccountNameInput ParseAccountName(std::string_view typed) {
  std::string name;
  for (char c : typed)
    if (c != ' ') name += c;
  if (name.empty()) return {"", "名称不能为空，请重输!"};
  return {gbk::Cut(name, kMaxAccountName), ""};
}
