#include "accounts/account_query_dlg.h"

#include <cctype>

#include <tuple>

#include "accounts/account_asker.h"
#include "accounts/account_code.h"
#include "base/pinyin.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/count_first.h"
#include "data/db_guard.h"
#include "data/sql_text.h"
#include "data/recordset.h"

using jet::SqlText;

namespace {

const char* const kTopLevel = "SELECT trim(kno),na FROM subt WHERE clas=1 ORDER BY VAL(trim(kno))";
const char* const kTopLevelCombo = "SELECT trim(kno),trim(na) FROM SUBT WHERE clas=1 ORDER BY val(trim(kno))";

}  // namespace

CAccountQueryDlg::CAccountQueryDlg(CVyDataEnv& env, int mode, std::string preset)
    : env_(env), mode_(mode), preset_(std::move(preset)) {}

bool CAccountQueryDlg::Guarded(const std::function<void()>& work) {
  // A failing statement leaves the dialog showing what it showed before.
  auto saved = std::make_tuple(parent, filter, lines, selected, comboCodes, comboSelected, parentName);
  if (RunCatchingDbErrors(work)) return true;
  std::tie(parent, filter, lines, selected, comboCodes, comboSelected, parentName) = saved;
  return false;
}

bool CAccountQueryDlg::OnInitDialog() {
  std::string code = preset_;
  if (code.ends_with('-')) code.pop_back();
  bool empty = false;
  bool ok = Guarded([&] {
    if (CountFirst(env_, kTopLevel) == 0) {
      empty = true;
      return;
    }
    parent.clear();
    long position = 0;
    // A code that is not well formed is not looked up: it could only widen the patterns below.
    const std::string k = SqlText(code);
    if (IsValidCode(code) &&
        CountFirst(env_, Format("SELECT kno FROM SUBT WHERE trim(kno)='%s' ORDER", k.c_str())) > 0) {
      bool hasSubAccounts =
          CountFirst(env_, Format("SELECT kno FROM SUBT WHERE trim(kno) like '%s-*' ORDER", k.c_str())) > 0;
      if (!hasSubAccounts || mode_ == accountquery::kAnyAccount) {
        parent = ParentCode(code);
        const std::string own = OwnPart(code), p = SqlText(parent);
        position = parent.empty()
                       ? CountFirst(env_, Format("SELECT trim(kno) FROM subt WHERE clas=1 \t\t\t\tand "
                                                 "val(trim(kno))<%s ORDER",
                                                 own.c_str()))
                       : CountFirst(env_, Format("SELECT trim(kno) FROM subt WHERE trim(kno) LIKE '%s-*' "
                                                 "\t\t\t\tand clas-%d=0 and val(mid$(trim(kno),%d))<%s ORDER",
                                                 p.c_str(), CodeLevel(code),
                                                 static_cast<int>(parent.size()) + 2, own.c_str()));
      } else {
        parent = code;
      }
    }
    FillList();
    FillCombo();
    if (position >= 0 && position < static_cast<long>(lines.size())) selected = static_cast<int>(position);
  });
  if (empty) {
    ShowMessage("本年度尚未设置科目(帐户)");
    state = State::Closed;
    return false;
  }
  if (!ok) state = State::Closed;
  return ok;
}

bool CAccountQueryDlg::FillList() {
  std::string sql;
  const std::string f = SqlText(filter);
  if (parent.empty()) {
    sql = filter.empty() ? std::string(kTopLevel)
                         : Format(
                               "SELECT trim(kno),na FROM subt WHERE clas=1 and instr(1,na,'%s',0)>0 ORDER BY "
                               "VAL(trim(kno))",
                               f.c_str());
  } else {
    const std::string p = SqlText(parent);
    const int level = CodeLevel(parent) + 1, tail = static_cast<int>(parent.size()) + 2;
    sql =
        filter.empty()
            ? Format(
                  "SELECT trim(kno),na FROM subt WHERE trim(kno) \t\t\t\tLIKE '%s-*' AND clas-%d=0 ORDER BY "
                  "VAL(MID$(trim(kno),%d))",
                  p.c_str(), level, tail)
            : Format(
                  "SELECT trim(kno),na FROM subt WHERE trim(kno) LIKE '%s-*' AND clas-%d=0 \t\t\tand "
                  "instr(1,na,'%s',0)>0 ORDER BY VAL(MID$(trim(kno),%i))",
                  p.c_str(), level, f.c_str(), tail);
  }
  lines.clear();
  selected = -1;
  if (CountFirst(env_, sql) == 0) {
    if (filter.empty()) return true;
    ShowMessage("没有满足条件的科目(帐户)!", MsgIcon::Warning);
    focus = Focus::Filter;
    return false;
  }
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "na"});
  rs.Open(sql);
  for (; !rs.IsEOF(); rs.MoveNext())
    lines.push_back(RTrim(Format("%-18s%s", rs.GetText(0).c_str(), rs.GetText(1).c_str())));
  selected = 0;
  return true;
}

