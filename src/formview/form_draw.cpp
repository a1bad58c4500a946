// Drawing a page: rules and frame, the view's frame texts, head items, the rows, foot items; on screen also
// the current-cell marker, the inverted selection and a rule being dragged.
#include <algorithm>

#include "base/gbk.h"
#include "formview/form_view.h"
#include "formview/form_sections.h"

uint32_t CVyFormView::SectionColour(const std::string& section) const {
  switch (SecOf(section)) {
    case VySec::Topic:
      return ps_.TopicColor;
    case VySec::Head:
      return ps_.HeadColor;
    case VySec::FormHead:
    case VySec::Text:
    case VySec::FormFoot:
      return ps_.TextColor;
    default:
      return ps_.TailColor;
  }
}

void CVyFormView::DrawPage(VyDC& dc) {
  bool printing = dc.IsPrinting();
  if (RowsPerPage(printing) <= 0) return;
  DrawRules(dc);
  DrawFrame(dc);
  DrawItems(dc, "HEAD");
  DrawBody(dc);
  DrawItems(dc, "FOOT");
  if (printing) return;
  DrawMarker(dc);
  InvertCharRange(dc);
  if (drag_ == 2) {
    if (dragKind_ == "TEXTH")
      dc.InvertRect({lastX_, RuleY(0, false, "FORMHEAD"), lastX_ + 1, RuleY(0, false, "FOOT")});
    else
      dc.InvertRect(
          {GetRuleX(0, false, "TEXT", 0), lastY_, GetRuleX(ColumnCount(), false, "TEXT", 0), lastY_ + 1});
  }
}

void CVyFormView::DrawPrintPage(VyDC& dc, int page) {
  VyDC* before = printDC_;
  printDC_ = &dc;
  printFirst_ = std::max(0, page - 1) * RowsPerPage(true);
  DrawPage(dc);
  printDC_ = before;
}

void CVyFormView::DrawItems(VyDC& dc, const std::string& section) {
  int lines = section == "HEAD" ? nHeadLines_ : nFootLines_;
  for (int line = 0; line < lines; ++line)
    for (int c = 0; c < ItemCount(section, line); ++c) DrawCell(dc, line, c, section);
}

void CVyFormView::DrawBody(VyDC& dc) {
  bool printing = dc.IsPrinting();
  int first = FirstRow(printing);
  int last = std::min(first + RowsPerPage(printing), nTextRows_);
  for (int r = first; r < last; ++r)
    for (int c = 0; c < ColumnCount(); ++c) DrawCell(dc, r, c, "TEXT");
  if (!printing) DrawSelection(dc);
}

// Inverts every selected cell but the current one, clipped to the rows of the page.
void CVyFormView::DrawSelection(VyDC& dc) {
  if (!SelectionInOneSection() || HasCharRange()) return;
  int top = std::min(cur_.row, anchor_.row), bottom = std::max(cur_.row, anchor_.row);
  int leftCol = std::min(cur_.col, anchor_.col), rightCol = std::max(cur_.col, anchor_.col);
  if (cur_.section == "TEXT") {
    top = std::max(top, first_);
    bottom = std::min({bottom, first_ + RowsPerPage(false) - 1, nTextRows_ - 1});
  }
  for (int r = top; r <= bottom; ++r)
    for (int c = leftCol; c <= rightCol; ++c) {
      VyCellPos p{r, c, cur_.section, 0};
      if (p.SameCell(cur_) || !CellExists(p)) continue;
      dc.InvertRect(CellRect(r, c, false, cur_.section));
    }
}

void CVyFormView::InvertCharRange(VyDC& dc) {
  if (!HasCharRange() || !CellExists(cur_)) return;
  if (cur_.section == "TEXT" && (cur_.row < first_ || cur_.row >= first_ + RowsPerPage(false))) return;
  std::string text = CellText(cur_.row, cur_.col, cur_.section);
  int a = ClampCaret(text, std::min(cur_.caret, anchor_.caret));
  int b = ClampCaret(text, std::max(cur_.caret, anchor_.caret));
  int fi = FontIndex(cur_.section);
  VyFontSel old = dc.SelectFont({ps_.fonts[fi], FontHeight(fi, false)});
  int x = GetColumnX(cur_.col, false, cur_.section, cur_.row, true);
  int x0 = x + dc.TextWidth(std::string_view(text).substr(0, static_cast<size_t>(a)));
  int x1 = x + dc.TextWidth(std::string_view(text).substr(0, static_cast<size_t>(b)));
  dc.SelectFont(old);
  int y = GetRowY(cur_.row, false, cur_.section);
  dc.InvertRect({x0, y, x1, y + FontHeight(fi, false)});
}

