#include "accounts/chart_print_view.h"

#include <algorithm>

#include "accounts/account_code.h"
#include "accounts/chart_queries.h"
#include "base/cell_text.h"
#include "base/dialog_asker.h"
#include "base/text.h"
#include "data/data_env.h"
#include "data/recordset.h"
#include "data/sql_text.h"

using jet::SqlText;

namespace {

const char* const kTopic = " 会计科目表 ";
const char* const kGroup = "  辅  助  核  算";
const char* const kCaptions[] = {"科 目 代 码", "科   目   名   称", "级别",
                                 "多栏",        "多栏方向",          "数量或外币"};

}  // namespace

CHobdSubjectPrint::CHobdSubjectPrint() {
  nFlag = kFormFlag;
}

void CHobdSubjectPrint::SetupForm() {
  CVyReportView::SetupForm();
  SetSections(10, 3, 0, 1, 1);
  SetColumns({14, 42, 4, 4, 8, 10});
  SetItems("HEAD", 0, {{10, 46}, {838, 12}});
  SetItems("FOOT", 0, {{10, 16}, {680, 30}});
}

bool CHobdSubjectPrint::AskStart() {
  CVyDataEnv* env = DataEnv();
  if (!env || !CSubjectChoiceDlg::MayOpen(*env)) return false;
  CSubjectChoiceDlg dlg(*env);
  dlg.all = start_.empty();
  dlg.codeEnabled = !dlg.all;
  dlg.code = start_;
  if (!AskDialog(dlg)) return false;
  Confirm(dlg);
  return true;
}

void CHobdSubjectPrint::Confirm(const CSubjectChoiceDlg& choice) {
  DateTime now = Plat().Now();
  printTime_ = Format("打印时间：%d 年 %d 月 %d 日", now.year, now.month, now.day);
  Build(choice.startCode);
}

void CHobdSubjectPrint::Build(const std::string& start) {
  CVyDataEnv* env = DataEnv();
  if (!env) return;
  start_ = start;
  rows_.clear();
  long total =
      start.empty()
          ? env->QueryLong("select count(*) from subt")
          : env->QueryLong(Format("select count(*) from subt where kno like '%s-*'", SqlText(start).c_str()));
  progress_ = 0;
  if (paintNow) paintNow();
  Walk(start, std::max(1L, total));
  progress_ = -1;
  SetRowCount(static_cast<int>(rows_.size()));
  SetCurrent(0, 0, 0, "TEXT");
  Redraw();
}

// The accounts one level below parent, each followed at once by its own sub-tree.
void CHobdSubjectPrint::Walk(const std::string& parent, long total) {
  CVyDataEnv& env = *DataEnv();
  std::vector<Row> level;
  {
    CVyRecordset rs(env.Db(), {"clas", "dlf"}, {}, {"Expr1000", "Expr1001", "Expr1002", "Expr1003"});
    if (parent.empty())
      rs.Open(
          "SELECT trim(kno),trim(na),trim(fz),trim(dl),clas,dlf from subt where clas=1 \t\t\tORDER BY "
          "VAL(KNO)");
    else
      rs.Open(
          Format("SELECT trim(kno),trim(na),trim(fz),trim(dl),clas,dlf from subt where trim(kno) \t\t\tLIKE "
                 "'%s-*' AND CLAS-%d=0 ORDER BY VAL(MID$(trim(kno),%d))",
                 SqlText(parent).c_str(), CodeLevel(parent) + 1, static_cast<int>(parent.size()) + 2));
    for (; !rs.IsEOF(); rs.MoveNext()) {
      Row r;
      r.code = rs.GetText(0);
      r.level = rs.GetLong(0);
      r.name = std::string(static_cast<size_t>(2 * std::max(0, r.level - 1)), ' ') + rs.GetText(1);
      const std::string fz = rs.GetText(2);
      r.kind = fz == "1" ? "数量金额" : fz == "2" ? "外币" : "";
      r.multi = rs.GetText(3) == "1" ? "多栏" : "";
      r.side = rs.GetLong(1) == 1 ? "借" : rs.GetLong(1) == -1 ? "贷" : "";
      level.push_back(std::move(r));
    }
  }
  for (Row& r : level) {
    const std::string code = r.code;
    rows_.push_back(std::move(r));
    int percent = static_cast<int>(std::min<long>(100, static_cast<long>(rows_.size()) * 100 / total));
    if (percent != progress_) {
      progress_ = percent;
      if (paintNow) paintNow();
    }
    if (IsValidCode(code) && CountDescendants(env, code) > 0) Walk(code, total);
  }
}

void CHobdSubjectPrint::OnKeyDown(VyKey key, bool shift, bool ctrl) {
  if (key == VyKey::Enter && !shift && !ctrl) {
    if (rows_.empty()) {
      AskStart();
      return;
    }
    const VyCellPos& cur = Current();
    if (cur.section == "TEXT" && cur.row < static_cast<int>(rows_.size())) {
      const std::string code = rows_[static_cast<size_t>(cur.row)].code;
      if (IsValidCode(code) && CountDescendants(*DataEnv(), code) > 0) {
        Build(code);
        return;
      }
    }
  }
  if (key == VyKey::Escape && !start_.empty()) {
    const std::string left = start_;
    Build(ParentCode(left));
    for (size_t i = 0; i < rows_.size(); ++i)
      if (rows_[i].code == left) SetCurrent(static_cast<int>(i), 0, 0, "TEXT");
    MakeCurrentVisible();
    return;
  }
  CVyReportView::OnKeyDown(key, shift, ctrl);
}