void CAccountQueryDlg::FillCombo() {
  comboCodes.clear();
  comboSelected = -1;
  std::string sql = kTopLevelCombo;
  if (!parent.empty() && CodeLevel(parent) > 1) {
    const std::string g = ParentCode(parent);
    sql = Format(
        "SELECT trim(kno),trim(na) FROM SUBT WHERE clas-%d=0 and trim(kno) LIKE '%s-*' \t\t\t\tORDER BY "
        "val(mid(trim(kno),%d))",
        CodeLevel(parent), SqlText(g).c_str(), static_cast<int>(g.size()) + 2);
  }
  if (CountFirst(env_, sql) > 0) {
    CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001"});
    rs.Open(sql);
    for (; !rs.IsEOF(); rs.MoveNext()) {
      if (rs.GetText(0) == parent) comboSelected = static_cast<int>(comboCodes.size());
      comboCodes.push_back(rs.GetText(0));
    }
  }
  parentName = NameHeading();
  if (parent.empty()) return;
  CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000"});
  rs.Open(Format("SELECT trim(na) FROM subt WHERE trim(kno)='%s'", SqlText(parent).c_str()));
  parentName = rs.IsEOF() ? std::string() : rs.GetText(0);
}

void CAccountQueryDlg::OnSearch(const std::string& text) {
  search = text;
  found.clear();
  const std::string wanted = Trim(text);
  if (wanted.empty()) return;
  std::string lower;
  for (char c : wanted) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  Guarded([&] {
    CVyRecordset rs(env_.Db(), {}, {}, {"Expr1000", "Expr1001"});
    for (rs.Open("SELECT trim(kno),trim(na) FROM subt ORDER BY kno"); !rs.IsEOF() && found.size() < kFound;
         rs.MoveNext()) {
      const std::string code = rs.GetText(0), name = rs.GetText(1);
      if (code.rfind(wanted, 0) == 0 || name.find(wanted) != std::string::npos ||
          PinyinInitials(name).find(lower) != std::string::npos)
        found.push_back(Format("%-18s%s", code.c_str(), name.c_str()));
    }
  });
}

void CAccountQueryDlg::OnFoundChosen(int index) {
  if (index < 0 || index >= static_cast<int>(found.size())) return;
  const std::string& line = found[static_cast<size_t>(index)];
  const std::string code = line.substr(0, line.find(' '));
  Guarded([&] { MoveTo(ParentCode(code), code); });
}

void CAccountQueryDlg::MoveTo(const std::string& code, const std::string& select) {
  filter.clear();
  parent = code;
  FillList();
  FillCombo();
  int index = IndexOfCode(select);
  if (index >= 0) selected = index;
  focus = Focus::List;
}

bool CAccountQueryDlg::HasSubAccounts(const std::string& code) {
  return env_.QueryLong(
             Format("SELECT count(*) FROM subt WHERE trim(kno) LIKE '%s-*'", SqlText(code).c_str())) > 0;
}

std::string CAccountQueryDlg::CodeOf(int index) const {
  if (index < 0 || index >= static_cast<int>(lines.size())) return {};
  const std::string& line = lines[static_cast<size_t>(index)];
  return line.substr(0, line.find(' '));
}

std::string CAccountQueryDlg::NameOf(int index) const {
  if (index < 0 || index >= static_cast<int>(lines.size())) return {};
  const std::string& line = lines[static_cast<size_t>(index)];
  return line.size() > kNameColumn ? Trim(line.substr(kNameColumn)) : std::string();
}

int CAccountQueryDlg::IndexOfCode(const std::string& code) const {
  if (code.empty()) return -1;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i)
    if (CodeOf(i) == code) return i;
  return -1;
}

std::string CAccountQueryDlg::StatusText() const {
  return Format("本级有科目%d个", static_cast<int>(lines.size()));
}

void CAccountQueryDlg::OnSelect(int index) {
  if (index >= 0 && index < static_cast<int>(lines.size())) selected = index;
}

void CAccountQueryDlg::OnOk() {
  if (focus == Focus::Filter) {
    filter = Trim(filter);
    Guarded([&] { FillList(); });
    return;
  }
  OnLineChosen(selected);
}

void CAccountQueryDlg::OnLineChosen(int index) {
  std::string code = CodeOf(index);
  if (code.empty()) return;
  selected = index;
  if (mode_ == accountquery::kAnyAccount) {
    result = code;
    state = State::Chosen;
    return;
  }
  Guarded([&] {
    if (HasSubAccounts(code)) {
      MoveTo(code, "");
    } else if (mode_ == accountquery::kLowestLevel) {
      result = code;
      state = State::Chosen;
    }
  });
}

void CAccountQueryDlg::OnEnterChildren() {
  std::string code = CodeOf(selected);
  if (code.empty()) return;
  Guarded([&] {
    if (HasSubAccounts(code)) MoveTo(code, "");
  });
}

void CAccountQueryDlg::OnUp() {
  if (parent.empty()) return;
  std::string old = parent;
  Guarded([&] { MoveTo(ParentCode(old), old); });
}

void CAccountQueryDlg::OnComboChosen(int index) {
  if (index < 0 || index >= static_cast<int>(comboCodes.size())) return;
  std::string code = comboCodes[static_cast<size_t>(index)];
  if (code == parent) return;
  Guarded([&] {
    long children =
        env_.QueryLong(Format("SELECT count(*) FROM subt WHERE trim(kno) LIKE '%s-*' AND clas-%d=0",
                              SqlText(code).c_str(), CodeLevel(code) + 1));
    // Without sub-accounts the chosen account is shown among its siblings, one level up.
    if (children > 0)
      MoveTo(code, "");
    else
      MoveTo(ParentCode(code), code);
  });
}

void CAccountQueryDlg::OnClearFilter() {
  std::string previous = CodeOf(selected);
  Guarded([&] {
    filter.clear();
    FillList();
    int index = IndexOfCode(previous);
    if (index >= 0) selected = index;
  });
}