void CVyFormView::DrawMarker(VyDC& dc) {
  if (!CellExists(cur_)) return;
  if (cur_.section == "TEXT" && (cur_.row < first_ || cur_.row >= first_ + RowsPerPage(false))) return;
  dc.FrameRect(CellRect(cur_.row, cur_.col, false, cur_.section), ps_.OutBox);
}

void CVyFormView::DrawRules(VyDC& dc) {
  bool printing = dc.IsPrinting();
  int rows = RowsPerPage(printing);
  if (rows <= 0) return;
  int n = ColumnCount();
  int first = FirstRow(printing);
  int x0 = GetRuleX(0, printing, "TEXT", 0), xn = GetRuleX(n, printing, "TEXT", 0);
  int tableTop = RuleY(0, printing, "FORMHEAD"), tableBottom = RuleY(0, printing, "FOOT");
  int bodyTop = RuleY(first, printing, "TEXT"), bodyBottom = RuleY(0, printing, "FORMFOOT");
  uint32_t rule = ps_.FormLine;
  for (int i = 0; i <= rows; ++i) {
    int y = RuleY(first + i, printing, "TEXT");
    dc.Line(x0, y, xn, y, rule);
  }
  for (int c = 0; c <= n; ++c) {
    int x = GetRuleX(c, printing, "TEXT", 0);
    bool outer = c == 0 || c == n;
    if (rulesThrough_ || outer)
      dc.Line(x, tableTop, x, tableBottom, rule);
    else
      dc.Line(x, bodyTop, x, bodyBottom, rule);
  }
  dc.Line(x0, tableTop, xn, tableTop, rule);
  dc.Line(x0, tableBottom, xn, tableBottom, rule);
  for (int d = 1; d <= 2; ++d)
    dc.FrameRect({x0 - d, tableTop - d, xn + d + 1, tableBottom + d + 1}, ps_.OutBox);
}

void CVyFormView::DrawLineText(int line, VyDC& dc, const std::string& text, const std::string& align,
                               const std::string& section) {
  bool printing = dc.IsPrinting();
  int fi = FontIndex(section);
  VyFontSel old = dc.SelectFont({ps_.fonts[fi], FontHeight(fi, printing)});
  int left = printing ? static_cast<int>(ps_.PageLeft * printScale_) : leftMargin_;
  int right = GetColumnX(ColumnCount(), printing, "TEXT", 0, true);
  int width = dc.TextWidth(text);
  int x = align == "MID" ? left + (right - left - width) / 2 : align == "LEFT" ? left : right - width;
  dc.SetTextColor(SectionColour(section));
  dc.TextOut(x, GetRowY(line, printing, section), text);
  dc.SetTextColor(dc.WindowTextColour());
  dc.SelectFont(old);
}

void CVyFormView::DrawCellText(int row, int col, VyDC& dc, const std::string& text, const std::string& align,
                               const std::string& section, int dy) {
  bool printing = dc.IsPrinting();
  int fi = FontIndex(section);
  int height = FontHeight(fi, printing);
  VyFontSel old = dc.SelectFont({ps_.fonts[fi], height});
  int y = GetRowY(row, printing, section) + dy;
  bool percent = align == "PERCENT";
  int x, width = 0;
  if (percent) {
    x = GetColumnX(col, printing, section, row, false);
  } else {
    width = CellWidth(col, printing, section, row);
    x = GetColumnX(col, printing, section, row, true);
    if (!printing) dc.FillRect({x, y, x + width, y + height}, dc.WindowColour());
  }
  std::string shown = text;
  int textWidth = dc.TextWidth(shown);
  if (!percent && align != "NOCUT") {
    // Drop whole characters from the end: a two-byte character is never split.
    while (!shown.empty() && textWidth > width) {
      shown.resize(gbk::PrevChar(shown, shown.size()));
      textWidth = dc.TextWidth(shown);
    }
  }
  if (align == "MID")
    x += (width - textWidth) / 2;
  else if (align == "RIGHT")
    x += width - textWidth;
  dc.SetTextColor(SectionColour(section));
  dc.TextOut(x, y, shown);
  dc.SetTextColor(dc.WindowTextColour());
  dc.SelectFont(old);
}
