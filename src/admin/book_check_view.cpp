#include "admin/book_check_view.h"

#include "base/money.h"
#include "base/text.h"
#include "data/data_env.h"

namespace {

const char* const kCaptions[] = {"问题", "日期", "帐户", "行号", "摘要", "方向", "金额", "数量", "标记", "状态", "期间"};

// A sum of the trial balance: zero is written out, as a sum is no empty cell.
std::string Money(int64_t cents) {
  return cents == 0 ? "0.00" : FormatAmount(money::FromCents(cents), 0, 2, 2);
}

std::vector<std::string> RowCells(const std::string& what, const CheckedRow& r) {
  if (r.table == "SUBT") return {what, "", r.code, "", r.summary, "", "", "", "", "", ""};
  std::string side = r.side == 1 ? "借" : r.side == -1 ? "贷" : Format("%ld", r.side);
  return {what,
          r.date,
          r.code,
          Format("%ld", r.line),
          r.summary,
          side,
          Format("%.2f", r.amount),
          r.quantity != 0 ? Format("%.4f", r.quantity) : "",
          r.mark == "    " ? "期初" : r.mark,
          r.state,
          r.period};
}

// A line of the trial balance: what it sums, its debit and credit, and whether they agree.
std::vector<std::string> TrialCells(const std::string& what, int64_t debit, int64_t credit) {
  std::string difference = debit == credit ? "" : Money(debit > credit ? debit - credit : credit - debit);
  return {what, "", "", "", "借 " + Money(debit) + "  贷 " + Money(credit), TrialSide(debit, credit),
          difference, "", "", "", ""};
}

}  // namespace

CBookCheckView::CBookCheckView() : CTextRowsView("数 据 检 查", {std::begin(kCaptions), std::end(kCaptions)}) {
  nFlag = kFormFlag;
}

void CBookCheckView::SetupForm() {
  CVyReportView::SetupForm();
  SetSections(10, 1, 0, 2, 0);
  SetColumns({30, 8, 14, 4, 28, 4, 16, 14, 4, 4, 4});
  SetItems("HEAD", 0, {{10, 40}, {600, 40}});
  SetItems("HEAD", 1, {{10, 80}});
}

void CBookCheckView::Build() {
  result_ = CheckBook(*DataEnv());
  std::vector<std::vector<std::string>> rows;
  for (const BookFinding& f : result_.findings) {
    std::string what = f.count > static_cast<long>(f.rows.size())
                           ? Format("%s（共 %ld 行，列出前 %zu 行）", f.what.c_str(), f.count, f.rows.size())
                           : Format("%s（%ld 行）", f.what.c_str(), f.count);
    for (const CheckedRow& r : f.rows) {
      rows.push_back(RowCells(what, r));
      what = "";
    }
  }
  const TrialBalance& t = result_.trial;
  rows.push_back(TrialCells("试算平衡：年初余额(一级科目)", t.openingDebit, t.openingCredit));
  for (int p = 0; p < 12; ++p)
    rows.push_back(TrialCells(Format("试算平衡：第 %d 期发生额", p + 1), t.debit[static_cast<size_t>(p)],
                               t.credit[static_cast<size_t>(p)]));
  rows.push_back(TrialCells("试算平衡：年末余额(一级科目)", t.closingDebit, t.closingCredit));
  ShowRows(std::move(rows));
}

std::string CBookCheckView::HeadText(int line, int item) const {
  if (line == 0 && item == 0) return "单位：" + (DataEnv() ? DataEnv()->unitName : std::string());
  if (line == 0 && item == 1) return DataEnv() ? Format("年度：%d", DataEnv()->year) : std::string();
  if (line == 1 && item == 0) {
    if (result_.Clean()) return "未发现问题。";
    long rows = 0;
    for (const BookFinding& f : result_.findings) rows += f.count;
    return Format("发现 %zu 类问题，共 %ld 行。", result_.findings.size(), rows);
  }
  return "";
}

const char* CBookCheckView::ColumnAlign(int col) const {
  return col == 6 || col == 7 ? "RIGHT" : col == 5 ? "MID" : "LEFT";
}
