#include "entry/account_entry_view.h"

#include <cstdlib>

#include "accounts/account_full_name.h"
#include "accounts/period.h"
#include "base/date.h"
#include "base/dialog_asker.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"
#include "entry/account_entry_dlg.h"
#include "entry/book_balance.h"
#include "entry/posting.h"

using jet::SqlText;

namespace {

const std::vector<int> kFiveColumns = {2, 40, 14, 14, 4};
const std::vector<int> kSevenColumns = {2, 30, 9, 9, 10, 10, 4};

}  // namespace

CQirnpz1::CQirnpz1() : frame_(std::make_unique<CQirnpzFrm>(*this)) {
  nFlag = 1;
}

CQirnpz1::~CQirnpz1() = default;

void CQirnpz1::SetupForm() {
  SetupSheetForm(Month().offset == 2 ? kSevenColumns : kFiveColumns);
  SetItems("HEAD", 0, {{10, 16}, {170, 64}, {830, 28}});
  SetItems("FOOT", 0, {{5, 12}, {200, 10}, {350, 10}, {510, 22}, {760, 22}});
}

CEntryView::CellMap CQirnpz1::Cells() const {
  int o = frame_->Sheet().offset;
  CellMap m;
  m.debit = 2 + o;
  m.credit = 3 + o;
  m.mark = 4 + o;
  if (o == 2) {
    m.quantity = 2;
    m.price = 3;
  }
  return m;
}

void CQirnpz1::Load(const std::string& code, int year, int month, int fz) {
  MonthSheet& s = Month();
  CVyDataEnv& env = *DataEnv();
  const std::string k = SqlText(code);
  s.code = code;
  s.year = year;
  s.month = month;
  s.offset = fz != 0 ? 2 : 0;
  auxLabel_.clear();
  if (fz == 1 || fz == 2) {
    CVyRecordset unit(env.Db(), {}, {}, {"Expr1000"});
    unit.Open(Format("select rtrim(fzn) from subt where trim(kno)='%s'", k.c_str()));
    std::string fzn = unit.IsEOF() ? std::string() : unit.GetText(0);
    if (fz == 1) {
      auxLabel_ = "数量单位：" + fzn;
    } else {
      CVyRecordset currency(env.Db(), {}, {}, {"Expr1000"});
      currency.Open(Format("select rtrim(na) from wbt where trim(wno)='%s'", SqlText(fzn).c_str()));
      auxLabel_ = "外币名称：" + (currency.IsEOF() ? std::string() : currency.GetText(0));
    }
  }
  fullName_ = AccountFullName(env, code, 49);

  s.rows.Clear();
  ForgetPrice();
  const std::string key = SqlText(MakeMonthKey(year, month));
  CellMap m = Cells();
  ReadSavedRows([&](const CVyRecordset& rs) {
    EntryRow row;
    row[0] = rs.GetText(0);
    row[1] = rs.GetText(1);
    double my = rs.GetDouble(0), nu = rs.GetDouble(1);
    if (s.offset == 2) {
      row[2] = FormatAmount(nu, 0, 0, 4);
      if (double price = money::PriceOf(my, nu, money::kListedPriceProduct)) row[3] = FormatAmount(price, 0, 2, 4);
    }
    row[static_cast<size_t>(rs.GetLong(0) == 1 ? m.debit : m.credit)] = FormatAmount(my, 0, 2, 2);
    row[static_cast<size_t>(m.mark)] = rs.GetText(2);
    s.rows.Row(s.rows.Count()) = row;
  });
  s.rows.AppendEmpty();

  // The opening rows are dated the year's first day, inside its first month: they are taken by their
  // row number, not their date.
  const std::string before =
      Format("trim(kno)='%s' and (left(t,6)<'%s' or rn=0) and mk='4'", k.c_str(), key.c_str());
  opening_ = 0;
  if (env.QueryLong("select count(*) from p0 where " + before) >= 1) {
    CVyRecordset sum(env.Db(), {}, {"Expr1000"}, {});
    sum.Open("select sum(f*my) from p0 where " + before);
    opening_ = sum.GetDouble(0);
  }
  SetModified(false);
  SetRowCount(s.rows.Count());
  ResetColumns(s.offset == 2 ? kSevenColumns : kFiveColumns);
  SetCurrent(0, 0, 0, "TEXT");
  Redraw();
}

double CQirnpz1::ClosingBalance() {
  Totals t = ComputeTotals();
  return opening_ + t.debit - t.credit;
}

