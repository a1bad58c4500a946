#include "admin/copy_info_dlg.h"

#include "statements/statement_template.h"
#include "base/platform.h"
#include "base/text.h"
#include "calc/calc_variables.h"
#include "data/db_error.h"
#include "data/sql_text.h"
#include "data/page_settings.h"
#include "data/recordset.h"
#include "data/year_files.h"
#include "io/backup.h"
#include "statements/statement_template.h"

using jet::SqlText;

namespace {

constexpr int kLastCopiedForm = 8;

// A count in a table the file may lack (files made by this program have no VYVAR): a missing table holds
// nothing.
long CountIn(jet::Database& db, const char* table) {
  if (!db.HasTable(table)) return 0;
  return CVyDataEnv::QueryLong(&db, std::string("select count(*) from ") + table);
}

}  // namespace

CCopyInfoDlg::CCopyInfoDlg(CVyDataEnv& env) : env_(env) {}

std::string CCopyInfoDlg::ItemText(int item) {
  static const char* const texts[] = {"会计科目", "分录模板", "凭证分类", "变量表", "页面格式表"};
  return item >= 0 && item < kItems ? texts[item] : "";
}

std::string CCopyInfoDlg::UnavailableText(int item) {
  switch (item) {
    case kAccounts:
      return "不能拷贝会计科目：对方帐套没有会计科目，或本年度已有凭证或余额数据。";
    case kVariables:
      return "不能拷贝变量表：对方帐套没有变量。";
    case kPages:
      return "不能拷贝页面格式表：对方帐套没有页面格式。";
    default:
      return "本系统没有凭证分类和分录模板，不能拷贝。";
  }
}

void CCopyInfoDlg::OnInitDialog() {
  okEnabled = false;
  progressVisible = false;
  status = "请单击“选帐套”选择对方帐套及年度";
  for (bool& e : enabled) e = false;
}

void CCopyInfoDlg::OnSourceChosen(const std::string& path, const std::string& unitName) {
  sourcePath = path;
  sourceUnit = unitName;
  for (bool& c : chosen) c = false;
  for (bool& e : enabled) e = false;
  okEnabled = false;
  jet::Database source;
  source.Open(path, true);
  enabled[kAccounts] = CountIn(source, "subt") > 0 && env_.QueryLong("select count(*) from p0") == 0;
  enabled[kVariables] = CountIn(source, "vyvar") > 0;
  enabled[kPages] = CountIn(source, "vyfont") > 0 || CountIn(source, "vypageset") > 0;
}

void CCopyInfoDlg::OnItemToggled(int item, bool on) {
  if (item < 0 || item >= kItems || !enabled[item]) return;
  chosen[item] = on;
  bool any = false;
  for (bool c : chosen) any = any || c;
  okEnabled = any && !running_;
}

int CCopyInfoDlg::Percent() const {
  if (total <= 0) return 0;
  return static_cast<int>(100LL * done / total);
}

std::string CCopyInfoDlg::PercentText() const {
  return Format("%3d％", Percent());
}

void CCopyInfoDlg::Step() {
  ++done;
  if (onChange) onChange();
}

bool CCopyInfoDlg::OnOk() {
  bool any = false;
  for (bool c : chosen) any = any || c;
  if (!any) {
    ShowMessage("没有选择拷贝信息！");
    return false;
  }
  AloneWork alone(env_.dataDir, env_.opno + " " + env_.opName, "拷贝会计信息");
  if (!alone.Refusal().empty()) {
    ShowMessage(alone.Refusal(), MsgIcon::Stop);
    return false;
  }
  CVyDataEnv source;
  if (!source.Open(sourcePath, "101", 0, env_.extension, true) || !source.loggedIn) {
    ShowMessage("无法打开此文件！");
    return false;
  }
  // Progress units: each account, and (so that the bar ends full) the variables and each form's settings.
  total = (chosen[kAccounts] ? static_cast<int>(source.QueryLong("select count(*) from subt")) : 0) +
          (chosen[kVariables] ? 1 : 0) + (chosen[kPages] ? kLastCopiedForm + 1 : 0);
  BackupOutcome backup = BackupYear(*env_.Db(), env_.dataDir, env_.year, BackupReason::Copy);
  if (!backup.Ok()) {
    ShowMessage("本帐套数据无法备份，没有进行拷贝：\r" + backup.error, MsgIcon::Stop);
    return false;
  }
  backupPath = backup.path;

  done = 0;
  progressVisible = running_ = true;
  okEnabled = cancelEnabled = chooseEnabled = false;
  if (onChange) onChange();
  // An older file gets its page-setting columns before the transaction: that upgrade reopens the file.
  if (chosen[kPages]) PreparePageStorage(*env_.Db());
  completed = env_.RunInTransaction([&] { Run(source); });
  source.Close();
  running_ = false;
  if (completed) {
    finalText = "拷贝结束 ！\r\r" + BackupNote("拷贝", backupPath);
    ShowMessage(finalText, MsgIcon::Information);
  } else {
    finalText = "拷贝没有完成，本帐套数据保持拷贝前的原样。\r\r" + BackupNote("拷贝", backupPath);
    ShowMessage(finalText, MsgIcon::Stop);
  }
  return true;
}

void CCopyInfoDlg::Run(CVyDataEnv& source) {
  if (chosen[kAccounts]) {
    env_.Execute("delete from subt");
    CVyRecordset rs(source.Db(), {"CLAS"}, {}, {"Expr1000", "Expr1001"});
    rs.Open("select trim(kno),trim(na),clas from subt");
    for (; !rs.IsEOF(); rs.MoveNext()) {
      // Every copied account is an ordinary one: no special flag, no auxiliary accounting, no columns.
      env_.Execute(
          Format("insert into subt (kno,na,clas,op,fz,fzn,dl,dlf,dlw) values "
                 "\t\t\t('%s','%s',%d,'0','0',NULL,'0',0,0)",
                 SqlText(rs.GetText(0)).c_str(), SqlText(rs.GetText(1)).c_str(), rs.GetLong(0)));
      Step();
    }
  }
  if (chosen[kVariables]) {
    MakeCalcVariablesTableLike(env_, *source.Db());
    WriteCalcVariables(env_, ReadCalcVariables(source));
    Step();
  }
  if (chosen[kPages]) {
    for (int form = 0; form <= kLastCopiedForm; ++form) {
      PageSettings ps;
      LoadPageSettings(*source.Db(), ps, form, "0");
      SavePageSettings(*env_.Db(), ps, form, "0");
      Step();
    }
    // The financial statements' templates go with the forms: each replaces the one of its name.
    if (source.Db()->HasTable("STMT"))
      for (const std::string& name : StatementNames(source)) {
        StatementTemplate t;
        if (LoadStatement(source, name, t)) WriteStatement(env_, t);
      }
  }
}
