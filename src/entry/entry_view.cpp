#include "entry/entry_view.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/cell_text.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/data_env.h"
#include "data/db_error.h"
#include "entry/book_balance.h"
#include "entry/posting.h"

namespace {

std::string WithoutCommas(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ',') out += c;
  return out;
}

// Totals and balances show 0.00 rather than blanks.
std::string TotalText(double v) {
  std::string text = MoneyText(v);
  return text.find_first_not_of(' ') == std::string::npos ? "0.00" : text;
}

// The 对方达 rows left out of the totals, beside the caption: "(对方达另计 借 100.00 贷 20.00)"; a side
// without any amount is not named, and nothing is shown without such rows.
std::string OtherSideText(const CEntryView::Totals& t) {
  std::string text;
  if (std::fabs(t.otherDebit) >= money::kAmountZero) text += " 借 " + Trim(MoneyText(t.otherDebit));
  if (std::fabs(t.otherCredit) >= money::kAmountZero) text += " 贷 " + Trim(MoneyText(t.otherCredit));
  return text.empty() ? text : "(对方达另计" + text + ")";
}

}  // namespace

CEntryView::CEntryView() {
  editable_ = 1;
}

std::string CEntryView::MarkName(const std::string& cell) {
  if (cell == "0") return "本帐达";
  if (cell == "1") return "对方达";
  if (cell == "2") return "双方达";
  return {};
}

std::string CEntryView::BalanceText(double balance) {
  std::string text = TotalText(std::fabs(balance));
  if (balance > money::kAmountZero) return text + "(借)";
  if (balance < -money::kAmountZero) return text + "(贷)";
  return text;
}

const std::string& CEntryView::Cell(int row, int cell) {
  static const std::string empty;
  if (row < 0 || row >= Sheet().Count() || cell < 0 || cell > 6) return empty;
  return Sheet().Row(row)[static_cast<size_t>(cell)];
}

void CEntryView::SetCell(int row, int cell, const std::string& text) {
  if (row < 0 || cell < 0 || cell > 6) return;
  Sheet().Row(row)[static_cast<size_t>(cell)] = text;
}

int CEntryView::ColumnOfCell(int cell) const {
  for (int c = 0; c < ColumnCount(); ++c)
    if (CellOfColumn(c) == cell) return c;
  return -1;
}

// ---- cells

// The row's price: amount ÷ quantity when both are there with one sign, else 0.
double CEntryView::RowPrice(int row) {
  CellMap m = Cells();
  if (m.quantity < 0) return 0;
  double q = CellNumber(Cell(row, m.quantity));
  double a = CellNumber(Cell(row, m.debit));
  if (IsBlankAmount(a)) a = CellNumber(Cell(row, m.credit));
  return money::PriceOf(a, q, money::kAmountZero);
}

void CEntryView::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell = VyCellInfo{};
  if (section != "TEXT") return;
  CellMap m = Cells();
  int c = CellOfColumn(col);
  if (c == m.debit || c == m.credit) {
    FieldMask mask = AmountCellMask();
    cell = {WithoutCommas(Cell(row, c)), mask.mask, mask.maxLength, mask.decimals};
  } else if (c == m.mark) {
    cell = {Cell(row, c), "NUMBER 0 2", 1, 0};
  } else if (c == m.quantity) {
    FieldMask mask = QuantityCellMask();
    cell = {WithoutCommas(Cell(row, c)), mask.mask, mask.maxLength, mask.decimals};
  } else if (c == m.price) {
    double price = RowPrice(row);
    std::string offered = price != 0 ? WithoutCommas(PriceText(price)) : std::string();
    cell = {row == priceRow_ ? priceText_ : offered, "NUMBER", 12, 4};
  } else {
    GetOwnCell(row, c, cell);
  }
}

void CEntryView::PutCell(int row, int col, const std::string& section, const std::string& text) {
  if (section != "TEXT") return;
  int c = CellOfColumn(col);
  if (c < 0) return;
  if (c == Cells().price) {
    // The price is never stored: it stays here until the quantity × price rule has used it.
    priceRow_ = row;
    priceText_ = text;
    return;
  }
  SetCell(row, c, text);
}

