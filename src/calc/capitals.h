#pragma once
// Amounts written in Chinese capitals, as on cheques and vouchers, and whole numbers in Chinese digits.
#include <string>

// 1234.56 gives "壹仟贰佰叁拾肆元伍角陆分", 100 gives "壹佰元整", -12 gives "负壹拾贰元整". Amounts that
// round to less than one fen give the empty text, and so do amounts of a million million yuan or more, whose
// places have no capital unit.
std::string AmountInCapitals(double amount);
// The integer part of value with each digit written "○" "一" ... "九"; a minus sign stays: -305.7 gives
// "-三○五".
std::string DigitsInChinese(double value);
