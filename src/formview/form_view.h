#pragma once
// CVyFormView: the grid form engine every data window of the program is built on.
//
// A page is six sections, top to bottom: "TOPIC" (the title line), "HEAD" (page-head items), "FORMHEAD"
// (column captions), "TEXT" (the rows of the grid), "FORMFOOT" (totals, carry lines) and "FOOT" (page-foot
// items; "TAIL" is another name for it). A derived view declares its form in SetupForm, keeps its own rows
// and answers GetCell/PutCell/DrawCell…; the engine owns layout, drawing, navigation, selection, editing,
// the clipboard, undo and printing. Cell texts are never cached: the engine asks for them every time.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/page_settings.h"
#include "formview/device_context.h"
#include "formview/view_input.h"

class CVyDataEnv;

// What GetCell reports about a cell.
struct VyCellInfo {
  std::string text;
  std::string mask = "STRING";
  int maxLength = 20;
  int decimals = 0;
};

// A cell and a caret index (byte offset in the cell's text).
struct VyCellPos {
  int row = 0, col = 0;
  std::string section = "TEXT";
  int caret = 0;
  bool SameCell(const VyCellPos& o) const { return row == o.row && col == o.col && section == o.section; }
  bool operator==(const VyCellPos&) const = default;
};

// A cell's text as it was before a change, for undo and redo.
struct VyUndoStep {
  VyCellPos pos;
  std::string text;
  bool operator==(const VyUndoStep&) const = default;
};

// An item of a "HEAD" or "FOOT" line: position in thousandths of the usable width, width in characters.
struct VyItem {
  int pos = 0, width = 0;
};

// Where a point of the page falls (see HitTest).
struct VyHit {
  std::string zone = "OUTCLIENT";  // section name plus "L", "H" or "V"
  std::string section;
  int row = -1, col = -1;
};

class CVyFormView {
 public:
  CVyFormView();
  CVyFormView(const CVyFormView&) = delete;
  CVyFormView& operator=(const CVyFormView&) = delete;
  virtual ~CVyFormView();

  // ---- where the view lives (set before InitForm)
  void SetDataEnv(CVyDataEnv* env);
  void SetDatabase(jet::Database* db) { db_ = db; }
  jet::Database* Database() const { return db_; }
  CVyDataEnv* DataEnv() const { return env_; }
  void SetHost(VyViewHost* host) { host_ = host ? host : &noHost_; }
  // The screen's device context, used to measure texts outside of painting. Null: fixed metrics.
  void SetScreenDC(VyDC* dc);
  // The printer's device context while printing; null afterwards.
  void SetPrintDC(VyDC* dc);
  // The printer's resolution in dots per inch; the paper scales follow it when it is positive.
  void SetPrintResolution(int dpi);
  void OnSize(int clientWidth, int clientHeight);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  // ---- life cycle
  void InitForm();
  virtual void ReleaseForm();

  // ---- the form declaration, called by derived views
  void SetSections(int textRows, int formHeadLines, int formFootLines, int headLines, int footLines);
  void SetColumns(const std::vector<int>& widths);
  void SetItems(const std::string& section, int line, const std::vector<VyItem>& items);
  void SetRowCount(int n);
  void ResetColumns(const std::vector<int>& widths);

  int TextRows() const { return nTextRows_; }
  int FormHeadLines() const { return nFormHeadLines_; }
  int FormFootLines() const { return nFormFootLines_; }
  int HeadLines() const { return nHeadLines_; }
  int FootLines() const { return nFootLines_; }
  int ColumnCount() const { return static_cast<int>(widths_.size()); }
  const std::vector<int>& ColumnWidths() const { return widths_; }
  int ItemCount(const std::string& section, int line) const;
  const VyItem* Item(const std::string& section, int line, int index) const;

  // ---- overridable operations
  virtual void SetupForm();
  virtual void OnRowCountChanged(int delta);
  virtual void DrawFrame(VyDC& dc);
  virtual void DrawCell(VyDC& dc, int row, int col, const std::string& section);
  virtual void GetCell(int row, int col, const std::string& section, VyCellInfo& cell, bool forEdit);
  virtual void PutCell(int row, int col, const std::string& section, const std::string& text);
  virtual bool CanEditCell(int row, int col, const std::string& section);
  virtual void OnCellChanged(const std::string& text, int row, int col, const std::string& section);
  virtual void OnInsertRows(int atRow, int lastOldRow, int count);
  virtual void OnEnterCell(int row, int col, const std::string& section);
  virtual void OnLeaveCell(int row, int col, const std::string& section);
  virtual int RowsPerPage(bool printing);
  virtual int GetColumnX(int col, bool printing, const std::string& section, int line, bool byItem);
  virtual int GetRuleX(int col, bool printing, const std::string& section, int line);
  virtual int GetRowY(int row, bool printing, const std::string& section);
  virtual void DrawBody(VyDC& dc);
  virtual void DrawRules(VyDC& dc);
  virtual void DrawLineText(int line, VyDC& dc, const std::string& text, const std::string& align,
                            const std::string& section);
  virtual void DrawCellText(int row, int col, VyDC& dc, const std::string& text, const std::string& align,
                            const std::string& section, int dy = 0);
  virtual void AppendRowIfFilled();
  virtual bool CanAppendRow();
  // Save (3001) and new (3002) belong to the entry views.
  virtual void OnFileSave() {}
  virtual void OnFileNew() {}

