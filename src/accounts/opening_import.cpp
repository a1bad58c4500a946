#include "accounts/opening_import.h"

#include <map>

#include "accounts/opening_edit_dlg.h"
#include "base/text.h"
#include "base/validators.h"
#include "data/data_env.h"

ImportOutcome ImportOpenings(CVyDataEnv& env, CsvTable& table) {
  std::map<std::string, int> seen;  // code -> the line that gave its balance
  return RunImport(env, table, {"code", "side", "amount", "quantity"},
                   [&](const CsvRecord& r) -> std::string {
                     if (std::string wrong = table.RecordRefusal(r); !wrong.empty()) return wrong;
                     COpeningEditDlg dlg(env, table.Field(r, "code"));
                     if (!dlg.OnInitDialog()) return dlg.Refusal();
                     // An account has one opening balance: a second line for it would silently replace the
                     // first.
                     if (auto [at, fresh] = seen.emplace(dlg.Code(), r.line); !fresh)
                       return Format("该帐户的期初余额已在第 %d 行给出", at->second);
                     const std::string side = table.Field(r, "side");
                     if (side != "debit" && side != "credit") return "方向应为 debit 或 credit";
                     dlg.debit = side == "debit";
                     dlg.amount = table.Field(r, "amount");
                     dlg.quantity = table.Field(r, "quantity");
                     dlg.price.clear();
                     if (std::string why = dlg.Refusal(); !why.empty()) return why;
                     // Twelve integer digits and four decimals pass the mask but not always a double.
                     if (dlg.HasQuantity() && !Trim(dlg.quantity).empty() && !StoresExactly(Trim(dlg.quantity), 4))
                       return "数量有效数字过多，不能准确保存，请重输!";
                     WriteOpening(env, dlg.Code(), dlg.aux, dlg.Row());
                     return "";
                   },
                   "", [&] { seen.clear(); });
}
