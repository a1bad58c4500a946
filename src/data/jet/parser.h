#pragma once
// A recursive-descent parser of the statements the program sends. Whatever it does not understand is an
// error naming the place, never a statement of some other meaning.
#include <string>

#include "data/jet/ast.h"

namespace jet {

Statement Parse(const std::string& sql);

// Lower-case ASCII copy, for keyword and name comparisons.
std::string Lower(std::string s);

}  // namespace jet
