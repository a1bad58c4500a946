#pragma once
// Validators behind the input masks.
#include <string>

// A number text: optional leading "-", digits, at most one "."; limits on integer digits and decimals
// apply when above 0. "" and "-" pass.
bool IsNumberText(const std::string& text, int maxIntDigits, int maxDecimals);
// A code of digits joined by single separators; at most maxSeparators of them unless it is negative.
bool IsCodeText(const std::string& text, int maxSeparators, char separator);
// Whether the number text, stored as a double and written back with that many decimals, gives the same
// number: a quantity of 12 integer digits and 4 decimals lies beyond what a double holds exactly.
bool StoresExactly(const std::string& text, int decimals);
