#pragma once
// Dates are texts 'YYYYMMDD' (month keys 'YYYYMM'), compared as texts.
#include <string>

// "%4d%2d%2d" with every blank replaced by "0".
std::string MakeDate(int year, int month, int day);
// "%4d%2d" with every blank replaced by "0".
std::string MakeMonthKey(int year, int month);
// Reads 'YYYYMMDD'; false when the text is not eight digits.
bool SplitDate(const std::string& date, int& year, int& month, int& day);
