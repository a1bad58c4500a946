#pragma once
// The one way any window asks the user for an account: the account query dialog "科目查询" in a mode, opened
// on a preset code. Parameter dialogs' 浏览... buttons and the entry views' F2 call AskAccount; the Qt front
// end installs the dialog that answers it, tests install a scripted answer.
#include <functional>
#include <optional>
#include <string>

namespace accountquery {
constexpr int kBrowse = 0;       // look only
constexpr int kLowestLevel = 1;  // choose a lowest-level account
constexpr int kAnyAccount = 2;   // choose any account
}  // namespace accountquery

using AccountAsker = std::function<std::optional<std::string>(int mode, const std::string& preset)>;

void SetAccountAsker(AccountAsker asker);
// The chosen code, or nullopt when the dialog was cancelled or nothing can ask.
std::optional<std::string> AskAccount(int mode, const std::string& preset);
