#pragma once
// GBK byte strings are the program's only text type. A byte of 0x80 or more starts a two-byte character.
#include <optional>
#include <string>
#include <string_view>

namespace gbk {

inline bool IsLeadByte(unsigned char c) {
  return c >= 0x80;
}

// Length in bytes of the character starting at byte i (1 or 2; 1 for a lead byte cut off at the end).
size_t CharLength(std::string_view s, size_t i);
// Byte index of the next / previous character boundary.
size_t NextChar(std::string_view s, size_t i);
size_t PrevChar(std::string_view s, size_t i);
// Whether byte index i is a character boundary (scanning from the start).
bool IsBoundary(std::string_view s, size_t i);
// The longest prefix of at most maxBytes bytes that does not split a two-byte character.
std::string Cut(std::string_view s, size_t maxBytes);
// Number of characters (a two-byte character counts once).
size_t CharCount(std::string_view s);

// Conversions at the program's edges. FromUtf8 refuses (nullopt) what GBK cannot hold or invalid UTF-8.
std::optional<std::string> FromUtf8(std::string_view utf8);
// Bytes that are not valid GBK come out as U+FFFD.
std::string ToUtf8(std::string_view gbkText);

}  // namespace gbk
