#include "accounts/rate_dlg.h"

#include "base/date.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "base/validators.h"
#include "data/db_error.h"
#include "data/db_guard.h"
#include "data/sql_text.h"

using jet::SqlText;

namespace {

// A field read as a number; -1 when it holds anything else, so that the range checks refuse it.
double FieldValue(const std::string& text) {
  std::string t = Trim(text);
  if (t.empty() || t == "-" || !IsNumberText(t, 0, 0)) return -1;
  return ParseNumber(t);
}

int WholeValue(const std::string& text) {
  double v = FieldValue(text);
  if (v < 0 || v > 99999 || v != static_cast<int>(v)) return -1;
  return static_cast<int>(v);
}

}  // namespace

CRateDlg::CRateDlg(CVyDataEnv& env, Mode mode, std::string currency, const std::string& date,
                   std::string foreign, std::string base)
    : foreign(std::move(foreign)),
      base(std::move(base)),
      env_(env),
      mode_(mode),
      currency_(std::move(currency)),
      oldDate_(date) {
  int y = 0, m = 0, d = 0;
  if (SplitDate(date, y, m, d)) {
    year = Format("%d", y);
    month = Format("%d", m);
    day = Format("%d", d);
  }
}

bool CRateDlg::OnOk() {
  int y = WholeValue(year), m = WholeValue(month), d = WholeValue(day);
  if (y < 1990 || y > 9999) return Refuse(focus, Focus::Year, "设置的年份不合理，输入一数!", MsgIcon::Stop);
  if (m < 1 || m > 12) return Refuse(focus, Focus::Month, "设置的月份不合理，输入一数!", MsgIcon::Stop);
  if (d < 1 || d > DaysInMonth(y, m))
    return Refuse(focus, Focus::Day, "设置的日期不合理，输入一数!", MsgIcon::Stop);
  double my1 = FieldValue(foreign), my2 = FieldValue(base);
  if (my1 < money::kLeastRateFigure) return Refuse(focus, Focus::Foreign, "外币数不合理，输入一数!", MsgIcon::Stop);
  if (my2 < money::kLeastRateFigure) return Refuse(focus, Focus::Base, "本位币数不合理，输入一数!", MsgIcon::Stop);
  std::string t = MakeDate(y, m, d);
  if (t < env_.startDate || t > env_.endDate)
    return Refuse(focus, Focus::Year, "所设置的时间已不在本年度的\r年初日与年末日之间，请重输!",
                  MsgIcon::None);
  const std::string w = SqlText(currency_);
  long n = 0;
  if (!RunCatchingDbErrors([&] {
        n = env_.QueryLong(
            Format("select count(*) from wbr where wno='%s' and t='%s'", w.c_str(), t.c_str()));
      }))
    return false;
  bool changed = mode_ == Mode::Modify && t != oldDate_;
  if ((mode_ == Mode::Add && n >= 1) || (changed && n == 1) || n >= 2)
    return Refuse(focus, Focus::Year, "本次输入时间已有汇率，不允许重复设置，请重输！", MsgIcon::None);
  bool ok = env_.RunInTransaction([&] {
    if (mode_ == Mode::Add)
      env_.Execute(
          Format("insert into wbr(wno,t,my1,my2) values('%s','%s',%lf,%lf)", w.c_str(), t.c_str(), my1, my2));
    else
      env_.Execute(Format("update wbr set t='%s',my1=%lf,my2=%lf where t='%s' and trim(wno)='%s'", t.c_str(),
                          my1, my2, SqlText(oldDate_).c_str(), w.c_str()));
  });
  if (ok) date_ = t;
  return ok;
}
