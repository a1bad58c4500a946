#include "admin/carry_forward_dlg.h"

#include <cstdlib>

#include "base/text.h"
#include "data/db_guard.h"
#include "data/recordset.h"
#include "data/year_files.h"
#include "io/backup.h"
#include "statements/pl_closing.h"

namespace {

const char* const kChoose = "请选择需要复制结转的项目";
const char* const kDone = "\r恭禧! 恭禧!!\r\r复制完毕! \r\r请进入相关的模块检查。";
const char* const kOpeningRows = "select count(*) from p0 where strcomp(cer,'    ',0)=0";

std::string AmountText(double value) {
  std::string text = FormatAmount(value, 0, 2, 2);
  return text.empty() ? "0.00" : text;
}

}  // namespace

CCarryForwardDlg::CCarryForwardDlg(CVyDataEnv& env) : env_(env) {}

CCarryForwardDlg::~CCarryForwardDlg() {
  source_.Close();
}

std::string CCarryForwardDlg::ItemText(int item) {
  static const char* const texts[] = {"会计科目表", "凭证分类表", "分录模板", "帐户余额"};
  return item >= 0 && item < kItems ? texts[item] : "";
}

std::string CCarryForwardDlg::HelpText() {
  return "年终结转把上年度的会计科目表、外币和各帐户的年末余额转入本年度：\r"
         "    会计科目表：增加上年度有而本年度没有的科目和外币，本年度已有的保持不变；\r"
         "    帐户余额：删除本年度已有的期初余额，再把上年度的余额作为本年度的期初余额。\r"
         "结转前系统自动把本年度数据备份到帐套文件夹的“备份”之中；结转中途出错时，本年度数据保持原样。";
}

bool CCarryForwardDlg::OnInitDialog() {
  unitText = env_.unitName;
  currentYearText = Format("%d", env_.year);
  bool found = false;
  for (int y = env_.year - 1; y >= env_.year - 10 && !found; --y) {
    std::string path = YearFilePath(env_.dataDir, Format("%d", y), env_.extension);
    if (!YearExists(path)) continue;
    found = source_.Open(path, "101", 0, env_.extension, true) && source_.loggedIn;
    if (!found) source_.Close();
  }
  if (!found) {
    std::string message = "本帐套最近十年内无任何年度数据，无需结转!";
    // Run from the older of two years, the carry forward has nothing to read; the year it belongs to is
    // the later one, so the user is told where to go.
    for (const std::string& later : YearList(env_.dataDir, env_.extension))
      if (std::atoi(later.c_str()) > env_.year) {
        message += "\n结转应在新年度中进行：请用“操作环境注册”登录“" + later + "”年度的数据文件，再在那里运行转帐。";
        break;
      }
    ShowMessage(message);
    return false;
  }
  std::string name = NameOf(source_.dataFile);
  sourceYearText = name.substr(0, name.rfind('.'));
  if (source_.QueryLong("select count(*) from subt") == 0) {
    source_.Close();
    ShowMessage("上年度无数据，无需结转!");
    return false;
  }
  currentHasAccounts_ = env_.QueryLong("select count(*) from subt") > 0;
  enabled[kAccounts] = enabled[kBalances] = true;
  enabled[kVoucherKinds] = enabled[kTemplates] = false;  // this program keeps no voucher tables
  status = kChoose;
  return true;
}

void CCarryForwardDlg::OnItemToggled(int item, bool on) {
  if (item < 0 || item >= kItems || !enabled[item]) return;
  chosen[item] = on;
  // Balances need accounts to land in.
  if (item == kBalances && on && !currentHasAccounts_) chosen[kAccounts] = true;
}

void CCarryForwardDlg::OnCancel() {
  source_.Close();
}

std::string CCarryForwardDlg::PercentText() const {
  return Format("%d%%", progressPos);
}

void CCarryForwardDlg::OnTimer() {
  if (timerRunning) StepProgress();
}

void CCarryForwardDlg::StepProgress() {
  progressPos += 3;
  if (progressPos > 100) progressPos = 1;
}

void CCarryForwardDlg::Changed() {
  if (onChange) onChange();
}

