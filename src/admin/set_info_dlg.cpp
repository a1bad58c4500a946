#include "admin/set_info_dlg.h"

#include <algorithm>

#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/db_guard.h"
#include "data/sql_text.h"

using jet::SqlText;

namespace {

// The 20th to the 31st of December of year y, then the 1st to the 10th of January of y + 1.
std::vector<std::string> TurnOfYearDates(int y) {
  std::vector<std::string> dates;
  for (int d = 20; d <= 31; ++d) dates.push_back(Format("%4d12%d", y, d));
  for (int d = 1; d <= 9; ++d) dates.push_back(Format("%4d010%d", y + 1, d));
  dates.push_back(Format("%4d01%d", y + 1, 10));
  return dates;
}

int IndexOf(const std::vector<std::string>& list, const std::string& value) {
  auto it = std::find(list.begin(), list.end(), value);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

const std::string& Chosen(const std::vector<std::string>& list, int index) {
  return list[static_cast<size_t>(index)];
}

}  // namespace

CAccountInfoDlg::CAccountInfoDlg(CVyDataEnv& env) : env_(env) {}

bool CAccountInfoDlg::OnInitDialog() {
  fileText = env_.dataFile;
  yearText = Format("%d", env_.year);
  closedMonthText = Format("%d", env_.closedMonth);
  unitName = env_.unitName;
  chief = env_.chiefAccountant;

  startDates = TurnOfYearDates(env_.year - 1);
  endDates = TurnOfYearDates(env_.year);
  closingDays.clear();
  for (int d = 20; d <= 31; ++d) closingDays.push_back(Format("0%d", d));
  for (int d = 1; d <= 10; ++d) closingDays.push_back(Format("1%02d", d));
  selectedStart = IndexOf(startDates, env_.startDate);
  selectedEnd = IndexOf(endDates, env_.endDate);
  selectedClosing = IndexOf(closingDays, env_.closingDay);

  // Once postings exist their periods hang on the closing day.
  if (!RunCatchingDbErrors(
          [&] { closingEnabled = env_.QueryLong("Select Count(*) From P0 Where RN=1") <= 0; }))
    return false;
  focus = Focus::UnitName;
  return true;
}

bool CAccountInfoDlg::OnOk() {
  bool saved = false;
  RunCatchingDbErrors([&] { saved = Save(); });
  if (!saved) return false;
  ShowMessage("修改结束", MsgIcon::Information);  // a success, not a warning
  return true;
}

bool CAccountInfoDlg::Save() {
  if (selectedStart < 0 || selectedStart >= static_cast<int>(startDates.size()))
    return Refuse(focus, Focus::StartDate, "没有设置年初日！");
  const std::string& start = Chosen(startDates, selectedStart);
  if (env_.QueryLong(Format("select count(*) from p0 where t<'%s' and rn>0", SqlText(start).c_str())) > 0)
    return Refuse(focus, Focus::StartDate, "年初日大于已存在数据的最小日,请重设置！");
  if (env_.QueryLong(Format("select count(*) from wbr where t<'%s'", SqlText(start).c_str())) > 0)
    return Refuse(focus, Focus::StartDate, "年初日大于已设置的汇率的最小日,请重设置！");
  if (selectedEnd < 0 || selectedEnd >= static_cast<int>(endDates.size()))
    return Refuse(focus, Focus::EndDate, "没有设置年末日！");
  const std::string& end = Chosen(endDates, selectedEnd);
  if (env_.QueryLong(Format("select count(*) from p0 where t>'%s' and rn>0", SqlText(end).c_str())) > 0)
    return Refuse(focus, Focus::EndDate, "年末日小于已存在数据的最大日,请重设置！");
  if (env_.QueryLong(Format("select count(*) from wbr where t>'%s'", SqlText(end).c_str())) > 0)
    return Refuse(focus, Focus::EndDate, "年末日小于已设置的汇率的最大日,请重设置！");
  if (selectedClosing < 0 || selectedClosing >= static_cast<int>(closingDays.size()))
    return Refuse(focus, Focus::ClosingDay, "没有设置月结日！");
  const std::string& closing = Chosen(closingDays, selectedClosing);

  bool startChanged = start != env_.startDate;
  bool ok = env_.RunInTransaction([&] {
    env_.Execute(Format("Update Systab Set NA='%s',KJ='%s',JT='%s',T1='%s',T13='%s'",
                        SqlText(unitName).c_str(), SqlText(chief).c_str(), SqlText(closing).c_str(),
                        SqlText(start).c_str(), SqlText(end).c_str()));
    // Opening rows always carry the year's start date.
    if (startChanged && env_.QueryLong("Select Count(*) From P0 Where StrComp(cer,'    ',0)=0") > 0)
      env_.Execute(Format("Update P0 Set T='%s' Where StrComp(cer,'    ',0)=0", SqlText(start).c_str()));
  });
  if (!ok) return false;
  env_.unitName = unitName;
  env_.chiefAccountant = chief;
  env_.closingDay = closing;
  env_.startDate = start;
  env_.endDate = end;
  return true;
}
