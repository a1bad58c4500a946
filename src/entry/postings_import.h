#pragma once
// tavrel-cli import postings: lines date,account,summary,debit,credit,mark,quantity. Each line passes the
// checks entry by date makes before it writes a row and is written the way entry writes it; the line
// numbers of a day and account continue after the rows that day and account already have. The whole file
// goes in one transaction through one prepared statement.
// The file's rows are one-sided like the windows' rows: each day it touches that does not balance in the
// books afterwards is named in the outcome's notes; with balanced, such a day refuses the whole file.
#include "io/import_run.h"

ImportOutcome ImportPostings(CVyDataEnv& env, CsvTable& table, bool balanced = false);
