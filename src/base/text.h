#pragma once
// Text and number routines shared by every view and dialog. All texts are GBK.
#include <string>
#include <string_view>

// printf into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Amount text: see FormatAmount's rules in text.cpp (grouping by three, zero as blanks, "*" overflow).
std::string FormatAmount(double value, int width, int minDecimals, int maxDecimals);
// 1 above money::kSignZero, -1 below its negative, else 0.
int SignOf(double x);
// The number of a text a NUMBER mask admits (money::TypedNumber), else 0.
double ParseNumber(const std::string& text);
// 28..31 for months 1..12 (Gregorian), -1 otherwise.
int DaysInMonth(int year, int month);
// Every occurrence of find replaced, left to right, without rescanning replaced text.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// Blanks (spaces only) removed at both ends / at the right / at the left.
std::string Trim(std::string_view s);
std::string RTrim(std::string_view s);
std::string LTrim(std::string_view s);

// Whether the text holds a control character (a byte below 0x20, or 0x7F): line feed, carriage return, tab
// and the like split a stored text's line or cell wherever it is shown. GBK trail bytes are never below
// 0x40, so a two-byte character is never taken for one.
bool HasControlChar(std::string_view text);