  int GetRowY(int row, VyDC& dc, const std::string& section) {
    return GetRowY(row, dc.IsPrinting(), section);
  }
  int PageCount(bool printing);

  // ---- geometry helpers
  // Font index (0 title, 1 page head, 2 body, 3 page foot) and height in device units of a section.
  static int FontIndex(const std::string& section);
  int FontHeight(int fontIndex, bool printing) const;
  int Spacing(bool printing) const;
  // Width of "T" in a section's font (G for the body font).
  int CharWidth(int fontIndex, bool printing);
  // y of the rule above a line.
  int RuleY(int line, bool printing, const std::string& section);
  int CellWidth(int col, bool printing, const std::string& section, int line);
  // The rectangle inside the rules of a cell (the current-cell marker's frame).
  VyRect CellRect(int row, int col, bool printing, const std::string& section);
  int PageWidth(bool printing);  // left margin + table + right margin
  VyHit HitTest(int x, int y);   // page coordinates

  // ---- drawing
  // The whole page: screen (with marker, selection and dragged rule) or, while printing, one paper page.
  void DrawPage(VyDC& dc);
  // Draws printed page p (from 1).
  void DrawPrintPage(VyDC& dc, int page);
  int FirstRow(bool printing) const { return printing ? printFirst_ : first_; }

  // ---- scrolling
  void OnVScroll(VyScroll request, int pos = 0);
  void OnHScroll(VyScroll request, int pos = 0);
  int VScrollMax();  // nTextRows - RowsPerPage, at least 0
  int HScrollMax();
  int HScrollPos() const { return hScroll_; }
  int HLineStep() const { return clientWidth_ * 3 / 4; }
  int HPageStep() const { return clientWidth_ / 4; }
  void MakeCurrentVisible();

  // ---- the current cell and the selection
  bool SetCurrent(int row, int col, int caret, const std::string& section);
  const VyCellPos& Current() const { return cur_; }
  const VyCellPos& Anchor() const { return anchor_; }
  bool HasSelection() const { return !(cur_ == anchor_); }
  bool HasCharRange() const { return cur_.SameCell(anchor_) && cur_.caret != anchor_.caret; }
  // Anchor and current in one section (a copy is possible).
  bool SelectionInOneSection() const { return HasSelection() && cur_.section == anchor_.section; }
  void SelectAll();
  // The caret: position in window coordinates and height; visible false when it is off the page.
  struct Caret {
    int x = 0, y = 0, height = 0;
    bool visible = false;
  };
  Caret CaretPlace();

  // ---- input
  // Views that give keys a meaning of their own (opening a row, going back) override it and hand the rest
  // to the engine.
  virtual void OnKeyDown(VyKey key, bool shift, bool ctrl);
  // GBK characters, whole, as the keyboard or the input method delivers them.
  void OnChar(const std::string& text);
  void OnLButtonDown(int x, int y, bool shift);  // window coordinates
  void OnMouseMove(int x, int y, bool leftDown);
  void OnLButtonUp(int x, int y);
  // A double click and a right button press (window coordinates); report views act on the row.
  virtual void OnLButtonDblClk(int, int) {}
  virtual void OnRButtonDown(int, int) {}
  VyCursor CursorAt(int x, int y);
  int DragState() const { return drag_; }
  bool IsCapturing() const { return drag_ != 0; }

  // ---- commands
  // Views that answer commands of their own (打开 …) override both and hand the rest to the engine.
  virtual bool OnCommand(int command);
  virtual bool IsCommandEnabled(int command);
  // What the status bar says while the caret is in the current cell ("" for nothing): a legend of the
  // codes a cell takes.
  virtual std::string CellPrompt() { return ""; }
  bool Copy();
  void DeleteSelection();
  // Ctrl+A: the current cell's whole text becomes the selected character range (editable views).
  void SelectCellText();
  // Esc: the current cell takes back the text it had when the caret arrived, as a change that undo reverts;
  // false when there was nothing to take back.
  bool RestoreEntryText();
  void Cut();
  void Paste();
  void Undo();
  void Redo();
  void RunCalculator();
  // The context menu, its items enabled as at a right button press.
  const std::vector<VyMenuItem>& ContextMenu();
  void AppendMenuItem(const std::string& text, int command);

  // ---- printing and page set-up
  // "行距太大，或纸张太小！" when no row fits on paper; otherwise the page count.
  int BeginPrinting();
  // Around the drawing of printed pages (and the count of them): a view that prints other rows than it
  // shows, such as a ledger with its carry lines, swaps them in here and back. Both may be called again.
  virtual void OnBeginPrinting() {}
  virtual void OnEndPrinting() {}
  // Takes a confirmed page set-up: lays out, applies the widths, saves.
  void ApplyPageSettings(const PageSettings& ps);
  PageSettings& Page() { return ps_; }
  const PageSettings& Page() const { return ps_; }
  void LoadSettings();
  bool SaveSettings();
  double PrintScale() const { return printScale_; }
  double PrintFontScale() const { return printFontScale_; }
  static constexpr double kScreenScale = 0.2;

