// Working out a statement: the calculator with the statement functions, line by line.
#include "statements/statement.h"

#include <functional>
#include <memory>

#include "accounts/chart_templates.h"
#include "base/text.h"
#include "calc/calc_arguments.h"
#include "calc/evaluator.h"
#include "data/data_env.h"
#include "data/year_schema.h"

namespace {

using money::Micros;

// What a formula is worked out against: the figures, the month, and the other lines' figures of the same
// column (asked through lineValue, which works them out on demand).
struct Context {
  const StatementFigures* figures = nullptr;
  int month = 12;
  std::function<bool(int lineNo, double& value, std::string& error)> lineValue;
};

class StatementCalc : public CCaculate {
 public:
  explicit StatementCalc(const Context& context) : context_(context) {}
  std::unique_ptr<CCaculate> NewEvaluator() const override { return std::make_unique<StatementCalc>(context_); }
  bool CallFunction(const std::string& name, const std::string& arguments, CalcValue& value) override;

 private:
  bool Fail(const std::string& message) {
    SetError(kCalcUnknownFunction, message);
    return false;
  }
  bool Month(CalcArguments& args, int i, int least, int& month);
  bool Result(Micros micros, CalcValue& value) {
    value = CalcValue::Number(NumberText(money::FromMicros(micros)));
    return true;
  }
  Context context_;
};

// The functions over accounts: each takes a code (or a range of one level's codes) and, optionally, a month.
enum class Kind { Closing, Opening, Debit, Credit, Net, YearDebit, YearCredit, YearNet, DebitLeaves, CreditLeaves };
struct AccountFunction {
  const char* name;
  Kind kind;
  const char* help;
};
const AccountFunction kAccountFunctions[] = {
    {"qm", Kind::Closing, "qm(科目[,月]) 期末余额：借方减贷方，月为 0 时是年初余额"},
    {"nc", Kind::Opening, "nc(科目) 年初余额：借方减贷方"},
    {"jf", Kind::Debit, "jf(科目[,月]) 本月借方发生额"},
    {"df", Kind::Credit, "df(科目[,月]) 本月贷方发生额"},
    {"fs", Kind::Net, "fs(科目[,月]) 本月净发生额：借方减贷方"},
    {"ljjf", Kind::YearDebit, "ljjf(科目[,月]) 本年累计借方发生额"},
    {"ljdf", Kind::YearCredit, "ljdf(科目[,月]) 本年累计贷方发生额"},
    {"ljfs", Kind::YearNet, "ljfs(科目[,月]) 本年累计净发生额：借方减贷方"},
    {"jye", Kind::DebitLeaves, "jye(科目[,月]) 最下级科目中借方余额之和"},
    {"dye", Kind::CreditLeaves, "dye(科目[,月]) 最下级科目中贷方余额之和（正数）"},
};

bool StatementCalc::Month(CalcArguments& args, int i, int least, int& month) {
  month = context_.month;
  if (args.IsBlank(i)) return true;
  double m = 0;
  if (!args.Number(i, m)) return false;
  if (m < least || m > 12 || m != static_cast<int>(m))
    return Fail(Format("月份应为 %d 到 12 的整数", least));
  month = static_cast<int>(m);
  return true;
}

bool StatementCalc::CallFunction(const std::string& name, const std::string& arguments, CalcValue& value) {
  CalcArguments args(*this, arguments);
  if (name == "h" || name == "hs") {
    const bool range = name == "hs";
    if (!args.Expect(range ? 2 : 1, range ? 2 : 1)) return false;
    double a = 0, b = 0;
    if (!args.Number(0, a) || (range && !args.Number(1, b))) return false;
    if (!range) b = a;
    double sum = 0;
    for (int n = static_cast<int>(a); n <= static_cast<int>(b); ++n) {
      double v = 0;
      std::string error;
      if (!context_.lineValue(n, v, error)) {
        if (!range || !error.empty()) return Fail(error.empty() ? Format("没有行次 %d", n) : error);
        continue;  // a range passes over the numbers no line has
      }
      sum += v;
    }
    value = CalcValue::Number(NumberText(sum));
    return true;
  }
  for (const AccountFunction& f : kAccountFunctions) {
    if (name != f.name) continue;
    const bool opening = f.kind == Kind::Opening;
    if (!args.Expect(1, opening ? 1 : 2)) return false;
    std::vector<int> accounts;
    std::string error;
    if (!context_.figures->Accounts(args.Raw(0), accounts, error)) return Fail(error);
    int month = 0;
    if (!opening && !Month(args, 1, f.kind == Kind::Closing || f.kind == Kind::DebitLeaves ||
                                            f.kind == Kind::CreditLeaves ? 0 : 1, month))
      return false;
    const StatementFigures& fig = *context_.figures;
    Micros sum = 0;
    for (int a : accounts) switch (f.kind) {
        case Kind::Closing: sum += fig.Balance(a, month); break;
        case Kind::Opening: sum += fig.Balance(a, 0); break;
        case Kind::Debit: sum += fig.Debit(a, month, month); break;
        case Kind::Credit: sum += fig.Credit(a, month, month); break;
        case Kind::Net: sum += fig.Debit(a, month, month) - fig.Credit(a, month, month); break;
        case Kind::YearDebit: sum += fig.Debit(a, 1, month); break;
        case Kind::YearCredit: sum += fig.Credit(a, 1, month); break;
        case Kind::YearNet: sum += fig.Debit(a, 1, month) - fig.Credit(a, 1, month); break;
        case Kind::DebitLeaves:
        case Kind::CreditLeaves:
          for (int leaf : fig.Leaves(a)) {
            Micros b = fig.Balance(leaf, month);
            if (f.kind == Kind::DebitLeaves && b > 0) sum += b;
            if (f.kind == Kind::CreditLeaves && b < 0) sum -= b;
          }
          break;
      }
    return Result(sum, value);
  }
  return false;  // not a statement function: the evaluator says 函数名出错
}

// The figures of one column, each line worked out once, when first asked (a line may use lines below it).
class ColumnWork {
 public:
  ColumnWork(const StatementTemplate& form, int column, int month, const StatementFigures& figures)
      : form_(form), column_(column) {
    context_.figures = &figures;
    context_.month = month;
    context_.lineValue = [this](int lineNo, double& value, std::string& error) {
      return LineValue(lineNo, value, error);
    };
    state_.assign(form.lines.size(), State::Pending);
    values_.assign(form.lines.size(), 0);
    errors_.assign(form.lines.size(), "");
  }

