#include "entry/date_entry_view.h"

#include <cmath>

#include "accounts/account_asker.h"
#include "accounts/account_full_name.h"
#include "accounts/chart_queries.h"
#include "accounts/period.h"
#include "base/date.h"
#include "base/dialog_asker.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "data/recordset.h"
#include "entry/book_balance.h"
#include "entry/date_entry_dlg.h"
#include "entry/posting.h"

using jet::SqlText;

namespace {

const std::vector<int> kFiveColumns = {30, 25, 14, 14, 6};
const std::vector<int> kSevenColumns = {20, 20, 9, 9, 10, 10, 6};
// The sheet cell shown in each column of the seven-column layout.
const int kSevenOrder[] = {0, 1, 5, 6, 2, 3, 4};

}  // namespace

CQirnpz2::CQirnpz2() : frame_(std::make_unique<CQirnpzFrm2>(*this)) {
  nFlag = 2;
}

CQirnpz2::~CQirnpz2() = default;

void CQirnpz2::SetupForm() {
  SetupSheetForm(SevenColumns() ? kSevenColumns : kFiveColumns);
  SetItems("HEAD", 0, {{450, 24}});
  SetItems("FOOT", 0, {{5, 12}, {200, 10}, {350, 10}});
}

CEntryView::CellMap CQirnpz2::Cells() const {
  CellMap m;
  m.debit = 2;
  m.credit = 3;
  m.mark = 4;
  if (frame_->Sheet().variant == 2) {
    m.quantity = 5;
    m.price = 6;
  }
  return m;
}

int CQirnpz2::CellOfColumn(int col) const {
  if (col < 0 || col >= ColumnCount()) return -1;
  return SevenColumns() ? kSevenOrder[col] : col;
}

int CQirnpz2::AuxOf(const std::string& code) {
  auto it = aux_.find(code);
  if (it != aux_.end()) return it->second;
  int aux = -1;
  if (!code.empty() && IsLowestLevel(*DataEnv(), code))
    aux = static_cast<int>(DataEnv()->QueryLong(
        Format("select count(*) from subt where trim(kno)='%s' and fz<>'0'", SqlText(code).c_str())));
  aux_[code] = aux;
  return aux;
}

void CQirnpz2::Load(int year, int month, int day) {
  DaySheet& s = Day();
  CVyDataEnv& env = *DataEnv();
  s.year = year;
  s.month = month;
  s.day = day;
  s.variant = 0;
  s.rows.Clear();
  aux_.clear();
  names_.clear();
  ForgetPrice();
  ReadSavedRows([&](const CVyRecordset& rs) {
    EntryRow row;
    double my = rs.GetDouble(0), nu = rs.GetDouble(1);
    row[0] = rs.GetText(0);
    row[1] = rs.GetText(1);
    row[rs.GetLong(0) == 1 ? 2 : 3] = FormatAmount(my, 0, 2, 2);
    row[4] = rs.GetText(2);
    row[5] = FormatAmount(nu, 0, 0, 4);
    if (double price = money::PriceOf(my, nu, money::kListedPriceProduct)) row[6] = FormatAmount(price, 0, 2, 4);
    if (s.variant == 0 &&
        env.QueryLong(Format("select val(fz) from subt where trim(kno)='%s'", SqlText(row[1]).c_str())) != 0)
      s.variant = 2;
    s.rows.Row(s.rows.Count()) = row;
  });
  s.rows.AppendEmpty();
  SetModified(false);
  SetRowCount(s.rows.Count());
  ResetColumns(SevenColumns() ? kSevenColumns : kFiveColumns);
  SetCurrent(0, 0, 0, "TEXT");
  Redraw();
}

void CQirnpz2::TakeSevenColumns() {
  Day().variant = 2;
  ResetColumns(kSevenColumns);
  Redraw();
}

// ---- cells

