#include "calc/calculator_dlg.h"

#include "base/text.h"
#include "calc/caculate.h"
#include "calc/calc_value.h"

CalculatorDlg::CalculatorDlg(std::string startExpression, bool canSend)
    : expression(std::move(startExpression)), canSend_(canSend) {}

void CalculatorDlg::LoadVariables(CVyDataEnv& env) {
  variables = ReadCalcVariables(env);
}

std::string CalculatorDlg::VariableLine(const CalcVariable& v) {
  std::string line = v.name + " = " + v.expression;
  if (!v.note.empty()) line += "    " + v.note;
  return line;
}

std::string CalculatorDlg::VariableInsertion(size_t index) const {
  return index < variables.size() ? "(" + variables[index].expression + ")" : "";
}

bool CalculatorDlg::OnCompute() {
  // A fresh evaluator each time: nothing of an earlier computation carries over.
  CCaculate calc;
  double value = 0;
  bool ok = calc.EvaluateNumber(expression, value);
  // Zero shows as "0": the amount format would leave the field blank, as if nothing had been computed.
  result = ok ? NumberText(value) : calc.GetError().message;
  focus = Focus::Expression;
  return ok;
}

void CalculatorDlg::OnClear() {
  expression.clear();
  result.clear();
  focus = Focus::Expression;
}

bool CalculatorDlg::OnSend() {
  if (!canSend_) return false;
  return OnCompute();
}