  // Works out line i; false when it has no figure (errors_[i] says why when its formula failed).
  bool Line(size_t i) {
    if (state_[i] == State::Done) return errors_[i].empty() && !Trim(Formula(i)).empty();
    if (state_[i] == State::Working) {
      errors_[i] = Format("行次 %d 的公式引用了它自己", form_.lines[i].lineNo);
      return false;
    }
    state_[i] = State::Working;
    bool ok = Evaluate(Formula(i), values_[i], errors_[i]);
    state_[i] = State::Done;
    return ok;
  }
  bool Evaluate(const std::string& formula, double& value, std::string& error) {
    if (Trim(formula).empty()) return false;
    StatementCalc calc(context_);
    if (calc.EvaluateNumber(formula, value)) return true;
    if (error.empty()) error = calc.GetError().message;
    return false;
  }
  double Value(size_t i) const { return values_[i]; }
  const std::string& Error(size_t i) const { return errors_[i]; }

 private:
  enum class State { Pending, Working, Done };
  const std::string& Formula(size_t i) const { return form_.lines[i].formula[column_]; }
  bool LineValue(int lineNo, double& value, std::string& error) {
    for (size_t i = 0; i < form_.lines.size(); ++i) {
      if (form_.lines[i].lineNo != lineNo) continue;
      if (state_[i] == State::Working) {
        error = Format("行次 %d 的公式循环引用", lineNo);
        return false;
      }
      if (!Line(i)) {
        if (!errors_[i].empty()) error = Format("行次 %d 有错", lineNo);
        value = 0;
        return errors_[i].empty();  // a line without a formula counts as nothing
      }
      value = values_[i];
      return true;
    }
    return false;
  }

