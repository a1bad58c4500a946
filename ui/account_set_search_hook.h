#pragma once
// The login dialog's 搜索 button opens the account-set dialog in its browse form. The program sets this
// hook; it returns the chosen year file's path (GBK), or nothing when the dialog was cancelled.
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

using AccountSetSearchHook = std::function<std::optional<std::string>(QWidget* parent)>;
