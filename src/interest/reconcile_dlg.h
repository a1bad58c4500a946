#pragma once
// The parameter dialog "Tavrel软件(余额调节)" of 余额调节表: the period, a lowest-level account and the
// counter-party's balance.
#include <string>

#include "base/input_mask.h"
#include "data/data_env.h"
#include "base/date_fields.h"

struct ReconcileParams {
  std::string start, end;  // 'YYYYMMDD'
  std::string code;
  double otherBalance = 0;  // the counter-party's balance, as typed
  bool operator==(const ReconcileParams&) const = default;
};

class CReconcileDlg {
 public:
  enum class Focus { None, StartYear, StartMonth, StartDay, EndYear, EndMonth, EndDay, Code, Balance };

  explicit CReconcileDlg(CVyDataEnv& env);

  static std::string Caption() { return "Tavrel软件(余额调节)"; }
  static std::string Heading() { return "输入下列条件"; }
  static FieldMask CodeMask() { return {"CLASSNOSTRING", 5}; }
  // A balance may be negative (an overdraft).
  static FieldMask BalanceMask() { return {"NUMBER - +", 0}; }
  static constexpr int kCodeLength = 14;

  void OnInitDialog();
  void Prefill(const ReconcileParams& p);
  // 浏览...: the account query dialog, choosing a lowest-level account.
  void OnBrowse();
  // &S.确认: the checks in order; true when the dialog closes, params then holds the request.
  bool OnOk();

  DateFields start, end;
  std::string code, balanceText;
  Focus focus = Focus::None;
  ReconcileParams params;

 private:
  bool Check();
  CVyDataEnv& env_;
};