bool CEntryView::CanEditCell(int, int, const std::string& section) {
  return section == "TEXT";
}

void CEntryView::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  if (section != "TEXT") {
    // Items stand at their positions in thousandths of the page's width.
    const VyItem* item = Item(section, row, col);
    DrawCellText(row, item ? item->pos : 0, dc, ItemText(section, row, col), "PERCENT", section);
    return;
  }
  CellMap m = Cells();
  int c = CellOfColumn(col);
  const VyCellPos& cur = Current();
  // The cell being typed into shows its text as typed, so that the caret follows it.
  if (cur.section == "TEXT" && cur.row == row && cur.col == col && c != m.mark) {
    DrawCellText(row, col, dc, CellText(row, col, "TEXT"), "LEFT", "TEXT");
    return;
  }
  std::string text, align = "RIGHT";
  if (c == m.debit || c == m.credit) {
    text = MoneyText(CellNumber(Cell(row, c)));
  } else if (c == m.quantity) {
    text = QuantityText(CellNumber(Cell(row, c)));
  } else if (c == m.price) {
    double price = RowPrice(row);
    text = price != 0 ? PriceText(price) : std::string();
  } else if (c == m.mark) {
    // A row with an amount and no mark is saved as 本帐达, and says so; the cell itself stays empty, so that
    // the mark typed into it is the one digit the cell takes.
    int side = 0;
    double amount = 0;
    const bool counted = SideOf(Cell(row, m.debit), Cell(row, m.credit), side, amount);
    text = MarkName(counted ? MarkOf(Cell(row, c)) : Cell(row, c));
    align = "MID";
  } else {
    text = OwnCellText(row, c);
    align = "LEFT";
  }
  if (text.find_first_not_of(' ') == std::string::npos) text.clear();
  DrawCellText(row, col, dc, text, align, "TEXT");
}

void CEntryView::OnEnterCell(int row, int col, const std::string& section) {
  if (section != "TEXT" || CellOfColumn(col) != Cells().quantity || row == priceRow_) return;
  enteredRow_ = row;
  enteredPrice_ = RowPrice(row);
}

void CEntryView::OnCellChanged(const std::string&, int row, int col, const std::string& section) {
  if (section != "TEXT") return;
  savedNote_.clear();
  CellMap m = Cells();
  int c = CellOfColumn(col);
  if (c == m.debit || c == m.credit) {
    KeepOneSide(row, c);
    if (row == priceRow_) priceRow_ = -1;
  } else if (c >= 0 && (c == m.quantity || c == m.price)) {
    ApplyQuantityPrice(row);
  } else {
    OwnCellChanged(row, c);
  }
  Redraw();
}

// Typing an amount on one side of a row empties the other side.
void CEntryView::KeepOneSide(int row, int changed) {
  CellMap m = Cells();
  int other = changed == m.debit ? m.credit : m.debit;
  if (Cell(row, changed).empty() || IsBlankAmount(CellNumber(Cell(row, other)))) return;
  int col = ColumnOfCell(other);
  if (col >= 0) RecordUndo(row, col, "TEXT", 0);
  SetCell(row, other, "");
}

// The amount of the row's side becomes quantity × price.
void CEntryView::ApplyQuantityPrice(int row) {
  CellMap m = Cells();
  double q = CellNumber(Cell(row, m.quantity));
  double price = row == priceRow_     ? CellNumber(priceText_)
                 : row == enteredRow_ ? enteredPrice_
                                      : RowPrice(row);
  int side = IsBlankAmount(CellNumber(Cell(row, m.credit))) ? m.debit : m.credit;
  if (price == 0) return;  // no price known yet: a quantity alone leaves the amount as it is
  double product = q * price;
  if (SignOf(product - CellNumber(Cell(row, side))) == 0) return;
  int col = ColumnOfCell(side);
  if (col >= 0) RecordUndo(row, col, "TEXT", 0);
  SetCell(row, side, WithoutCommas(FormatAmount(product, 0, 0, 2)));
}

