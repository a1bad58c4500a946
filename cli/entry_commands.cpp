// The entry windows in the tool: what 按帐户录入 and 按日期录入 load, printed as reports, and postings
// imported from CSV as entry by date writes them.
#include <cstdlib>

#include "app/command_table.h"
#include "data/data_env.h"
#include "entry/account_entry_dlg.h"
#include "entry/account_entry_view.h"
#include "entry/date_entry_dlg.h"
#include "entry/date_entry_view.h"
#include "entry/postings_import.h"
#include "import_command.h"
#include "report_command.h"

namespace {

std::unique_ptr<CVyReportView> EntryMonth(CVyDataEnv& env, const CliOptions& o) {
  CAccountEntryDlg dlg(env);
  dlg.Prefill();
  if (o.Has("year")) dlg.yearText = o.Get("year");
  dlg.monthText = o.Get("month", dlg.monthText);
  dlg.code = o.Get("code");
  if (!dlg.OnInitDialog() || !dlg.OnOk()) return nullptr;
  auto view = std::make_unique<CQirnpz1>();
  view->SetDataEnv(&env);
  view->InitForm();
  view->Load(dlg.code, dlg.year, dlg.month, dlg.fz);
  return view;
}

std::unique_ptr<CVyReportView> EntryDay(CVyDataEnv& env, const CliOptions& o) {
  CDateEntryDlg dlg(env);
  std::string date = o.Get("date");
  if (date.size() != 8) date = std::string(8 - std::min<size_t>(8, date.size()), '0') + date;
  dlg.yearText = date.substr(0, 4);
  dlg.monthText = date.substr(4, 2);
  dlg.dayText = date.substr(6, 2);
  if (!dlg.OnInitDialog() || !dlg.OnOk()) return nullptr;
  auto view = std::make_unique<CQirnpz2>();
  view->SetDataEnv(&env);
  view->InitForm();
  view->Load(dlg.year, dlg.month, dlg.day);
  return view;
}

const RegisterReportKind kMonth(
    {"entry-month", cmd::kByAccount, "--code C --year Y --month M", {}, EntryMonth});
const RegisterReportKind kDay({"entry-day", cmd::kByDate, "--date D", {}, EntryDay});
const RegisterImportKind kPostings({"postings",
                                    cmd::kByDate,
                                    [](CVyDataEnv& env, CsvTable& table, const CliOptions& o) {
                                      return ImportPostings(env, table, o.Has("balanced"));
                                    },
                                    {"balanced"}});

}  // namespace
