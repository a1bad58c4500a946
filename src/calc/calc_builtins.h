#pragma once
// The evaluator's built-in functions: mathematics, rounding, progressive bands, text cutting, the date,
// amounts in capitals and digits in Chinese.
//
// Two behaviours are our own choice:
// - "val" reads the number at the start of its text (blanks, a sign, digits and one point; 0 when there is
//   none) and returns it whole, decimals included: val("12.5元") is 12.5.
// - "ln" and "log" of an argument from -money::kDomainSlack to 0 have no value (the logarithm of zero is
//   minus infinity), so they give code -15 like an argument below it.
// Results of the mathematical functions (abs ... arctg) and of "caseif" carry six decimals, like "%lf";
// a mathematical result that is not a finite number (exp(1000), ctg(0), arcsin(2)) is code -15.
#include <string>

#include "calc/calc_arguments.h"
#include "calc/calc_value.h"

enum class BuiltinResult { NotBuiltin, Done, Failed };

BuiltinResult CallBuiltin(const std::string& name, CalcArguments& args, CalcValue& result);
