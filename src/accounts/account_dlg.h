#pragma once
// The account dialog over the chart browser: "增加新科目(帐户)..." adds a child of the browser's current
// account, "修改科目(帐户)..." changes one. Its 确认 runs the checks in their fixed order; Check() is the
// same run without a screen, which the import of accounts uses too.
#include <string>
#include <vector>

#include "accounts/account.h"
#include "base/input_mask.h"
#include "data/data_env.h"

class CAccountDlg {
 public:
  enum class Mode { Add = 1, Modify = 2 };
  enum class Focus { Code, Name, Unit, Currency, Side, Width };
  struct Refusal {
    std::string message;  // "" when accepted
    Focus focus = Focus::Code;
    bool closes = false;  // the dialog closes without saving
    explicit operator bool() const { return !message.empty(); }
  };

  // Add: parent is the account the new one goes under ("" at the top level). Modify: code is the account's.
  static CAccountDlg ForAdd(CVyDataEnv& env, const std::string& parent);
  static CAccountDlg ForModify(CVyDataEnv& env, const std::string& code, const std::string& name);

  std::string Caption() const { return mode_ == Mode::Add ? "增加新科目(帐户)..." : "修改科目(帐户)..."; }
  FieldMask CodeMask() const { return {"STRING 0123456789", static_cast<int>(ownPartLimit)}; }
  static FieldMask NameMask() { return {"MDBSTRING", 30}; }
  static FieldMask UnitMask() { return {"MDBSTRING", 10}; }

  // Reads the account's attributes (modify), the parent's multi-column flag and the currencies, and sets
  // what may be changed. Throws jet::DbError.
  void OnInitDialog();
  void OnQuantityTicked(bool ticked);
  void OnCurrencyTicked(bool ticked);
  // The width follows a changed name: a column as wide as the name.
  void OnNameChanged(const std::string& typed);

  // 确认: the checks, then the account is written. true when the dialog closes; saved tells whether it
  // was written.
  bool OnOk();
  // The checks of 确认 in their order, without showing anything; account is filled from the fields.
  Refusal Check(Account& account);
  // Writes a checked account; false (with the engine's message shown) when the database refused.
  bool Save(const Account& account);

  Mode mode() const { return mode_; }
  const std::string& Prefix() const { return prefix_; }
  // The account's code as saved.
  std::string Code() const { return prefix_ + ownPart; }

  // Fields.
  std::string ownPart, name;
  bool quantity = false, currency = false;
  std::string unit;
  std::vector<std::string> currencies;  // "%-4s %s": code, name
  std::string currencyLine;             // the chosen line of the currency list (its code up to the blank)
  bool multiColumn = false;
  int side = 0;  // 1 借方, -1 贷方
  int width = 0;
  size_t ownPartLimit = 14;
  // What may be changed.
  bool quantityEnabled = true, currencyEnabled = true, columnEnabled = false;
  bool saved = false;
  Focus focus = Focus::Code;

 private:
  CVyDataEnv& env_;
  Mode mode_;
  std::string prefix_;  // the parent and "-", or "" at the top level
  std::string parent_;
  std::string oldOwnPart_;
  int level_ = 1;
  bool parentMultiColumn_ = false;
  bool hasChildren_ = false;
  bool haveCurrencies_ = false;

  CAccountDlg(CVyDataEnv& env, Mode mode, std::string parent);
  void FillCurrencies();
  void UpdateEnabled();
};
