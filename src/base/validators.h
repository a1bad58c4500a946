#pragma once
// Validators behind the input masks.
#include <string>

// A number text: optional leading "-", digits, at most one "."; limits on integer digits and decimals
// apply when above 0. "" and "-" pass.
bool IsNumberText(const std::string& text, int maxIntDigits, int maxDecimals);
// A code of digits joined by single separators; at most maxSeparators of them unless it is negative.
bool IsCodeText(const std::string& text, int maxSeparators, char separator);