  int FormFlag() const { return nFlag; }
  const std::string& FieldMode() const { return sFieldMode; }
  bool IsModified() const { return modified_; }
  void SetModified(bool m) { modified_ = m; }
  bool IsEditable() const { return editable_ != 0; }
  const std::vector<VyUndoStep>& UndoList() const { return undo_; }
  const std::vector<VyUndoStep>& RedoList() const { return redo_; }
  const VyCellPos& EditCell() const { return edit_.pos; }
  const std::string& EntryText() const { return edit_.entry; }

 protected:
  // The form declaration a derived view fills in SetupForm.
  int nFlag = 0;
  std::string sFieldMode = "0";
  int editable_ = 1;
  int rulesThrough_ = 1;
  int leftMargin_ = 10, topMargin_ = 10, rightMargin_ = 10, bottomMargin_ = 20;
  void SetMargins(int left, int top, int right, int bottom) {
    leftMargin_ = left, topMargin_ = top, rightMargin_ = right, bottomMargin_ = bottom;
  }

  // Records a cell's text before a change (undo).
  void RecordUndo(int row, int col, const std::string& section, int caret);
  // The text GetCell reports, without the rest.
  std::string CellText(int row, int col, const std::string& section);
  void Redraw() { host_->Redraw(); }
  // The prompt (CellPrompt) changed without the caret moving: the host shows it again.
  void PromptChanged() { host_->CaretChanged(); }
  void LayOut();
  VyDC& Measure(bool printing);
  uint32_t SectionColour(const std::string& section) const;

 private:
  struct EditState {
    VyCellPos pos;
    std::string mask, entry;
    int maxLength = 0, decimals = 0;
    bool valid = false;
  };

  bool CellExists(const VyCellPos& p) const;
  int LastColumn(const std::string& section, int line) const;
  bool LineHasItems(const std::string& section, int line) const;
  std::vector<int> PaperColumnX(bool printing);
  int ClampCaret(const std::string& text, int caret) const;
  int CaretFromX(int row, int col, const std::string& section, int x);
  bool Extending() const { return shift_ || drag_ == 1 || headerSelect_; }
  void DrawMarker(VyDC& dc);
  void DrawSelection(VyDC& dc);
  void InvertCharRange(VyDC& dc);
  void DrawItems(VyDC& dc, const std::string& section);
  void ClampFirst();
  void ScrollTo(int first);
  void KeepCaretInClient();
  // Keyboard moves.
  void NextCell(bool enter);
  void PreviousCell(bool toEnd);
  void MoveUp();
  void MoveDown();
  void MovePage(int direction);
  void MoveHomeEnd(bool end, bool ctrl);
  void MoveCaret(int direction);
  void TypeChar(std::string ch);
  void DeleteChar(bool before);
  bool DeleteCharRange();
  void DeleteRows(int top, int bottom);
  void StoreCell(const VyCellPos& p, const std::string& text);
  void ReleaseDrag(int x, int y);
  void DragSpacing(int dy);
  void ForgetUndo();
  bool Undoable(const VyUndoStep& s) const;
  void StepBack(std::vector<VyUndoStep>& from, std::vector<VyUndoStep>& to);
  void ApplyWidths();

  CVyDataEnv* env_ = nullptr;
  jet::Database* db_ = nullptr;
  VyViewHost noHost_;
  VyViewHost* host_ = &noHost_;
  VyMeasureDC fixedScreen_{false}, fixedPaper_{true};
  VyDC* screenDC_ = nullptr;
  VyDC* printDC_ = nullptr;
  int charWidthCache_[2][4] = {{-1, -1, -1, -1}, {-1, -1, -1, -1}};
  // The printed body font height that lets the columns keep their widths, and what it was found for.
  struct BodyFit {
    int height;
    long long usable, units;
    VyLogFont font;
    const VyDC* dc;
    int fitted;
  };
  int FittedBodyHeight(int height) const;
  mutable BodyFit bodyFit_{-1, 0, 0, {}, nullptr, 0};

  int nTextRows_ = 1, nFormHeadLines_ = 0, nFormFootLines_ = 0, nHeadLines_ = 0, nFootLines_ = 0;
  std::vector<int> widths_;
  std::vector<std::vector<VyItem>> headItems_, footItems_;

  PageSettings ps_;
  double printScale_ = 0.7085, printFontScale_ = 1.8;
  int clientWidth_ = 0, clientHeight_ = 0;
  int first_ = 0, printFirst_ = 0, hScroll_ = 0;

  VyCellPos cur_, anchor_;
  EditState edit_;
  bool shift_ = false, headerSelect_ = false;
  int drag_ = 0;
  std::string dragKind_;
  int dragIndex_ = 0, pressX_ = 0, pressY_ = 0, lastX_ = 0, lastY_ = 0;
  bool modified_ = false;
  std::vector<VyUndoStep> undo_, redo_;
  std::vector<VyMenuItem> menu_;
};
