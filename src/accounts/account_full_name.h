#pragma once
// The display name of an account with its ancestors, cut to a width in bytes: "现金/人民币/总部", or with
// the middle left out "现金/../总部" when the names do not fit.
#include <string>
#include <vector>

#include "data/data_env.h"

// names: the trimmed names from level 1 down to the account's own. Each ancestor above the parent is kept
// while the text so far, its name, the own name and 4 more bytes fit; the parent while the text, its name,
// the own name and 1 byte fit; at the first that does not, "../" and the own name end the text.
std::string FullNameOf(const std::vector<std::string>& names, int width);

// The full name of code from SUBT; "" when the code is not in SUBT. Database errors are thrown.
std::string AccountFullName(CVyDataEnv& env, const std::string& code, int width);