void CEntryView::CommitEdit() {
  const VyCellPos& at = EditCell();
  if (at.section != "TEXT" || at.row >= TextRows() || at.col >= ColumnCount()) return;
  std::string now = CellText(at.row, at.col, at.section);
  if (now != EntryText()) OnCellChanged(now, at.row, at.col, at.section);
}

// ---- rows following the grid

void CEntryView::OnRowCountChanged(int delta) {
  Sheet().FollowCount(delta);
  if (delta < 0) ForgetPrice();
}

void CEntryView::OnInsertRows(int atRow, int lastOldRow, int count) {
  Sheet().OpenRows(atRow, lastOldRow, count);
  ForgetPrice();
}

// ---- totals

CEntryView::Totals CEntryView::ComputeTotals() {
  CellMap m = Cells();
  Totals t;
  std::string quantityAccount;
  for (const EntryRow& r : Sheet().Rows()) {
    double d = CellNumber(r[static_cast<size_t>(m.debit)]), c = CellNumber(r[static_cast<size_t>(m.credit)]);
    if (!CountsOtherSideRows() && Trim(r[static_cast<size_t>(m.mark)]) == "1") {
      t.otherDebit += d;
      t.otherCredit += c;
      continue;
    }
    t.debit += d;
    t.credit += c;
    if (m.quantity < 0) continue;
    const double q = CellNumber(r[static_cast<size_t>(m.quantity)]);
    t.quantity += (SignOf(d) - SignOf(c)) * q;
    if (q == 0) continue;
    // Kilograms and dollars do not add up: a day of several such accounts has no total quantity or price.
    const std::string account = RowAccount(r);
    if (quantityAccount.empty()) quantityAccount = account;
    if (account != quantityAccount) t.oneQuantityAccount = false;
  }
  return t;
}

std::string CEntryView::DifferenceText(const Totals& t) {
  const money::Cents difference = money::ToCents(t.debit) - money::ToCents(t.credit);
  if (difference == 0) return "借贷平衡";
  return "借贷差额 " + Trim(FormatAmount(money::FromCents(std::llabs(difference)), 0, 2, 2));
}

std::vector<std::string> CEntryView::TotalsLine() {
  CellMap m = Cells();
  Totals t = ComputeTotals();
  std::vector<std::string> line(static_cast<size_t>(ColumnCount()));
  auto put = [&](int cell, const std::string& text) {
    int col = ColumnOfCell(cell);
    if (col >= 0) line[static_cast<size_t>(col)] = text;
  };
  if (line.size() > 1) line[1] = TotalsCaption() + OtherSideText(t);
  if (ShowsDifference()) line[0] = DifferenceText(t);
  put(m.debit, TotalText(t.debit));
  put(m.credit, TotalText(t.credit));
  if (m.quantity < 0 || !t.oneQuantityAccount) return line;
  std::string quantity = QuantityText(t.quantity);
  if (quantity.find_first_not_of(' ') != std::string::npos) put(m.quantity, quantity);
  double net = t.debit - t.credit;
  if (SignOf(t.quantity) != 0 && SignOf(net * t.quantity) == 1) put(m.price, PriceText(net / t.quantity));
  return line;
}

void CEntryView::DrawTotals(VyDC& dc) {
  std::vector<std::string> line = TotalsLine();
  for (int c = 0; c < static_cast<int>(line.size()); ++c)
    if (!line[static_cast<size_t>(c)].empty())
      DrawCellText(0, c, dc, line[static_cast<size_t>(c)], c == 1 ? "MID" : "RIGHT", "FORMFOOT");
}

std::vector<std::vector<std::string>> CEntryView::ReportRows() {
  std::vector<std::vector<std::string>> rows = CVyReportView::ReportRows();
  while (!rows.empty() &&
         std::all_of(rows.back().begin(), rows.back().end(), [](auto& t) { return t.empty(); }))
    rows.pop_back();
  rows.push_back(TotalsLine());
  return rows;
}

std::string CEntryView::FootSignature(int index) {
  const CVyDataEnv* env = DataEnv();
  switch (index) {
    case 0:
      return "会计主管：" + (env ? Trim(env->chiefAccountant) : std::string());
    case 1:
      return "记帐：" + (env ? Trim(env->opName) : std::string());
    case 2:
      return "出纳：";
    default:
      return "";
  }
}