MsgAnswer CCarryForwardDlg::Show(const std::string& text, const std::string& caption, MsgIcon icon,
                                 MsgButtons buttons) {
  // The progress stands still while a message waits for the user.
  bool wasRunning = timerRunning;
  timerRunning = false;
  Changed();
  MsgAnswer answer = Plat().MessageBox(text, caption, icon, buttons,
                                       buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No);
  timerRunning = wasRunning;
  return answer;
}

void CCarryForwardDlg::Status(const std::string& text) {
  status = text;
  Changed();
}

void CCarryForwardDlg::Warn(const std::string& text) {
  Show(text, kMsgCaption, MsgIcon::Exclamation, MsgButtons::Ok);
}

bool CCarryForwardDlg::Ask(const std::string& text) {
  return Show(text, "黄牌警告：", MsgIcon::Warning, MsgButtons::YesNo) == MsgAnswer::Yes;
}

void CCarryForwardDlg::RowDone() {
  StepProgress();
  Changed();
}

void CCarryForwardDlg::Idle() {
  status = kChoose;
  progressVisible = false;
  timerRunning = false;
  Changed();
}

std::string CCarryForwardDlg::ChoiceQuestion() const {
  auto mark = [&](int item) { return chosen[item] ? "(√)" : "(×)"; };
  return std::string("选择情况：\r\r\t① 会 计 科 目 表     ") + mark(kAccounts) +
         "\r\r\t② 凭 证 分 类 表     " + mark(kVoucherKinds) + "\r\r\t③ 分 录 模 板 表     " +
         mark(kTemplates) + "\r\r\t④ 帐 户 余 额 表     " + mark(kBalances) + "\t\r\r以上选择正确吗？";
}

std::string CCarryForwardDlg::CheckReport(bool hadOpenings) const {
  std::string balances = !chosen[kBalances] ? "未检查。"
                         : hadOpenings      ? "本年度已有帐户余额。"
                                            : "本年度未建立。";
  return std::string("\r检查结果报告：\r\r    ① 会计科目表，本年度") +
         (currentHasAccounts_ ? "已存在。" : "未建立。") + "\r    ② 凭证分类表，" + "未检查。" +
         "\r    ③ 分录模板表，" + "未检查。" + "\r    ④ 帐户余额表，" + balances +
         "\r\r说明：\r    ① 以上1～3项，对已存在的项，在进行" +
         "复制时将保留之，并增加上年度有而本年度没有的内容。\r" +
         "    ② 对以上第 4 项，若本年度余额已存在时，结转时系统自动" +
         "将其删除，并将上年度的余额结转入本年度。\r    ③ 对未选择" +
         "的项目，系统将原样保留本年度的现状，不做检查。\r    ④ 若本年度已有" +
         "经济内容时，请先做备份，然后再进行结转，请慎重作出你的选择。" + "\r\r你现在就想进行复制结转吗？";
}

