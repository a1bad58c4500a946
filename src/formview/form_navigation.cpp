// The current cell, the caret, scrolling and the keyboard.
#include <algorithm>
#include <climits>

#include "base/gbk.h"
#include "formview/form_view.h"
#include "formview/form_sections.h"

int CVyFormView::ClampCaret(const std::string& text, int caret) const {
  if (!editable_ || caret <= 0) return 0;
  size_t at = std::min(static_cast<size_t>(caret), text.size());
  size_t pos = 0;
  while (pos < at) {
    size_t next = gbk::NextChar(text, pos);
    if (next > at) break;
    pos = next;
  }
  return static_cast<int>(pos);
}

bool CVyFormView::SetCurrent(int row, int col, int caret, const std::string& section) {
  VySec sec = SecOf(section);
  if (sec != VySec::Text && !IsItemSec(sec)) return false;
  VyCellPos target{row, col, sec == VySec::Text ? "TEXT" : sec == VySec::Head ? "HEAD" : "FOOT", 0};
  if (!CellExists(target)) return false;
  if (editable_ && !(edit_.valid && edit_.pos.SameCell(target))) {
    if (edit_.valid && CellExists(edit_.pos)) {
      std::string now = CellText(edit_.pos.row, edit_.pos.col, edit_.pos.section);
      if (now != edit_.entry) OnCellChanged(now, edit_.pos.row, edit_.pos.col, edit_.pos.section);
    }
    VyCellInfo cell;
    GetCell(target.row, target.col, target.section, cell, true);
    edit_ = {target, cell.mask, cell.text, cell.maxLength, cell.decimals, true};
  }
  bool changed = !cur_.SameCell(target);
  if (changed) OnLeaveCell(cur_.row, cur_.col, cur_.section);
  target.caret = ClampCaret(CellText(target.row, target.col, target.section), caret);
  if (!Extending()) anchor_ = target;
  cur_ = target;
  if (changed) OnEnterCell(cur_.row, cur_.col, cur_.section);
  host_->CaretChanged();
  Redraw();
  return true;
}

void CVyFormView::SelectAll() {
  anchor_ = {nTextRows_ - 1, ColumnCount() - 1, "TEXT", 0};
  headerSelect_ = true;
  SetCurrent(0, 0, 0, "TEXT");
  headerSelect_ = false;
}

CVyFormView::Caret CVyFormView::CaretPlace() {
  Caret c;
  if (!editable_ || !CellExists(cur_) || RowsPerPage(false) <= 0) return c;
  if (cur_.section == "TEXT" && (cur_.row < first_ || cur_.row >= first_ + RowsPerPage(false))) return c;
  int fi = FontIndex(cur_.section);
  std::string text = CellText(cur_.row, cur_.col, cur_.section);
  int caret = ClampCaret(text, cur_.caret);
  VyDC& dc = Measure(false);
  VyFontSel old = dc.SelectFont({ps_.fonts[fi], FontHeight(fi, false)});
  int prefix = dc.TextWidth(std::string_view(text).substr(0, static_cast<size_t>(caret)));
  dc.SelectFont(old);
  c.x = GetColumnX(cur_.col, false, cur_.section, cur_.row, true) + prefix - hScroll_;
  c.y = GetRowY(cur_.row, false, cur_.section);
  c.height = FontHeight(fi, false);
  c.visible = true;
  return c;
}

// ---- scrolling

int CVyFormView::VScrollMax() {
  return std::max(0, nTextRows_ - RowsPerPage(false));
}
int CVyFormView::HScrollMax() {
  return std::max(0, PageWidth(false) - clientWidth_);
}

void CVyFormView::ClampFirst() {
  first_ = std::clamp(first_, 0, VScrollMax());
  hScroll_ = std::clamp(hScroll_, 0, HScrollMax());
}

void CVyFormView::ScrollTo(int first) {
  first_ = std::clamp(first, 0, VScrollMax());
  host_->ScrollSizesChanged();
  host_->CaretChanged();
  Redraw();
}

void CVyFormView::OnVScroll(VyScroll request, int pos) {
  int page = std::max(1, RowsPerPage(false));
  int to = first_;
  switch (request) {
    case VyScroll::LineUp:
      to = first_ - 1;
      break;
    case VyScroll::LineDown:
      to = first_ + 1;
      break;
    case VyScroll::PageUp:
      to = first_ - page;
      break;
    case VyScroll::PageDown:
      to = first_ + page;
      break;
    case VyScroll::Top:
      to = 0;
      break;
    case VyScroll::Bottom:
      to = VScrollMax();
      break;
    case VyScroll::Thumb:
      to = pos;
      break;
  }
  ScrollTo(to);
}

