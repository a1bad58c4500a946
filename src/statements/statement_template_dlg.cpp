// The template window's model: texts in, a checked template out.
#include "statements/statement_template_dlg.h"

#include <algorithm>
#include <cstdio>

#include "base/platform.h"
#include "base/text.h"
#include "data/db_guard.h"
#include "statements/pl_closing.h"
#include "statements/statement.h"
#include "statements/statement_figures.h"

namespace {

bool Blank(const CTemplateDlg::GridRow& row) {
  return std::all_of(row.begin(), row.end(), [](const std::string& cell) { return Trim(cell).empty(); });
}

// The number after the words a refusal starts with ("第 3 行", "行次 12"); 0 when it starts otherwise.
int NumberAfter(const std::string& text, const std::string& words) {
  if (text.rfind(words, 0) != 0) return 0;
  int n = 0;
  return std::sscanf(text.c_str() + words.size(), " %d", &n) == 1 ? n : 0;
}

}  // namespace

CTemplateDlg::CTemplateDlg(CVyDataEnv& env) : env_(env) {}

const std::vector<std::string>& CTemplateDlg::GridCaptions() {
  static const std::vector<std::string> captions = {"行次", "缩进", "左/右", "项目", "公式1", "公式2"};
  return captions;
}

bool CTemplateDlg::OnInitDialog() {
  if (!RunCatchingDbErrors([&] { names = StatementNamesInstalling(env_); })) return false;
  modified = false;
  return Choose(names.empty() ? std::string("资产负债表") : names.front());
}

bool CTemplateDlg::Choose(const std::string& name) {
  if (!KeepChanges()) return false;
  StatementTemplate t;
  bool found = false;
  if (!RunCatchingDbErrors([&] { found = LoadStatement(env_, name, t); })) return false;
  isNew = !found;
  if (!found) {
    t = StatementTemplate{};
    t.name = name;
    t.columns[0] = "期末余额";
    t.columns[1] = "年初余额";
  }
  loaded_ = found ? t.name : "";
  Show(t);
  return true;
}

void CTemplateDlg::Show(const StatementTemplate& t) {
  form = t;
  rows.clear();
  for (const StatementLine& l : t.lines)
    rows.push_back({l.lineNo ? Format("%d", l.lineNo) : "", Format("%d", l.indent), l.side ? "右" : "左", l.caption,
                    l.formula[0], l.formula[1]});
  if (rows.empty()) rows.push_back({});
  form.lines.clear();
  modified = false;
  focus.clear();
  focusRow = -1;
}

void CTemplateDlg::InsertRow(int at) {
  if (at < 0 || at > static_cast<int>(rows.size())) at = static_cast<int>(rows.size());
  rows.insert(rows.begin() + at, GridRow{});
  modified = true;
}

void CTemplateDlg::DeleteRow(int at) {
  if (at < 0 || at >= static_cast<int>(rows.size())) return;
  rows.erase(rows.begin() + at);
  if (rows.empty()) rows.push_back({});
  modified = true;
}

bool CTemplateDlg::TakeRows(std::string& error) {
  rows.erase(std::remove_if(rows.begin(), rows.end(), Blank), rows.end());
  form.lines.clear();
  for (size_t i = 0; i < rows.size(); ++i) {
    const GridRow& r = rows[i];
    StatementLine l;
    std::string side = Trim(r[kSide]);
    if (!ParseLineNumber(r[kLineNo], l.lineNo) || !ParseLineNumber(r[kIndent], l.indent)) {
      error = Format("第 %zu 行：行次和缩进应为数字。", i + 1);
      return false;
    }
    if (!side.empty() && side != "左" && side != "右") {
      error = Format("第 %zu 行：左/右 应为“左”或“右”。", i + 1);
      return false;
    }
    l.side = side == "右" ? 1 : 0;
    l.caption = RTrim(r[kCaption]);
    l.formula[0] = Trim(r[kFormula1]);
    l.formula[1] = Trim(r[kFormula2]);
    form.lines.push_back(std::move(l));
  }
  return true;
}

bool CTemplateDlg::OnOk() {
  focus.clear();
  focusRow = -1;
  form.name = Trim(form.name);
  std::string error;
  bool read = TakeRows(error);
  if (read) error = TemplateRefusal(form);
  if (error.empty() && !RunCatchingDbErrors([&] {
        StatementFigures chart(env_, true);
        error = FormulaRefusal(form, chart);
        if (!error.empty())
          error = "公式有错：" + error + "。";
        else
          error = ClosingSettingsRefusal(form, chart);
      }))
    return false;
  if (!error.empty()) {
    if (int row = NumberAfter(error, "第")) {
      focus = "rows", focusRow = row - 1;
    } else if (int lineNo = NumberAfter(error, "公式有错：行次")) {
      focus = "rows";
      for (size_t i = 0; i < form.lines.size(); ++i)
        if (form.lines[i].lineNo == lineNo) focusRow = static_cast<int>(i);
    } else if (error.find("校验") != std::string::npos) {
      focus = "check";
    } else if (error.find("名称") != std::string::npos) {
      focus = "name";
    } else {
      focus = "closed";
    }
    ShowMessage(error);
    return false;
  }
  // Saving under the name of another statement replaces that one: only when the user says so.
  bool other = form.name != loaded_ && std::find(names.begin(), names.end(), form.name) != names.end();
  if (other && ShowMessage("已有报表“" + form.name + "”。要用这个模板替换它吗？", MsgIcon::Question,
                           MsgButtons::YesNo) != MsgAnswer::Yes) {
    focus = "name";
    return false;
  }
  if (!SaveStatement(env_, form)) return false;
  loaded_ = form.name;
  isNew = false;
  modified = false;
  RunCatchingDbErrors([&] { names = StatementNames(env_); });
  return true;
}

bool CTemplateDlg::KeepChanges() {
  if (!modified) return true;
  if (ShowMessage("报表模板“" + form.name + "”已修改，不保存就放弃这些修改吗？", MsgIcon::Question,
                  MsgButtons::YesNo) != MsgAnswer::Yes)
    return false;
  modified = false;
  return true;
}

bool CTemplateDlg::CanLeave() {
  return KeepChanges();
}
