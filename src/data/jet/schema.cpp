#include "data/jet/schema.h"

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

std::string DeclaredType(const ColumnDef& c) {
  // Texts compare without regard to trailing blanks (RTRIM), as the fixed-width columns are kept padded.
  switch (c.type) {
    case ColType::Char:
      return Format("CHAR(%d) COLLATE RTRIM", c.width);
    case ColType::Text:
      return Format("TEXT(%d) COLLATE RTRIM", c.width);
    case ColType::Memo:
      return "LONGTEXT COLLATE RTRIM";
    case ColType::Long:
      return "LONG";
    case ColType::Short:
      return "SHORT";
    case ColType::Byte:
      return "BYTE";
    case ColType::Bit:
      return "BIT";
    case ColType::Double:
      return "DOUBLE";
    case ColType::Single:
      return "SINGLE";
    case ColType::Currency:
      return "CURRENCY";
  }
  return "LONG";
}

bool ParseDeclaredType(const std::string& declared, ColType& type, int& width) {
  std::string d = Lower(declared);
  width = 0;
  auto widthOf = [&](size_t open) {
    size_t close = d.find(')', open);
    if (open == std::string::npos || close == std::string::npos) return 255;
    return std::atoi(d.substr(open + 1, close - open - 1).c_str());
  };
  if (d.rfind("char(", 0) == 0) {
    type = ColType::Char;
    width = widthOf(d.find('('));
  } else if (d.rfind("text(", 0) == 0) {
    type = ColType::Text;
    width = widthOf(d.find('('));
  } else if (d.rfind("longtext", 0) == 0) {
    type = ColType::Memo;
  } else if (d == "long") {
    type = ColType::Long;
  } else if (d == "short") {
    type = ColType::Short;
  } else if (d == "byte") {
    type = ColType::Byte;
  } else if (d == "bit") {
    type = ColType::Bit;
  } else if (d == "double") {
    type = ColType::Double;
  } else if (d == "single") {
    type = ColType::Single;
  } else if (d == "currency") {
    type = ColType::Currency;
  } else {
    return false;
  }
  return true;
}

}  // namespace jet