CQirnpz1::DayRange CQirnpz1::ValidDays() const {
  const MonthSheet& s = frame_->Sheet();
  const CVyDataEnv& env = *DataEnv();
  int y1 = 0, m1 = 0, d1 = 1, y2 = 0, m2 = 0, d2 = 31;
  SplitDate(env.startDate, y1, m1, d1);
  SplitDate(env.endDate, y2, m2, d2);
  if (s.year == env.year) {
    if (s.year == y1 && s.month == 1) return {d1, 31};
    if (s.year == y2 && s.month == 12) return {1, d2};
    return {1, DaysInMonth(s.year, s.month)};
  }
  if (s.year > env.year) return {1, d2};
  return {d1, 31};
}

// ---- cells

void CQirnpz1::GetOwnCell(int row, int cell, VyCellInfo& info) {
  if (cell == 0) {
    DayRange days = ValidDays();
    std::string mask = days.high < 31 ? Format("NUMBER 1 %d", days.high) : Format("NUMBER %d 31", days.low);
    info = {Cell(row, 0), mask, 2, 0};
  } else {
    info = {Cell(row, 1), "STRING NOT |[]'\"", 40, 0};
  }
}

std::string CQirnpz1::OwnCellText(int row, int cell) {
  return Cell(row, cell);
}

// ---- the page

std::string CQirnpz1::ItemText(const std::string& section, int, int index) {
  const MonthSheet& s = frame_->Sheet();
  if (section == "HEAD") {
    switch (index) {
      case 0:
        return Format("%4d 年 %2d 月", s.year, s.month);
      case 1:
        return IsLoaded() ? "帐户代码：" + s.code + " 名称：" + fullName_ : "帐户代码：     名称：";
      default:
        return s.offset == 2 ? auxLabel_ : std::string();
    }
  }
  switch (index) {
    case 0:
    case 1:
    case 2:
      return FootSignature(index);
    case 3:
      return "月初：" + BalanceText(opening_);
    default:
      return "月末：" + BalanceText(ClosingBalance());
  }
}

std::vector<std::string> CQirnpz1::ColumnCaptions() {
  std::vector<std::string> captions = {"日", "摘      要"};
  if (frame_->Sheet().offset == 2) {
    if (auxLabel_.rfind("数量单位：", 0) == 0)
      captions.insert(captions.end(), {"数    量", "单    价"});
    else if (auxLabel_.rfind("外币名称：", 0) == 0)
      captions.insert(captions.end(), {"外    币", "汇    率"});
    else
      captions.insert(captions.end(), {"数量或外币", "单价或汇率"});
  }
  captions.insert(captions.end(), {"借方金额", "贷方金额", "对帐"});
  return captions;
}

void CQirnpz1::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, " 按户录入数据 ", "MID", "TOPIC");
  std::vector<std::string> captions = ColumnCaptions();
  for (int c = 0; c < ColumnCount() && c < static_cast<int>(captions.size()); ++c)
    DrawCellText(0, c, dc, captions[static_cast<size_t>(c)], "MID", "FORMHEAD");
  DrawTotals(dc);
}

std::vector<std::string> CQirnpz1::ReportHead() {
  return {" 按户录入数据 ",
          ItemText("HEAD", 0, 0) + "\t" + ItemText("HEAD", 0, 1) + "\t" + ItemText("HEAD", 0, 2)};
}

std::vector<std::string> CQirnpz1::ReportFoot() {
  std::string line;
  for (int i = 0; i < 5; ++i) line += (i ? "\t" : "") + ItemText("FOOT", 0, i);
  return {line};
}

std::string CQirnpz1::WindowSubject() {
  const MonthSheet& m = frame_->Sheet();
  return m.code.empty() ? "" : Format("%s %d年%d月", m.code.c_str(), m.year, m.month);
}

// ---- saving

bool CQirnpz1::CheckRows() {
  DayRange days = ValidDays();
  CellMap m = Cells();
  int wrong = 0;
  for (const EntryRow& r : Sheet().Rows()) {
    int side = 0;
    double amount = 0;
    if (!SideOf(r[static_cast<size_t>(m.debit)], r[static_cast<size_t>(m.credit)], side, amount)) continue;
    int day = std::atoi(r[0].c_str());
    if (day < days.low || day > days.high) ++wrong;
  }
  if (wrong == 0) return true;
  std::string text = Format("警告:  当前编辑的数据中有 %d 项日期不合理，\n\n有效日期范围是: %d 日至 %d 日。",
                            wrong, days.low, days.high) +
                     "\n\n存盘时，这些项将被自动删除。\n\n" + "是否返回继续修改？";
  return ShowMessage(text, MsgIcon::Exclamation, MsgButtons::YesNo, MsgAnswer::Yes) != MsgAnswer::Yes;
}

