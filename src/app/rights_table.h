#pragma once
// The rights an operator can hold: one per guarded command, in the order the rights dialog lists them.
#include <vector>

struct RightInfo {
  const char* code;  // four digits, as stored in table PWR
  const char* name;
};

const std::vector<RightInfo>& Rights();
