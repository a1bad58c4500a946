// Typing and deleting in cells, the clipboard, undo and redo, the commands and the context menu.
#include <algorithm>
#include <utility>

#include "base/dialog_asker.h"
#include "base/gbk.h"
#include "base/input_mask.h"
#include "base/platform.h"
#include "base/text.h"
#include "base/validators.h"
#include "calc/calculator_dlg.h"
#include "formview/form_view.h"

namespace {

// A number as the calculator reads it: grouping commas and blanks removed.
std::string PlainNumber(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ',' && c != ' ') out += c;
  return out;
}

bool IsNonBlankNumber(const std::string& text) {
  return IsNumberText(text, 0, 0) && text.find_first_of("0123456789") != std::string::npos;
}

// The clipboard's text as lines of tab-separated fields. Only lines ended by a line feed count; the
// carriage return of a CR-LF line end goes with it (it would otherwise end up inside a cell).
std::vector<std::vector<std::string>> SplitBlock(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  size_t start = 0;
  for (size_t lf = text.find('\n'); lf != std::string::npos; start = lf + 1, lf = text.find('\n', start)) {
    std::string line = text.substr(start, lf - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    size_t f = 0;
    for (size_t tab = line.find('\t'); tab != std::string::npos; f = tab + 1, tab = line.find('\t', f))
      fields.push_back(line.substr(f, tab - f));
    fields.push_back(line.substr(f));
    lines.push_back(std::move(fields));
  }
  return lines;
}

// A field goes into one cell only without control characters: typing never puts one there, and a carriage
// return or line feed inside a stored text would split its line wherever it is shown or written out. (The
// line's own ending, CR LF, is taken off when the block is split.)
bool PastableField(const std::string& field) {
  return !HasControlChar(field);
}

}  // namespace

// ---- undo

void CVyFormView::RecordUndo(int row, int col, const std::string& section, int caret) {
  VyUndoStep step{{row, col, section, caret}, CellText(row, col, section)};
  if (!undo_.empty() && undo_.back() == step) return;
  undo_.push_back(std::move(step));
  redo_.clear();
}

// Snapshots name cells by position; once rows have moved they would name the wrong cells.
void CVyFormView::ForgetUndo() {
  undo_.clear();
  redo_.clear();
}

void CVyFormView::StepBack(std::vector<VyUndoStep>& from, std::vector<VyUndoStep>& to) {
  if (!editable_) return;
  while (!from.empty()) {
    VyUndoStep step = std::move(from.back());
    from.pop_back();
    if (!CellExists(step.pos)) continue;
    int caret = step.pos.SameCell(cur_) ? cur_.caret : 0;
    to.push_back({{step.pos.row, step.pos.col, step.pos.section, caret},
                  CellText(step.pos.row, step.pos.col, step.pos.section)});
    PutCell(step.pos.row, step.pos.col, step.pos.section, step.text);
    shift_ = false;
    SetCurrent(step.pos.row, step.pos.col, step.pos.caret, step.pos.section);
    modified_ = true;
    MakeCurrentVisible();
    Redraw();
    return;
  }
}

void CVyFormView::Undo() {
  StepBack(undo_, redo_);
}
void CVyFormView::Redo() {
  StepBack(redo_, undo_);
}

// ---- typing and deleting

void CVyFormView::OnChar(const std::string& text) {
  for (size_t i = 0; i < text.size(); i = gbk::NextChar(text, i))
    TypeChar(text.substr(i, gbk::CharLength(text, i)));
}

void CVyFormView::TypeChar(std::string ch) {
  if (!editable_ || RowsPerPage(false) <= 0 || !CellExists(cur_)) return;
  if (!CanEditCell(cur_.row, cur_.col, cur_.section)) return;
  unsigned char c = static_cast<unsigned char>(ch[0]);
  if (ch.size() == 1 && (c < 0x20 || c >= 0x7F)) return;  // control characters and lone half characters
  VyCellInfo cell;
  GetCell(cur_.row, cur_.col, cur_.section, cell, false);
  if (MaskHas(cell.mask, "NUMBER") && ch == "。") ch = ".";
  int caret = ClampCaret(cell.text, cur_.caret);
  if (!ValidateInsert(ch, cell.text, caret, cell.mask, cell.maxLength, cell.decimals)) return;
  RecordUndo(cur_.row, cur_.col, cur_.section, caret);
  std::string text = cell.text;
  text.insert(static_cast<size_t>(caret), ch);
  PutCell(cur_.row, cur_.col, cur_.section, text);
  shift_ = false;
  SetCurrent(cur_.row, cur_.col, caret + static_cast<int>(ch.size()), cur_.section);
  MakeCurrentVisible();
  modified_ = true;
}

