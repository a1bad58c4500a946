#include "base/field_rule.h"

#include <cstring>

const char* const kRefusedSqlChars = "|[]'\"";
const char* const kRefusedPasswordChars = " |[]'\"";

bool HasCharOf(const std::string& text, const char* set) {
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      ++i;
      continue;
    }
    if (c != 0 && std::strchr(set, c) != nullptr) return true;
  }
  return false;
}

bool FieldAccepts(const FieldRule& rule, const std::string& text) {
  if (rule.maxBytes > 0 && text.size() > rule.maxBytes) return false;
  if (rule.refused && HasCharOf(text, rule.refused)) return false;
  if (rule.digitsOnly)
    for (char c : text)
      if (c < '0' || c > '9') return false;
  return true;
}
