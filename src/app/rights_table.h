#pragma once
// The rights that guard the menu commands: code and name, in the order the operators' dialog lists them.
#include <string>
#include <vector>

struct RightInfo {
  const char* code;
  const char* name;
};

const std::vector<RightInfo>& RightsTable();
// The right of this code, or nullptr.
const RightInfo* FindRight(const std::string& code);
// The rights text of a login (codes each followed by a blank) holds the code.
bool HoldsRight(const std::string& rights, const std::string& code);
