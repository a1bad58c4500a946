#pragma once
// A financial statement's template: its lines (行次, caption, indentation, the side of the page it stands
// on) with one formula per figure column, the captions of the two columns, the check that must come to
// zero, and, for an income statement, the accounts its month-end closing closes and the profit account
// they close into. Templates are the account set's own: they live in the year file (tables STMT and STMTL),
// travel to the next year's file and are copied with the page settings; the ones shipped for the charts
// the program offers are CSV files under share/statements/.
#include <string>
#include <vector>

class CVyDataEnv;

struct StatementLine {
  int lineNo = 0;       // 行次; 0 for a heading without figures
  int indent = 0;       // in steps of two blanks
  int side = 0;         // 0 the left (or only) half of the page, 1 the right half
  std::string caption;  // GBK
  std::string formula[2];
};

struct StatementTemplate {
  std::string name;  // 资产负债表, 利润表, …
  std::string columns[2];
  std::string checkCaption, checkFormula;  // a figure each column must show as zero
  std::string closed;                      // codes and ranges the month-end closing closes ("" none)
  std::string profitAccount;               // where they are closed into
  std::vector<StatementLine> lines;

  bool TwoSided() const;
  // The line with this 行次, or nullptr.
  const StatementLine* Find(int lineNo) const;
};

// The names of the account set's templates, in their order.
std::vector<std::string> StatementNames(CVyDataEnv& env);
// Reads one template; false when there is none of that name.
bool LoadStatement(CVyDataEnv& env, const std::string& name, StatementTemplate& t);
// Writes a template in one transaction, replacing the one of its name (a new one goes last). False after the
// database's message was shown.
bool SaveStatement(CVyDataEnv& env, const StatementTemplate& t);
// Its statements, for a caller that runs them inside its own transaction; throws jet::DbError.
void WriteStatement(CVyDataEnv& env, const StatementTemplate& t);
// What is wrong with a template's texts before it is stored ("" nothing): lengths the tables hold, 行次
// given twice, a blank name.
std::string TemplateRefusal(const StatementTemplate& t);

// A 行次 or an indentation as typed: blank is 0, else up to four digits; false for anything else.
bool ParseLineNumber(const std::string& text, int& value);

// The CSV form of a template (UTF-8): a few lines of settings (name, columns, check, closed, profit), then
// the header line,indent,side,caption,col1,col2 and one line per statement line.
std::string TemplateCsv(const StatementTemplate& t);
// Reads that form; false with the message (naming the line) in error.
bool ParseTemplateCsv(const std::string& utf8, StatementTemplate& t, std::string& error);

// The templates shipped for a chart ("standard", "project"), read from share/statements/<chart>-*.csv.
std::vector<StatementTemplate> ShippedTemplates(const std::string& chart);
