// The chart browser: listing a level, walking the tree, and the commands on the selected account.
#include "accounts/chart_setup_dlg.h"

#include "accounts/account_code.h"
#include "accounts/chart_queries.h"
#include "accounts/sub_tree_changes.h"
#include "base/dialog_asker.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/db_guard.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

CChartSetupDlg::CChartSetupDlg(CVyDataEnv& env) : env_(env) {}

bool CChartSetupDlg::OnInitDialog() {
  return RunCatchingDbErrors([&] {
    Fill();
    OnSelect(0);
  });
}

void CChartSetupDlg::Fill() {
  std::string keep = SelectedCode();
  items.clear();
  selected = -1;
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001"});
  if (directory.empty())
    rs.Open("SELECT trim(KNO),trim(NA) FROM SUBT WHERE CLAS=1 \t\tORDER BY VAL(KNO)");
  else
    rs.Open(
        Format("SELECT trim(KNO),trim(NA) FROM SUBT WHERE KNO \t\t\tLIKE '%s-*' AND CLAS-%d=0 ORDER BY "
               "VAL(MID$(KNO,%d))",
               SqlText(directory).c_str(), CodeLevel(directory) + 1, static_cast<int>(directory.size()) + 2));
  for (; !rs.IsEOF(); rs.MoveNext()) {
    std::string line = Format("%-17s%s", rs.GetText(0).c_str(), rs.GetText(1).c_str());
    // A damaged chart may hold a code twice: it is listed once.
    if (IndexOfCode(rs.GetText(0)) < 0) items.push_back(line);
  }
  selected = IndexOfCode(keep);

  heading = "一级科目";
  if (!directory.empty()) {
    CVyRecordset name(env_.Db(), {}, {}, {"Expr1000"});
    name.Open(Format("SELECT RTRIM(NA) FROM SUBT WHERE RTRIM(KNO)='%s'", SqlText(directory).c_str()));
    heading = directory + " " + (name.IsEOF() ? std::string() : name.GetText(0));
  }
  addIsDefault = items.empty();
  status = (items.empty() ? std::string("请按增加按扭增加科目")
                          : Format("本级共有科目%d个", static_cast<int>(items.size()))) +
           "\n子目[→]、 上级[←]";
  FillLevel();
}

void CChartSetupDlg::FillLevel() {
  levelItems.clear();
  if (directory.empty()) return;
  const int level = CodeLevel(directory);
  const std::string parent = ParentCode(directory);
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001"});
  if (parent.empty())
    rs.Open(Format("SELECT rtrim(KNO),rtrim(NA) FROM SUBT WHERE CLAS-%d=0 ORDER BY val(KNO)", level));
  else
    rs.Open(
        Format("SELECT rtrim(kno),rtrim(na) FROM SUBT WHERE clas-%d=0 and kno LIKE '%s-*' \t\t\t\tORDER BY "
               "val(mid(kno,%d))",
               level, SqlText(parent).c_str(), static_cast<int>(parent.size()) + 2));
  for (; !rs.IsEOF(); rs.MoveNext()) levelItems.push_back(rs.GetText(0) + " " + rs.GetText(1));
}

std::string CChartSetupDlg::CodeOf(int index) const {
  if (index < 0 || index >= static_cast<int>(items.size())) return {};
  const std::string& line = items[static_cast<size_t>(index)];
  return line.substr(0, line.find(' '));
}

int CChartSetupDlg::IndexOfCode(const std::string& code) const {
  if (code.empty()) return -1;
  for (int i = 0; i < static_cast<int>(items.size()); ++i)
    if (CodeOf(i) == code) return i;
  return -1;
}

void CChartSetupDlg::OnSelect(int index) {
  selected = index >= 0 && index < static_cast<int>(items.size()) ? index : -1;
}

std::string CChartSetupDlg::Chosen() {
  std::string code = SelectedCode();
  if (code.empty()) ShowMessage("没有选择对象!");
  return code;
}

