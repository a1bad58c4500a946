// tavrel-cli's administration commands: carry-forward and copy-info run the year-end carry forward and the
// copy between account sets as their dialogs do, questions answered 否 unless --yes; backup copies a year
// file into its account set's backup folder.
#include <string>
#include <vector>

#include "admin/carry_forward_dlg.h"
#include "admin/copy_info_dlg.h"
#include "admin/copy_source_dlg.h"
#include "admin/operators_dlg.h"
#include "app/command_table.h"
#include "cli_support.h"
#include "data/account_set.h"
#include "data/data_env.h"
#include "io/backup.h"

namespace {

using Args = std::vector<std::string>;

// The options, all flags; -1 (the usage) for anything else.
int Parse(const Args& a, const std::vector<std::string>& flags, size_t positional, CliOptions& o) {
  std::string error;
  if (!ParseOptions(a, flags, o, error)) return Fail(error);
  if (o.positional.size() != positional) return -1;
  for (auto& [name, value] : o.values)
    if (value != "1") return -1;
  return 0;
}

int CarryForward(const Args& a) {
  CliOptions o;
  if (int r = Parse(a, {"accounts", "balances", "yes", "keep-pl"}, 1, o)) return r;
  Cli().answerYes = o.Has("yes");
  CVyDataEnv env;
  if (!OpenYear(env, o.positional[0], cmd::kCarryForward)) return 1;
  CCarryForwardDlg dlg(env);
  if (!dlg.OnInitDialog()) return 1;
  dlg.OnItemToggled(CCarryForwardDlg::kAccounts, o.Has("accounts"));
  dlg.OnItemToggled(CCarryForwardDlg::kBalances, o.Has("balances"));
  dlg.openPl = o.Has("keep-pl") ? CCarryForwardDlg::OpenProfitAndLoss::Keep : CCarryForwardDlg::OpenProfitAndLoss::Refuse;
  dlg.OnOk();
  return dlg.completed ? 0 : 1;
}

int CopyInfo(const Args& a) {
  CliOptions o;
  if (int r = Parse(a, {"accounts", "variables", "pages"}, 2, o)) return r;
  CVyDataEnv env;
  if (!OpenYear(env, o.positional[0], cmd::kCopyInfo)) return 1;
  CCopyZwData chooser(env);
  if (!chooser.OnOk(o.positional[1])) {
    if (Cli().shown == 0) return Fail("“" + o.positional[1] + "”不是Tavrel帐务数据文件！");
    return 1;
  }
  CCopyInfoDlg dlg(env);
  dlg.OnInitDialog();
  dlg.OnSourceChosen(chooser.chosenPath, chooser.unitName);
  const std::pair<const char*, int> items[] = {{"accounts", CCopyInfoDlg::kAccounts},
                                               {"variables", CCopyInfoDlg::kVariables},
                                               {"pages", CCopyInfoDlg::kPages}};
  for (auto& [option, item] : items) {
    if (!o.Has(option)) continue;
    if (!dlg.enabled[item]) return Fail(CCopyInfoDlg::UnavailableText(item));
    dlg.OnItemToggled(item, true);
  }
  dlg.OnOk();
  return dlg.completed ? 0 : 1;
}

// On demand, a copy of the year file, or the list of the year's copies. Both need the administrator's right,
// as every command that takes a copy does: a copy holds the operators and their passwords.
int Backup(const Args& a) {
  CliOptions o;
  if (int r = Parse(a, {"list"}, 1, o)) return r;
  CVyDataEnv env;
  if (!OpenYear(env, o.positional[0], cmd::kNewYear, o.Has("list") ? "列出备份" : "备份")) return 1;
  if (o.Has("list")) {
    for (const BackupEntry& e : ListBackups(env.dataDir, env.year, true)) {
      std::string reason = ReasonText(e.reason);
      Print(e.path + "\t" + e.taken + "\t" + (reason.empty() ? "随时备份" : reason) + "\t" +
            (e.problem.empty() ? "可以打开" : "不能打开：" + e.problem));
    }
    return 0;
  }
  BackupOutcome b = BackupYear(*env.Db(), env.dataDir, env.year);
  if (!b.Ok()) return Fail(b.error);
  Print(b.path);
  return 0;
}

// The way back for a forgotten password, the administrator's included: whoever may write the year file may
// clear an operator's password, which asks no login (that is what was lost). A copy is taken first. An
// account set on a server is the server's administrator's business: its files are not the user's to write.
int ClearPasswordOf(const Args& a) {
  CliOptions o;
  if (int r = Parse(a, {}, 2, o)) return r;
  const std::string& file = o.positional[0];
  const std::string& opno = o.positional[1];
  if (OnServer(file)) return Fail("服务器上的帐套不能这样清除口令，请由服务器的管理员处理。");
  CVyDataEnv env;
  if (!env.Open(file, opno, 1)) return 1;
  if (env.opno != opno) return Fail("帐务数据文件中没有操作员 " + opno + "。");
  BackupOutcome b = BackupYear(*env.Db(), env.dataDir, env.year);
  if (!b.Ok()) return Fail(b.error);
  if (!env.RunInTransaction([&] { ClearPassword(env, opno); })) return 1;
  Print("操作员 " + opno + " 的口令已清除，请登录后立即设置新口令。清除前的备份：" + b.path);
  return 0;
}

const RegisterCliCommand kCommands[] = {
    RegisterCliCommand(
        {"carry-forward",
         "carry-forward FILE [--accounts] [--balances] [--yes] [--keep-pl]   carry the previous year into FILE",
         CarryForward}),
    RegisterCliCommand(
        {"copy-info", "copy-info FILE SOURCE [--accounts] [--variables] [--pages]   copy set-up from SOURCE",
         CopyInfo}),
    RegisterCliCommand({"clear-password",
                        "clear-password FILE OPNO   a forgotten password: OPNO logs in without one (a copy is taken first)",
                        ClearPasswordOf}),
    RegisterCliCommand(
        {"backup",
         "backup [--list] FILE       copy FILE into its account set's folder 备份; --list: the copies kept",
         Backup}),
};

}  // namespace
