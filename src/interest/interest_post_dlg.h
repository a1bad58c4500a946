#pragma once
// The dialog "Tavrel软件(利息)" of 记帐: the date and the summary of the interest postings, and the counter
// account that may take the other side of each (empty: the interest is posted on the accounts only).
#include <string>

#include "base/input_mask.h"
#include "data/data_env.h"
#include "base/date_fields.h"

class CInterestPostDlg {
 public:
  enum class Focus { None, Year, Month, Day, Summary, Counter };

  // Prefilled with the calculation's end date and the summary "利息".
  CInterestPostDlg(CVyDataEnv& env, const std::string& endDate);

  static std::string Caption() { return "Tavrel软件(利息)"; }
  static std::string Heading() { return "输入下列相关内容"; }
  static FieldMask SummaryMask() { return {"STRING NOT |[]'\"", 40}; }
  static FieldMask CounterMask() { return {"CLASSNOSTRING", 5}; }  // 14 bytes, 6 levels
  static constexpr int kCounterLength = 14;

  // 浏览... of the counter account: the account query dialog, choosing a lowest-level account.
  void OnBrowseCounter();

  // The checks in order; true when the dialog closes, date and summary then hold what to post.
  bool OnOk();

  DateFields fields;
  std::string summaryText = "利息";
  std::string counterText;
  Focus focus = Focus::Year;

  std::string date, summary, counter;  // counter: "" for none

 private:
  CVyDataEnv& env_;
};
