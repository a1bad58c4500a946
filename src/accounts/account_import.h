#pragma once
// Accounts from a CSV file (columns code,name,kind,unit,multi,side,width; parents before their children):
// each line is what a user would type into the account dialog when adding that account under its parent,
// and passes the same checks and is added the same way. The whole file or nothing.
#include "io/import_run.h"

class CVyDataEnv;

ImportOutcome ImportAccounts(CVyDataEnv& env, CsvTable& table);
