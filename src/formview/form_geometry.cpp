// Where everything of a page is: line heights, rows per page, row y and column x on screen and paper,
// cell rectangles and the hit test of the mouse.
#include <algorithm>
#include <cstdlib>

#include "formview/form_view.h"
#include "formview/form_sections.h"

int CVyFormView::FontIndex(const std::string& section) {
  switch (SecOf(section)) {
    case VySec::Topic:
      return 0;
    case VySec::Head:
      return 1;
    case VySec::FormHead:
    case VySec::Text:
    case VySec::FormFoot:
      return 2;
    default:
      return 3;
  }
}

int CVyFormView::FontHeight(int fontIndex, bool printing) const {
  int h = std::abs(ps_.fonts[fontIndex].height);
  if (!printing) return h;
  int paper = static_cast<int>(h * printFontScale_);
  return fontIndex == 2 ? FittedBodyHeight(paper) : paper;
}

// On paper the columns share the usable width in proportion to their widths in characters. When the body
// font is so large that G × (1 + Σ (w + 1)) exceeds that width, every column would come out narrower than
// its width and its text would be cut: an amount would lose its last digits. The body font then shrinks
// until the declared widths fit. Measured with the printer's own context, and kept until the font, the paper
// or that context changes, so that a printed page is counted and drawn with the same rows.
int CVyFormView::FittedBodyHeight(int height) const {
  if (widths_.empty() || height <= 1) return height;
  VyDC& dc = const_cast<CVyFormView*>(this)->Measure(true);
  long long usable = static_cast<int>(ps_.PageWidth * printScale_) -
                     static_cast<int>(ps_.PageLeft * printScale_) -
                     static_cast<int>(ps_.PageRight * printScale_);
  long long d = 1;
  for (int w : widths_) d += w + 1;
  BodyFit key{height, usable, d, ps_.fonts[2], &dc, 0};
  if (bodyFit_.height == key.height && bodyFit_.usable == usable && bodyFit_.units == d &&
      bodyFit_.font == key.font && bodyFit_.dc == &dc)
    return bodyFit_.fitted;
  auto charWidth = [&](int h) {
    VyFontSel old = dc.SelectFont({ps_.fonts[2], h});
    int w = std::max(1, dc.TextWidth("T"));
    dc.SelectFont(old);
    return w;
  };
  int h = height;
  while (h > 1) {
    long long need = charWidth(h) * d;
    if (need <= usable) break;
    h = static_cast<int>(std::clamp<long long>(h * std::max(0LL, usable) / need, 1, h - 1));
  }
  key.fitted = h;
  bodyFit_ = key;
  return h;
}

int CVyFormView::Spacing(bool printing) const {
  return static_cast<int>(ps_.PageRow * (printing ? printScale_ : kScreenScale));
}

VyDC& CVyFormView::Measure(bool printing) {
  if (printing) return printDC_ ? *printDC_ : static_cast<VyDC&>(fixedPaper_);
  return screenDC_ ? *screenDC_ : static_cast<VyDC&>(fixedScreen_);
}

int CVyFormView::CharWidth(int fontIndex, bool printing) {
  VyDC& dc = Measure(printing);
  VyFontSel want{ps_.fonts[fontIndex], FontHeight(fontIndex, printing)};
  VyFontSel old = dc.SelectFont(want);
  int w = dc.TextWidth("T");
  dc.SelectFont(old);
  return std::max(1, w);
}

int CVyFormView::RowsPerPage(bool printing) {
  int pageHeight, top, bottom;
  if (printing) {
    pageHeight = static_cast<int>(ps_.PageLength * printScale_);
    top = static_cast<int>(ps_.PageTop * printScale_);
    bottom = static_cast<int>(ps_.PageBottom * printScale_);
  } else {
    pageHeight = clientHeight_;
    top = topMargin_;
    bottom = bottomMargin_;
  }
  int s = Spacing(printing);
  int hT = FontHeight(0, printing), hH = FontHeight(1, printing), hB = FontHeight(2, printing),
      hF = FontHeight(3, printing);
  int fixed = hT + nHeadLines_ * hH + nFootLines_ * hF + (nFormHeadLines_ + nFormFootLines_) * hB + top +
              bottom + s * (nFormHeadLines_ + nHeadLines_ + nFootLines_ + nFormFootLines_ + 2);
  if (hB + s <= 0) return 0;
  return std::max(0, (pageHeight - fixed) / (hB + s));
}

