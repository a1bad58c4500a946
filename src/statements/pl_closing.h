#pragma once
// 结转损益: at a month's end the net of every income and expense account is posted back against the profit
// account (本年利润), so that the balances of profit and loss start each month at nothing and the profit
// of the year stands in one account. Which accounts are closed, and into which account, the income
// statement's template says. The postings are reviewed, dated the period's last day, and carry the fixed
// summary kClosingSummary, by which the statements' turnover functions see through them. Closing a month
// posts what is still open in it, so a second run posts nothing, and one after later postings only those.
#include <string>
#include <vector>

#include "base/money.h"

class CVyDataEnv;
class StatementFigures;
struct StatementTemplate;

struct ClosingPosting {
  std::string code, name;
  int side = 1;  // 1 debit, -1 credit
  money::Cents amount = 0;
};

struct ClosingPlan {
  int month = 0;
  std::string date;                     // the period's last day
  std::string profitAccount;
  std::vector<ClosingPosting> postings;  // the accounts' rows first, the profit account's last
  std::string refusal;                  // why nothing can be closed ("" when the plan stands)
};

// What is wrong with a template's closing settings against a chart: accounts to close that it has not, or a
// profit account that is not one lowest-level account ("" nothing, and nothing when it closes nothing).
std::string ClosingSettingsRefusal(const StatementTemplate& form, const StatementFigures& figures);
// What closing month (1..12) would post.
ClosingPlan PlanClosing(CVyDataEnv& env, int month);
// The plan as lines for a question or the tool: "6001 主营业务收入  借  400,000.00" …
std::vector<std::string> PlanLines(const ClosingPlan& plan);
// Posts the plan in one transaction, each row numbered after the day's rows of its account. False after
// the database's message was shown.
bool PostClosing(CVyDataEnv& env, const ClosingPlan& plan);

// The income and expense accounts (lowest level, among those the template closes) that hold a balance at
// the year's end, as lines "6001 主营业务收入 贷 400,000.00"; none when the template closes nothing.
std::vector<std::string> UnclosedAtYearEnd(CVyDataEnv& env);
// Closes every month of the year that still has something open, in one transaction; false after a message.
bool CloseWholeYear(CVyDataEnv& env);