  const StatementTemplate& form_;
  int column_;
  Context context_;
  std::vector<State> state_;
  std::vector<double> values_;
  std::vector<std::string> errors_;
};

}  // namespace

StatementResult ComputeStatement(const StatementTemplate& form, int month, const StatementFigures& figures) {
  StatementResult r;
  r.form = form;
  r.month = month;
  r.cells.resize(form.lines.size());
  std::vector<std::array<std::string, 2>> failed(form.lines.size());
  std::array<std::string, 2> checkFailed;
  for (size_t col = 0; col < 2; ++col) {
    ColumnWork work(form, static_cast<int>(col), month, figures);
    for (size_t i = 0; i < form.lines.size(); ++i) {
      if (work.Line(i)) r.cells[i][col] = {false, money::ToCents(work.Value(i))};
      failed[i][col] = work.Error(i);
    }
    double check = 0;
    if (work.Evaluate(form.checkFormula, check, checkFailed[col])) r.check[col] = {false, money::ToCents(check)};
  }
  for (size_t i = 0; i < form.lines.size(); ++i)
    for (size_t col = 0; col < 2; ++col)
      if (!failed[i][col].empty())
        r.errors.push_back(Format("行次 %d %s：", form.lines[i].lineNo, form.columns[col].c_str()) + failed[i][col]);
  for (size_t col = 0; col < 2; ++col)
    if (!checkFailed[col].empty())
      r.errors.push_back("校验公式（" + form.columns[col] + "）：" + checkFailed[col]);
  return r;
}

std::string FormulaRefusal(const StatementTemplate& form, const StatementFigures& figures) {
  StatementResult r = ComputeStatement(form, 12, figures);
  return r.errors.empty() ? "" : r.errors.front();
}

const std::vector<std::string>& StatementFunctionHelp() {
  static const std::vector<std::string> help = [] {
    std::vector<std::string> lines;
    for (const AccountFunction& f : kAccountFunctions) lines.push_back(f.help);
    lines.push_back("h(行次) 本栏中另一行的金额；hs(行次1,行次2) 本栏中这些行的金额之和");
    lines.push_back("科目写作 1122、5001-2 或同一级的范围 1401:1471（含下级科目）；范围可以为空：1521:1521 "
                    "是科目表中有 1521 时的 1521，没有时为 0；月缺省为报表的月份");
    lines.push_back("发生额函数不含期末结转损益的凭证（摘要“" + std::string(kClosingSummary) + "”）");
    return lines;
  }();
  return help;
}

std::vector<StatementTemplate> FittingShippedTemplates(CVyDataEnv& env) {
  StatementFigures chart(env, true);
  for (const ChartTemplate& c : ChartTemplates()) {
    std::vector<StatementTemplate> shipped = ShippedTemplates(c.name);
    bool fits = !shipped.empty();
    for (const StatementTemplate& t : shipped) fits = fits && FormulaRefusal(t, chart).empty();
    if (fits) return shipped;
  }
  return {};
}

std::vector<std::string> StatementNamesInstalling(CVyDataEnv& env) {
  EnsureStatementTables(*env.Db());
  std::vector<std::string> names = StatementNames(env);
  if (!names.empty()) return names;
  std::vector<StatementTemplate> shipped = FittingShippedTemplates(env);
  if (!shipped.empty() && env.RunInTransaction([&] {
        for (const StatementTemplate& t : shipped) WriteStatement(env, t);
      }))
    return StatementNames(env);
  return names;
}
