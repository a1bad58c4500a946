#pragma once
// Input masks: the short texts that say what may be typed into a cell or a dialog field.
//   "NUMBER [minimum [maximum]]"      maxLength = integer digits, decimals = decimal places (0: no limit)
//   "CLASSNOSTRING [separator]"       maxLength = separators allowed (negative: no limit)
//   "STRING [class [forbidden]]"      maxLength = bytes (0: no limit)
//   "MDBSTRING"                       "STRING NOT |[]'"
// An empty mask admits everything; an unknown keyword too.
#include <string>
#include <string_view>

// A dialog field's mask, as the dialog's model states it; the masked edit field takes it as it is.
struct FieldMask {
  std::string mask;
  int maxLength = 0;
  int decimals = 0;
};

// May inserted go into text at byte index caret?
bool ValidateInsert(const std::string& inserted, const std::string& text, int caret, const std::string& mask,
                    int maxLength, int decimals);

// Whether the whole text could have been typed into the empty field, one character after another. Unlike a
// single insertion of it (a paste), it is refused when any one of its characters is forbidden: models check a
// whole field's text with it.
bool MaskAdmitsTyping(const FieldMask& field, const std::string& text);

// Whether the text holds one of the characters of set. Both are read as characters, so the trail byte of a
// two-byte character ("|" is the trail byte of many) is never taken for a character of its own.
bool HasCharOf(std::string_view text, std::string_view set);

// Whether the mask holds the word (views test "NUMBER", "STRING", "CLASSNOSTRING" this way).
inline bool MaskHas(const std::string& mask, const char* word) {
  return mask.find(word) != std::string::npos;
}
