#pragma once
// The embedded engine's implementations of the dialect's functions (dialect_functions.cpp names each one
// and registers it on every connection), and the number text they share.
#include <string>
#include <string_view>

struct sqlite3_context;
struct sqlite3_value;

namespace jet {

using SqlFunction = void(sqlite3_context*, int, sqlite3_value**);

// Storing into columns, the operators, the texts, the numbers and LIKE, each with its results on GBK bytes.
SqlFunction FnChar, FnText, FnLong, FnReal;
SqlFunction FnNum, FnAdd, FnAmp, FnDiv, FnIDiv, FnMod, FnPow;
SqlFunction FnTrim, FnRTrim, FnLTrim, FnLeft, FnRight, FnMid, FnLen, FnInstr, FnCStr, FnStr, FnVal, FnStrComp,
    FnUCase, FnLCase, FnSpace, FnChr, FnAsc;
SqlFunction FnInt, FnFix, FnSgn, FnAbs, FnSqr, FnCLng, FnCDbl, FnNz;
SqlFunction FnLike;

// A number as cstr$ writes it: its shortest decimal form of 15 significant digits (70, 12.5, -30).
std::string NumberText(double value);

// The leading number of a text, as val() reads it (0 for none).
double ValOf(std::string_view text);

// Pattern matching with *, ?, #, [list], [!list]; a two-byte character is one character; letters match
// either case. False for a malformed pattern.
bool LikeMatch(const std::string& value, const std::string& pattern, bool* malformed = nullptr);

}  // namespace jet
