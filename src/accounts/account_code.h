#pragma once
// Account codes and names. A code is a list of levels joined by "-" (101-3-12), each level a positive whole
// number without leading zeros; at most 14 bytes and 6 levels. The parent of 101-3-12 is 101-3; the
// descendants of P are the codes that begin with P followed by "-", which is also what the SQL pattern
// trim(kno) like 'P-*' selects. Only lowest-level accounts carry postings and opening balances.
#include <cstddef>
#include <string>
#include <string_view>

constexpr size_t kMaxCodeLength = 14;
constexpr int kMaxCodeLevels = 6;
constexpr size_t kMaxAccountName = 30;

// 1 for a top-level code, else 1 + the number of "-".
int CodeLevel(std::string_view code);
// The code without its last "-" and what follows; "" for a top-level code.
std::string ParentCode(std::string_view code);
// What a child's own part is written after: the parent and "-", or "" at the top level.
std::string ChildPrefix(std::string_view parent);
// The part after the last "-" (the whole code at the top level).
std::string OwnPart(std::string_view code);
// Whether code lies anywhere below ancestor (101-1-2 below 101 and below 101-1; 101-1 not below 10).
bool IsDescendantCode(std::string_view code, std::string_view ancestor);
// A well-formed code: within the length and level limits, every part a positive number without leading
// zeros. Codes that reach a LIKE pattern are tested with this first, so "*", "?" and "#" never do.
bool IsValidCode(std::string_view code);

// The own part the user typed, as it is stored: leading zeros removed ("007" is 7). refusal is empty when
// the part is accepted.
struct OwnPartInput {
  std::string part;
  std::string refusal;
};
OwnPartInput ParseOwnPart(std::string_view typed);

// The longest own part a new child of parent may have, so that parent + "-" + part stays within 14 bytes;
// 14 at the top level, 0 when no child fits.
size_t OwnPartLimit(std::string_view parent);
// The same for renaming an account that has descendants: the longest descendant code must still fit.
// longestDescendant is 0 when the account has none.
size_t OwnPartLimit(std::string_view code, size_t longestDescendant);

// Why parent can take no child because of its level or the length of its code; "" when it can.
std::string ChildLimitRefusal(std::string_view parent);

// The name the user typed, as it is stored: every blank removed, at most 30 bytes (a two-byte character is
// never split). refusal is empty when the name is accepted.
struct AccountNameInput {
  std::string name;
  std::string refusal;
};
AccountNameInput ParseAccountName(std::string_view typed);
