#pragma once
// What a dialog's single-line text field admits: a length in bytes, digits only, and characters it refuses.
// Fields whose text goes into the program's SQL refuse | [ ] ' and the double quotation mark.
#include <cstddef>
#include <string>

struct FieldRule {
  size_t maxBytes = 0;  // 0: no limit
  bool digitsOnly = false;
  const char* refused = "";  // single-byte characters the field refuses
};

// The characters refused by fields whose text goes into SQL.
extern const char* const kRefusedSqlChars;
// The same and the blank: a password is compared with the stored one, which loses its end blanks.
extern const char* const kRefusedPasswordChars;

// Whether the whole text (GBK) may stand in a field of this rule.
bool FieldAccepts(const FieldRule& rule, const std::string& text);
// Whether the text holds one of the single-byte characters of set. The trail byte of a two-byte character
// is never taken for one of them ("|" is the trail byte of many GBK characters).
bool HasCharOf(const std::string& text, const char* set);
