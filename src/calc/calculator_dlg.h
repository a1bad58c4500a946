#pragma once
// The calculator dialog "Tavrel计算器": the user types an expression, computes it, and — when the dialog was
// opened from a place that takes a number — sends the result back. The Qt dialog shows these fields and
// forwards the buttons.
#include <string>
#include <vector>

#include "calc/calc_variables.h"
#include "data/data_env.h"

class CCalculatorDlg {
 public:
  enum class Button { Compute, Send };
  enum class Focus { Expression };

  // canSend: the result may be sent back (only then is "&S.送数" enabled, and it is the default button).
  CCalculatorDlg(std::string startExpression, bool canSend);

  static const char* Title() { return "Tavrel计算器"; }
  static const char* ResultLabel() { return "计算结果："; }
  static const char* ComputeCaption() { return "&D.计算"; }
  static const char* ClearCaption() { return "&C.清空"; }
  static const char* SendCaption() { return "&S.送数"; }
  static const char* CancelCaption() { return "&X.取消"; }
  static const char* VariablesLabel() { return "变量（双击放入表达式）："; }

  // The stored variables of the open file, for the user to look up (files without VYVAR have none).
  void LoadVariables(CVyDataEnv& env);
  // The text that shows one variable in the list.
  static std::string VariableLine(const CalcVariable& v);
  // What choosing a variable puts into the expression at the caret: its expression in brackets, so that it
  // computes as one value whatever stands around it. "" for an index out of range.
  std::string VariableInsertion(size_t index) const;

  // "&D.计算": the result field shows the value, or the evaluator's error message. True on success.
  bool OnCompute();
  // "&C.清空".
  void OnClear();
  // "&S.送数": computes, and true (the dialog closes confirmed) only on success and when sending is allowed.
  bool OnSend();

  bool SendEnabled() const { return canSend_; }
  Button DefaultButton() const { return canSend_ ? Button::Send : Button::Compute; }

  std::string expression;
  std::string result;  // the result field; after a confirmed close, what is sent
  Focus focus = Focus::Expression;
  std::vector<CalcVariable> variables;

 private:
  bool canSend_;
};
