#pragma once
// The program's own help: one HTML page (GBK) listing every menu with its commands, what each does, the
// right it needs, and the keys.
#include <functional>
#include <string>

// built tells whether the program has a command's window yet; the others are marked as not yet there.
std::string HelpPageHtml(const std::function<bool(int id)>& built);