bool CHobdSubjectPrint::OnCommand(int command) {
  if (command == vycmd::kOpen) {
    AskStart();
    return true;
  }
  return CVyReportView::OnCommand(command);
}

bool CHobdSubjectPrint::IsCommandEnabled(int command) {
  return command == vycmd::kOpen || CVyReportView::IsCommandEnabled(command);
}

std::string CHobdSubjectPrint::Text(int row, int col, const std::string& section) {
  CVyDataEnv* env = DataEnv();
  if (section == "HEAD" && row == 0) {
    if (col == 0) return "单位：" + (env ? env->unitName : std::string());
    return "";
  }
  if ((section == "FOOT" || section == "TAIL") && row == 0) {
    if (col == 0) return "制  表：" + (env ? env->opName : std::string());
    return col == 1 ? printTime_ : "";
  }
  if (section != "TEXT" || row < 0 || row >= static_cast<int>(rows_.size())) return "";
  const Row& r = rows_[static_cast<size_t>(row)];
  return CellOf({r.code, r.name, Format("%d", r.level), r.multi, r.side, r.kind}, col);
}

void CHobdSubjectPrint::GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool) {
  cell.text = Text(row, col, section);
  cell.mask = "STRING";
  cell.maxLength = 0;
  cell.decimals = 0;
}

void CHobdSubjectPrint::DrawCell(VyDC& dc, int row, int col, const std::string& section) {
  if (section == "HEAD" || section == "FOOT" || section == "TAIL") {
    const VyItem* item = Item(section, row, col);
    if (!item) return;
    std::string text = Text(row, col, section);
    if (section == "HEAD" && col == 1 && dc.IsPrinting())
      text = Format("第 %4d 页", FirstRow(true) / std::max(1, RowsPerPage(true)) + 1);
    DrawCellText(row, item->pos, dc, text, "PERCENT", section);
    return;
  }
  DrawCellText(row, col, dc, Text(row, col, section), col == 2 ? "MID" : "LEFT", section);
}

void CHobdSubjectPrint::DrawFrame(VyDC& dc) {
  const bool printing = dc.IsPrinting();
  DrawLineText(0, dc, kTopic, "MID", "TOPIC");
  // The captions of code, name and level stand in the middle line; the auxiliary group spans the last
  // three columns in the first line, with their own captions under its rule.
  for (int c = 0; c < 3; ++c) DrawCellText(1, c, dc, kCaptions[c], "MID", "FORMHEAD");
  const int top = RuleY(0, printing, "FORMHEAD"), split = RuleY(1, printing, "FORMHEAD");
  for (int c = 4; c < 6; ++c) {
    int x = GetRuleX(c, printing, "FORMHEAD", 0);
    dc.Line(x, top + 1, x, split - 1, dc.WindowColour());
  }
  dc.Line(GetRuleX(3, printing, "FORMHEAD", 0), split, GetRuleX(6, printing, "FORMHEAD", 0), split,
          Page().FormLine);
  DrawCellText(0, 3, dc, kGroup, "NOCUT", "FORMHEAD");
  const int half = (RuleY(2, printing, "FORMHEAD") - split) / 2;
  for (int c = 3; c < 6; ++c) DrawCellText(2, c, dc, kCaptions[c], "MID", "FORMHEAD", -half);
  if (progress_ >= 0 && !printing) DrawProgress(dc);
}

// A bar across the middle of the window, filled as far as the rows are built, the percentage beside it.
void CHobdSubjectPrint::DrawProgress(VyDC& dc) {
  const int width = std::max(120, ClientWidth() / 2), height = 24;
  const int left = HScrollPos() + (ClientWidth() - width) / 2,
            top = std::max(0, ClientHeight() / 2 - height / 2);
  dc.FillRect({left, top, left + width, top + height}, dc.WindowColour());
  dc.FillRect({left, top, left + width * progress_ / 100, top + height}, VyRgb(0, 0, 128));
  dc.FrameRect({left, top, left + width, top + height}, dc.WindowTextColour());
  const std::string text = Format("%3d％", progress_);
  VyFontSel old = dc.SelectFont({Page().fonts[2], FontHeight(2, false)});
  dc.SetTextColor(dc.WindowTextColour());
  dc.FillRect({left + width + 4, top, left + width + 12 + dc.TextWidth(text), top + height},
              dc.WindowColour());
  dc.TextOut(left + width + 8, top + (height - FontHeight(2, false)) / 2, text);
  dc.SetTextColor(dc.WindowTextColour());
  dc.SelectFont(old);
}

std::string CHobdSubjectPrint::WindowSubject() {
  return start_;
}

std::vector<std::string> CHobdSubjectPrint::ReportHead() {
  return {kTopic, Text(0, 0, "HEAD")};
}

std::vector<std::string> CHobdSubjectPrint::ColumnCaptions() {
  const std::string group = Trim(ReplaceAll(kGroup, "  ", ""));
  return {kCaptions[0],
          kCaptions[1],
          kCaptions[2],
          group + "：" + kCaptions[3],
          group + "：" + kCaptions[4],
          group + "：" + kCaptions[5]};
}