void CVyFormView::StoreCell(const VyCellPos& p, const std::string& text) {
  RecordUndo(p.row, p.col, p.section, p.caret);
  PutCell(p.row, p.col, p.section, text);
  modified_ = true;
}

void CVyFormView::DeleteChar(bool before) {
  if (!editable_ || !CellExists(cur_) || !CanEditCell(cur_.row, cur_.col, cur_.section)) return;
  std::string text = CellText(cur_.row, cur_.col, cur_.section);
  size_t caret = static_cast<size_t>(ClampCaret(text, cur_.caret));
  size_t from = caret, to = caret;
  if (before) {
    if (caret == 0) return;
    from = gbk::PrevChar(text, caret);
  } else {
    if (caret >= text.size()) return;
    to = gbk::NextChar(text, caret);
  }
  StoreCell({cur_.row, cur_.col, cur_.section, static_cast<int>(caret)}, text.erase(from, to - from));
  SetCurrent(cur_.row, cur_.col, static_cast<int>(from), cur_.section);
}

bool CVyFormView::DeleteCharRange() {
  if (!HasCharRange() || !editable_ || !CanEditCell(cur_.row, cur_.col, cur_.section)) return false;
  std::string text = CellText(cur_.row, cur_.col, cur_.section);
  int a = ClampCaret(text, std::min(cur_.caret, anchor_.caret));
  int b = ClampCaret(text, std::max(cur_.caret, anchor_.caret));
  StoreCell(cur_, text.erase(static_cast<size_t>(a), static_cast<size_t>(b - a)));
  shift_ = false;
  anchor_ = cur_;
  SetCurrent(cur_.row, cur_.col, a, cur_.section);
  return true;
}

void CVyFormView::SelectCellText() {
  if (!editable_ || !CellExists(cur_)) return;
  const int end = static_cast<int>(CellText(cur_.row, cur_.col, cur_.section).size());
  anchor_ = cur_;
  anchor_.caret = 0;
  shift_ = true;
  SetCurrent(cur_.row, cur_.col, end, cur_.section);
  shift_ = false;
}

bool CVyFormView::RestoreEntryText() {
  if (!editable_ || !CellExists(cur_) || !cur_.SameCell(edit_.pos) ||
      !CanEditCell(cur_.row, cur_.col, cur_.section))
    return false;
  const std::string entry = edit_.entry;
  if (CellText(cur_.row, cur_.col, cur_.section) == entry) return false;
  StoreCell(cur_, entry);
  anchor_ = cur_;
  SetCurrent(cur_.row, cur_.col, static_cast<int>(entry.size()), cur_.section);
  Redraw();
  return true;
}

void CVyFormView::DeleteSelection() {
  if (!editable_) return;
  if (!HasSelection()) return DeleteChar(false);
  if (HasCharRange()) {
    DeleteCharRange();
    return;
  }
  if (!SelectionInOneSection()) return;
  int top = std::min(cur_.row, anchor_.row), bottom = std::max(cur_.row, anchor_.row);
  int left = std::min(cur_.col, anchor_.col), right = std::max(cur_.col, anchor_.col);
  std::string section = cur_.section;
  if (section == "TEXT" && left == 0 && right == ColumnCount() - 1) return DeleteRows(top, bottom);
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c) {
      VyCellPos p{r, c, section, 0};
      if (!CellExists(p) || !CanEditCell(r, c, section) || CellText(r, c, section).empty()) continue;
      StoreCell(p, "");
    }
  shift_ = false;
  anchor_ = cur_;
  SetCurrent(top, left, 0, section);
  modified_ = true;
  Redraw();
}