int CVyFormView::PageCount(bool printing) {
  int r = RowsPerPage(printing);
  if (r <= 0) return 0;
  return (nTextRows_ - 1) / r + 1;
}

int CVyFormView::GetRowY(int row, bool printing, const std::string& section) {
  int top = printing ? static_cast<int>(ps_.PageTop * printScale_) : topMargin_;
  int s = Spacing(printing);
  int hT = FontHeight(0, printing), hH = FontHeight(1, printing), hB = FontHeight(2, printing),
      hF = FontHeight(3, printing);
  VySec sec = SecOf(section);
  if (sec == VySec::Topic) return top + s;
  int base = top + hT + 2 * s;
  if (sec == VySec::Head) return base + row * (hH + s);
  base += nHeadLines_ * (hH + s);
  if (sec == VySec::FormHead) return base + row * (hB + s);
  base += nFormHeadLines_ * (hB + s);
  if (sec == VySec::Text) return base + (row - FirstRow(printing)) * (hB + s);
  int rows = RowsPerPage(printing);
  if (sec == VySec::FormFoot) return base + (rows + row) * (hB + s);
  return base + (rows + nFormFootLines_) * (hB + s) + row * (hF + s);
}

int CVyFormView::RuleY(int line, bool printing, const std::string& section) {
  return GetRowY(line, printing, section) - (Spacing(printing) + 1) / 2;
}

// Paper: the usable width is shared out in proportion to the widths, each column a whole number of G; the
// fractions dropped are handed back one G at a time.
std::vector<int> CVyFormView::PaperColumnX(bool printing) {
  int left = static_cast<int>(ps_.PageLeft * printScale_);
  int right = static_cast<int>(ps_.PageRight * printScale_);
  int page = static_cast<int>(ps_.PageWidth * printScale_);
  int g = CharWidth(2, printing);
  long long usable = page - left - right;
  long long d = 1;
  for (int w : widths_) d += w + 1;
  std::vector<int> xs(widths_.size() + 1);
  long long x = left + g, dropped = 0;
  xs[0] = static_cast<int>(x);
  for (size_t k = 0; k < widths_.size(); ++k) {
    long long exact = usable * (widths_[k] + 1) / d;
    long long whole = exact / g * g;
    dropped += exact - whole;
    if (dropped > g) {
      whole += g;
      dropped -= g;
    }
    x += whole;
    xs[k + 1] = static_cast<int>(x);
  }
  xs[widths_.size()] = page - right;
  return xs;
}

int CVyFormView::GetColumnX(int col, bool printing, const std::string& section, int line, bool byItem) {
  VySec sec = SecOf(section);
  int left = printing ? static_cast<int>(ps_.PageLeft * printScale_) : leftMargin_;
  int right = printing ? static_cast<int>(ps_.PageRight * printScale_) : rightMargin_;
  int n = ColumnCount();
  if (!IsTableSec(sec)) {
    int pos = col;
    if (byItem) {
      const VyItem* item = Item(sec == VySec::Head ? "HEAD" : "FOOT", line, col);
      pos = item ? item->pos : 0;
    }
    int page = printing ? static_cast<int>(ps_.PageWidth * printScale_)
                        : GetColumnX(n, false, "TEXT", 0, false) + right;
    return left + static_cast<int>(static_cast<long long>(page - left - right) * pos / 1000);
  }
  col = std::clamp(col, 0, n);
  if (printing) return PaperColumnX(true)[static_cast<size_t>(col)];
  int g = CharWidth(2, false);
  int natural = g;
  for (int w : widths_) natural += g * (w + 1);
  int spare = std::max(0, clientWidth_ - left - right - natural);
  int share = n > 0 ? spare / n : 0;
  int x = left + g;
  for (int k = 0; k < col; ++k) x += share + g * (widths_[static_cast<size_t>(k)] + 1);
  if (col == n && n > 0) x += spare % n;
  return x;
}