bool CQirnpz2::CanEditCell(int row, int col, const std::string& section) {
  if (section != "TEXT") return false;
  int c = CellOfColumn(col);
  if (c != 5 && c != 6) return true;
  return AuxOf(Trim(Cell(row, 1))) > 0;
}

void CQirnpz2::GetOwnCell(int row, int cell, VyCellInfo& info) {
  if (cell == 0)
    info = {Cell(row, 0), "STRING NOT |[]'\"", 40, 0};
  else
    info = {Cell(row, 1), "CLASSNOSTRING", 6, 0};
}

std::string CQirnpz2::OwnCellText(int row, int cell) {
  const std::string& text = Cell(row, cell);
  if (cell != 1) return text;
  std::string code = Trim(text);
  if (AuxOf(code) < 0) return text;
  auto it = names_.find(code);
  if (it == names_.end()) it = names_.emplace(code, AccountFullName(*DataEnv(), code, 49)).first;
  return it->second;
}

void CQirnpz2::OwnCellChanged(int row, int cell) {
  if (cell == 1 && !SevenColumns() && AuxOf(Trim(Cell(row, 1))) > 0) TakeSevenColumns();
}

bool CQirnpz2::IsCommandEnabled(int command) {
  if (command == vycmd::kAccountLookUp) return Current().section == "TEXT";
  return CEntryView::IsCommandEnabled(command);
}

bool CQirnpz2::LookUpAccount() {
  if (Current().section != "TEXT") return false;
  int row = Current().row;
  std::optional<std::string> chosen = AskAccount(accountquery::kLowestLevel, Trim(Cell(row, 1)));
  if (!chosen) return true;
  int col = ColumnOfCell(1);
  RecordUndo(row, col, "TEXT", 0);
  SetCell(row, 1, *chosen);
  SetModified(true);
  OwnCellChanged(row, 1);
  // The caret's cell now holds the chosen code: that is what it started from.
  if (Current().col == col) SetCurrent(row, col, static_cast<int>(chosen->size()), "TEXT");
  Redraw();
  return true;
}

// ---- the page

std::string CQirnpz2::ItemText(const std::string& section, int, int index) {
  const DaySheet& s = frame_->Sheet();
  if (section == "HEAD") return Format("%4d 年 %d 月 %d 日", s.year, s.month, s.day);
  return FootSignature(index);
}

std::vector<std::string> CQirnpz2::ColumnCaptions() {
  std::vector<std::string> captions = {"摘     要", "帐     户"};
  if (SevenColumns()) captions.insert(captions.end(), {"数量或外币", "单价或汇率"});
  captions.insert(captions.end(), {"借方金额", "贷方金额", "对帐"});
  return captions;
}

void CQirnpz2::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, " 按日期录入数据 ", "MID", "TOPIC");
  std::vector<std::string> captions = ColumnCaptions();
  for (int c = 0; c < ColumnCount() && c < static_cast<int>(captions.size()); ++c)
    DrawCellText(0, c, dc, captions[static_cast<size_t>(c)], "MID", "FORMHEAD");
  DrawTotals(dc);
}

std::vector<std::string> CQirnpz2::ReportHead() {
  return {" 按日期录入数据 ", ItemText("HEAD", 0, 0)};
}

std::string CQirnpz2::WindowSubject() {
  const DaySheet& d = frame_->Sheet();
  return d.year == 0 ? "" : Format("%d年%d月%d日", d.year, d.month, d.day);
}

// ---- saving

