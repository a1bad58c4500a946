#include "base/gbk.h"

#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

namespace gbk {

size_t CharLength(std::string_view s, size_t i) {
  if (i >= s.size()) return 0;
  if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) return 2;
  return 1;
}

size_t NextChar(std::string_view s, size_t i) {
  if (i >= s.size()) return s.size();
  return i + CharLength(s, i);
}

size_t PrevChar(std::string_view s, size_t i) {
  if (i == 0) return 0;
  if (i > s.size()) i = s.size();
  size_t pos = 0, prev = 0;
  while (pos < i) {
    prev = pos;
    pos = NextChar(s, pos);
  }
  return prev;
}

bool IsBoundary(std::string_view s, size_t i) {
  size_t pos = 0;
  while (pos < i) pos = NextChar(s, pos);
  return pos == i;
}

std::string Cut(std::string_view s, size_t maxBytes) {
  if (s.size() <= maxBytes) return std::string(s);
  size_t pos = 0;
  while (pos < s.size()) {
    size_t next = NextChar(s, pos);
    if (next > maxBytes) break;
    pos = next;
  }
  return std::string(s.substr(0, pos));
}

size_t CharCount(std::string_view s) {
  size_t n = 0;
  for (size_t pos = 0; pos < s.size(); pos = NextChar(s, pos)) ++n;
  return n;
}

namespace {

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// One converter per direction and thread, opened at its first use: opening one costs far more than
// converting a short text, and the imports convert every field of every line.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Reset() {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return cd_;
  }

 private:
  iconv_t cd_;
};

// Runs iconv over the whole input into out; returns false when a character cannot be converted.
bool Convert(Converter& converter, std::string_view in, std::string& out, bool replaceBad) {
  out.clear();
  if (!converter.Ok()) return false;
  iconv_t cd = converter.Reset();
  char buf[1024];
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  while (inLeft > 0) {
    char* outPtr = buf;
    size_t outLeft = sizeof buf;
    size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buf, sizeof buf - outLeft);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      if (!replaceBad) return false;
      // Skip one offending byte and mark it.
      out += "\xEF\xBF\xBD";
      ++inPtr;
      --inLeft;
    }
  }
  return true;
}

}  // namespace

namespace {

// Every byte of 0x80 or more must start a two-byte character. The converter writes the euro sign as the
// single byte 0x80, which the program would read as the first half of a character.
bool WellFormed(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) continue;
    if (c == 0x80 || c == 0xFF || i + 1 >= s.size()) return false;
    unsigned char t = static_cast<unsigned char>(s[++i]);
    if (t < 0x40 || t == 0x7F || t == 0xFF) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> FromUtf8(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  thread_local Converter converter("GBK", "UTF-8");
  std::string out;
  if (!Convert(converter, utf8, out, false) || !WellFormed(out)) return std::nullopt;
  // The converter drops some characters without a word (the tag characters U+E0000 to U+E007F): what does
  // not read back as it was given is refused, never stored changed.
  if (ToUtf8(out) != utf8) return std::nullopt;
  return out;
}

namespace {

// GBK to UTF-8 a character at a time, each character's UTF-8 kept in a table the first time the converter
// gives it: reports send tens of thousands of cells through here, and a look-up costs far less than a
// call into the converter. An entry holds its length in the top byte (0x80 alone: not a character) and
// up to three bytes below; 0 means not looked up yet. Filling an entry twice writes the same value.
constexpr uint32_t kNotAChar = 0x80000000u;
std::atomic<uint32_t> twoByteChars[1 << 16];
std::atomic<uint32_t> oneByteChars[1 << 8];

uint32_t Entry(std::atomic<uint32_t>& slot, std::string_view bytes) {
  uint32_t e = slot.load(std::memory_order_relaxed);
  if (e) return e;
  thread_local Converter converter("UTF-8", "GBK");
  std::string out;
  e = kNotAChar;
  if (Convert(converter, bytes, out, false) && !out.empty() && out.size() <= 3) {
    e = static_cast<uint32_t>(out.size()) << 24;
    for (size_t i = 0; i < out.size(); ++i) e |= static_cast<uint32_t>(static_cast<unsigned char>(out[i])) << (8 * i);
  }
  slot.store(e, std::memory_order_relaxed);
  return e;
}

bool Append(uint32_t e, std::string& out) {
  if (e == kNotAChar) return false;
  for (uint32_t i = 0, n = e >> 24; i < n; ++i) out += static_cast<char>(e >> (8 * i) & 0xFF);
  return true;
}

}  // namespace

// As the converter reads a text: a byte that is a character by itself, else a character of two bytes,
// else one byte that is marked as unreadable before reading goes on after it.
std::string ToUtf8(std::string_view gbkText) {
  if (IsAscii(gbkText)) return std::string(gbkText);
  std::string out;
  out.reserve(gbkText.size() * 3 / 2);
  for (size_t i = 0; i < gbkText.size();) {
    const unsigned char c = static_cast<unsigned char>(gbkText[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else if (Append(Entry(oneByteChars[c], gbkText.substr(i, 1)), out)) {
      ++i;
    } else if (i + 1 < gbkText.size() &&
               Append(Entry(twoByteChars[c << 8 | static_cast<unsigned char>(gbkText[i + 1])],
                            gbkText.substr(i, 2)),
                      out)) {
      i += 2;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

}  // namespace gbk
