#include "ledgers/quantity_currency_ledger.h"

#include <cmath>

#include "accounts/account_full_name.h"
#include "accounts/chart_queries.h"
#include "base/cell_text.h"
#include "base/money.h"
#include "base/platform.h"
#include "base/text.h"
#include "base/wait_cursor.h"
#include "data/sql_text.h"
#include "ledgers/aux_catalogue_dlg.h"
#include "ledgers/quantity_rows.h"

CQirnzb3::CQirnzb3(int k) : kind(k) {
  nFlag = 5;
  pageItem_ = 3;
  align_ = {"MID",   "MID",   "LEFT", "RIGHT", "RIGHT", "RIGHT", "RIGHT",
            "RIGHT", "RIGHT", "MID",  "RIGHT", "RIGHT", "RIGHT"};
}

void CQirnzb3::SetupForm() {
  CVyReportView::SetupForm();
  rulesThrough_ = 0;
  SetSections(20, 3, 0, 2, 0);
  SetColumns({3, 3, 36, 12, 12, 12, 12, 12, 12, 2, 12, 12, 12});
  SetItems("HEAD", 0, {{10, 92}});
  SetItems("HEAD", 1, {{10, 24}, {450, 30}, {700, 20}, {900, 16}});
}

double CQirnzb3::Price(double amount, double second) {
  return money::PriceOf(amount, second, money::kAmountZero);
}

bool CQirnzb3::CanShow(CVyDataEnv& env, int k, const std::string& account, int endPeriod) {
  if (env.QueryLong(Format("select count(*) from subt where trim(kno) like '%s-*'",
                           jet::SqlText(account).c_str())) > 0) {
    ShowMessage(k == 0 ? "本帐户已有子帐户，已不是数量金额核算" : "本帐户已有子帐户，已不是外币核算",
                MsgIcon::Stop);
    return false;
  }
  if (LedgerRows(env, account, endPeriod, false) == 0) {
    ShowMessage("本帐户无经济内容!", MsgIcon::Stop);
    return false;
  }
  return true;
}

void CQirnzb3::Build() {
  CVyDataEnv& env = *DataEnv();
  WaitCursorScope waiting;
  const std::string k = jet::SqlText(code);
  unitName.clear();
  auto unit = env.Db()->Query(
      kind == 0
          ? Format("select trim(fzn) from subt where trim(kno)='%s'", k.c_str())
          : Format(
                "select trim(na) from wbt where wno in (select trim(fzn) from \t\tsubt where trim(kno)='%s')",
                k.c_str()));
  if (!unit->AtEnd()) unitName = unit->Text(0);
  int s = MonthNumber(startMonth), e = MonthNumber(endMonth);
  QuantityQuery q{code, s, e, 0, 0};
  q.earlier = env.QueryLong(Format(
      "select count(*) from p0 where trim(kno)='%s' and \t\tval(tt)<%d and mk<>'1' and rn>0", k.c_str(), s));
  q.upToEnd = env.QueryLong(Format(
      "select count(*) from p0 where trim(kno)='%s' and \t\tval(tt)<=%d and mk<>'1' and rn>0", k.c_str(), e));
  AccountingYear year = YearOf(env);
  auto rows = SplitRowTexts(QuantityRows(env, year, q));

  // The year's opening values; several opening rows of the account count together.
  double q0 = 0, m0 = 0;
  if (env.QueryLong(Format("select count(*) from p0 where Trim(kno)='%s' and rn=0", k.c_str())) > 0) {
    auto c = env.Db()->Query(
        Format("select min(t),sum(f*nu),sum(f*my) from p0 where Trim(kno)='%s' and rn=0", k.c_str()));
    std::string date = c->Text(0);
    q0 = c->Real(1);
    m0 = c->Real(2);
    if (s > 1) date = AccountingPeriod(year, s).first;
    std::vector<std::string> opening{date, "", "期 初 余 额", "0", "0", "0", "0"};
    if (rows.empty())
      rows.push_back(opening);
    else if (q.earlier == 0)
      rows.insert(rows.begin(), opening);
  }

  std::vector<LedgerLine> lines;
  double sdq = 0, sda = 0, scq = 0, sca = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    auto& f = rows[i];
    f.resize(7);
    double dq = FieldNumber(f[3]), da = FieldNumber(f[4]), cq = FieldNumber(f[5]), ca = FieldNumber(f[6]);
    LedgerLine line;
    line.voucher = Trim(f[1]);
    if (i == 0 || line.IsPosting()) {
      sdq += dq;
      sda += da;
      scq += cq;
      sca += ca;
    }
    double b = sda - sca + m0, bq = sdq - scq + q0;
    bool sameSign = money::PriceOf(b, bq, money::kAmountZero) != 0;
    line.cells = {MonthOf(f[0]),
                  DayOf(f[0]),
                  f[2],
                  QuantityText(dq),
                  PriceText(Price(da, dq)),
                  MoneyText(da),
                  QuantityText(cq),
                  PriceText(Price(ca, cq)),
                  MoneyText(ca),
                  BalanceDirection(b),
                  QuantityText(sameSign ? std::fabs(bq) : bq),
                  PriceText(sameSign ? b / bq : 0),
                  MoneyText(std::fabs(b))};
    lines.push_back(std::move(line));
  }
  fullName = AccountFullName(env, code, 84);
  SetLines(std::move(lines));
}

