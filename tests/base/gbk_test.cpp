#include "base/gbk.h"

#include <gtest/gtest.h>

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
