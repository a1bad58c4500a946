#pragma once
// A statement worked out: every line's figures from its formulas over the books of one month. A formula is
// the calculator's expression with the statement functions (StatementFunctionHelp) over accounts and over
// other lines; a formula that fails leaves its cell blank and names the line and the reason, and the check
// (资产总计 = 负债和所有者权益总计) is worked out and shown whatever it comes to.
#include <array>
#include <string>
#include <vector>

#include "base/money.h"
#include "statements/statement_figures.h"
#include "statements/statement_template.h"

struct StatementCell {
  bool blank = true;  // no formula, or a formula that failed
  money::Cents value = 0;
};

struct StatementResult {
  StatementTemplate form;
  int month = 0;
  std::vector<std::array<StatementCell, 2>> cells;  // one pair per line of form.lines
  std::array<StatementCell, 2> check;                // blank when the template has no check
  // "行次 4 期末余额：科目表中没有科目1999" for each formula that failed, in the order of the lines.
  std::vector<std::string> errors;
};

// The statement of a month (1..12) from figures read once.
StatementResult ComputeStatement(const StatementTemplate& form, int month, const StatementFigures& figures);

// What is wrong with a template's formulas against a chart ("" nothing): each formula is worked out for
// December and the first failure is named with its line.
std::string FormulaRefusal(const StatementTemplate& form, const StatementFigures& figures);

// The functions a formula may call, one line each, for the template window and `help statement`.
const std::vector<std::string>& StatementFunctionHelp();

// The templates shipped for the chart the books were set up with: the first chart whose templates name only
// accounts this one has; none when no chart's do.
std::vector<StatementTemplate> FittingShippedTemplates(CVyDataEnv& env);
// The account set's statements; a year file that has none gets the templates shipped for the chart its
// books were set up with and keeps them.
std::vector<std::string> StatementNamesInstalling(CVyDataEnv& env);