std::string CEntryView::CellPrompt() {
  const VyCellPos& cur = Current();
  if (cur.section != "TEXT" || !IsLoaded()) return "";
  return CellOfColumn(cur.col) == Cells().mark ? MarkLegend() : savedNote_;
}

// ---- saving and opening

int CEntryView::SaveFlow() {
  if (!IsLoaded() || !IsModified()) return kNotSaved;
  CommitEdit();
  if (!CheckRows()) return kCancelled;
  MsgAnswer answer =
      ShowMessage(ChangedQuestion(), MsgIcon::Question, MsgButtons::YesNoCancel, MsgAnswer::Yes);
  if (answer == MsgAnswer::No) return kNotSaved;
  if (answer != MsgAnswer::Yes) return kCancelled;
  if (std::string question = UnbalancedQuestion();
      !question.empty() && ShowMessage(question, MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
    return kCancelled;
  int written = 0;
  std::string saved;
  bool ok = DataEnv()->RunInTransaction([&] {
    // Rows another user saved since this window read them would be overwritten: refused whole, inside the
    // transaction that would have written (a second program on the year file, or a bookkeeper on the server).
    if (SavedRowsNow() != opened_)
      throw jet::DbError(SheetName() + "的数据在本窗口打开之后已被其他用户修改，本次存盘没有写入任何数据，"
                                       "以免覆盖别人的修改。\n\n请记下本次录入的内容，重新打开后再录入。");
    written = WriteRows();
    saved = SavedRowsNow();
  });
  if (!ok) return kFailed;
  opened_ = saved;
  SetModified(false);
  savedNote_ = SavedNote();
  PromptChanged();
  Redraw();
  return written > 0 ? kSaved : kNothingWritten;
}

namespace {

// One row's values as the recordset binds them, told apart from the next row's.
std::string RowValues(const CVyRecordset& rs) {
  std::string values;
  for (size_t i = 0; i < rs.longNames.size(); ++i) values += std::to_string(rs.GetLong(static_cast<int>(i))) + '\x1f';
  for (size_t i = 0; i < rs.doubleNames.size(); ++i) values += Format("%.17g\x1f", rs.GetDouble(static_cast<int>(i)));
  for (size_t i = 0; i < rs.textNames.size(); ++i) values += rs.GetText(static_cast<int>(i)) + '\x1f';
  return values + '\x1e';
}

}  // namespace

void CEntryView::ReadSavedRows(const std::function<void(const CVyRecordset&)>& take) {
  opened_.clear();
  for (auto rs = OpenSavedRows(); !rs->IsEOF(); rs->MoveNext()) {
    opened_ += RowValues(*rs);
    take(*rs);
  }
}

std::string CEntryView::SavedRowsNow() {
  std::string now;
  for (auto rs = OpenSavedRows(); !rs->IsEOF(); rs->MoveNext()) now += RowValues(*rs);
  return now;
}

void CEntryView::OnOpen() {
  if (IsLoaded()) {
    int result = SaveFlow();
    if (result == kCancelled || result == kFailed) return;
  }
  AskAndReload();
}

bool CEntryView::OnCommand(int command) {
  if (command == vycmd::kOpen) {
    OnOpen();
    return true;
  }
  if (command == vycmd::kAccountLookUp) return LookUpAccount();
  return CVyReportView::OnCommand(command);
}

bool CEntryView::IsCommandEnabled(int command) {
  if (command == vycmd::kOpen) return true;
  if (command == vycmd::kAccountLookUp) return false;
  return CVyReportView::IsCommandEnabled(command);
}

void CEntryView::SetupSheetForm(const std::vector<int>& columns) {
  CVyReportView::SetupForm();
  editable_ = 1;
  leftMargin_ = topMargin_ = rightMargin_ = 10;
  SetSections(Sheet().Count() > 0 ? Sheet().Count() : 1, 1, 1, 1, 1);
  SetColumns(columns);
  if (Sheet().Count() == 0) Sheet().AppendEmpty();
}
