#pragma once
// The calculator's stored variables (table VYVAR of the year file). Files made by this program have no such
// table; only files that have it keep variables. The evaluator itself does not use them.
#include <string>
#include <vector>

#include "data/data_env.h"

struct CalcVariable {
  std::string name;        // SVAR
  std::string expression;  // SEXP
  std::string note;        // SNOTE
  int type = 0;            // NTYPE
};

bool HasCalcVariables(CVyDataEnv& env);
// The variables in the order the file returns them; none when the file has no VYVAR. Database errors are
// thrown.
std::vector<CalcVariable> ReadCalcVariables(CVyDataEnv& env);
// Replaces the whole table with variables, in one transaction: afterwards the file holds exactly these, or,
// when a statement fails, exactly what it held before (the engine's message is shown). False also for a
// file without VYVAR, which is never created here.
bool RewriteCalcVariables(CVyDataEnv& env, const std::vector<CalcVariable>& variables);
// The statements of that rewrite, for a caller that runs them inside its own transaction; throws
// jet::DbError.
void WriteCalcVariables(CVyDataEnv& env, const std::vector<CalcVariable>& variables);
// Gives a file without VYVAR the table, its texts as wide as those of the file the variables come from, so
// that variables copied from there fit. Nothing happens to a file that has it.
void MakeCalcVariablesTableLike(CVyDataEnv& env, jet::Database& source);