int CVyFormView::GetRuleX(int col, bool printing, const std::string& section, int line) {
  return GetColumnX(col, printing, section, line, true) - (CharWidth(FontIndex(section), printing) - 1) / 2;
}

int CVyFormView::CellWidth(int col, bool printing, const std::string& section, int line) {
  VySec sec = SecOf(section);
  if (IsTableSec(sec))
    return GetColumnX(col + 1, printing, section, line, true) -
           GetColumnX(col, printing, section, line, true) - CharWidth(2, printing);
  const VyItem* item = Item(section, line, col);
  return item ? item->width * CharWidth(FontIndex(section), printing) : 0;
}

VyRect CVyFormView::CellRect(int row, int col, bool printing, const std::string& section) {
  VySec sec = SecOf(section);
  VyRect r;
  r.left = GetRuleX(col, printing, section, row) + 1;
  r.right = r.left + CellWidth(col, printing, section, row) + CharWidth(FontIndex(section), printing) - 1;
  r.top = RuleY(row, printing, section) + 1;
  r.bottom = RuleY(row + 1, printing, section);
  // Clear of the outer frame, which lies two pixels outside the table.
  if (sec == VySec::Head && row == nHeadLines_ - 1) r.bottom -= 2;
  if (sec == VySec::Foot && row == 0) r.top += 2;
  return r;
}

int CVyFormView::PageWidth(bool printing) {
  if (printing) return static_cast<int>(ps_.PageWidth * printScale_);
  return GetColumnX(ColumnCount(), false, "TEXT", 0, false) + rightMargin_;
}

namespace {

bool Inside(const VyRect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

VyHit CVyFormView::HitTest(int x, int y) {
  VyHit hit;
  int headTop = RuleY(0, false, "HEAD");
  int tableTop = RuleY(0, false, "FORMHEAD");
  int footTop = RuleY(0, false, "FOOT");
  int footEnd = RuleY(nFootLines_, false, "FOOT");
  if (y < headTop || y >= footEnd) return hit;
  if (y < tableTop || y >= footTop) {
    const char* sec = y < tableTop ? "HEAD" : "FOOT";
    int lines = y < tableTop ? nHeadLines_ : nFootLines_;
    for (int line = 0; line < lines; ++line)
      for (int c = 0; c < ItemCount(sec, line); ++c)
        if (Inside(CellRect(line, c, false, sec), x, y)) return {sec, sec, line, c};
    return hit;
  }
  // A line of the table: captions, the page's rows, the foot lines.
  int rows = RowsPerPage(false);
  std::string sec;
  int line = -1;
  bool onRule = false;
  for (int i = 0; i < nFormHeadLines_ && line < 0; ++i)
    if (y < RuleY(i + 1, false, "FORMHEAD")) sec = "FORMHEAD", line = i;
  for (int r = first_; r < first_ + rows && line < 0; ++r)
    if (y < RuleY(r + 1, false, "TEXT")) sec = "TEXT", line = r, onRule = y < GetRowY(r, false, "TEXT");
  for (int i = 0; i < nFormFootLines_ && line < 0; ++i)
    if (y < RuleY(i + 1, false, "FORMFOOT")) sec = "FORMFOOT", line = i;
  if (line < 0) return hit;
  if (sec == "FORMFOOT" && line == nFormFootLines_ - 1)
    onRule = y >= GetRowY(line, false, sec) + FontHeight(2, false);
  hit.section = sec;
  hit.row = line;
  int n = ColumnCount();
  std::string suffix;
  if (x < GetColumnX(0, false, sec, line, true)) {
    suffix = "L";
    hit.col = 0;
  } else {
    hit.col = n;
    suffix = "H";
    for (int c = 0; c < n; ++c) {
      int cx = GetColumnX(c, false, sec, line, true);
      if (x < cx) {
        hit.col = c;
        break;
      }
      if (x < cx + CellWidth(c, false, sec, line)) {
        hit.col = c;
        suffix.clear();
        break;
      }
    }
  }
  if (suffix.empty() && onRule) suffix = "V";
  hit.zone = sec + suffix;
  return hit;
}
