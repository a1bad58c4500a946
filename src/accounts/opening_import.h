#pragma once
// Importing opening balances from CSV (columns code,side,amount,quantity; side debit or credit). Each line
// passes the checks of the opening-balance dialog of its account and is saved the way that dialog saves it;
// the file goes in whole or not at all.
#include "io/import_run.h"

class CVyDataEnv;

ImportOutcome ImportOpenings(CVyDataEnv& env, CsvTable& table);
