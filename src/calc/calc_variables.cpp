#include "calc/calc_variables.h"

#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

bool HasCalcVariables(CVyDataEnv& env) {
  return env.IsOpen() && env.Db()->HasTable("VYVAR");
}

std::vector<CalcVariable> ReadCalcVariables(CVyDataEnv& env) {
  std::vector<CalcVariable> variables;
  if (!HasCalcVariables(env)) return variables;
  CVyRecordset rs(env.Db(), {"NTYPE"}, {}, {"Expr1000", "Expr1001", "Expr1002"});
  rs.Open("SELECT RTRIM(SVAR),RTRIM(SEXP),RTRIM(SNOTE),NTYPE FROM VYVAR");
  for (; !rs.IsEOF(); rs.MoveNext())
    variables.push_back({rs.GetText(0), rs.GetText(1), rs.GetText(2), rs.GetLong(0)});
  return variables;
}

bool RewriteCalcVariables(CVyDataEnv& env, const std::vector<CalcVariable>& variables) {
  if (!HasCalcVariables(env)) return false;
  return env.RunInTransaction([&] { WriteCalcVariables(env, variables); });
}

void WriteCalcVariables(CVyDataEnv& env, const std::vector<CalcVariable>& variables) {
  env.Execute("DELETE FROM VYVAR");
  for (const CalcVariable& v : variables)
    env.Execute(Format("INSERT INTO VYVAR(SVAR,SEXP,SNOTE,NTYPE) VALUES('%s','%s','%s','%d')",
                       SqlText(v.name).c_str(), SqlText(v.expression).c_str(), SqlText(v.note).c_str(),
                       v.type));
}

void MakeCalcVariablesTableLike(CVyDataEnv& env, jet::Database& source) {
  if (HasCalcVariables(env)) return;
  auto width = [&](const char* column) {
    int declared = source.TextWidth("VYVAR", column);
    return declared > 0 ? declared : 255;
  };
  env.Execute(Format("CREATE TABLE VYVAR(SVAR CHAR(%d),SEXP CHAR(%d),SNOTE CHAR(%d),NTYPE LONG)",
                     width("SVAR"), width("SEXP"), width("SNOTE")));
}
