#include "ledgers/quantity_rows.h"

#include <cstdlib>

#include "base/text.h"
#include "data/sql_text.h"
#include "ledgers/ledger_line.h"

std::string QuantityRows(CVyDataEnv& env, const AccountingYear& year, const QuantityQuery& q) {
  const std::string a = jet::SqlText(q.code);
  std::string out;
  double y[4] = {0, 0, 0, 0};
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
    for (int i = 0; i < 4 && !f.empty() && 3 + i < static_cast<int>(f[0].size()); ++i)
      y[i] = FieldNumber(f[0][static_cast<size_t>(3 + i)]);
    out += row;
  }
  if (q.upToEnd - q.earlier < 1) return out;

  auto c = env.Db()->Query(Format(
      "select t+'\r'+trim(cer)+'\r'+rtrim(mry)+'\r'+cstr$(0.5*(1+f)*nu)+'\r'+\t\t\tcstr$(0.5*(1+f)*my)+'\r'+"
      "cstr$(0.5*(1-f)*nu)+'\r'+cstr$(0.5*(1-f)*my)+'\n',tt \t\t\tfrom p0 where trim(kno)='%s' and "
      "val(tt)>=%d and val(tt)<=%d and mk='4' \t\t\tand rn>0 order by t,rn",
      a.c_str(), q.start, q.end));
  std::string key;
  double m[4] = {0, 0, 0, 0};
  auto totals = [&]() {
    for (int i = 0; i < 4; ++i) y[i] += m[i];
    std::string date = AccountingPeriod(year, std::atoi(key.c_str())).last;
    out += Format("%s\r\r本  月  合  计\r%.4lf\r%.2lf\r%.4lf\r%.2lf\n", date.c_str(), m[0], m[1], m[2], m[3]);
    out += Format("%s\r\r本  年  累  计\r%.4lf\r%.2lf\r%.4lf\r%.2lf\n", date.c_str(), y[0], y[1], y[2], y[3]);
  };
  for (; !c->AtEnd(); c->Next()) {
    std::string row = c->Text(0);
    std::string rowKey = Trim(c->Text(1));
    auto f = SplitRowTexts(row);
    double v[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && !f.empty() && 3 + i < static_cast<int>(f[0].size()); ++i)
      v[i] = FieldNumber(f[0][static_cast<size_t>(3 + i)]);
    if (!key.empty() && rowKey != key) {
      totals();
      for (double& x : m) x = 0;
    }
    for (int i = 0; i < 4; ++i) m[i] += v[i];
    key = rowKey;
    out += row;
  }
  if (!key.empty()) totals();
  return out;
}
