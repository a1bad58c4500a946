#pragma once
// A year file of 2026 with a small chart for the entry windows: 101 现金, 102 银行存款 with 102-1 工商银行
// and 102-2 建设银行, 103 原材料 (quantities in 吨), 201 短期借款.
#include <string>
#include <vector>

#include "base/text.h"
#include "data/data_env.h"
#include "data/recordset.h"
#include "formview/form_view.h"
#include "support/year_file_fixture.h"

class EntryTest : public YearFileTest {
 protected:
  void SetUp() override {
    path = MakeYearFile("2026.vyx", 2026);
    ASSERT_TRUE(env.Open(path, "", 1));
    AddChart(env);
  }

  // The chart above, into the open year of env (a year file or a year on a server).
  static void AddChart(CVyDataEnv& env) {
    const char* chart[][4] = {{"101", "现金", "1", "0"},       {"102", "银行存款", "1", "0"},
                              {"102-1", "工商银行", "2", "0"}, {"102-2", "建设银行", "2", "0"},
                              {"103", "原材料", "1", "1"},     {"201", "短期借款", "1", "0"}};
    for (auto& a : chart)
      env.Execute(std::string("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('") + a[0] + "','" +
                  a[1] + "'," + a[2] + ",'0','" + a[3] + "'," + (a[3][0] == '1' ? "'吨'" : "null") +
                  ",'0',0,0)");
  }

  // The postings (RN above 0) as "T KNO F MY NU CER MK RN TT" lines, in T, KNO, RN order.
  std::vector<std::string> Postings() {
    std::vector<std::string> out;
    CVyRecordset rs(env.Db(), {"f", "rn"}, {"my", "nu"},
                    {"t", "Expr1001", "Expr1002", "mk", "tt", "Expr1005"});
    rs.Open(
        "select t,trim(kno),trim(cer),mk,tt,trim(mry),f,rn,my,nu from p0 where rn>0 order by t,trim(kno),rn");
    for (; !rs.IsEOF(); rs.MoveNext())
      out.push_back(rs.GetText(0) + " " + rs.GetText(1) + " " + std::to_string(rs.GetLong(0)) + " " +
                    Format("%.2f %g ", rs.GetDouble(0), rs.GetDouble(1)) + rs.GetText(2) + " " +
                    rs.GetText(3) + " " + std::to_string(rs.GetLong(1)) + " " + rs.GetText(4) + " " +
                    rs.GetText(5));
    return out;
  }

  // Types texts into a row's cells, column by column, as keys would (empty texts are skipped; what a cell
  // held is first taken out with Backspace), then leaves the row downwards, which appends a new row when it
  // was the last one.
  static void TypeRow(CVyFormView& view, int row, const std::vector<std::string>& cells) {
    for (size_t c = 0; c < cells.size(); ++c) {
      if (cells[c].empty()) continue;
      ASSERT_TRUE(view.SetCurrent(row, static_cast<int>(c), 999, "TEXT"));
      VyCellInfo held;
      view.GetCell(row, static_cast<int>(c), "TEXT", held, false);
      for (size_t i = 0; i < held.text.size(); ++i) view.OnKeyDown(VyKey::Backspace, false, false);
      view.OnChar(cells[c]);
    }
    view.SetCurrent(row, 0, 0, "TEXT");
    view.OnKeyDown(VyKey::Down, false, false);
  }

  // Clicks a cell; with Shift the selection reaches it.
  static void Click(CVyFormView& view, int row, int col, bool shift = false) {
    VyRect r = view.CellRect(row, col, false, "TEXT");
    view.OnLButtonDown(r.left + 2 - view.HScrollPos(), (r.top + r.bottom) / 2, shift);
    view.OnLButtonUp(r.left + 2 - view.HScrollPos(), (r.top + r.bottom) / 2);
  }

  std::string path;
  CVyDataEnv env;
};
