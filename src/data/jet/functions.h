#pragma once
// The dialect's functions, registered on every connection, and the number text they share.
#include <string>
#include <string_view>

struct sqlite3;

namespace jet {

void RegisterFunctions(sqlite3* db);

// A number as cstr$ writes it: its shortest decimal form of 15 significant digits (70, 12.5, -30).
std::string NumberText(double value);

// The leading number of a text, as val() reads it (0 for none).
double ValOf(std::string_view text);

// Pattern matching with *, ?, #, [list], [!list]; a two-byte character is one character; letters match
// either case. False for a malformed pattern.
bool LikeMatch(const std::string& value, const std::string& pattern, bool* malformed = nullptr);

}  // namespace jet
