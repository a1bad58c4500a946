#include "base/input_mask.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "base/gbk.h"

namespace {

struct MaskCase {
  const char* mask;
  int maxLength, decimals;
  const char* text;
  int caret;
  const char* inserted;
  bool admitted;
};

class MaskCases : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskCases, Admits) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(ValidateInsert(c.inserted, c.text, c.caret, c.mask, c.maxLength, c.decimals), c.admitted)
      << "'" << c.mask << "' text '" << c.text << "' + '" << c.inserted << "' at " << c.caret;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, MaskCases,
    ::testing::Values(
        // Months: 1 then 2 gives 12; a third digit exceeds 12; no minus; 0 alone (the minimum waits).
        MaskCase{"NUMBER 1 12", 0, 0, "1", 1, "2", true}, MaskCase{"NUMBER 1 12", 0, 0, "12", 2, "3", false},
        MaskCase{"NUMBER 1 12", 0, 0, "", 0, "-", false}, MaskCase{"NUMBER 1 12", 0, 0, "", 0, "0", true},
        MaskCase{"NUMBER 1990 9999", 0, 0, "", 0, "1", true},
        // Three integer digits, two decimals.
        MaskCase{"NUMBER", 3, 2, "123.4", 5, "5", true}, MaskCase{"NUMBER", 3, 2, "123", 3, "4", false},
        MaskCase{"NUMBER", 3, 2, "1.23", 4, "4", false}, MaskCase{"NUMBER", 3, 2, "0.", 2, "5", true},
        MaskCase{"NUMBER", 3, 2, "", 0, "-", true}, MaskCase{"NUMBER", 3, 2, "-", 1, "7", true},
        MaskCase{"NUMBER", 3, 2, "1.2", 3, ".", false}, MaskCase{"NUMBER", 0, 0, "12", 1, "-", false},
        // The parameter is read as a minimum: non-negative numbers only.
        MaskCase{"NUMBER 0123456789.-", 0, 0, "", 0, "-", false},
        MaskCase{"NUMBER 0123456789.", 0, 0, "5", 1, ".", true},
        MaskCase{"NUMBER -100 -", 0, 0, "-1", 2, "0", true},
        MaskCase{"NUMBER -100", 0, 0, "-10", 3, "1", false}, MaskCase{"NUMBER - +", 0, 0, "-9", 2, "9", true},
        MaskCase{"NUMBER 1 %d", 0, 0, "", 0, "x", false},
        MaskCase{"  NUMBER 0 2", 0, 0, "2", 1, "1", false}));

INSTANTIATE_TEST_SUITE_P(Codes, MaskCases,
                         ::testing::Values(MaskCase{"CLASSNOSTRING", 2, 0, "101-2-", 6, "3", true},
                                           MaskCase{"CLASSNOSTRING", 2, 0, "101-2-3", 7, "-", false},
                                           MaskCase{"CLASSNOSTRING", 2, 0, "", 0, "-", false},
                                           MaskCase{"CLASSNOSTRING", 2, 0, "101-", 4, "-", false},
                                           MaskCase{"CLASSNOSTRING", 2, 0, "101", 3, "-", true},
                                           MaskCase{"CLASSNOSTRING", 2, 0, "1012", 2, "-", true},
                                           MaskCase{"CLASSNOSTRING", 2, 0, "101", 3, "a", false},
                                           MaskCase{"CLASSNOSTRING .", -1, 0, "1.2.3.4", 7, ".", true}));

