#include "base/input_mask.h"

#include <cctype>
#include <string_view>

#include "base/gbk.h"
#include "base/money.h"
#include "base/text.h"
#include "base/validators.h"

namespace {

std::string RemoveSpaces(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

bool NumberAdmitted(const std::string& candidate, std::string_view params, int maxLength, int decimals) {
  if (!IsNumberText(candidate, maxLength, decimals)) return false;
  std::string p = LTrim(params);
  size_t space = p.find(' ');
  std::string minimum = p.substr(0, space);
  std::string maximum = space == std::string::npos ? std::string() : RemoveSpaces(p.substr(space));
  if (minimum == "-" && maximum == "+") return true;
  double v = ParseNumber(candidate);
  if (!minimum.empty() && minimum != "-") {
    double low = ParseNumber(minimum);
    // A positive minimum cannot be enforced while the number is still being typed.
    if (low >= -money::kSignZero) {
      if (v < 0 || candidate.starts_with('-')) return false;
    } else if (v < low) {
      return false;
    }
  }
  if (!maximum.empty() && maximum != "-") {
    double high = ParseNumber(maximum);
    if (SignOf(high) < 0 && v > money::kBalanceZero) return false;
    if (SignOf(high) > 0 && v > high) return false;
  }
  return true;
}

bool CodeAdmitted(std::string candidate, const std::string& text, int caret, std::string_view params,
                  int maxLength) {
  std::string p = RemoveSpaces(params);
  char separator = p.empty() ? '-' : p[0];
  // A separator typed last is the start of the next level.
  if (static_cast<size_t>(caret) >= text.size()) candidate += '1';
  return IsCodeText(candidate, maxLength, separator);
}

// Whether pred holds for one of the characters (one or two bytes each) of text.
template <class Pred>
bool AnyChar(std::string_view text, Pred pred) {
  for (size_t i = 0; i < text.size(); i = gbk::NextChar(text, i))
    if (pred(text.substr(i, gbk::CharLength(text, i)))) return true;
  return false;
}

// Whether the character ch occurs in set as a character.
bool InSet(std::string_view ch, std::string_view set) {
  return AnyChar(set, [ch](std::string_view c) { return c == ch; });
}

bool ClassAdmits(std::string_view cls, std::string_view ch) {
  unsigned char c = static_cast<unsigned char>(ch[0]);
  bool single = ch.size() == 1;
  if (cls.starts_with("NOT")) return true;
  if (cls.starts_with("UPPERCHAR")) return single && c >= 'A' && c <= 'Z';
  if (cls.starts_with("LOWERCHAR")) return single && c >= 'a' && c <= 'z';
  if (cls.starts_with("SPACE")) return single && std::isspace(c);
  if (cls.starts_with("DIGIT")) return single && c >= '0' && c <= '9';
  if (cls.starts_with("ASCII")) return single && c < 128;
  if (cls.starts_with("CHAR_DIGIT")) return single && std::isalnum(c);
  if (cls.starts_with("CHAR")) return single && std::isalpha(c);
  return InSet(ch, cls);
}

// A STRING mask's parameters: the class of the characters admitted ("" for any) and the forbidden ones.
void StringParams(std::string_view params, std::string& cls, std::string& forbidden) {
  std::string p(params);
  while (p.find("  ") != std::string::npos) p = ReplaceAll(p, "  ", " ");
  p = LTrim(p);
  size_t space = p.find(' ');
  cls = p.substr(0, space);
  forbidden = space == std::string::npos ? std::string() : p.substr(space);
}

bool StringAdmitted(const std::string& inserted, const std::string& candidate, std::string_view params,
                    int maxLength) {
  if (maxLength > 0 && candidate.size() > static_cast<size_t>(maxLength)) return false;
  std::string cls, forbidden;
  StringParams(params, cls, forbidden);
  if (!cls.empty() && AnyChar(inserted, [&](std::string_view ch) { return !ClassAdmits(cls, ch); }))
    return false;
  // An insertion is refused only when all of it is forbidden.
  if (inserted.empty() || forbidden.empty()) return true;
  return AnyChar(inserted, [&](std::string_view ch) { return !InSet(ch, forbidden); });
}

// The mask as ValidateInsert reads it.
std::string EffectiveMask(const std::string& mask) {
  std::string m = LTrim(mask);
  if (m.starts_with("MDBSTRING")) m = "STRING NOT |[]'";
  return m;
}

}  // namespace

bool ValidateInsert(const std::string& inserted, const std::string& text, int caret, const std::string& mask,
                    int maxLength, int decimals) {
  std::string m = EffectiveMask(mask);
  if (m.empty()) return true;
  size_t at = caret < 0 ? 0 : static_cast<size_t>(caret);
  if (at > text.size()) at = text.size();
  std::string candidate = text.substr(0, at) + inserted + text.substr(at);
  std::string_view mv = m;
  if (mv.starts_with("NUMBER")) return NumberAdmitted(candidate, mv.substr(6), maxLength, decimals);
  if (mv.starts_with("CLASSNOSTRING"))
    return CodeAdmitted(candidate, text, static_cast<int>(at), mv.substr(13), maxLength);
  if (mv.starts_with("STRING")) return StringAdmitted(inserted, candidate, mv.substr(6), maxLength);
  return true;
}

bool MaskAdmitsTyping(const FieldMask& field, const std::string& text) {
  // A text mask judges each typed character by itself and the length as it grows, so the whole text is
  // judged at once: the imports check every line's texts with it.
  std::string m = EffectiveMask(field.mask);
  if (std::string_view(m).starts_with("STRING")) {
    if (field.maxLength > 0 && text.size() > static_cast<size_t>(field.maxLength)) return false;
    std::string cls, forbidden;
    StringParams(std::string_view(m).substr(6), cls, forbidden);
    return !AnyChar(text, [&](std::string_view ch) {
      return (!cls.empty() && !ClassAdmits(cls, ch)) || (!forbidden.empty() && InSet(ch, forbidden));
    });
  }
  std::string typed;
  bool refused = AnyChar(text, [&](std::string_view ch) {
    if (!ValidateInsert(std::string(ch), typed, static_cast<int>(typed.size()), field.mask, field.maxLength,
                        field.decimals))
      return true;
    typed += ch;
    return false;
  });
  return !refused;
}

bool HasCharOf(std::string_view text, std::string_view set) {
  return AnyChar(text, [set](std::string_view ch) { return InSet(ch, set); });
}
