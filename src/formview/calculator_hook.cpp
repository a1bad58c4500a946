#include "formview/calculator_hook.h"

namespace {

CalculatorRunner& Runner() {
  static CalculatorRunner runner;
  return runner;
}

}  // namespace

void SetCalculatorRunner(CalculatorRunner runner) {
  Runner() = std::move(runner);
}

std::optional<std::string> RunCalculatorDialog(const std::string& expression, bool canSend) {
  if (!Runner()) return std::nullopt;
  return Runner()(expression, canSend);
}
