#pragma once
// A year file with a small chart, the browser over it, and a user in front of the account dialog.
#include <sqlite3.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "accounts/account_code.h"
#include "accounts/chart_queries.h"
#include "accounts/chart_setup_dlg.h"
#include "accounts/sub_tree_changes.h"
#include "base/text.h"
#include "data/recordset.h"
#include "support/scripted_face.h"
#include "support/year_file_fixture.h"

// Plays the account dialog: each step fills the fields; 确认 is pressed once; no step left is 取消.
class ScriptedAccountDialog : public ScriptedFace<CAccountDlg> {
 public:
  bool Run(CAccountDlg& dialog) override {
    if (steps.empty()) return false;
    auto step = steps.front();
    steps.pop_front();
    step(dialog);
    closed.push_back(dialog.OnOk());
    seen.push_back(dialog.Caption());
    return dialog.saved;
  }
  void Type(const std::string& own, const std::string& name) {
    steps.push_back([=](CAccountDlg& d) {
      d.ownPart = own;
      d.OnNameChanged(name);
    });
  }
  std::deque<std::function<void(CAccountDlg&)>> steps;
  std::vector<bool> closed;
  std::vector<std::string> seen;
};

class ChartSetupTest : public YearFileTest {
 protected:
  void SetUp() override {
    path = MakeYearFile("2026.VYX", 2026);
    ASSERT_TRUE(env.Open(path, "", 1));
  }
  void AddRow(const std::string& code, const std::string& name, const char* op = "0", const char* fz = "0") {
    env.Execute(
        Format("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'%s','%s',%s,'0',0,0)",
               code.c_str(), name.c_str(), CodeLevel(code), op, fz, *fz == '0' ? "NULL" : "'个'"));
  }
  void Book(const std::string& code, double amount = 100) {
    env.Execute(
        Format("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260105','0',1,'收款','%s',1,%.2f,0,"
               "'4','01')",
               code.c_str(), amount));
  }
  long Rows(const std::string& code) {
    return env.QueryLong(Format("select count(*) from p0 where trim(kno)='%s'", code.c_str()));
  }
  // Every account as "code name level/op/fz/dl/dlf/dlw", in code order.
  std::vector<std::string> Chart() {
    std::vector<std::string> rows;
    CVyRecordset rs(env.Db(), {"clas", "dlf", "dlw"}, {}, {"Expr1000", "Expr1001", "op", "fz", "dl"});
    rs.Open("select trim(kno),trim(na),clas,op,fz,dl,dlf,dlw from subt order by kno");
    for (; !rs.IsEOF(); rs.MoveNext())
      rows.push_back(Format("%s %s %d/%s/%s/%s/%d/%d", rs.GetText(0).c_str(), rs.GetText(1).c_str(),
                            rs.GetLong(0), rs.GetText(2).c_str(), rs.GetText(3).c_str(),
                            rs.GetText(4).c_str(), rs.GetLong(1), rs.GetLong(2)));
    return rows;
  }
  // The codes of the browser's lines.
  std::vector<std::string> Listed() {
    std::vector<std::string> codes;
    for (int i = 0; i < static_cast<int>(browser.items.size()); ++i) codes.push_back(browser.CodeOf(i));
    return codes;
  }
  // The browser on the children of directory, with the line of code selected.
  void Show(const std::string& directory, const std::string& code) {
    browser.directory = directory;
    ASSERT_TRUE(browser.OnInitDialog());
    browser.OnSelect(browser.IndexOfCode(code));
    ASSERT_EQ(browser.SelectedCode(), code);
  }
  // A statement on the table that the engine refuses, to break a change half-way.
  void Refuse(const std::string& trigger) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    std::string sql = "CREATE TRIGGER broken " + trigger + " BEGIN SELECT RAISE(ABORT,'disk I/O error'); END";
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  }

  std::string path;
  CVyDataEnv env;
  CChartSetupDlg browser{env};
  ScriptedAccountDialog dialog;
};