bool CQirnpz2::CheckRows() {
  std::vector<int> wrong;  // grid rows
  const auto& rows = Sheet().Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    const EntryRow& r = rows[i];
    int side = 0;
    double amount = 0;
    if (SideOf(r[2], r[3], side, amount) && AuxOf(Trim(r[1])) < 0) wrong.push_back(static_cast<int>(i));
  }
  if (wrong.empty()) return true;
  // The rows are named, so that the user finds them in a long day.
  std::string named;
  const size_t kNamed = 10;
  for (size_t i = 0; i < wrong.size() && i < kNamed; ++i) named += Format(i ? "、%d" : "%d", wrong[i] + 1);
  if (wrong.size() > kNamed) named += " 等";
  std::string text = Format("警告:  当前编辑的数据中有 %d 项帐户代码不合理。", static_cast<int>(wrong.size())) +
                     "\n（第 " + named + " 行）" + "\n\n存盘时，这些项将被自动删除。\n\n" + "是否返回继续修改？";
  if (ShowMessage(text, MsgIcon::Exclamation, MsgButtons::YesNo, MsgAnswer::Yes) != MsgAnswer::Yes) return true;
  // Back to the first of them, the caret behind its code.
  SetCurrent(wrong.front(), 1, static_cast<int>(rows[static_cast<size_t>(wrong.front())][1].size()), "TEXT");
  return false;
}

std::string CQirnpz2::RowAccount(const EntryRow& row) const {
  return Trim(row[1]);
}

std::string CQirnpz2::UnbalancedQuestion() {
  Totals t = ComputeTotals();
  SideSums sides{money::ToCents(t.debit), money::ToCents(t.credit)};
  if (sides.Balanced()) return "";
  return "本日借贷不平衡（" + SidesText(sides) + "），仍要保存吗？";
}

std::string CQirnpz2::ChangedQuestion() {
  const DaySheet& s = frame_->Sheet();
  return Format("警告:  %4d 年 %d 月 %d 日的数据已被修改\n", s.year, s.month, s.day) +
         "\n请作选择：\n\n① 存盘请选择“是”；\n" + "② 不存盘请选择“否”；\n③ 返回继续录入请选择“取消”。";
}

// The day's rows, which the save rewrites; the rn the order needs is read too, so that rows moved among
// an account's lines by another user count as a change.
std::unique_ptr<CVyRecordset> CQirnpz2::OpenSavedRows() {
  const DaySheet& s = frame_->Sheet();
  auto rs = std::make_unique<CVyRecordset>(DataEnv()->Db(), std::vector<std::string>{"f", "rn"},
                                           std::vector<std::string>{"my", "nu"},
                                           std::vector<std::string>{"Expr1000", "Expr1001", "Expr1002"});
  rs->Open(Format("SELECT  trim(mry),RTRIM(kno),trim(cer),f,my,nu,rn FROM p0 where \t\trn>0 and t='%s' order by kno,rn",
                  SqlText(MakeDate(s.year, s.month, s.day)).c_str()));
  return rs;
}

std::string CQirnpz2::SheetName() {
  const DaySheet& s = frame_->Sheet();
  return Format("%d 年 %d 月 %d 日", s.year, s.month, s.day);
}

int CQirnpz2::WriteRows() {
  const DaySheet& s = frame_->Sheet();
  CVyDataEnv& env = *DataEnv();
  const std::string date = MakeDate(s.year, s.month, s.day);
  env.Execute(Format("DELETE FROM p0 where rn>0 and t='%s'", SqlText(date).c_str()));
  int period = PeriodOfDate(YearOf(env), date);
  std::map<std::string, int> lines;
  int written = 0;
  for (const EntryRow& r : s.rows.Rows()) {
    Posting p;
    if (!SideOf(r[2], r[3], p.side, p.amount) || period == 0) continue;
    p.code = Trim(r[1]);
    if (p.code.empty() || AuxOf(p.code) < 0) continue;
    p.date = date;
    p.period = period;
    p.summary = r[0];
    p.second = SevenColumns() ? CellNumber(r[5]) : 0;
    p.mark = r[4];
    p.line = ++lines[p.code];
    WritePosting(env, p);
    ++written;
  }
  return written;
}

void CQirnpz2::AskAndReload() {
  const DaySheet& s = frame_->Sheet();
  CDateEntryDlg dlg(*DataEnv());
  if (IsLoaded())
    dlg.Prefill(s.year, s.month, s.day);
  else
    dlg.Prefill();
  if (AskDialog(dlg)) Load(dlg.year, dlg.month, dlg.day);
}