// Whole rows: their editable cells are emptied and the rows that could be emptied completely are taken
// out, every later row moving up. A row holding a cell that cannot be edited stays.
void CVyFormView::DeleteRows(int top, int bottom) {
  int n = ColumnCount();
  std::vector<bool> removed(static_cast<size_t>(nTextRows_), false);
  int count = 0;
  for (int r = top; r <= bottom && r < nTextRows_; ++r) {
    bool all = true;
    for (int c = 0; c < n; ++c) {
      if (CanEditCell(r, c, "TEXT"))
        PutCell(r, c, "TEXT", "");
      else
        all = false;
    }
    if (all && count < nTextRows_ - 1) {
      removed[static_cast<size_t>(r)] = true;
      ++count;
    }
  }
  int to = top;
  for (int from = top; from < nTextRows_; ++from) {
    if (removed[static_cast<size_t>(from)]) continue;
    if (from != to)
      for (int c = 0; c < n; ++c) PutCell(to, c, "TEXT", CellText(from, c, "TEXT"));
    ++to;
  }
  ForgetUndo();
  modified_ = true;
  if (count > 0) {
    OnRowCountChanged(-count);
    nTextRows_ -= count;
  }
  edit_.valid = false;
  shift_ = false;
  cur_ = anchor_ = {std::min(cur_.row, nTextRows_ - 1), 0, "TEXT", 0};
  SetCurrent(cur_.row, 0, 0, "TEXT");
  LayOut();
}

// ---- the clipboard

bool CVyFormView::Copy() {
  if (!SelectionInOneSection()) return false;
  std::string out;
  if (HasCharRange()) {
    std::string text = CellText(cur_.row, cur_.col, cur_.section);
    int a = ClampCaret(text, std::min(cur_.caret, anchor_.caret));
    int b = ClampCaret(text, std::max(cur_.caret, anchor_.caret));
    out = text.substr(static_cast<size_t>(a), static_cast<size_t>(b - a));
  } else {
    int top = std::min(cur_.row, anchor_.row), bottom = std::max(cur_.row, anchor_.row);
    int left = std::min(cur_.col, anchor_.col), right = std::max(cur_.col, anchor_.col);
    for (int r = top; r <= bottom; ++r) {
      for (int c = left; c <= right; ++c) {
        if (c > left) out += '\t';
        if (CellExists({r, c, cur_.section, 0})) out += CellText(r, c, cur_.section);
      }
      out += '\n';
    }
  }
  Plat().SetClipboardText(out);
  return true;
}

void CVyFormView::Cut() {
  if (editable_ && Copy()) DeleteSelection();
}

void CVyFormView::Paste() {
  if (!editable_ || RowsPerPage(false) <= 0) return;
  std::string clip = Plat().ClipboardText();
  if (clip.empty()) return;
  std::vector<std::vector<std::string>> block;
  if (clip.find_first_of("\t\n") == std::string::npos)
    block = {{clip}};
  else
    block = SplitBlock(clip);
  if (block.empty()) return;
  int lines = static_cast<int>(block.size());
  int width = 0;
  for (auto& l : block) width = std::max(width, static_cast<int>(l.size()));

  if (lines == 1 && width == 1) {
    if (!CellExists(cur_) || !CanEditCell(cur_.row, cur_.col, cur_.section)) return;
    const std::string& field = block[0][0];
    VyCellInfo cell;
    GetCell(cur_.row, cur_.col, cur_.section, cell, false);
    int caret = ClampCaret(cell.text, cur_.caret);
    if (!PastableField(field) ||
        !ValidateInsert(field, cell.text, caret, cell.mask, cell.maxLength, cell.decimals))
      return;
    StoreCell({cur_.row, cur_.col, cur_.section, caret}, cell.text.substr(0, static_cast<size_t>(caret)) +
                                                             field +
                                                             cell.text.substr(static_cast<size_t>(caret)));
    shift_ = false;
    SetCurrent(cur_.row, cur_.col, caret + static_cast<int>(field.size()), cur_.section);
    MakeCurrentVisible();
    return;
  }
  if (cur_.section != "TEXT") return;
  int n = ColumnCount();
  int atRow = cur_.row, atCol = cur_.col;
  bool insertRows = atCol == 0 && width >= n && CanAppendRow();
  if (insertRows) {
    int old = nTextRows_;
    OnRowCountChanged(+lines);
    nTextRows_ += lines;
    OnInsertRows(atRow, old - 1, lines);
    ForgetUndo();
  }
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < static_cast<int>(block[static_cast<size_t>(i)].size()); ++j) {
      int r = atRow + i, c = atCol + j;
      if (r >= nTextRows_ || c >= n || !CanEditCell(r, c, "TEXT")) continue;
      const std::string& field = block[static_cast<size_t>(i)][static_cast<size_t>(j)];
      VyCellInfo cell;
      GetCell(r, c, "TEXT", cell, false);
      if (!PastableField(field) || !ValidateInsert(field, "", 0, cell.mask, cell.maxLength, cell.decimals))
        continue;
      if (field != cell.text) StoreCell({r, c, "TEXT", 0}, field);
    }
  modified_ = true;
  if (insertRows) {
    shift_ = false;
    SetCurrent(std::clamp(atRow + lines, 0, nTextRows_ - 1), 0, 0, "TEXT");
    LayOut();
    MakeCurrentVisible();
  }
  Redraw();
}