bool CCarryForwardDlg::OnOk() {
  bool any = false;
  for (bool c : chosen) any = any || c;
  if (!any) {
    ShowMessage("没有任何复制结转项目，请选择它们!");
    return false;
  }
  if (Show(ChoiceQuestion(), kMsgCaption, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
    return false;

  if (chosen[kBalances] && !SettleProfitAndLoss()) return false;

  status = "正在进行复制结转前的检查...";
  progressVisible = timerRunning = true;
  Changed();
  bool hadOpenings = chosen[kBalances] && env_.QueryLong(kOpeningRows) > 0;
  if (Show(CheckReport(hadOpenings), kMsgCaption, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes) {
    Idle();
    return false;
  }

  // On a server a second administrator may be at the same account set: the work waits for nobody.
  AloneWork alone(env_.dataDir, env_.opno + " " + env_.opName, "转帐");
  if (!alone.Refusal().empty()) {
    Show(alone.Refusal(), kMsgCaption, MsgIcon::Stop, MsgButtons::Ok);
    Idle();
    return false;
  }
  // The year as it stands now is kept aside before anything is written.
  BackupOutcome backup = BackupYear(*env_.Db(), env_.dataDir, env_.year, BackupReason::CarryForward);
  if (!backup.Ok()) {
    Show("本年度数据无法备份，没有进行结转：\r" + backup.error, kMsgCaption, MsgIcon::Stop, MsgButtons::Ok);
    Idle();
    return false;
  }
  backupPath = backup.path;

  status = "正在进行复制结转...";
  okEnabled = false;
  Changed();
  completed = env_.RunInTransaction([&] { Run(hadOpenings); });
  for (bool& c : chosen) c = false;
  Idle();
  if (!completed) {
    finalText = "结转没有完成，本年度数据保持结转前的原样。\r\r" + BackupNote("结转", backupPath);
    ShowMessage(finalText, MsgIcon::Stop);
  } else {
    bool spaced = finalText.size() >= 2 && finalText.compare(finalText.size() - 2, 2, "\r\r") == 0;
    finalText += (spaced ? "" : "\r\r") + BackupNote("结转", backupPath);
    ShowMessage(finalText, MsgIcon::Information);
  }
  source_.Close();
  return true;
}

bool CCarryForwardDlg::SettleProfitAndLoss() {
  std::vector<std::string> open;
  if (!RunCatchingDbErrors([&] { open = UnclosedAtYearEnd(source_); })) return false;
  if (open.empty() || openPl == OpenProfitAndLoss::Keep) return true;
  std::string list;
  for (size_t i = 0; i < open.size() && i < 20; ++i) list += "    " + open[i] + "\r";
  if (open.size() > 20) list += Format("    …共 %zu 个科目\r", open.size());
  std::string text = sourceYearText + "年度以下损益类科目年末仍有余额，结转会把它们带入本年度的期初余额：\r\r" + list;
  if (openPl == OpenProfitAndLoss::Refuse) {
    Show(text + "\r请先在" + sourceYearText + "年度结转损益（close-pl），或加 --keep-pl 照旧结转。", kMsgCaption,
         MsgIcon::Stop, MsgButtons::Ok);
    return false;
  }
  MsgAnswer a = Show(text + "\r是否先在" + sourceYearText + "年度结转损益（各月损益结转到本年利润）？\r"
                            "是：先结转损益，再结转；否：照旧结转；取消：不结转。",
                     kMsgCaption, MsgIcon::Question, MsgButtons::YesNoCancel);
  if (a == MsgAnswer::No) return true;
  if (a != MsgAnswer::Yes) return false;
  // The previous year is written to: opened for writing, kept aside first, closed in one transaction.
  std::string path = source_.dataFile;
  source_.Close();
  bool closed = source_.Open(path, "101", 0, env_.extension, false) && source_.loggedIn;
  if (closed) {
    BackupOutcome backup = BackupYear(*source_.Db(), env_.dataDir, source_.year, BackupReason::CarryForward);
    closed = backup.Ok() && CloseWholeYear(source_);
    if (!backup.Ok()) Show("上年度数据无法备份，没有结转损益：\r" + backup.error, kMsgCaption, MsgIcon::Stop, MsgButtons::Ok);
  }
  if (!source_.IsOpen()) source_.Open(path, "101", 0, env_.extension, true);
  return closed;
}

void CCarryForwardDlg::Run(bool hadOpenings) {
  finalText = kDone;
  if (chosen[kAccounts]) {
    CopyAccounts(env_, source_, currentHasAccounts_, *this);
    CopyCurrencies(env_, source_, *this);
  }
  if (!chosen[kBalances]) return;
  if (hadOpenings) env_.Execute("delete from p0 where strcomp(cer,'    ',0)=0");
  CarryBalances(env_, source_, chosen[kAccounts], *this);
  if (env_.QueryLong(kOpeningRows) == 0) return;
  CVyRecordset totals(env_.Db(), {}, {"Expr1000", "Expr1001"}, {});
  totals.Open("select 0.5*sum((1+f)*my), 0.5*sum((1-f)*my) from p0 where strcomp(cer,'    ',0)=0");
  finalText = "余额结转情况：\r\r    借方合计：" + AmountText(totals.GetDouble(0)) + "\r\r    " +
              "贷方合计：" + AmountText(totals.GetDouble(1)) + "\r\r";
}
