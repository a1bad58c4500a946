#pragma once
// Every text value that goes into an SQL statement passes through SqlText: the value's single quotes are
// doubled, so no value can end the literal it is written into and change the statement's meaning.
// Statements keep their documented printf formats: "... where opno='%s'" with SqlText(code).c_str().
#include <string>
#include <string_view>

namespace jet {

std::string SqlText(std::string_view value);

}  // namespace jet
