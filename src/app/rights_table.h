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
// The rights text of a login (codes each followed by a blank) holds the code. A command open to holders of
// any of several rights names them "0301|0305": holding one of them is enough.
bool HoldsRight(const std::string& rights, const std::string& code);
// The names of the rights of such a code, "三栏式帐或帐簿余额表"; an unknown code stands for itself.
std::string RightNames(const std::string& code);