INSTANTIATE_TEST_SUITE_P(Texts, MaskCases,
                         ::testing::Values(MaskCase{"STRING NOT |[]'\"", 0, 0, "ab", 2, "|", false},
                                           MaskCase{"STRING NOT |[]'\"", 0, 0, "ab", 2, " ", false},
                                           MaskCase{"STRING NOT |[]'\"", 0, 0, "ab", 2, "\"", false},
                                           MaskCase{"STRING NOT |[]'\"", 0, 0, "", 0, "a|b", true},
                                           MaskCase{"MDBSTRING", 0, 0, "x", 1, "'", false},
                                           MaskCase{"MDBSTRING", 0, 0, "x", 1, "中", true},
                                           MaskCase{"STRING", 1, 0, "", 0, "中", false},
                                           MaskCase{"STRING", 2, 0, "", 0, "中", true},
                                           MaskCase{"STRING", 3, 0, "abc", 1, "d", false},
                                           MaskCase{"STRING 0123456789.-", 0, 0, "1", 1, "a", false},
                                           MaskCase{"STRING 0123456789.-", 0, 0, "1", 1, ".5", true},
                                           MaskCase{"STRING 甲乙", 0, 0, "", 0, "乙", true},
                                           MaskCase{"STRING 甲乙", 0, 0, "", 0, "丙", false},
                                           MaskCase{"STRING UPPERCHAR", 0, 0, "", 0, "a", false},
                                           MaskCase{"STRING DIGIT", 0, 0, "", 0, "7", true},
                                           MaskCase{"STRING CHAR_DIGIT", 0, 0, "", 0, "7", true},
                                           MaskCase{"STRING CHAR", 0, 0, "", 0, "7", false},
                                           MaskCase{"STRING ASCII", 0, 0, "", 0, "中", false},
                                           MaskCase{"", 0, 0, "", 0, "|", true},
                                           MaskCase{"OTHER", 1, 0, "abc", 0, "x", true}));

struct WholeCase {
  FieldMask field;
  const char* text;
  bool admitted;
};

// A whole field's text: every character of it must be one the field lets the user type.
TEST(MaskAdmitsTyping, RefusesATextHoldingAnyRefusedCharacter) {
  const FieldMask password{"STRING NOT |[]'\"", 10};
  const FieldMask digits{"STRING 0123456789", 3};
  for (const WholeCase& c :
       {WholeCase{password, "", true}, WholeCase{password, "ab1", true},
        WholeCase{password, "縷觸", true},  // their trail bytes are "|"
        WholeCase{password, "0123456789", true}, WholeCase{password, "01234567890", false},
        WholeCase{password, "a b", false}, WholeCase{password, "a|b", false},
        WholeCase{password, "it's", false}, WholeCase{digits, "123", true}, WholeCase{digits, "1a3", false},
        WholeCase{digits, "1234", false}, WholeCase{{"NUMBER 1 12"}, "12", true},
        WholeCase{{"NUMBER 1 12"}, "13", false}, WholeCase{{"CLASSNOSTRING", 1}, "101-2", true},
        WholeCase{{"CLASSNOSTRING", 1}, "101--2", false}})
    EXPECT_EQ(MaskAdmitsTyping(c.field, c.text), c.admitted) << c.field.mask << " '" << c.text << "'";
}

// The whole text at once says what typing it character by character into the field says, for text masks.
TEST(MaskAdmitsTyping, AgreesWithTypingEachCharacter) {
  const char* pieces[] = {"a", "Z", "7", " ", "|", "'", "\"", "[", "縷", "甲", "-", "."};
  const FieldMask masks[] = {{"STRING NOT |[]'\"", 12}, {"STRING 0123456789", 5}, {"MDBSTRING", 0},
                             {"  STRING  DIGIT", 6},     {"STRING UPPERCHAR", 0}, {"STRING CHAR_DIGIT |", 8}};
  std::mt19937 rnd(11);
  for (const FieldMask& field : masks)
    for (int round = 0; round < 300; ++round) {
      std::string text;
      for (int n = static_cast<int>(rnd() % 9); n > 0; --n) text += pieces[rnd() % std::size(pieces)];
      bool typed = true;
      std::string sofar;
      for (size_t i = 0; i < text.size(); i = gbk::NextChar(text, i)) {
        std::string ch = text.substr(i, gbk::CharLength(text, i));
        typed = typed && ValidateInsert(ch, sofar, static_cast<int>(sofar.size()), field.mask, field.maxLength,
                                        field.decimals);
        sofar += ch;
      }
      EXPECT_EQ(MaskAdmitsTyping(field, text), typed) << field.mask << " '" << text << "'";
    }
}

TEST(HasCharOf, ReadsTwoByteCharactersWhole) {
  EXPECT_TRUE(HasCharOf("a|b", "'|"));
  EXPECT_TRUE(HasCharOf("it's", "'|"));
  EXPECT_FALSE(HasCharOf("縷觸", "'|"));
  EXPECT_FALSE(HasCharOf("", "'|"));
  EXPECT_TRUE(HasCharOf("乙甲", "甲"));
}

}  // namespace
