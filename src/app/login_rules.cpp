#include "app/login_rules.h"

#include "app/command_table.h"
#include "app/rights_table.h"
#include "base/dialog_asker.h"
#include "base/platform.h"
#include "data/db_error.h"
#include "data/db_guard.h"
#include "data/year_schema.h"

const char* const kSettingDataDir = "DataDir";
const char* const kSettingOpno = "Opno";

namespace {

bool Complete(CVyDataEnv& env) {
  std::vector<std::string> others;
  if (!RunCatchingDbErrors([&] {
        env.LoadRights();
        EnsureSyscstab(*env.Db());
        EnsureStatementTables(*env.Db());
        env.AnnounceLogin();
        others = env.OthersLoggedIn();
      })) {
    env.Close();
    return false;
  }
  // Bookkeepers sharing a year on a server know who else works in it.
  if (!others.empty()) {
    std::string list;
    for (const std::string& other : others) list += "\n    " + other;
    ShowMessage("同时登录本年度的还有：" + list, MsgIcon::Information);
  }
  // Failed writes of the remembered values are of no consequence.
  Plat().WriteSetting(kSettingDataDir, env.dataFile);
  Plat().WriteSetting(kSettingOpno, env.opno);
  return true;
}

}  // namespace

std::string RightRefusal(const CVyDataEnv& env, int commandId, const std::string& work) {
  const CommandInfo* c = FindCommand(commandId);
  if (!c) return "没有这个命令。";
  if (c->rule != EnableRule::Right && c->rule != EnableRule::RightNoChild) return {};
  if (HoldsRight(env.rights, c->right)) return {};
  const RightInfo* r = FindRight(c->right);
  const std::string name = r ? r->name : std::string(c->right).find('|') != std::string::npos ? RightNames(c->right) : "";
  return "操作员" + env.opno + "没有“" + name + "”权限（" + c->right + "），不能执行“" +
         (work.empty() ? PlainMenuText(c->text) : work) + "”。";
}

bool Login(CVyDataEnv& env, const std::string& commandLineFile) {
  bool modeA = env.IsOpen() && env.loggedIn;
  std::string initialFile, initialOpno;
  if (modeA) {
    initialFile = env.dataFile;
    initialOpno = env.opno;
  } else if (commandLineFile.empty()) {
    auto dir = Plat().ReadSetting(kSettingDataDir);
    auto op = Plat().ReadSetting(kSettingOpno);
    if (dir && op && env.Open(*dir, *op, 0, env.extension)) {
      initialFile = env.dataFile;
      initialOpno = env.opno;
    } else if (op) {
      // The remembered file is gone: the operator last used on this machine is still the first choice in
      // whichever file the user picks.
      initialOpno = *op;
    }
  } else {
    if (!env.Open(commandLineFile, "", 1, env.extension)) {
      env.Close();
      return false;
    }
    initialFile = env.dataFile;
    initialOpno = env.opno;
  }
  env.Close();

  CHobdFileDlg dialog(initialFile, initialOpno, env.extension);
  if (AskDialog(dialog)) {
    if (env.Open(dialog.ShownFile(), dialog.ChosenOpno(), 1, env.extension)) return Complete(env);
    env.Close();
    return false;
  }
  if (!modeA) return false;
  // Cancelling 操作环境注册 goes back to the file and operator of before, without a password.
  if (env.Open(initialFile, initialOpno, 1, env.extension)) return Complete(env);
  env.Close();
  return false;
}
