#include "accounts/account_full_name.h"

#include "accounts/account_code.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"

std::string FullNameOf(const std::vector<std::string>& names, int width) {
  if (names.empty()) return "";
  const std::string& own = names.back();
  const int ownLength = static_cast<int>(own.size());
  std::string text;
  for (size_t i = 0; i + 1 < names.size(); ++i) {
    const std::string& name = names[i];
    const int length = static_cast<int>(text.size() + name.size()) + ownLength;
    const bool isParent = i + 2 == names.size();
    // An ancestor above the parent leaves room for "../" and the own name after it.
    if (length + (isParent ? 1 : 4) > width) return text + "../" + own;
    text += name + "/";
    if (isParent) return text + own;
  }
  return own;
}

std::string AccountFullName(CVyDataEnv& env, const std::string& code, int width) {
  if (!IsValidCode(code)) return "";
  std::vector<std::string> codes;
  for (size_t i = 0; i < code.size(); ++i)
    if (code[i] == '-') codes.push_back(code.substr(0, i));
  codes.push_back(code);

  std::vector<std::string> names;
  for (const std::string& c : codes) {
    CVyRecordset rs(env.Db(), {}, {}, {"Expr1000"});
    rs.Open(Format("select trim(na) from subt where trim(kno)='%s'", jet::SqlText(c).c_str()));
    if (rs.IsEOF() && c == code) return "";
    // An ancestor missing from the chart shows as an empty name rather than hiding the account.
    names.push_back(rs.IsEOF() ? std::string() : rs.GetText(0));
  }
  return FullNameOf(names, width);
}
