#pragma once
// The opening balance of one lowest-level account (window title "帐户：" and the code). An ordinary account
// takes a side and an amount; a quantity-amount or foreign-currency account takes a side and three fields —
// quantity, price, amount (数量, 单价, 金额) or foreign amount, rate, amount in the home currency (外币,
// 汇率, 本位币) — where quantity × price gives the amount and amount ÷ quantity the price.
#include <string>

#include "accounts/opening_balance.h"
#include "base/input_mask.h"
#include "data/data_env.h"

class COpeningEditDlg {
 public:
  enum class Focus { None, Amount, Quantity, Price };

  COpeningEditDlg(CVyDataEnv& env, std::string code);

  // Reads the account's kind and its opening row into the fields; false when code is not a lowest-level
  // account (Refusal says why). Without a row yet, the side is the one the account's balance normally has
  // (NormalSide) and a currency account's rate is the currency's first rate of the year. Database errors are
  // thrown.
  bool OnInitDialog();
  // The side on which an account's balance normally stands, from its level-1 account: credit for
  // liabilities (codes 2…), owners' equity, income and the allowances and accumulated depreciation that
  // reduce an asset (累计折旧, 坏账准备 …); debit otherwise (库存股 included).
  static bool NormallyDebit(const std::string& topCode, const std::string& topName);
  // The amount as the books print it ("1,234,567.50"), beside the field; "" below a thousand.
  std::string AmountEcho() const;
  // 确认: checks the fields, then saves as one transaction; true when the dialog closes.
  bool OnOk();
  // The fields' checks without showing anything: the message, with focus on the field at fault; "" when
  // they pass.
  std::string Refusal();
  // The opening row the fields describe (after Refusal passed).
  OpeningRow Row() const;

  // Quantity or price typed: with both filled, the amount becomes quantity × price.
  void OnQuantityOrPriceChanged();
  // Amount typed: with the quantity filled, the price becomes amount ÷ quantity.
  void OnAmountChanged();

  std::string Title() const { return "帐户：" + code_; }
  bool HasQuantity() const { return aux != 0; }
  std::string SideCaption() const { return HasQuantity() ? "金额方向" : "方向"; }
  std::string QuantityLabel() const { return aux == 2 ? "外  币" : "数  量"; }
  std::string PriceLabel() const { return aux == 2 ? "汇  率" : "单  价"; }
  std::string AmountLabel() const { return HasQuantity() ? (aux == 2 ? "本位币" : "金  额") : "余额"; }
  static FieldMask AmountMask() { return {"NUMBER 0", 12, 2}; }
  static FieldMask QuantityMask() { return {"NUMBER 0", 12, 4}; }
  static FieldMask PriceMask() { return {"NUMBER 0", 12, 4}; }

  const std::string& Code() const { return code_; }
  int aux = 0;  // SUBT.FZ
  bool debit = true;
  std::string amount, quantity, price;
  Focus focus = Focus::None;

 private:
  CVyDataEnv& env_;
  std::string code_;
  std::string refusal_;
};
