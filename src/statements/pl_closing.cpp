// The month-end closing of profit and loss into the profit account.
#include "statements/pl_closing.h"

#include "accounts/period.h"
#include "base/cell_text.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/data_env.h"
#include "data/sql_text.h"
#include "entry/posting.h"
#include "statements/statement.h"
#include "statements/statement_figures.h"

namespace {

// The template that says what is closed: the first one naming closed accounts.
// A year that has no templates yet (read only, as the previous year at the carry forward) goes by the ones
// shipped for its chart.
bool ClosingTemplate(CVyDataEnv& env, StatementTemplate& form) {
  std::vector<std::string> names = env.Db()->HasTable("STMT") ? StatementNames(env) : std::vector<std::string>{};
  for (const std::string& name : names)
    if (LoadStatement(env, name, form) && !Trim(form.closed).empty()) return true;
  if (!names.empty()) return false;
  for (StatementTemplate& t : FittingShippedTemplates(env))
    if (!Trim(t.closed).empty()) {
      form = std::move(t);
      return true;
    }
  return false;
}

std::vector<std::string> Parts(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
    parts.push_back(text.substr(start, comma - start));
  parts.push_back(text.substr(start));
  return parts;
}

// The lowest-level accounts the template's closed text names (codes and ranges joined by ",").
bool ClosedLeaves(const StatementFigures& figures, const std::string& closed, std::vector<int>& leaves,
                  std::string& error) {
  for (const std::string& part : Parts(closed)) {
    if (Trim(part).empty()) continue;
    std::vector<int> accounts;
    if (!figures.Accounts(part, accounts, error)) return false;
    for (int a : accounts)
      for (int leaf : figures.Leaves(a)) leaves.push_back(leaf);
  }
  return true;
}

// The leaves a template closes and the one account it closes them into; the refusal when its settings do
// not name them.
std::string ResolveClosing(const StatementTemplate& form, const StatementFigures& figures, std::vector<int>& leaves,
                           int& profit) {
  std::vector<int> found;
  std::string error;
  if (!ClosedLeaves(figures, form.closed, leaves, error) || !figures.Accounts(form.profitAccount, found, error))
    return "利润表模板的结转设置有错：" + error + "。";
  if (found.size() != 1 || figures.Leaves(found[0]).size() != 1 || figures.Leaves(found[0])[0] != found[0])
    return "本年利润科目" + form.profitAccount + "有下级科目，请在利润表模板中指定它的一个最下级科目。";
  profit = found[0];
  return "";
}

std::string NameOf(CVyDataEnv& env, const std::string& code) {
  auto c = env.Db()->Query(Format("select na from subt where trim(kno)='%s'", jet::SqlText(code).c_str()));
  return c->AtEnd() ? "" : RTrim(c->Text(0));
}

void WriteClosing(CVyDataEnv& env, const ClosingPlan& plan) {
  for (const ClosingPosting& c : plan.postings) {
    Posting p;
    p.date = plan.date;
    p.summary = kClosingSummary;
    p.code = c.code;
    p.side = c.side;
    p.amount = money::FromCents(c.amount);
    p.mark = "2";  // 双方达: never an item of a reconciliation
    p.period = plan.month;
    p.line = static_cast<int>(env.QueryLong(Format("select max(rn) from p0 where trim(kno)='%s' and t='%s'",
                                                   jet::SqlText(c.code).c_str(), plan.date.c_str()))) +
             1;
    WritePosting(env, p);
  }
}

std::string SideText(int side) {
  return side > 0 ? "借" : "贷";
}

}  // namespace

ClosingPlan PlanClosing(CVyDataEnv& env, int month) {
  ClosingPlan plan;
  plan.month = month;
  if (month < 1 || month > 12) {
    plan.refusal = "月份应为 1 到 12。";
    return plan;
  }
  plan.date = AccountingPeriod(YearOf(env), month).last;
  StatementTemplate form;
  if (!ClosingTemplate(env, form)) {
    plan.refusal = "没有报表模板指定要结转的损益类科目（利润表模板的“结转科目”）。";
    return plan;
  }
  StatementFigures figures(env);
  std::vector<int> leaves;
  int profit = -1;
  plan.refusal = ResolveClosing(form, figures, leaves, profit);
  if (!plan.refusal.empty()) return plan;
  plan.profitAccount = figures.Code(profit);
  for (int leaf : leaves) {
    if (leaf == profit) continue;
    money::Micros net = figures.Debit(leaf, month, month, true) - figures.Credit(leaf, month, month, true);
    money::Cents cents = money::ToCents(money::FromMicros(net));
    if (cents == 0) continue;
    plan.postings.push_back({figures.Code(leaf), NameOf(env, figures.Code(leaf)), net > 0 ? -1 : 1,
                             cents > 0 ? cents : -cents});
  }
  money::Cents profitCents = 0;
  for (const ClosingPosting& p : plan.postings) profitCents += p.side > 0 ? p.amount : -p.amount;
  if (profitCents != 0)
    plan.postings.push_back({plan.profitAccount, NameOf(env, plan.profitAccount), profitCents > 0 ? -1 : 1,
                             profitCents > 0 ? profitCents : -profitCents});
  return plan;
}

std::vector<std::string> PlanLines(const ClosingPlan& plan) {
  std::vector<std::string> lines;
  for (const ClosingPosting& p : plan.postings)
    lines.push_back(p.code + " " + p.name + "  " + SideText(p.side) + "  " +
                    MoneyText(money::FromCents(p.amount)));
  return lines;
}

bool PostClosing(CVyDataEnv& env, const ClosingPlan& plan) {
  return env.RunInTransaction([&] { WriteClosing(env, plan); });
}

std::string ClosingSettingsRefusal(const StatementTemplate& form, const StatementFigures& figures) {
  if (Trim(form.closed).empty()) return "";
  std::vector<int> leaves;
  int profit = -1;
  return ResolveClosing(form, figures, leaves, profit);
}

std::vector<std::string> UnclosedAtYearEnd(CVyDataEnv& env) {
  std::vector<std::string> lines;
  StatementTemplate form;
  if (!ClosingTemplate(env, form)) return lines;
  StatementFigures figures(env);
  std::vector<int> leaves;
  std::string error;
  if (!ClosedLeaves(figures, form.closed, leaves, error)) return lines;
  for (int leaf : leaves) {
    if (figures.Code(leaf) == Trim(form.profitAccount)) continue;
    money::Cents b = money::ToCents(money::FromMicros(figures.Balance(leaf, 12)));
    if (b == 0) continue;
    lines.push_back(figures.Code(leaf) + " " + NameOf(env, figures.Code(leaf)) + " " + SideText(b > 0 ? 1 : -1) +
                    " " + MoneyText(money::FromCents(b > 0 ? b : -b)));
  }
  return lines;
}

bool CloseWholeYear(CVyDataEnv& env) {
  std::vector<ClosingPlan> plans;
  for (int m = 1; m <= 12; ++m) {
    ClosingPlan plan = PlanClosing(env, m);
    if (!plan.refusal.empty()) {
      ShowMessage(plan.refusal, MsgIcon::Stop);
      return false;
    }
    if (!plan.postings.empty()) plans.push_back(std::move(plan));
  }
  return env.RunInTransaction([&] {
    for (const ClosingPlan& plan : plans) WriteClosing(env, plan);
  });
}
