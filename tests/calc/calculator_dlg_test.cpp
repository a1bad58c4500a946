#include "calc/calculator_dlg.h"

#include <gtest/gtest.h>

namespace {

TEST(CCalculatorDlg, ComputesAndShowsErrorsInTheResultField) {
  struct Case {
    const char* expression;
    bool ok;
    const char* result;
  } cases[] = {
      {"1/3", true, "0.333333"},
      {"2*3", true, "6"},
      {"1234.5+1000", true, "2234.5"},  // no grouping in the result
      {"1-1", true, "0"},               // zero is a result, not an empty field
      {"-2.5*2", true, "-5"},
      {"(1+2", false, "括号出错！"},
      {"10/0", false, "除数为零！"},
      {"\"abc\"", false, "数据类型不匹配！"},  // the calculator wants a number
      {"", false, "符号出错！"},
  };
  for (const Case& c : cases) {
    CCalculatorDlg dlg(c.expression, false);
    EXPECT_EQ(dlg.OnCompute(), c.ok) << c.expression;
    EXPECT_EQ(dlg.result, c.result) << c.expression;
    EXPECT_EQ(dlg.focus, CCalculatorDlg::Focus::Expression);
  }
}

TEST(CCalculatorDlg, SendsOnlyWhenAllowedAndOnlyAGoodResult) {
  CCalculatorDlg fromMenu("1+2", false);
  EXPECT_FALSE(fromMenu.SendEnabled());
  EXPECT_EQ(fromMenu.DefaultButton(), CCalculatorDlg::Button::Compute);
  EXPECT_FALSE(fromMenu.OnSend());

  CCalculatorDlg fromCell("100+23.5\n+1", true);
  EXPECT_TRUE(fromCell.SendEnabled());
  EXPECT_EQ(fromCell.DefaultButton(), CCalculatorDlg::Button::Send);
  EXPECT_TRUE(fromCell.OnSend());
  EXPECT_EQ(fromCell.result, "124.5");

  fromCell.expression = "1/0";
  EXPECT_FALSE(fromCell.OnSend());
  EXPECT_EQ(fromCell.result, "除数为零！");

  fromCell.OnClear();
  EXPECT_EQ(fromCell.expression, "");
  EXPECT_EQ(fromCell.result, "");
}

TEST(CCalculatorDlg, OffersTheStoredVariablesAsBracketedExpressions) {
  CCalculatorDlg dlg("", false);
  dlg.variables = {{"rate", "0.05*2", "年利率", 1}, {"base", "100", "", 0}};
  EXPECT_EQ(CCalculatorDlg::VariableLine(dlg.variables[0]), "rate = 0.05*2    年利率");
  EXPECT_EQ(CCalculatorDlg::VariableLine(dlg.variables[1]), "base = 100");
  dlg.expression = "1000*" + dlg.VariableInsertion(0);
  EXPECT_TRUE(dlg.OnCompute());
  EXPECT_EQ(dlg.result, "100");
  EXPECT_EQ(dlg.VariableInsertion(2), "");
}

}  // namespace