void CVyFormView::OnHScroll(VyScroll request, int pos) {
  int to = hScroll_;
  switch (request) {
    case VyScroll::LineUp:
      to = hScroll_ - HLineStep();
      break;
    case VyScroll::LineDown:
      to = hScroll_ + HLineStep();
      break;
    case VyScroll::PageUp:
      to = hScroll_ - HPageStep();
      break;
    case VyScroll::PageDown:
      to = hScroll_ + HPageStep();
      break;
    case VyScroll::Top:
      to = 0;
      break;
    case VyScroll::Bottom:
      to = HScrollMax();
      break;
    case VyScroll::Thumb:
      to = pos;
      break;
  }
  hScroll_ = std::clamp(to, 0, HScrollMax());
  host_->ScrollSizesChanged();
  host_->CaretChanged();
  Redraw();
}

void CVyFormView::MakeCurrentVisible() {
  int rows = RowsPerPage(false);
  if (cur_.section == "TEXT" && rows > 0 && (cur_.row < first_ || cur_.row >= first_ + rows)) {
    first_ = rows < 4 ? cur_.row - rows + 1 : cur_.row - rows + 3;
    ClampFirst();
    host_->ScrollSizesChanged();
    Redraw();
  }
  KeepCaretInClient();
}

void CVyFormView::KeepCaretInClient() {
  if (!CellExists(cur_) || clientWidth_ <= 0) return;
  int x = GetColumnX(cur_.col, false, cur_.section, cur_.row, true);
  Caret c = CaretPlace();
  if (c.visible) x = c.x + hScroll_;
  int to = hScroll_;
  if (x < hScroll_)
    to = x - CharWidth(2, false);
  else if (x + 2 > hScroll_ + clientWidth_)
    to = x + 2 - clientWidth_ + CharWidth(2, false);
  to = std::clamp(to, 0, HScrollMax());
  if (to != hScroll_) {
    hScroll_ = to;
    host_->ScrollSizesChanged();
    Redraw();
  }
  host_->CaretChanged();
}

// ---- the keyboard

void CVyFormView::OnKeyDown(VyKey key, bool shift, bool ctrl) {
  if (RowsPerPage(false) <= 0) return;
  if (key == VyKey::Shift || key == VyKey::Control || key == VyKey::CapsLock || key == VyKey::NumLock) return;
  shift_ = shift;
  switch (key) {
    case VyKey::Tab:
      shift_ = false;
      if (shift)
        PreviousCell(false);
      else
        NextCell(false);
      break;
    case VyKey::Enter:
      NextCell(true);
      break;
    case VyKey::Left:
      if (editable_ && cur_.caret > 0)
        MoveCaret(-1);
      else
        PreviousCell(true);
      break;
    case VyKey::Right:
      if (editable_ && static_cast<size_t>(cur_.caret) < CellText(cur_.row, cur_.col, cur_.section).size())
        MoveCaret(+1);
      else
        NextCell(false);
      break;
    case VyKey::Up:
      MoveUp();
      break;
    case VyKey::Down:
      MoveDown();
      break;
    case VyKey::PageUp:
      MovePage(-1);
      break;
    case VyKey::PageDown:
      MovePage(+1);
      break;
    case VyKey::Home:
      MoveHomeEnd(false, ctrl);
      break;
    case VyKey::End:
      MoveHomeEnd(true, ctrl);
      break;
    case VyKey::Backspace:
      shift_ = false;
      if (!DeleteCharRange()) DeleteChar(true);
      break;
    case VyKey::Delete:
      shift_ = false;
      if (HasSelection())
        DeleteSelection();
      else
        DeleteChar(false);
      break;
    case VyKey::Escape:
      RestoreEntryText();
      break;
    default:
      break;
  }
  shift_ = false;
  MakeCurrentVisible();
}

void CVyFormView::MoveCaret(int direction) {
  std::string text = CellText(cur_.row, cur_.col, cur_.section);
  size_t caret = static_cast<size_t>(ClampCaret(text, cur_.caret));
  caret = direction > 0 ? gbk::NextChar(text, caret) : gbk::PrevChar(text, caret);
  SetCurrent(cur_.row, cur_.col, static_cast<int>(caret), cur_.section);
}

void CVyFormView::NextCell(bool enter) {
  int last = LastColumn(cur_.section, cur_.row);
  if (cur_.col < last) {
    SetCurrent(cur_.row, cur_.col + 1, 0, cur_.section);
    if (cur_.section == "TEXT" && cur_.col == last) {
      hScroll_ = HScrollMax();
    } else {
      int right = GetColumnX(cur_.col, false, cur_.section, cur_.row, true) +
                  CellWidth(cur_.col, false, cur_.section, cur_.row);
      if (right > hScroll_ + clientWidth_) hScroll_ = std::min(HScrollMax(), right - clientWidth_);
    }
    host_->ScrollSizesChanged();
    Redraw();
  } else if (enter) {
    SetCurrent(cur_.row, 0, 0, cur_.section);
    hScroll_ = 0;
    MoveDown();
  }
}

