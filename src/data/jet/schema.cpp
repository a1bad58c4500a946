#include "data/jet/schema.h"

#include <cctype>
#include <cstdlib>

#include "base/text.h"
#include "data/jet/parser.h"

namespace jet {

const ColumnInfo* TableInfo::Find(const std::string& column) const {
  std::string want = Lower(column);
  for (auto& c : columns)
    if (Lower(c.name) == want) return &c;
  return nullptr;
}

bool IsTextType(ColType t) {
  return t == ColType::Char || t == ColType::Text || t == ColType::Memo;
}

namespace {

// Each type by its name in a declaration; a text's takes its width in brackets, except LONGTEXT's.
struct TypeName {
  ColType type;
  const char* name;  // lower case, as compared
  bool sized;
};
const TypeName kTypeNames[] = {
    {ColType::Char, "char", true},      {ColType::Text, "text", true},
    {ColType::Memo, "longtext", false}, {ColType::Long, "long", false},
    {ColType::Short, "short", false},   {ColType::Byte, "byte", false},
    {ColType::Bit, "bit", false},       {ColType::Double, "double", false},
    {ColType::Single, "single", false}, {ColType::Currency, "currency", false},
};

std::string Upper(const char* name) {
  std::string out = name;
  for (char& ch : out) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return out;
}

}  // namespace

std::string DeclaredType(const ColumnDef& c) {
  for (const TypeName& t : kTypeNames) {
    if (t.type != c.type) continue;
    std::string declared = t.sized ? Format("%s(%d)", Upper(t.name).c_str(), c.width) : Upper(t.name);
    // Texts compare without regard to trailing blanks (RTRIM), as the fixed-width columns are kept padded.
    return IsTextType(t.type) ? declared + " COLLATE RTRIM" : declared;
  }
  return "LONG";
}

bool ParseDeclaredType(const std::string& declared, ColType& type, int& width) {
  std::string d = Lower(declared);
  width = 0;
  for (const TypeName& t : kTypeNames) {
    std::string name = t.name;
    // A text's declaration goes on with its width and collation.
    bool named = t.sized              ? d.rfind(name + "(", 0) == 0
                 : IsTextType(t.type) ? d.rfind(name, 0) == 0
                                      : d == name;
    if (!named) continue;
    type = t.type;
    if (t.sized) {
      size_t open = d.find('('), close = d.find(')', open);
      width = close == std::string::npos ? 255 : std::atoi(d.substr(open + 1, close - open - 1).c_str());
    }
    return true;
  }
  return false;
}

}  // namespace jet
