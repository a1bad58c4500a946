#include "calc/calculator_dlg.h"

#include "base/text.h"
#include "calc/evaluator.h"
#include "calc/calc_value.h"

CCalculatorDlg::CCalculatorDlg(std::string startExpression, bool canSend)
    : expression(std::move(startExpression)), canSend_(canSend) {}

void CCalculatorDlg::LoadVariables(CVyDataEnv& env) {
  variables = ReadCalcVariables(env);
}

std::string CCalculatorDlg::VariableLine(const CalcVariable& v) {
  std::string line = v.name + " = " + v.expression;
  if (!v.note.empty()) line += "    " + v.note;
  return line;
}

std::string CCalculatorDlg::VariableInsertion(size_t index) const {
  return index < variables.size() ? "(" + variables[index].expression + ")" : "";
}

bool CCalculatorDlg::OnCompute() {
  // A fresh evaluator each time: nothing of an earlier computation carries over.
  CCaculate calc;
  double value = 0;
  bool ok = calc.EvaluateNumber(expression, value);
  // Zero shows as "0": the amount format would leave the field blank, as if nothing had been computed.
  result = ok ? NumberText(value) : calc.GetError().message;
  focus = Focus::Expression;
  return ok;
}

void CCalculatorDlg::OnClear() {
  expression.clear();
  result.clear();
  focus = Focus::Expression;
}

bool CCalculatorDlg::OnSend() {
  if (!canSend_) return false;
  return OnCompute();
}
