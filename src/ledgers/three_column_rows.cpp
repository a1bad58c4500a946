#include "ledgers/three_column_rows.h"

#include <cmath>
#include <cstdlib>

#include "base/money.h"
#include "base/text.h"
#include "data/database.h"
#include "data/sql_text.h"

using jet::SqlText;
using money::Cents;
using money::CentsText;
using money::ToCents;

namespace {

// The debit and credit fields of a composed row, after its first `skip` fields, in the cents they show.
void ReadSides(const std::string& row, size_t skip, Cents& debit, Cents& credit) {
  auto fields = SplitRowTexts(row);
  debit = credit = 0;
  if (fields.empty()) return;
  const auto& f = fields[0];
  if (f.size() > skip) debit = ToCents(FieldNumber(f[skip]));
  if (f.size() > skip + 1) credit = ToCents(FieldNumber(f[skip + 1]));
}

std::string LastDate(const AccountingYear& year, int period) {
  return AccountingPeriod(year, period).last;
}

// What the rows before the postings leave to them: the opening and earlier-period rows, the balance and
// the year's sums so far (all in cents, as the rows show them), and whether the periods asked for hold any
// posting.
struct DetailHead {
  std::string out;
  Cents balance = 0, yd = 0, yc = 0;
  bool postings = false;
};

DetailHead ReadDetailHead(CVyDataEnv& env, const AccountingYear& year, const ThreeColumnQuery& q) {
  const std::string a = SqlText(q.code);
  const char* mk = q.reached ? " and mk='4'" : " and mk='0'";
  const char* k = a.c_str();
  DetailHead h;

  double b0 = 0;
  std::string d0;
  if (q.reached &&
      env.QueryLong(Format("select count(*) from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and rn=0",
                           k, k)) >= 1) {
    auto c = env.Db()->Query(Format(
        "select min(t),sum(f*my) from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and rn=0", k, k));
    if (!c->AtEnd()) {
      d0 = c->Text(0);
      b0 = c->Real(1);
    }
  }

  h.balance = ToCents(b0);
  long earlier = env.QueryLong(Format("select count(*) from p0 where (Trim(kno)='%s' or Trim(kno) like "
                                      "'%s-*') and \t\tval(tt)<%d and rn>0",
                                      k, k, q.start) +
                               mk);
  if (earlier == 0) {
    if (std::fabs(b0) > money::kBalanceZero)
      h.out += Format("%s\r\r期 初 余 额\r0\r0\r", d0.c_str()) + CentsText(h.balance) + "\n";
  } else {
    std::string first = SqlText(AccountingPeriod(year, q.start).first);
    auto c = env.Db()->Query(
        Format("select '%s\r\r期 初 余 额 汇 "
               "总\r'+cstr$(0.5*sum((1+f)*my))+'\r'+\t\t\tcstr$(0.5*sum((1-f)*my))+'\r' "
               "from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and \t\t\tval(tt)<%d and rn>0",
               first.c_str(), k, k, q.start) +
        mk);
    if (!c->AtEnd()) {
      std::string row = c->Text(0);
      Cents dp, cp;
      ReadSides(row, 3, dp, cp);
      h.balance += dp - cp;
      h.out += row + CentsText(h.balance) + "\n";
      h.yd = dp;
      h.yc = cp;
    }
  }

  h.postings = env.QueryLong(Format("select count(*) from p0 where (Trim(kno)='%s' or Trim(kno) \t\tlike "
                                    "'%s-*') and val(tt)>=%d and val(tt)<=%d and rn>0",
                                    k, k, q.start, q.end) +
                             mk) != 0;
  return h;
}

// The statement of the postings themselves with the given select list.
std::string PostingsStatement(const ThreeColumnQuery& q, const char* selectList) {
  const std::string a = SqlText(q.code);
  const char* k = a.c_str();
  return Format(
             "select  %s from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and strcomp(cer,'    "
             "',0)<>0 and \t\t\tval(tt)>=%d and val(tt)<=%d",
             selectList, k, k, q.start, q.end) +
         // The sub-accounts' postings of one day and line number come in account order, the running balance
         // with them: the order is whole, so every engine gives the same lines.
         (q.reached ? " and mk='4' order by t,rn,kno" : " and mk='0' order by t,rn,kno");
}

// The month's and the year's total rows after a period's postings.
std::string TotalRows(const AccountingYear& year, const std::string& periodKey, Cents md, Cents mc, Cents yd,
                      Cents yc, Cents balance) {
  std::string date = LastDate(year, std::atoi(periodKey.c_str() + 4));
  return date + "\r\r本  月  合  计\r" + CentsText(md) + "\r" + CentsText(mc) + "\r" + CentsText(balance) + "\n" +
         date + "\r\r本  年  累  计\r" + CentsText(yd) + "\r" + CentsText(yc) + "\r" + CentsText(balance) + "\n";
}

// The month's sums, the year's and the running balance as the postings come in date order; at each change
// of period (the date's year and the row's period) the total rows of the period that ended.
class PeriodSums {
 public:
  PeriodSums(const AccountingYear& year, DetailHead& head) : year_(year), h_(head) {}
  // Adds a posting (its sides as the row shows them); returns the total rows of the period it ends, "" when
  // it ends none.
  std::string Add(const std::string& periodKey, Cents debit, Cents credit) {
    std::string ended;
    if (key_.empty() || periodKey == key_) {
      md_ += debit;
      mc_ += credit;
    } else {
      ended = Totals();
      md_ = debit;
      mc_ = credit;
    }
    key_ = periodKey;
    h_.balance += debit - credit;
    return ended;
  }
  // The total rows of the last period, "" when there was no posting.
  std::string Finish() { return key_.empty() ? std::string() : Totals(); }