bool CChartSetupDlg::TryEnter(const std::string& code, bool checkDepth) {
  // Below level 6 there is nothing to list.
  if (checkDepth && !directory.empty() && CodeLevel(directory) >= kMaxCodeLevels - 1) return false;
  auto account = ReadAccount(env_, code);
  if (!account) return false;
  if (account->special) {
    ShowMessage("“" + code + "”科目为专用科目，无子细目!");
    return false;
  }
  if (account->aux != kAuxNone) {
    ShowMessage("“" + code + "”科目为外币科目，无子细目!");
    return false;
  }
  directory = code;
  items.clear();
  selected = -1;
  Fill();
  OnSelect(0);
  return true;
}

void CChartSetupDlg::OnEnter() {
  std::string code = Chosen();
  if (code.empty()) return;
  RunCatchingDbErrors([&] { TryEnter(code, true); });
}

void CChartSetupDlg::OnUp() {
  if (directory.empty()) return;
  std::string left = directory;
  directory = ParentCode(directory);
  items.clear();
  selected = -1;
  RunCatchingDbErrors([&] {
    Fill();
    OnSelect(IndexOfCode(left));
  });
}

void CChartSetupDlg::OnLevelChosen(const std::string& text) {
  std::string code = Trim(text.substr(0, text.find(' ')));
  bool onLevel = false;
  for (const std::string& line : levelItems)
    if (line.substr(0, line.find(' ')) == code) onLevel = true;
  if (!onLevel) {
    ShowMessage("警告：\n\t本级科目无此代码!");
    return;
  }
  if (code != directory) RunCatchingDbErrors([&] { TryEnter(code, false); });
}

void CChartSetupDlg::OnAdd() {
  if (!directory.empty()) {
    bool refused = true;
    RunCatchingDbErrors([&] {
      auto parent = ReadAccount(env_, directory);
      if (!parent) return;
      std::string refusal = ParentRefusal(*parent);
      if (!refusal.empty()) {
        ShowMessage(refusal);
        return;
      }
      refused = false;
    });
    if (refused) return;
  }
  for (;;) {
    CAccountDlg dialog = CAccountDlg::ForAdd(env_, directory);
    if (!RunCatchingDbErrors([&] { dialog.OnInitDialog(); })) break;
    AskDialog(dialog);
    if (!dialog.saved) break;
    RunCatchingDbErrors([&] {
      Fill();
      OnSelect(IndexOfCode(dialog.Code()));
    });
  }
  if (!items.empty()) return;
  if (directory.empty())
    closeRequested = true;
  else
    OnUp();
}

void CChartSetupDlg::OnModify() {
  std::string code = Chosen();
  if (code.empty()) return;
  const std::string& line = items[static_cast<size_t>(selected)];
  CAccountDlg dialog = CAccountDlg::ForModify(env_, code, line.size() > 17 ? line.substr(17) : "");
  if (!RunCatchingDbErrors([&] { dialog.OnInitDialog(); })) return;
  AskDialog(dialog);
  if (!dialog.saved) return;
  RunCatchingDbErrors([&] {
    Fill();
    OnSelect(IndexOfCode(dialog.Code()));
  });
  keepScroll = true;
}

void CChartSetupDlg::OnCopyChildren() {
  Take(1);
}

void CChartSetupDlg::OnMoveChildren() {
  Take(2);
}

void CChartSetupDlg::Take(int mode) {
  std::string code = Chosen();
  if (code.empty()) return;
  RunCatchingDbErrors([&] {
    std::string refusal;
    if (CountDescendants(env_, code) == 0)
      refusal = "所选择的对象没有子目!";
    else if (mode == 2)
      refusal = ContentRefusal(env_, ContentCheck::MoveChildren, code);
    if (!refusal.empty()) {
      ShowMessage(refusal);
      return;
    }
    clipSource = code;
    clipMode = mode;
  });
}

