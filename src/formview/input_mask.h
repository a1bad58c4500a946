#pragma once
// Input masks: the short texts that say what may be typed into a cell or a dialog field.
//   "NUMBER [minimum [maximum]]"      maxLength = integer digits, decimals = decimal places (0: no limit)
//   "CLASSNOSTRING [separator]"       maxLength = separators allowed (negative: no limit)
//   "STRING [class [forbidden]]"      maxLength = bytes (0: no limit)
//   "MDBSTRING"                       "STRING NOT |[]'"
// An empty mask admits everything; an unknown keyword too.
#include <string>

// May inserted go into text at byte index caret?
bool ValidateInsert(const std::string& inserted, const std::string& text, int caret, const std::string& mask,
                    int maxLength, int decimals);

// Whether the mask holds the word (views test "NUMBER", "STRING", "CLASSNOSTRING" this way).
inline bool MaskHas(const std::string& mask, const char* word) {
  return mask.find(word) != std::string::npos;
}
