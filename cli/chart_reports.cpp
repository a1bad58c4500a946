// tavrel-cli report catalogue|openings: the account catalogue and a level of the opening-balance browser,
// built by the windows' own view objects.
#include <memory>

#include "accounts/chart_print_dlg.h"
#include "accounts/chart_print_view.h"
#include "accounts/opening_level_view.h"
#include "app/command_table.h"
#include "base/platform.h"
#include "data/data_env.h"
#include "report_command.h"

namespace {

// The catalogue from the choice dialog's own checks: the whole chart, or the sub-tree of --code.
std::unique_ptr<CVyReportView> Catalogue(CVyDataEnv& env, const CliOptions& options) {
  if (!CSubjectChoiceDlg::MayOpen(env)) return nullptr;
  CSubjectChoiceDlg dlg(env);
  const std::string code = options.Get("code");
  dlg.ChooseAll(code.empty());
  dlg.code = code;
  if (!dlg.OnOk()) return nullptr;
  auto view = std::make_unique<CHobdSubjectPrint>();
  view->SetDataEnv(&env);
  view->InitForm();
  view->Confirm(dlg);
  return view;
}

// The top level of the browser, or the level below --code as Enter on that account opens it.
std::unique_ptr<CVyReportView> Openings(CVyDataEnv& env, const CliOptions& options) {
  auto view = std::make_unique<COpeningLevelView>(env);
  view->InitForm();
  COpeningBrowserDlg& browser = view->Browser();
  if (!browser.OnInitDialog()) return nullptr;
  const std::string code = options.Get("code");
  if (!code.empty() && !browser.OpenLevel(code)) {
    ShowMessage("该科目不存在或没有子科目，请重输！");
    return nullptr;
  }
  view->Reload();
  return view;
}

const RegisterReportKind kCatalogue({"catalogue", cmd::kCatalogue, "[--code C]", {}, Catalogue});
const RegisterReportKind kOpenings({"openings", cmd::kOpenings, "[--code C]", {}, Openings});

}  // namespace