// One account's month seldom balances by itself, so nothing is asked; but when the books' period no longer
// balances after the save, the status bar says so.
std::string CQirnpz1::SavedNote() {
  const MonthSheet& s = frame_->Sheet();
  CVyDataEnv& env = *DataEnv();
  const AccountingYear year = YearOf(env);
  std::string note;
  int last = 0;
  for (int day : {1, DaysInMonth(s.year, s.month)}) {
    const int period = PeriodOfDate(year, MakeDate(s.year, s.month, day));
    if (period == 0 || period == last) continue;
    last = period;
    const SideSums sides = PeriodSides(env, period);
    if (!sides.Balanced())
      note += (note.empty() ? "" : "；") + Format("第 %d 期借贷不平衡：", period) + SidesText(sides);
  }
  return note;
}

std::string CQirnpz1::ChangedQuestion() {
  const MonthSheet& s = frame_->Sheet();
  return Format("警告:  %4d 年 %d 月份的数据已被修改\n", s.year, s.month) +
         "\n请作选择：\n\n① 存盘请选择“是”；\n" + "② 不存盘请选择“否”；\n③ 返回继续录入请选择“取消”。";
}

// The month's rows of the account, which the save rewrites. The range of dates says the same as the month's
// key and lets the index on the code and date find them: only they are read (on a server, a writer that
// read the whole table would meet every other writer of the year).
std::string CQirnpz1::SavedRowsCondition() {
  const MonthSheet& s = frame_->Sheet();
  const std::string key = SqlText(MakeMonthKey(s.year, s.month));
  return Format("trim(kno)='%s' and rn>0 and LEFT(t,6)='%s' and t>='%s01' and t<='%s31'", SqlText(s.code).c_str(),
                key.c_str(), key.c_str(), key.c_str());
}

std::unique_ptr<CVyRecordset> CQirnpz1::OpenSavedRows() {
  auto rs = std::make_unique<CVyRecordset>(DataEnv()->Db(), std::vector<std::string>{"f", "rn"},
                                           std::vector<std::string>{"my", "nu"},
                                           std::vector<std::string>{"Expr1000", "Expr1001", "Expr1002"});
  rs->Open("SELECT  Right(t,2),RTRIM(mry),trim(cer),f,my,nu,rn FROM p0 where " + SavedRowsCondition() +
           " order by t,rn");
  return rs;
}

std::string CQirnpz1::SheetName() {
  const MonthSheet& s = frame_->Sheet();
  return Format("%d 年 %d 月帐户 %s ", s.year, s.month, s.code.c_str());
}

int CQirnpz1::WriteRows() {
  const MonthSheet& s = frame_->Sheet();
  CVyDataEnv& env = *DataEnv();
  env.Execute("DELETE FROM p0 where " + SavedRowsCondition());
  AccountingYear year = YearOf(env);
  CellMap m = Cells();
  int counter[32];
  for (int& c : counter) c = 1;
  int written = 0;
  for (const EntryRow& r : s.rows.Rows()) {
    int day = std::atoi(r[0].c_str());
    if (day < 1 || day > DaysInMonth(s.year, s.month)) continue;
    Posting p;
    if (!SideOf(r[static_cast<size_t>(m.debit)], r[static_cast<size_t>(m.credit)], p.side, p.amount))
      continue;
    p.date = MakeDate(s.year, s.month, day);
    p.period = PeriodOfDate(year, p.date);
    if (p.period == 0) continue;
    p.second = m.quantity >= 0 ? CellNumber(r[static_cast<size_t>(m.quantity)]) : 0;
    p.summary = r[1];
    p.code = s.code;
    p.mark = r[static_cast<size_t>(m.mark)];
    p.line = counter[day]++;
    WritePosting(env, p);
    ++written;
  }
  return written;
}

void CQirnpz1::AskAndReload() {
  const MonthSheet& s = frame_->Sheet();
  CAccountEntryDlg dlg(*DataEnv());
  if (IsLoaded())
    dlg.Prefill(s.year, s.month, s.code);
  else
    dlg.Prefill();
  if (AskDialog(dlg)) Load(dlg.code, dlg.year, dlg.month, dlg.fz);
}
