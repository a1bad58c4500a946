#pragma once
// The program's own help: one HTML page (GBK) listing every menu with its commands, what each does, the
// right it needs, and the keys.
#include <string>

std::string HelpPageHtml();
