#pragma once
// The parameter dialog "Tavrel软件(利息计算)" of 利息计算: the period, the account (empty: every account),
// the daily rate per ten thousand, the day count and the side that bears interest.
#include <string>
#include <vector>

#include "base/input_mask.h"
#include "data/data_env.h"
#include "base/date_fields.h"
#include "interest/interest_params.h"
#include "interest/interest_year_files.h"

class CInterestDlg {
 public:
  enum class Focus { None, StartYear, StartMonth, StartDay, EndYear, EndMonth, EndDay, Code, Rate };

  explicit CInterestDlg(CVyDataEnv& env);

  static std::string Caption() { return "Tavrel软件(利息计算)"; }
  static std::string Heading() { return "输入下列条件"; }
  static FieldMask CodeMask() { return {"CLASSNOSTRING", 5}; }  // 14 bytes, 6 levels
  static FieldMask RateMask() { return {"NUMBER 0123456789.", 8}; }
  static constexpr int kCodeLength = 14, kRateLength = 8;

  // What the command checks before it asks anything: accounts and postings in the open year. False after
  // the message.
  static bool MayStart(CVyDataEnv& env);

  // Defaults and the account set's year files.
  void OnInitDialog();
  // The fields of an earlier calculation (打开 of the window).
  void Prefill(const InterestParams& p);
  // 浏览...: the account query dialog, choosing any account.
  void OnBrowse();
  // &S.确认: the checks in order; true when the dialog closes, params then holds the request.
  bool OnOk();

  DateFields start, end;
  std::string code, rateText;
  DayCount method = DayCount::EqualMonths;
  bool credit = false;
  Focus focus = Focus::None;

  InterestParams params;
  std::vector<YearFileSpan> yearFiles;
  // The year files of the folder that cannot be read, each with its problem.
  std::vector<YearFileSpan> refusedYearFiles;

 private:
  bool Check();
  // A refusal of a date beyond the readable year files; a year file of those years that cannot be read is
  // named after the message.
  bool RefuseBeyondFiles(const char* message, Focus field, int fromYear, int toYear);
  CVyDataEnv& env_;
};
