#include "accounts/account_asker.h"

namespace {
AccountAsker& Asker() {
  static AccountAsker asker;
  return asker;
}
}  // namespace

void SetAccountAsker(AccountAsker asker) {
  Asker() = std::move(asker);
}

std::optional<std::string> AskAccount(int mode, const std::string& preset) {
  if (!Asker()) return std::nullopt;
  return Asker()(mode, preset);
}
