// The import of accounts, line by line through the account dialog's own checks.
#include "accounts/account_import.h"

#include "accounts/account_code.h"
#include "accounts/account_dlg.h"
#include "base/text.h"
#include "base/validators.h"
#include "data/data_env.h"

namespace {

// Fills the adding dialog from one line as the user would; "" when every field could be typed.
std::string Type(CAccountDlg& dialog, const CsvTable& table, const CsvRecord& r) {
  const std::string kind = Trim(table.Field(r, "kind")), multi = Trim(table.Field(r, "multi"));
  const std::string side = Trim(table.Field(r, "side")), width = Trim(table.Field(r, "width"));
  dialog.ownPart = OwnPart(Trim(table.Field(r, "code")));
  // Typing the name sets the column width; a width given on the line then replaces it.
  dialog.OnNameChanged(table.Field(r, "name"));
  if (kind == "quantity") {
    dialog.OnQuantityTicked(true);
    dialog.unit = table.Field(r, "unit");
  } else if (kind == "currency") {
    dialog.OnCurrencyTicked(true);
    dialog.currencyLine = Trim(table.Field(r, "unit"));
  } else if (!kind.empty()) {
    return "辅助核算(kind)只能为空、quantity 或 currency";
  }
  if (multi != "yes" && multi != "no" && !multi.empty()) return "多栏式帐页(multi)只能为空、yes 或 no";
  dialog.multiColumn = multi == "yes";
  if (side == "debit")
    dialog.side = 1;
  else if (side == "credit")
    dialog.side = -1;
  else if (!side.empty())
    return "多栏方向(side)只能为空、debit 或 credit";
  if (!width.empty()) {
    if (width.size() > 2 || width.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(width) > kMaxColumnWidth)
      return Format("栏宽(width)应为0到%d的整数", kMaxColumnWidth);
    dialog.width = std::stoi(width);
  }
  return "";
}

// The code as a whole by the rules the dialog's fields enforce: the parent prefix is shown, never typed,
// and the own part takes digits only; so "-5" or "1--2" (an empty level) and "1a" cannot come from it.
std::string CodeRefusal(const std::string& code) {
  if (code.find_first_not_of("0123456789-") != std::string::npos) return "注意：代码必须是数字";
  if (!IsCodeText(code, -1, '-')) return "代码不能为空或小于 1，请重输!";
  return "";
}

}  // namespace

ImportOutcome ImportAccounts(CVyDataEnv& env, CsvTable& table) {
  return RunImport(env, table, {"code", "name", "kind", "unit", "multi", "side", "width"},
                   [&](const CsvRecord& r) -> std::string {
                     if (std::string wrong = table.RecordRefusal(r); !wrong.empty()) return wrong;
                     if (std::string wrong = CodeRefusal(Trim(table.Field(r, "code"))); !wrong.empty())
                       return wrong;
                     CAccountDlg dialog = CAccountDlg::ForAdd(env, ParentCode(Trim(table.Field(r, "code"))));
                     dialog.OnInitDialog();
                     if (std::string typing = Type(dialog, table, r); !typing.empty()) return typing;
                     Account account;
                     if (CAccountDlg::Refusal refusal = dialog.Check(account)) return refusal.message;
                     if (!dialog.Save(account)) return "该科目未能写入";
                     return "";
                   });
}
