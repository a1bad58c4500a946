#pragma once
// The dialog "Tavrel软件(利息)" of 记帐: the date and the summary of the interest postings.
#include <string>

#include "base/input_mask.h"
#include "data/vy_data_env.h"
#include "base/date_fields.h"

class CInterestPostDlg {
 public:
  enum class Focus { None, Year, Month, Day, Summary };

  // Prefilled with the calculation's end date and the summary "利息".
  CInterestPostDlg(CVyDataEnv& env, const std::string& endDate);

  static std::string Caption() { return "Tavrel软件(利息)"; }
  static std::string Heading() { return "输入下列相关内容"; }
  static FieldMask SummaryMask() { return {"STRING NOT |[]'\"", 40}; }

  // The checks in order; true when the dialog closes, date and summary then hold what to post.
  bool OnOk();

  DateFields fields;
  std::string summaryText = "利息";
  Focus focus = Focus::Year;

  std::string date, summary;

 private:
  bool Refuse(const char* message, Focus field);
  CVyDataEnv& env_;
};
