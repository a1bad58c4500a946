#pragma once
// The dialog "会计科目打印": the whole chart (全部科目) or the sub-tree of one account (指定科目) for the
// account catalogue.
#include <string>

#include "data/data_env.h"

class CSubjectChoiceDlg {
 public:
  enum class Focus { None, Code };

  explicit CSubjectChoiceDlg(CVyDataEnv& env);

  static std::string Caption() { return "会计科目打印"; }
  // The year's chart must hold an account before the dialog is shown; false after the warning.
  static bool MayOpen(CVyDataEnv& env);
  // The characters the code field drops as they are typed or pasted.
  static std::string CleanCode(const std::string& typed);

  // 全部科目 empties and disables the code field; 指定科目 enables it.
  void ChooseAll(bool all);
  // 确认: with a code the account must have sub-accounts; true when the dialog closes, with startCode set
  // ("" for the whole chart).
  bool OnOk();

  bool all = true;
  bool codeEnabled = false;
  std::string code;
  std::string startCode;
  Focus focus = Focus::None;

 private:
  CVyDataEnv& env_;
};