 private:
  std::string Totals() {
    h_.yd += md_;
    h_.yc += mc_;
    return TotalRows(year_, key_, md_, mc_, h_.yd, h_.yc, h_.balance);
  }
  const AccountingYear& year_;
  DetailHead& h_;
  std::string key_;
  Cents md_ = 0, mc_ = 0;
};

// The number a composed row's cstr$(x) field reads back as. An amount of whole cents is written with all
// its digits (at most 15), so it reads back as itself; anything else goes through the text.
double CStrReadBack(double x) {
  if (x == 0) return 0;  // written "0", without a sign
  if (std::fabs(x) < 1e13 && money::RoundToCents(x) == x) return x;
  return FieldNumber(jet::NumberText(x));
}

// A text column as the statement's text operators read it (a blob's bytes too).
std::string TextAt(const jet::Cursor& c, int i) {
  std::string_view text = c.TextView(i);
  return text.empty() ? c.Text(i) : std::string(text);
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

std::string ThreeColumnDetailRows(CVyDataEnv& env, const AccountingYear& year, const ThreeColumnQuery& q) {
  DetailHead h = ReadDetailHead(env, year, q);
  std::string& out = h.out;
  if (!h.postings) return out;

  auto c = env.Db()->Query(PostingsStatement(
      q, "t+'\r'+trim(cer)+'\r'+rtrim(mry)+'\r'+cstr$(0.5*(1+f)*my)+'\r'+\t\t\tcstr$(0.5*(1-f)*my)+'\r',tt"));
  PeriodSums sums(year, h);
  for (; !c->AtEnd(); c->Next()) {
    std::string row = c->Text(0);
    Cents debit, credit;
    ReadSides(row, 3, debit, credit);
    out += sums.Add(row.substr(0, 4) + c->Text(1), debit, credit);
    out += row + CentsText(h.balance) + "\n";
  }
  out += sums.Finish();
  return out;
}

std::optional<std::vector<LedgerLine>> ThreeColumnDetailLines(CVyDataEnv& env, const AccountingYear& year,
                                                              const ThreeColumnQuery& q) {
  DetailHead h = ReadDetailHead(env, year, q);
  std::vector<LedgerLine> lines = ThreeColumnLines(h.out, true);
  if (!h.postings) return lines;

  auto c = env.Db()->Query(PostingsStatement(q, "t,cer,mry,f,my,tt"));
  PeriodSums sums(year, h);
  std::string periodKey;
  auto append = [&lines](const std::string& totalRows) {
    for (LedgerLine& line : ThreeColumnLines(totalRows, true)) lines.push_back(std::move(line));
  };
  for (; !c->AtEnd(); c->Next()) {
    // A row the composed text would not carry as it is (a NULL empties it, a line break splits it, a
    // number in a text column is written another way): the composed rows serve such a book.
    for (int i = 0; i < 6; ++i)
      if (c->IsNull(i) || c->IsText(i) != (i < 3 || i == 5)) return std::nullopt;
    std::string date = c->Text(0), cer = TextAt(*c, 1), mry = TextAt(*c, 2);
    mry.erase(mry.find_last_not_of(' ') + 1);  // rtrim
    if (date.size() < 4 || HasLineBreak(date) || HasLineBreak(cer) || HasLineBreak(mry)) return std::nullopt;
    const double f = c->Real(3), my = c->Real(4);
    const double debit = CStrReadBack(0.5 * (1 + f) * my), credit = CStrReadBack(0.5 * (1 - f) * my);
    periodKey.assign(date, 0, 4);
    periodKey += c->Text(5);
    append(sums.Add(periodKey, ToCents(debit), ToCents(credit)));
    const double shown = money::FromCents(h.balance);
    LedgerLine& line = lines.emplace_back();
    line.voucher = Trim(cer);
    line.cells = {MonthOf(date),
                  DayOf(date),
                  std::move(mry),
                  FormatAmount(debit, 0, 2, 2),
                  FormatAmount(credit, 0, 2, 2),
                  BalanceDirection(shown),
                  FormatAmount(std::fabs(shown), 0, 2, 2)};
  }
  append(sums.Finish());
  return lines;
}

std::vector<LedgerLine> ThreeColumnLines(const std::string& texts, bool detail) {
  auto rows = SplitRowTexts(texts);
  std::vector<LedgerLine> lines;
  lines.reserve(rows.size());
  for (auto& f : rows) {
    if (!detail) f.insert(f.begin() + 1, std::string());
    f.resize(6);
    double balance = FieldNumber(f[5]);
    LedgerLine line;
    line.voucher = detail ? Trim(f[1]) : std::string();
    line.cells = {MonthOf(f[0]),
                  DayOf(f[0]),
                  f[2],
                  FormatAmount(FieldNumber(f[3]), 0, 2, 2),
                  FormatAmount(FieldNumber(f[4]), 0, 2, 2),
                  BalanceDirection(balance),
                  FormatAmount(std::fabs(balance), 0, 2, 2)};
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string ThreeColumnSummaryRows(CVyDataEnv& env, const AccountingYear& year, const ThreeColumnQuery& q) {
  const std::string a = SqlText(q.code);
  const char* k = a.c_str();
  const char* mk = q.reached ? " and mk='4'" : " and mk='0'";
  std::string out;
  Cents balance = 0, yd = 0, yc = 0;

  auto any = env.Db()->Query(
      Format("select DISTINCT trim(tt) from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and \t\t"
             "(val(tt)<%d or(val(tt)=%d and rn=0)) ",
             k, k, q.start, q.start) +
      mk);
  if (!any->AtEnd()) {
    std::string first = SqlText(AccountingPeriod(year, q.start).first);
    auto c = env.Db()->Query(
        Format("select '%s'+'\r期 初 余 额 汇 总\r'+\t\t\tcstr$(0.5*sum((1+f)*my*abs(strcomp(cer,'    "
               "',0))))+'\r'+"
               "\t\t\tcstr$(0.5*sum((1-f)*my*abs(strcomp(cer,'    ',0))))+'\r',\t\t\tsum(f*my) from p0 where "
               "(Trim(kno)='%s' or Trim(kno) like '%s-*') \t\t\tand (val(tt)<%d or(val(tt)=%d and rn=0))",
               first.c_str(), k, k, q.start, q.start) +
        mk);
    if (!c->AtEnd()) {
      std::string row = c->Text(0);
      ReadSides(row, 2, yd, yc);
      balance = ToCents(c->Real(1));
      out += row + CentsText(balance) + "\n";
    }
  }

  auto months = env.Db()->Query(
      Format("select DISTINCT trim(tt) from p0 where (Trim(kno)='%s' or Trim(kno) like '%s-*') and \t\t"
             "(val(tt)>%d or (val(tt)=%d and rn>0)) and val(tt)<=%d",
             k, k, q.start, q.start, q.end) +
      mk);
  if (months->AtEnd()) return out;
  auto c = env.Db()->Query(
      Format("select tt,'\r本  月  合  计\r'+\t\t\tcstr$(0.5*sum((1+f)*my*abs(strcomp(cer,'    "
             "',0))))+'\r'+\t\t\t"
             "cstr$(0.5*sum((1-f)*my*abs(strcomp(cer,'    ',0))))+'\r',\t\t\tsum(f*my) from p0 where "
             "(Trim(kno)='%s' or Trim(kno) like '%s-*') \t\t\tand (val(tt)>%d or (val(tt)=%d and rn>0)) and "
             "\t\t\tval(tt)<=%d",
             k, k, q.start, q.start, q.end) +
      (q.reached ? " and mk='4' GROUP BY tt ORDER BY val(tt)" : " and mk='0' GROUP BY tt ORDER BY val(tt)"));
  for (; !c->AtEnd(); c->Next()) {
    std::string date = LastDate(year, std::atoi(Trim(c->Text(0)).c_str()));
    std::string text = c->Text(1);
    balance += ToCents(c->Real(2));
    std::string row = date + text + CentsText(balance) + "\n";
    out += row;
    Cents md, mc;
    ReadSides(row, 2, md, mc);
    yd += md;
    yc += mc;
    out += row.substr(0, 9) + "本  年  累  计\r" + CentsText(yd) + "\r" + CentsText(yc) + "\r" + CentsText(balance) +
           "\n";
  }
  return out;
}
