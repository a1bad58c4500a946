#pragma once
// The options of a report are read as strictly as the fields of its parameter dialog: each kind's usage
// text names its options with a placeholder (D a date, M a month, C an account code …), and the value given
// must be one the dialog's field would let a user type. A refusal names the option.
#include <string>

#include "cli_support.h"

class CVyDataEnv;

// The first option of the command line that the kind does not take, or whose value its field refuses:
// the message, "" when every option is sound. usage is the kind's option text, flags its options without
// a value.
std::string ReportOptionRefusal(const std::string& usage, const CliOptions& options);
// Every code given must name an account of the open year's chart: "" when each does.
std::string ReportCodeRefusal(CVyDataEnv& env, const std::string& usage, const CliOptions& options);
