// tavrel-cli check FILE: 数据检查 without a screen — the findings and the trial balance as the window lists
// them, exit status 1 when anything is wrong. It reads only.
#include <cstdio>

#include "admin/book_check_view.h"
#include "base/gbk.h"
#include "app/command_table.h"
#include "cli_support.h"
#include "data/data_env.h"
#include "io/report_export.h"

namespace {

int Check(const std::vector<std::string>& args) {
  CliOptions o;
  std::string error;
  if (!ParseOptions(args, {}, o, error)) return Fail(error);
  if (o.positional.size() != 1 || !o.values.empty()) return -1;
  CVyDataEnv env;
  if (!OpenYear(env, o.positional[0], cmd::kBookCheck)) return 1;
  CBookCheckView view;
  view.SetDataEnv(&env);
  view.InitForm();
  view.Build();
  std::string text = gbk::ToUtf8(ReportAsText(view, true));
  std::fwrite(text.data(), 1, text.size(), stdout);
  return view.Result().Clean() ? 0 : 1;
}

const RegisterCliCommand kCheck({"check", "check FILE                 list what is wrong in a year file", Check});

}  // namespace
