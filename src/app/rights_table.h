#pragma once
// The rights that guard the menu commands: code and name, in the order the operators' dialog lists them.
#include <vector>

struct RightInfo {
  const char* code;
  const char* name;
};

const std::vector<RightInfo>& RightsTable();
