#pragma once
// The window of 报表模板: one statement's template at a time, its settings in fields and its lines as a grid
// of texts (行次, 缩进, 左/右, 项目, 公式1, 公式2) the user edits freely; 保存 reads the grid, checks the texts
// and every formula against the chart, and stores the template, naming the row that stops it. Edits are not
// dropped unasked: choosing another statement or leaving with changes asks first.
#include <array>
#include <string>
#include <vector>

#include "statements/statement_template.h"

class CVyDataEnv;

class CTemplateDlg {
 public:
  using GridRow = std::array<std::string, 6>;
  enum GridColumn { kLineNo, kIndent, kSide, kCaption, kFormula1, kFormula2 };

  explicit CTemplateDlg(CVyDataEnv& env);

  static std::string Caption() { return "报表模板"; }
  static const std::vector<std::string>& GridCaptions();
  // Lists the statements (a file without any gets the shipped ones) and shows the first. False when the books
  // cannot be read (message shown).
  bool OnInitDialog();
  // Shows the statement of that name, or starts a new one when there is none. False when changes would be
  // lost and the user keeps them (nothing changes then).
  bool Choose(const std::string& name);
  // Adds an empty row before row at (at the end when out of range); deletes a row.
  void InsertRow(int at);
  void DeleteRow(int at);
  // 保存: the grid's rows (blank ones dropped) become the template's lines, which are checked and stored in one
  // transaction. A refusal shows its message and names the field in focus (focus "name", "check", "closed",
  // "rows" with focusRow, the grid's row) and stores nothing.
  bool OnOk();
  // Whether the window may close: true unless there are changes the user keeps when asked.
  bool CanLeave();

  std::vector<std::string> names;
  StatementTemplate form;      // the settings; its lines come from rows on 保存
  std::vector<GridRow> rows;   // the grid, as texts
  bool modified = false;       // set by the face on any edit
  bool isNew = false;          // form is not yet stored
  std::string focus;
  int focusRow = -1;

 private:
  void Show(const StatementTemplate& t);
  bool TakeRows(std::string& error);
  bool KeepChanges();

  CVyDataEnv& env_;
  std::string loaded_;  // the name the template was stored under ("" for a new one)
};