void CVyFormView::PreviousCell(bool toEnd) {
  if (cur_.col <= 0) return;
  SetCurrent(cur_.row, cur_.col - 1, toEnd ? INT_MAX : 0, cur_.section);
  if (cur_.col == 0) {
    hScroll_ = 0;
  } else {
    int left = GetColumnX(cur_.col, false, cur_.section, cur_.row, true);
    if (left < hScroll_) hScroll_ = std::max(0, left - CharWidth(2, false));
  }
  host_->ScrollSizesChanged();
  Redraw();
}

void CVyFormView::MoveUp() {
  int col = cur_.col, caret = cur_.caret;
  auto lastItemLine = [this](const char* sec, int below) {
    for (int l = below - 1; l >= 0; --l)
      if (LineHasItems(sec, l)) return l;
    return -1;
  };
  if (cur_.section == "TEXT") {
    if (cur_.row > 0) {
      if (cur_.row - 1 < first_) ScrollTo(first_ - 1);
      SetCurrent(cur_.row - 1, col, caret, "TEXT");
    } else if (int l = lastItemLine("HEAD", nHeadLines_); l >= 0) {
      SetCurrent(l, std::min(col, LastColumn("HEAD", l)), caret, "HEAD");
    }
  } else if (cur_.section == "HEAD") {
    if (int l = lastItemLine("HEAD", cur_.row); l >= 0)
      SetCurrent(l, std::min(col, LastColumn("HEAD", l)), caret, "HEAD");
  } else if (int l = lastItemLine("FOOT", cur_.row); l >= 0) {
    SetCurrent(l, std::min(col, LastColumn("FOOT", l)), caret, "FOOT");
  } else {
    int last = nTextRows_ - 1;
    if (last >= first_ + RowsPerPage(false)) ScrollTo(last - RowsPerPage(false) + 1);
    SetCurrent(last, std::min(col, ColumnCount() - 1), caret, "TEXT");
  }
}

void CVyFormView::MoveDown() {
  int col = cur_.col, caret = cur_.caret;
  auto nextItemLine = [this](const char* sec, int above, int lines) {
    for (int l = above + 1; l < lines; ++l)
      if (LineHasItems(sec, l)) return l;
    return -1;
  };
  if (cur_.section == "HEAD") {
    if (int l = nextItemLine("HEAD", cur_.row, nHeadLines_); l >= 0)
      SetCurrent(l, std::min(col, LastColumn("HEAD", l)), caret, "HEAD");
    else
      SetCurrent(std::min(first_, nTextRows_ - 1), std::min(col, ColumnCount() - 1), caret, "TEXT");
  } else if (cur_.section == "TEXT") {
    if (cur_.row == nTextRows_ - 1) AppendRowIfFilled();
    if (cur_.row < nTextRows_ - 1) {
      if (cur_.row + 1 >= first_ + RowsPerPage(false)) ScrollTo(first_ + 1);
      SetCurrent(cur_.row + 1, col, caret, "TEXT");
    } else if (int l = nextItemLine("FOOT", -1, nFootLines_); l >= 0) {
      SetCurrent(l, std::min(col, LastColumn("FOOT", l)), caret, "FOOT");
    }
  } else if (int l = nextItemLine("FOOT", cur_.row, nFootLines_); l >= 0) {
    SetCurrent(l, std::min(col, LastColumn("FOOT", l)), caret, "FOOT");
  }
}

void CVyFormView::MovePage(int direction) {
  if (cur_.section != "TEXT") return;
  int rows = RowsPerPage(false);
  ScrollTo(first_ + direction * std::max(1, rows));
  SetCurrent(std::clamp(cur_.row + direction * rows, 0, nTextRows_ - 1), cur_.col, cur_.caret, "TEXT");
}

void CVyFormView::MoveHomeEnd(bool end, bool ctrl) {
  if (ctrl) {
    hScroll_ = end ? HScrollMax() : 0;
    ScrollTo(end ? VScrollMax() : 0);
    if (end)
      SetCurrent(nTextRows_ - 1, ColumnCount() - 1, 0, "TEXT");
    else
      SetCurrent(0, 0, 0, "TEXT");
  } else if (editable_) {
    SetCurrent(cur_.row, cur_.col, end ? INT_MAX : 0, cur_.section);
  } else {
    SetCurrent(cur_.row, end ? LastColumn(cur_.section, cur_.row) : 0, 0, cur_.section);
  }
}
