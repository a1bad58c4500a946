#pragma once
// The row texts of the quantity-amount and multi-currency ledgers: date, voucher, summary or row kind,
// debit second value, debit amount, credit second value, credit amount (the second value is a quantity or
// a foreign amount). The balances are the view's: it adds up the lines.
#include <string>

#include "accounts/period.h"
#include "data/data_env.h"

struct QuantityQuery {
  std::string code;
  int start = 1, end = 12;
  long earlier = 0;  // rows before the start period (any state but MK '1')
  long upToEnd = 0;  // rows up to the end period
};

std::string QuantityRows(CVyDataEnv& env, const AccountingYear& year, const QuantityQuery& q);
