// The mouse: zones and cursors, selecting cells, rows, columns and everything, dragging rules.
#include <algorithm>

#include "base/money.h"
#include "formview/form_view.h"
#include "formview/form_sections.h"

namespace {

// The zones the view acts on; any other combination counts as its section.
std::string ActingZone(const VyHit& hit) {
  static const char* const known[] = {"TEXT",      "TEXTL",     "TEXTH", "TEXTV", "FORMHEAD",
                                      "FORMHEADL", "FORMFOOTV", "HEAD",  "FOOT",  "OUTCLIENT"};
  for (const char* z : known)
    if (hit.zone == z) return hit.zone;
  return hit.section.empty() ? std::string("OUTCLIENT") : hit.section;
}

}  // namespace

void CVyFormView::LayOut() {
  ClampFirst();
  host_->ScrollSizesChanged();
  host_->CaretChanged();
  Redraw();
}

int CVyFormView::CaretFromX(int row, int col, const std::string& section, int x) {
  if (!editable_) return 0;
  std::string text = CellText(row, col, section);
  int left = GetColumnX(col, false, section, row, true);
  int fi = FontIndex(section);
  VyDC& dc = Measure(false);
  VyFontSel old = dc.SelectFont({ps_.fonts[fi], FontHeight(fi, false)});
  int caret = static_cast<int>(text.size());
  std::string_view t = text;
  for (size_t i = 0, w0 = 0; i < t.size();) {
    size_t next = i + (static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size() ? 2 : 1);
    size_t w1 = static_cast<size_t>(dc.TextWidth(t.substr(0, next)));
    if (x < left + static_cast<int>((w0 + w1) / 2)) {
      caret = static_cast<int>(i);
      break;
    }
    i = next;
    w0 = w1;
  }
  dc.SelectFont(old);
  return caret;
}

void CVyFormView::OnLButtonDown(int x, int y, bool shift) {
  if (RowsPerPage(false) <= 0) return;
  int px = x + hScroll_;
  VyHit hit = HitTest(px, y);
  std::string zone = ActingZone(hit);
  int n = ColumnCount();
  shift_ = shift;
  if (zone == "TEXTH" || zone == "TEXTV" || zone == "FORMFOOTV") {
    drag_ = 2;
    dragKind_ = zone == "TEXTH" ? "TEXTH" : "TEXTV";
    dragIndex_ = hit.col;
    pressX_ = lastX_ = px;
    pressY_ = lastY_ = y;
    shift_ = false;
    Redraw();
    return;
  }
  if (zone == "TEXTL" && hit.row < nTextRows_) {
    headerSelect_ = true;
    anchor_ = {hit.row, n - 1, "TEXT", 0};
    SetCurrent(hit.row, 0, 0, "TEXT");
  } else if (zone == "FORMHEAD" && n > 0) {
    headerSelect_ = true;
    anchor_ = {nTextRows_ - 1, std::min(hit.col, n - 1), "TEXT", 0};
    ScrollTo(0);
    SetCurrent(0, std::min(hit.col, n - 1), 0, "TEXT");
  } else if (zone == "FORMHEADL") {
    SelectAll();
    headerSelect_ = true;
  } else if ((zone == "TEXT" && hit.row < nTextRows_) || zone == "HEAD" || zone == "FOOT") {
    SetCurrent(hit.row, hit.col, CaretFromX(hit.row, hit.col, hit.section, px), hit.section);
  }
  drag_ = 1;
  shift_ = false;
}

void CVyFormView::OnMouseMove(int x, int y, bool leftDown) {
  int px = x + hScroll_;
  if (drag_ == 2) {
    int n = ColumnCount();
    if (dragKind_ == "TEXTH")
      lastX_ = std::clamp(px, GetRuleX(0, false, "TEXT", 0), GetRuleX(n, false, "TEXT", 0));
    else
      lastY_ = std::clamp(y, RuleY(0, false, "FORMHEAD"), RuleY(0, false, "FOOT"));
    Redraw();
    return;
  }
  if (drag_ != 1 || !leftDown) return;
  VyHit hit = HitTest(px, y);
  if (hit.section.empty() || (hit.section != "TEXT" && hit.section != "HEAD" && hit.section != "FOOT"))
    return;
  if (hit.section != cur_.section) return;
  int row = hit.row, col = hit.col;
  if (hit.section == "TEXT") {
    row = std::min(row, nTextRows_ - 1);
    col = std::clamp(col, 0, ColumnCount() - 1);
  }
  int caret = hit.zone == hit.section ? CaretFromX(row, col, hit.section, px) : 0;
  SetCurrent(row, col, caret, hit.section);
}

void CVyFormView::OnLButtonUp(int, int) {
  if (drag_ == 2) ReleaseDrag(lastX_, lastY_);
  drag_ = 0;
  headerSelect_ = false;
  Redraw();
}

VyCursor CVyFormView::CursorAt(int x, int y) {
  if (RowsPerPage(false) <= 0) return VyCursor::Arrow;
  VyHit hit = HitTest(x + hScroll_, y);
  std::string zone = ActingZone(hit);
  if (SelectionInOneSection() && !HasCharRange() && hit.section == cur_.section && zone == hit.section) {
    int top = std::min(cur_.row, anchor_.row), bottom = std::max(cur_.row, anchor_.row);
    int left = std::min(cur_.col, anchor_.col), right = std::max(cur_.col, anchor_.col);
    if (hit.row >= top && hit.row <= bottom && hit.col >= left && hit.col <= right) return VyCursor::Arrow;
  }
  if (zone == "TEXTH") return VyCursor::SizeColumn;
  if (zone == "TEXTV" || zone == "FORMFOOTV") return VyCursor::SizeRow;
  if (zone == "TEXTL") return VyCursor::SelectRow;
  if (zone == "FORMHEAD") return VyCursor::SelectColumn;
  if (zone == "FORMHEADL") return VyCursor::SelectAll;
  if (zone == "TEXT" || zone == "HEAD") return VyCursor::IBeam;
  return VyCursor::Arrow;
}

void CVyFormView::ReleaseDrag(int x, int y) {
  if (dragKind_ == "TEXTH") {
    int n = ColumnCount();
    if (n <= 0) return;
    int col = std::clamp(dragIndex_ - 1, 0, n - 1);
    int g = CharWidth(2, false);
    int& w = widths_[static_cast<size_t>(col)];
    w = std::max(0, x - pressX_ + g * w) / g;
    ps_.widths = widths_;
    LayOut();
  } else {
    DragSpacing(y - pressY_);
  }
}

// The rule below a row moved by dy pixels: the line spacing follows, never under 3 pixels, and is taken
// back until a row fits on the screen and on paper.
void CVyFormView::DragSpacing(int dy) {
  int before = ps_.PageRow;
  int spacing = Spacing(false) + dy > 2 ? Spacing(false) + dy : 3;
  const int least = static_cast<int>(3 / kScreenScale + money::kScaleSlack);
  ps_.PageRow = std::max(least, static_cast<int>(spacing / kScreenScale + money::kScaleSlack));
  ps_.PageRow = std::min(ps_.PageRow, 0xFFFF);
  while (ps_.PageRow > least && RowsPerPage(false) <= 0) --ps_.PageRow;
  while (ps_.PageRow > least && RowsPerPage(true) <= 0) --ps_.PageRow;
  if (ps_.PageRow != before) {
    first_ = 0;
    LayOut();
    MakeCurrentVisible();
  }
}
