// The account dialog: its fields, what may be changed, and the checks of 确认 in their order.
#include "accounts/account_dlg.h"

#include "accounts/account_code.h"
#include "accounts/chart_changes.h"
#include "accounts/chart_queries.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/db_guard.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

CAccountDlg::CAccountDlg(CVyDataEnv& env, Mode mode, std::string parent)
    : env_(env), mode_(mode), prefix_(ChildPrefix(parent)), parent_(std::move(parent)) {
  level_ = parent_.empty() ? 1 : CodeLevel(parent_) + 1;
  ownPartLimit = OwnPartLimit(parent_);
}

CAccountDlg CAccountDlg::ForAdd(CVyDataEnv& env, const std::string& parent) {
  return CAccountDlg(env, Mode::Add, parent);
}

CAccountDlg CAccountDlg::ForModify(CVyDataEnv& env, const std::string& code, const std::string& name) {
  CAccountDlg d(env, Mode::Modify, ParentCode(code));
  d.ownPart = d.oldOwnPart_ = OwnPart(code);
  d.name = name;
  return d;
}

void CAccountDlg::FillCurrencies() {
  currencies.clear();
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001"});
  rs.Open("SELECT trim(wno),trim(na) FROM wbt ORDER BY val(wno)");
  for (; !rs.IsEOF(); rs.MoveNext())
    currencies.push_back(Format("%-4s %s", rs.GetText(0).c_str(), rs.GetText(1).c_str()));
}

void CAccountDlg::OnInitDialog() {
  if (!parent_.empty())
    if (auto parent = ReadAccount(env_, parent_)) parentMultiColumn_ = parent->multiColumn;
  if (mode_ == Mode::Modify) {
    const std::string code = Code();
    if (auto a = ReadAccount(env_, code)) {
      quantity = a->aux == kAuxQuantity;
      currency = a->aux == kAuxCurrency;
      if (quantity) unit = a->auxUnit;
      if (currency) currencyLine = a->auxUnit;
      multiColumn = a->multiColumn;
      side = a->columnSide;
      width = a->columnWidth;
    }
    hasChildren_ = CountDescendants(env_, code) > 0;
    // Every descendant keeps its tail: the own part may grow only as far as the longest one allows.
    ownPartLimit = OwnPartLimit(code, static_cast<size_t>(LongestDescendant(env_, code)));
  }
  haveCurrencies_ = env_.QueryLong("SELECT count(*) FROM wbt") > 0;
  FillCurrencies();
  for (const std::string& line : currencies)
    if (currency && line.substr(0, line.find(' ')) == currencyLine) currencyLine = line;
  UpdateEnabled();
}

void CAccountDlg::UpdateEnabled() {
  quantityEnabled = !hasChildren_;
  currencyEnabled = !hasChildren_ && haveCurrencies_;
  columnEnabled = parentMultiColumn_;
}

void CAccountDlg::OnQuantityTicked(bool ticked) {
  quantity = ticked;
  if (ticked) currency = false;
}

void CAccountDlg::OnCurrencyTicked(bool ticked) {
  currency = ticked;
  if (ticked) quantity = false;
}

void CAccountDlg::OnNameChanged(const std::string& typed) {
  name = typed;
  width = MinColumnWidth(name);
}

CAccountDlg::Refusal CAccountDlg::Check(Account& a) {
  // 1. The own part: digits, leading zeros dropped, and room left within 14 characters.
  OwnPartInput own = ParseOwnPart(ownPart);
  if (!own.refusal.empty()) return {own.refusal, Focus::Code};
  // A parent whose code leaves no room for a child is refused as such, not as a too long own part.
  if (mode_ == Mode::Add) {
    std::string limit = ChildLimitRefusal(parent_);
    if (!limit.empty()) return {limit, Focus::Code, true};
  }
  if (own.part.size() > ownPartLimit)
    return {Format("代码太长，本级代码最多%d位，请重输!", static_cast<int>(ownPartLimit)), Focus::Code};
  ownPart = own.part;

  // 2. A new account's parent may still refuse children.
  if (mode_ == Mode::Add && !parent_.empty()) {
    auto parent = ReadAccount(env_, parent_);
    if (!parent) return {"其父科目“" + parent_ + "”不存在!", Focus::Code, true};
    std::string refusal = SavedParentRefusal(*parent);
    if (refusal.empty()) refusal = ParentRefusal(*parent);
    if (!refusal.empty()) return {refusal, Focus::Code, true};
  }

  // 3. The name, blanks removed.
  std::string bare = ReplaceAll(name, " ", "");
  if (bare.size() > kMaxAccountName) return {"名称不能超过30个字符(15个汉字)，请重输!", Focus::Name};
  AccountNameInput typed = ParseAccountName(name);
  if (!typed.refusal.empty()) return {typed.refusal, Focus::Name};
  if (!MaskAdmitsTyping(NameMask(), typed.name)) return {"科目名称中输入了无效字符，请重输!", Focus::Name};
  name = typed.name;

  // 4. The unit, and the currency still there.
  unit = RTrim(unit);
  if (quantity && !MaskAdmitsTyping(UnitMask(), unit))
    return {"数量单位中输入了无效字符，请重输!", Focus::Unit};
  std::string currencyCode = currencyLine.substr(0, currencyLine.find(' '));
  if (currency &&
      (!IsValidCode(currencyCode) || env_.QueryLong(Format("SELECT count(*) FROM wbt where trim(wno)='%s'",
                                                           SqlText(currencyCode).c_str())) == 0)) {
    FillCurrencies();
    return {"所选币种现已不存在或已改变，请重选!", Focus::Currency};
  }

  // 5. Auxiliary accounting.
  a = Account{};
  a.code = Code();
  a.name = name;
  a.level = level_;
  a.aux = quantity ? kAuxQuantity : currency ? kAuxCurrency : kAuxNone;
  a.auxUnit = quantity ? unit : currency ? currencyCode : "";
  if (std::string refusal = AuxRefusal(a); !refusal.empty()) return {refusal, Focus::Unit};
  a.multiColumn = multiColumn;

  // 6. The column in the parent's multi-column ledger.
  a.columnSide = side;
  a.columnWidth = width;
  if (std::string refusal = ColumnRefusal(parentMultiColumn_, a); !refusal.empty()) {
    width = a.columnWidth;
    return {refusal, a.columnSide == 0 ? Focus::Side : Focus::Width};
  }

  // 7. A code taken by another account.
  long n = CountCode(env_, a.code);
  bool renamed = mode_ == Mode::Modify && ownPart != oldOwnPart_;
  if ((mode_ == Mode::Add && n >= 1) || (renamed && n > 0) || n > 1)
    return {"该代码已存在，请重输!", Focus::Code};
  return {};
}

bool CAccountDlg::Save(const Account& a) {
  if (mode_ == Mode::Add) return InsertAccount(env_, a);
  return ChangeAccount(env_, prefix_ + oldOwnPart_, a);
}

bool CAccountDlg::OnOk() {
  Account a;
  Refusal refusal;
  if (!RunCatchingDbErrors([&] { refusal = Check(a); })) return false;
  if (refusal) {
    ShowMessage(refusal.message);
    focus = refusal.focus;
    return refusal.closes;
  }
  saved = Save(a);
  if (saved) oldOwnPart_ = ownPart;
  return saved;
}
