#include "ledgers/quantity_rows.h"

#include <cstdlib>

#include "base/money.h"
#include "base/text.h"
#include "data/sql_text.h"
#include "ledgers/ledger_line.h"

namespace {

// The four figures of a row (debit quantity and amount, credit quantity and amount): quantities as read,
// amounts in the cents they show.
struct Figures {
  double quantity[2] = {0, 0};
  money::Cents amount[2] = {0, 0};

  void Read(const std::vector<std::string>& fields) {
    for (size_t i = 0; i < 4 && 3 + i < fields.size(); ++i) {
      const double v = FieldNumber(fields[3 + i]);
      if (i % 2 == 0)
        quantity[i / 2] = v;
      else
        amount[i / 2] = money::ToCents(v);
    }
  }
  void Add(const Figures& f) {
    for (int i = 0; i < 2; ++i) quantity[i] += f.quantity[i], amount[i] += f.amount[i];
  }
  std::string Row(const std::string& date, const char* caption) const {
    return Format("%s\r\r%s\r%.4lf\r", date.c_str(), caption, quantity[0]) + money::CentsText(amount[0]) +
           Format("\r%.4lf\r", quantity[1]) + money::CentsText(amount[1]) + "\n";
  }
};

}  // namespace

std::string QuantityRows(CVyDataEnv& env, const AccountingYear& year, const QuantityQuery& q) {
  const std::string a = jet::SqlText(q.code);
  std::string out;
  Figures y;
  if (q.earlier > 0) {
    std::string first = AccountingPeriod(year, q.start).first;
    auto c = env.Db()->Query(Format(
        "select '%s\r\r期 初 余 额 汇 "
        "总\r'+cstr$(0.5*sum((1+f)*nu))+'\r'+\t\t\tcstr$(0.5*sum((1+f)*my))+'\r'+"
        "cstr$(0.5*sum((1-f)*nu))+'\r'+\t\t\tcstr$(0.5*sum((1-f)*my))+'\n' from p0 where trim(kno)='%s' and "
        "\t\t\tval(tt)<%d and mk='4' and rn>0",
        jet::SqlText(first).c_str(), a.c_str(), q.start));
    std::string row = c->AtEnd() ? std::string() : c->Text(0);
    // Only unreviewed rows before the start: the sums are empty, and the line shows nothing moved.
    if (row.empty()) row = first + "\r\r期 初 余 额 汇 总\r0\r0\r0\r0\n";
    auto f = SplitRowTexts(row);
    if (!f.empty()) y.Read(f[0]);
    out += row;
  }
  if (q.upToEnd - q.earlier < 1) return out;

  auto c = env.Db()->Query(Format(
      "select t+'\r'+trim(cer)+'\r'+rtrim(mry)+'\r'+cstr$(0.5*(1+f)*nu)+'\r'+\t\t\tcstr$(0.5*(1+f)*my)+'\r'+"
      "cstr$(0.5*(1-f)*nu)+'\r'+cstr$(0.5*(1-f)*my)+'\n',tt \t\t\tfrom p0 where trim(kno)='%s' and "
      "val(tt)>=%d and val(tt)<=%d and mk='4' \t\t\tand rn>0 order by t,rn",
      a.c_str(), q.start, q.end));
  std::string key;
  Figures m;
  auto totals = [&]() {
    y.Add(m);
    std::string date = AccountingPeriod(year, std::atoi(key.c_str())).last;
    out += m.Row(date, "本  月  合  计") + y.Row(date, "本  年  累  计");
  };
  for (; !c->AtEnd(); c->Next()) {
    std::string row = c->Text(0);
    std::string rowKey = Trim(c->Text(1));
    auto f = SplitRowTexts(row);
    Figures v;
    if (!f.empty()) v.Read(f[0]);
    if (!key.empty() && rowKey != key) {
      totals();
      m = Figures();
    }
    m.Add(v);
    key = rowKey;
    out += row;
  }
  if (!key.empty()) totals();
  return out;
}
