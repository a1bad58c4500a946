#include "base/gbk.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <optional>
#include <random>

TEST(Gbk, StepsAndCutsByCharacter) {
  std::string s = "A中B";  // 1 + 2 + 1 bytes
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(gbk::NextChar(s, 0), 1u);
  EXPECT_EQ(gbk::NextChar(s, 1), 3u);
  EXPECT_EQ(gbk::PrevChar(s, 3), 1u);
  EXPECT_FALSE(gbk::IsBoundary(s, 2));
  EXPECT_EQ(gbk::Cut(s, 2), "A");
  EXPECT_EQ(gbk::Cut(s, 3), "A中");
  EXPECT_EQ(gbk::CharCount(s), 3u);
}

TEST(Gbk, ConvertsBothWaysAndRefusesWhatGbkCannotHold) {
  auto g = gbk::FromUtf8("\xE4\xB8\xAD\xE6\x96\x87");  // UTF-8 for two Chinese characters
  ASSERT_TRUE(g);
  EXPECT_EQ(*g, "中文");
  EXPECT_EQ(gbk::ToUtf8(*g), "\xE4\xB8\xAD\xE6\x96\x87");
  EXPECT_FALSE(gbk::FromUtf8("\xF0\x9F\x98\x80"));  // an emoji
  EXPECT_FALSE(gbk::FromUtf8("\xFF"));              // not UTF-8
  EXPECT_FALSE(gbk::FromUtf8("\xE2\x82\xAC"));      // the euro sign: one byte 0x80, half a character
}

// The converter's own reading of a whole text, unreadable bytes marked one at a time: what ToUtf8 must give.
static std::string ConverterToUtf8(const std::string& text) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  std::string out;
  char buf[64];
  char* in = const_cast<char*>(text.data());
  size_t left = text.size();
  while (left > 0) {
    char* o = buf;
    size_t room = sizeof buf;
    size_t r = iconv(cd, &in, &left, &o, &room);
    out.append(buf, sizeof buf - room);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      out += "\xEF\xBF\xBD";
      ++in;
      --left;
    }
  }
  iconv_close(cd);
  return out;
}

TEST(Gbk, ToUtf8ReadsEveryTextAsTheConverterDoes) {
  std::mt19937 rng(20261207);
  // Every two-byte pair once, then random texts of ASCII, characters, stray lead bytes and bytes no
  // character begins with.
  std::string all;
  for (int lead = 0x80; lead <= 0xFF; ++lead)
    for (int trail = 0; trail <= 0xFF; ++trail) {
      std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      ASSERT_EQ(gbk::ToUtf8(pair), ConverterToUtf8(pair)) << lead << ' ' << trail;
    }
  for (int n = 0; n < 3000; ++n) {
    std::string text;
    for (int len = static_cast<int>(rng() % 12); len > 0; --len) {
      switch (rng() % 4) {
        case 0: text += static_cast<char>('0' + rng() % 75); break;
        case 1: text += static_cast<char>(0x80 + rng() % 128); break;
        default: text += static_cast<char>(0xB0 + rng() % 40), text += static_cast<char>(0xA1 + rng() % 94);
      }
    }
    ASSERT_EQ(gbk::ToUtf8(text), ConverterToUtf8(text)) << n;
  }
}

static std::string Utf8Of(char32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | cp >> 6), s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | cp >> 12), s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | cp >> 18), s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F)), s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

// Every code point, followed by each kind of thing that can come next (nothing, ASCII that is also a
// second byte of GBK, a two-byte character): a text either is refused or comes back whole, and cut at any
// character boundary it comes back as a prefix of itself — a byte the program would take for the first
// half of a character (as the euro sign's 0x80 once was) swallows what follows and fails this.
TEST(Gbk, EveryCodePointIsRefusedOrComesBackWholeWhateverFollows) {
  const std::string next[] = {"", "A", "@", "~", "款", "A款"};
  size_t taken = 0;
  for (char32_t cp = 1; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string c = Utf8Of(cp);
    for (const std::string& after : next) {
      std::string text = c + after;
      std::optional<std::string> g = gbk::FromUtf8(text);
      if (!g) continue;
      ++taken;
      ASSERT_EQ(gbk::ToUtf8(*g), text) << "U+" << std::hex << static_cast<unsigned>(cp) << " then " << after;
      for (size_t n = 0; n <= g->size(); ++n) {
        std::string back = gbk::ToUtf8(gbk::Cut(*g, n));
        ASSERT_EQ(text.compare(0, back.size(), back), 0)
            << "U+" << std::hex << static_cast<unsigned>(cp) << " then " << after << " cut at " << n;
      }
    }
  }
  EXPECT_GT(taken, 6u * 7000);  // GBK holds every character of GB 2312 and more
}