std::string CChartSetupDlg::PasteRefusal(const std::string& t) {
  const std::string& s = clipSource;
  if (clipMode == 0 || CountDescendants(env_, s) == 0) {
    clipSource.clear();
    clipMode = 0;
    return "没有选择源对象或源对象子目不存在!";
  }
  auto target = ReadAccount(env_, t);
  if (!target) return "没有选择对象!";
  if (target->special) return "“" + t + "”科目为专用科目，不能粘贴!";
  const std::string k = SqlText(t);
  if (env_.QueryLong(Format("SELECT count(*) FROM wbt WHERE trim(ho)='%s'", k.c_str())) >= 1)
    return "目标科目已被外币科目引用! 不能粘贴";
  if (std::string refusal = ContentRefusal(env_, ContentCheck::PasteTarget, t); !refusal.empty())
    return refusal;
  if (t == s) return "目标对象与源对象相同! 不能粘贴";
  if (CountDescendants(env_, t) > 0) return "目标科目已有子目! 不能粘贴";
  // Moving a set into one of its own members would delete the pasted copy with the source.
  if (clipMode == 2 && IsDescendantCode(t, s)) return "目标对象是源对象的子目! 不能移动";
  if (target->aux == kAuxQuantity) return "目标科目已被指定为数量金额式核算，不能粘贴!";
  if (target->aux == kAuxCurrency) return "目标科目已被指定为外币核算，不能粘贴!";
  const std::string ks = SqlText(s);
  long maxClas = env_.QueryLong(Format("SELECT max(clas) FROM subt where trim(kno) like '%s-*'", ks.c_str()));
  long maxLen = LongestDescendant(env_, s);
  if (static_cast<long>(t.size()) + maxLen - static_cast<long>(s.size()) >= 15)
    return "粘贴后，目标科目代码已超过14个字符! 不能粘贴";
  if (CodeLevel(t) + maxClas - CodeLevel(s) >= 7) return "粘贴后，目标科目级数已超过６级! 不能粘贴";
  return "";
}

void CChartSetupDlg::OnPasteChildren() {
  std::string target = Chosen();
  if (target.empty()) return;
  std::string refusal;
  if (!RunCatchingDbErrors([&] { refusal = PasteRefusal(target); })) return;
  if (!refusal.empty()) {
    ShowMessage(refusal);
    return;
  }
  if (!PasteChildren(env_, clipSource, target, clipMode == 2)) return;
  if (clipMode == 2) {
    clipSource.clear();
    clipMode = 0;
  }
  RunCatchingDbErrors([&] { Fill(); });
}

void CChartSetupDlg::OnDeleteChildren() {
  std::string code = Chosen();
  if (code.empty()) return;
  long n = 0;
  std::string refusal;
  if (!RunCatchingDbErrors([&] {
        n = CountDescendants(env_, code);
        if (n > 0) refusal = ContentRefusal(env_, ContentCheck::DeleteChildren, code);
      }))
    return;
  if (n == 0) refusal = "该科目无子科目! 无须删除";
  if (!refusal.empty()) {
    ShowMessage(refusal);
    return;
  }
  if (Plat().MessageBox(Format("该科目共有%d个子科目，决定删除吗？", static_cast<int>(n)), "黄牌警告：",
                        MsgIcon::Exclamation, MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
    return;
  DeleteChildren(env_, code);
}

void CChartSetupDlg::OnDeleteKey() {
  std::string code = Chosen();
  if (code.empty()) return;
  int index = selected;
  bool done = false;
  RunCatchingDbErrors([&] {
    auto account = ReadAccount(env_, code);
    if (!account) return;
    if (account->special) {
      ShowMessage("“" + code + "”科目为专用科目，不能删除!");
      return;
    }
    std::string content = ContentRefusal(env_, ContentCheck::DeleteAccount, code);
    // The only account under its parent hands back to it what was booked on it.
    long e = directory.empty() ? -1 : CountDescendants(env_, directory);
    bool onlyChild = e == 0 || e == 1;
    if (!content.empty() && !onlyChild) {
      ShowMessage(content);
      return;
    }
    done = DeleteAccount(env_, code, directory, onlyChild);
  });
  if (!done) return;
  RunCatchingDbErrors([&] {
    Fill();
    OnSelect(index < static_cast<int>(items.size()) ? index : static_cast<int>(items.size()) - 1);
  });
}
