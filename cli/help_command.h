#pragma once
// The options a usage line names, read back from it: the help command makes the shell's completion of the
// tool from them.
#include <string>
#include <vector>

struct UsageOption {
  std::string name;                 // "--mode"
  std::vector<std::string> values;  // "auto|detail|summary" gives its three; a placeholder (M, PATH) none
  bool takesValue = false;
};
std::vector<UsageOption> UsageOptions(const std::string& usage);
