#include "base/pinyin.h"

#include <cctype>

#include "base/gbk.h"

namespace {

// The first code of each initial's range in GB2312's first level (B0A1-D7F9); i, u and v begin no syllable.
struct Start {
  unsigned code;
  char initial;
};
constexpr Start kStarts[] = {
    {0xB0A1, 'a'}, {0xB0C5, 'b'}, {0xB2C1, 'c'}, {0xB4EE, 'd'}, {0xB6EA, 'e'}, {0xB7A2, 'f'},
    {0xB8C1, 'g'}, {0xB9FE, 'h'}, {0xBBF7, 'j'}, {0xBFA6, 'k'}, {0xC0AC, 'l'}, {0xC2E8, 'm'},
    {0xC4C3, 'n'}, {0xC5B6, 'o'}, {0xC5BE, 'p'}, {0xC6DA, 'q'}, {0xC8BB, 'r'}, {0xC8F6, 's'},
    {0xCBFA, 't'}, {0xCDDA, 'w'}, {0xCEF4, 'x'}, {0xD1B9, 'y'}, {0xD4D1, 'z'},
};
constexpr unsigned kLastCommon = 0xD7F9;

}  // namespace

std::string PinyinInitials(const std::string& gbk) {
  std::string out;
  for (size_t i = 0; i < gbk.size(); i = gbk::NextChar(gbk, i)) {
    const unsigned char c = static_cast<unsigned char>(gbk[i]);
    if (c < 0x80) {
      if (std::isalnum(c)) out += static_cast<char>(std::tolower(c));
      continue;
    }
    if (i + 1 >= gbk.size()) break;
    const unsigned code = c << 8 | static_cast<unsigned char>(gbk[i + 1]);
    if (code < kStarts[0].code || code > kLastCommon) continue;
    char initial = kStarts[0].initial;
    for (const Start& s : kStarts)
      if (code >= s.code) initial = s.initial;
    out += initial;
  }
  return out;
}