bool CQirnzb3::ChangeAccount() {
  CAuxCatalogueDlg dialog(*DataEnv(), kind == 0 ? CAuxCatalogueDlg::kQuantity : CAuxCatalogueDlg::kCurrency,
                         code, startMonth, endMonth);
  if (!AskAuxCatalogue(dialog)) return false;
  if (dialog.code == code && dialog.start == startMonth && dialog.end == endMonth) return false;
  if (!CanShow(*DataEnv(), kind, dialog.code, MonthNumber(dialog.end))) return false;
  Open(dialog.code, dialog.start, dialog.end, dialog.periodText);
  return true;
}

std::string CQirnzb3::HeadItem(int line, int item, bool printing) {
  if (line == 1 && item == 2) return (kind == 0 ? "数量单位：" : "币种名称：") + unitName;
  return CLedgerView::HeadItem(line, item, printing);
}

std::vector<std::string> CQirnzb3::ValueCaptions() const {
  if (kind == 0) return {"数     量", "单     价", "金     额"};
  return {"外  币  数", "汇     率", "本位币金额"};
}

std::vector<std::string> CQirnzb3::ColumnCaptions() {
  std::vector<std::string> v = ValueCaptions();
  std::vector<std::string> c{"月", "日", "摘          要     "};
  for (const char* group : {"借方", "贷方"})
    for (const std::string& name : v) c.push_back(group + ("/" + name));
  c.push_back("借或贷");
  for (const std::string& name : v) c.push_back("余额/" + name);
  return c;
}

// Each of the three groups is quantity (or foreign amount), price (or rate) and amount; the direction
// between the second and third group is text.
ReportColumnKind CQirnzb3::ColumnKind(int col) {
  if (col < 3 || col == 9) return ReportColumnKind::kText;
  int inGroup = (col < 9 ? col - 3 : col - 10) % 3;
  return inGroup == 2 ? ReportColumnKind::kAmount : ReportColumnKind::kFigure;
}

void CQirnzb3::DrawFrame(VyDC& dc) {
  DrawLineText(0, dc, Topic(), "MID", "TOPIC");
  DrawFormHeadRules(dc, {{0, 1}, {3, 5}, {6, 8}, {10, 12}});
  int year = DataEnv() ? DataEnv()->year : 0;
  DrawOverColumns(dc, 0, 0, 1, Format("%4d年", year));
  DrawCellText(2, 0, dc, "月", "MID", "FORMHEAD");
  DrawCellText(2, 1, dc, "日", "MID", "FORMHEAD");
  DrawCellText(1, 2, dc, "摘          要     ", "MID", "FORMHEAD");
  DrawOverColumns(dc, 0, 3, 5, "借  方  发  生  额");
  DrawOverColumns(dc, 0, 6, 8, "贷  方  发  生  额");
  DrawOverColumns(dc, 0, 10, 12, "余           额");
  DrawCellText(0, 9, dc, "借", "MID", "FORMHEAD");
  DrawCellText(1, 9, dc, "或", "MID", "FORMHEAD");
  DrawCellText(2, 9, dc, "贷", "MID", "FORMHEAD");
  std::vector<std::string> v = ValueCaptions();
  for (int g : {3, 6, 10})
    for (int i = 0; i < 3; ++i) DrawCellText(2, g + i, dc, v[static_cast<size_t>(i)], "MID", "FORMHEAD");
}

LedgerLine CQirnzb3::CarryLine(const LedgerLine& previous, const std::vector<double>& sums,
                               const std::string& text) {
  return CarryLineOf(previous, text,
                     {QuantityText(sums[0]), PriceText(Price(sums[1], sums[0])), MoneyText(sums[1]),
                      QuantityText(sums[2]), PriceText(Price(sums[3], sums[2])), MoneyText(sums[3])},
                     9);
}