// ---- the calculator

void CVyFormView::RunCalculator() {
  std::string expression;
  if (HasCharRange()) {
    VyCellInfo cell;
    GetCell(cur_.row, cur_.col, cur_.section, cell, false);
    if (MaskHas(cell.mask, "NUMBER")) expression = PlainNumber(cell.text);
  } else if (SelectionInOneSection()) {
    int top = std::min(cur_.row, anchor_.row), bottom = std::max(cur_.row, anchor_.row);
    int left = std::min(cur_.col, anchor_.col), right = std::max(cur_.col, anchor_.col);
    for (int r = top; r <= bottom; ++r)
      for (int c = left; c <= right; ++c) {
        if (!CellExists({r, c, cur_.section, 0})) continue;
        std::string t = PlainNumber(CellText(r, c, cur_.section));
        if (IsNonBlankNumber(t)) expression += t + "+";
      }
    if (!expression.empty()) expression.pop_back();
  }
  bool canSend = editable_ && CellExists(cur_) && CanEditCell(cur_.row, cur_.col, cur_.section) &&
                 RowsPerPage(false) > 0;
  if (canSend) {
    VyCellInfo cell;
    GetCell(cur_.row, cur_.col, cur_.section, cell, false);
    canSend = MaskHas(cell.mask, "NUMBER");
  }
  CCalculatorDlg calculator(expression, canSend);
  if (!AskDialog(calculator) || !canSend) return;
  StoreCell(cur_, calculator.result);
  shift_ = false;
  SetCurrent(cur_.row, cur_.col, 0, cur_.section);
  MakeCurrentVisible();
  Redraw();
}

// ---- commands and the context menu

bool CVyFormView::IsCommandEnabled(int command) {
  switch (command) {
    case vycmd::kSave:
      return editable_ && modified_;
    case vycmd::kNew:
      return editable_;
    case vycmd::kCut:
      return editable_ && SelectionInOneSection();
    case vycmd::kCopy:
      return SelectionInOneSection();
    case vycmd::kPaste:
      return editable_ && !Plat().ClipboardText().empty();
    case vycmd::kUndo:
      return editable_ && !undo_.empty();
    case vycmd::kRedo:
      return editable_ && !redo_.empty();
    case vycmd::kDeleteSelection:
      return editable_;
    default:
      return true;
  }
}

bool CVyFormView::OnCommand(int command) {
  // The commands every form view carries out itself.
  using Action = void (*)(CVyFormView&);
  static const std::pair<int, Action> kActions[] = {
      {vycmd::kSave, [](CVyFormView& v) { v.OnFileSave(); }},
      {vycmd::kNew, [](CVyFormView& v) { v.OnFileNew(); }},
      {vycmd::kCopy, [](CVyFormView& v) { v.Copy(); }},
      {vycmd::kCut, [](CVyFormView& v) { v.Cut(); }},
      {vycmd::kPaste, [](CVyFormView& v) { v.Paste(); }},
      {vycmd::kUndo, [](CVyFormView& v) { v.Undo(); }},
      {vycmd::kRedo, [](CVyFormView& v) { v.Redo(); }},
      {vycmd::kDeleteSelection, [](CVyFormView& v) { v.DeleteSelection(); }},
      {vycmd::kCalculator, [](CVyFormView& v) { v.RunCalculator(); }},
  };
  for (const auto& [id, action] : kActions)
    if (id == command) {
      action(*this);
      return true;
    }
  return false;
}

const std::vector<VyMenuItem>& CVyFormView::ContextMenu() {
  // Every item asks its view, so a view's own items (an output mode in use, say) can be greyed too.
  for (VyMenuItem& item : menu_)
    if (!item.text.empty()) item.enabled = IsCommandEnabled(item.command);
  return menu_;
}

void CVyFormView::AppendMenuItem(const std::string& text, int command) {
  menu_.push_back({text, command, true});
}
