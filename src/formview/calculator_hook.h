#pragma once
// The calculator as the form views reach it: the front end installs the dialog; the views call it with
// the starting expression and whether its result may be sent back into the current cell.
#include <functional>
#include <optional>
#include <string>

// Returns the result text when the user sent it back; nothing when cancelled or when nothing may be sent.
using CalculatorRunner =
    std::function<std::optional<std::string>(const std::string& expression, bool canSend)>;

void SetCalculatorRunner(CalculatorRunner runner);
// Nothing when no calculator is installed.
std::optional<std::string> RunCalculatorDialog(const std::string& expression, bool canSend);
