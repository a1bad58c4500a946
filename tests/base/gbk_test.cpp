#include "base/gbk.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
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
