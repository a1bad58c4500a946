#pragma once
// The dialog that adds an operator or changes one's code and name ("增加操作员..." / "修改操作员...").
#include <string>

#include "data/data_env.h"
#include "base/input_mask.h"

class COperatorDlg {
 public:
  enum class Mode { Add, Modify };
  enum class Focus { None, Code, Name };

  // For Modify, code and name are the operator's as listed.
  COperatorDlg(CVyDataEnv& env, Mode mode, std::string code = "", std::string name = "");

  std::string Caption() const { return mode_ == Mode::Add ? "增加操作员..." : "修改操作员..."; }
  static FieldMask CodeMask() { return {"STRING 0123456789", 3}; }
  // A name may be typed with ' or |: 确认 refuses it with its own message.
  static FieldMask NameMask() { return {"STRING", 8}; }

  // 确认: true when the dialog closes (the operator is written then).
  bool OnOk();

  Mode mode() const { return mode_; }
  const std::string& OldCode() const { return oldCode_; }

  // Fields of the dialog.
  std::string code, name;
  bool codeEnabled = true;  // the administrator's code never changes
  Focus focus = Focus::Code;

 private:
  CVyDataEnv& env_;
  Mode mode_;
  std::string oldCode_;
};
