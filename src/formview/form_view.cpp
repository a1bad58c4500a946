// The form declaration, the life cycle and the base behaviour of the overridable operations.
#include "formview/form_view.h"

#include <algorithm>
#include <cstdlib>

#include "base/platform.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/data_env.h"
#include "base/input_mask.h"
#include "formview/form_sections.h"

CVyFormView::CVyFormView() = default;
CVyFormView::~CVyFormView() = default;

void CVyFormView::SetDataEnv(CVyDataEnv* env) {
  env_ = env;
  db_ = env ? env->Db() : nullptr;
}

void CVyFormView::SetScreenDC(VyDC* dc) {
  screenDC_ = dc;
}
void CVyFormView::SetPrintDC(VyDC* dc) {
  printDC_ = dc;
}

void CVyFormView::SetPrintResolution(int dpi) {
  if (dpi <= 0) return;
  printScale_ = dpi * 0.003937824;
  printFontScale_ = dpi * 0.01;
}

void CVyFormView::OnSize(int clientWidth, int clientHeight) {
  clientWidth_ = std::max(0, clientWidth);
  clientHeight_ = std::max(0, clientHeight);
  ClampFirst();
  host_->ScrollSizesChanged();
  host_->CaretChanged();
  Redraw();
}

void CVyFormView::InitForm() {
  cur_ = anchor_ = VyCellPos{};
  edit_ = EditState{};
  nTextRows_ = 1;
  nFormHeadLines_ = nFormFootLines_ = nHeadLines_ = nFootLines_ = 0;
  headItems_.clear();
  footItems_.clear();
  widths_.clear();
  printScale_ = 0.7085;
  printFontScale_ = 1.8;
  first_ = hScroll_ = 0;
  menu_ = {{"新建(&N)\tCtrl+N", vycmd::kNew, true},  {"打开(&O)...\tCtrl+O", vycmd::kOpen, true},
           {"保存(&S)\tCtrl+S", vycmd::kSave, true}, {"", 0, true},
           {"剪切(&T)\tCtrl+X", vycmd::kCut, true},  {"复制(&C)\tCtrl+C", vycmd::kCopy, true},
           {"粘贴(&P)\tCtrl+V", vycmd::kPaste, true}};
  sFieldMode = "0";
  SetupForm();
  if (editable_) {
    VyCellInfo cell;
    GetCell(0, 0, "TEXT", cell, true);
    edit_ = {cur_, cell.mask, cell.text, cell.maxLength, cell.decimals, true};
  }
  LoadSettings();
  ApplyWidths();
  SetPrintResolution(host_->PrinterResolution());
  host_->ScrollSizesChanged();
  host_->CaretChanged();
  Redraw();
}

void CVyFormView::ReleaseForm() {
  widths_.clear();
  headItems_.clear();
  footItems_.clear();
  menu_.clear();
}

// Saved widths count only when they are as many as the columns; otherwise the declared ones are recorded.
void CVyFormView::ApplyWidths() {
  if (!widths_.empty() && ps_.widths.size() == widths_.size()) {
    for (size_t i = 0; i < widths_.size(); ++i) widths_[i] = ps_.widths[i] > 0 ? ps_.widths[i] : 14;
  }
  ps_.widths = widths_;
}

void CVyFormView::LoadSettings() {
  if (!db_) {
    SetPageDefaults(ps_, nFlag, sFieldMode);
    return;
  }
  try {
    LoadPageSettings(*db_, ps_, nFlag, sFieldMode);
  } catch (const jet::DbError& e) {
    ShowMessage(e.what(), MsgIcon::Stop);
    SetPageDefaults(ps_, nFlag, sFieldMode);
  }
}

bool CVyFormView::SaveSettings() {
  if (!db_) return false;
  try {
    SavePageSettings(*db_, ps_, nFlag, sFieldMode);
    return true;
  } catch (const jet::DbError& e) {
    ShowMessage(e.what(), MsgIcon::Stop);
    return false;
  }
}

// ---- the form declaration

void CVyFormView::SetSections(int textRows, int formHeadLines, int formFootLines, int headLines,
                              int footLines) {
  nTextRows_ = std::max(1, textRows);
  nFormHeadLines_ = std::max(0, formHeadLines);
  nFormFootLines_ = std::max(0, formFootLines);
  nHeadLines_ = std::max(0, headLines);
  nFootLines_ = std::max(0, footLines);
  headItems_.assign(static_cast<size_t>(nHeadLines_), {});
  footItems_.assign(static_cast<size_t>(nFootLines_), {});
}

void CVyFormView::SetColumns(const std::vector<int>& widths) {
  if (widths.empty()) return;
  widths_ = widths;
}

void CVyFormView::SetItems(const std::string& section, int line, const std::vector<VyItem>& items) {
  VySec sec = SecOf(section);
  if (!IsItemSec(sec) || items.empty()) return;
  auto& lines = sec == VySec::Head ? headItems_ : footItems_;
  if (line < 0 || line >= static_cast<int>(lines.size())) return;
  lines[static_cast<size_t>(line)] = items;
}

void CVyFormView::SetRowCount(int n) {
  nTextRows_ = std::max(1, n);
  for (VyCellPos* p : {&cur_, &anchor_})
    if (p->section == "TEXT" && p->row >= nTextRows_) p->row = nTextRows_ - 1;
  ClampFirst();
  host_->ScrollSizesChanged();
  MakeCurrentVisible();
  Redraw();
}

void CVyFormView::ResetColumns(const std::vector<int>& widths) {
  if (widths.empty()) return;
  widths_ = widths;
  if (db_) {
    PageSettings saved;
    try {
      LoadPageSettings(*db_, saved, nFlag, sFieldMode);
      ps_.widths = saved.widths;
    } catch (const jet::DbError& e) {
      ShowMessage(e.what(), MsgIcon::Stop);
    }
  }
  ApplyWidths();
  int n = ColumnCount();
  for (VyCellPos* p : {&cur_, &anchor_})
    if (p->section == "TEXT" && p->col >= n) p->col = n - 1;
  host_->ScrollSizesChanged();
  Redraw();
  MakeCurrentVisible();
}

int CVyFormView::ItemCount(const std::string& section, int line) const {
  VySec sec = SecOf(section);
  if (!IsItemSec(sec)) return 0;
  const auto& lines = sec == VySec::Head ? headItems_ : footItems_;
  if (line < 0 || line >= static_cast<int>(lines.size())) return 0;
  return static_cast<int>(lines[static_cast<size_t>(line)].size());
}

const VyItem* CVyFormView::Item(const std::string& section, int line, int index) const {
  if (index < 0 || index >= ItemCount(section, line)) return nullptr;
  const auto& lines = SecOf(section) == VySec::Head ? headItems_ : footItems_;
  return &lines[static_cast<size_t>(line)][static_cast<size_t>(index)];
}

// ---- base behaviour of the overridable operations

// A sample form, so that the engine shows something of its own.
void CVyFormView::SetupForm() {
  SetSections(10, 1, 1, 1, 1);
  SetColumns({20, 10, 6, 12, 18});
  SetItems("HEAD", 0, {{335, 4}, {440, 2}, {520, 2}, {730, 4}, {900, 4}});
  SetItems("FOOT", 0, {{200, 4}, {300, 20}});
  SetMargins(10, 10, 10, 20);
  rulesThrough_ = 1;
}

void CVyFormView::OnRowCountChanged(int) {}
void CVyFormView::DrawFrame(VyDC&) {}
void CVyFormView::DrawCell(VyDC&, int, int, const std::string&) {}

void CVyFormView::GetCell(int, int, const std::string&, VyCellInfo& cell, bool) {
  cell.text = "派生类无值提供";
  cell.mask = "STRING";
  cell.maxLength = 20;
  cell.decimals = 0;
}

void CVyFormView::PutCell(int, int, const std::string&, const std::string&) {}
bool CVyFormView::CanEditCell(int, int, const std::string&) {
  return true;
}
void CVyFormView::OnCellChanged(const std::string&, int, int, const std::string&) {}
void CVyFormView::OnInsertRows(int, int, int) {}
void CVyFormView::OnEnterCell(int, int, const std::string&) {}
void CVyFormView::OnLeaveCell(int, int, const std::string&) {}
bool CVyFormView::CanAppendRow() {
  return true;
}

std::string CVyFormView::CellText(int row, int col, const std::string& section) {
  VyCellInfo cell;
  GetCell(row, col, section, cell, false);
  return cell.text;
}

bool CVyFormView::CellExists(const VyCellPos& p) const {
  VySec sec = SecOf(p.section);
  if (sec == VySec::Text) return p.row >= 0 && p.row < nTextRows_ && p.col >= 0 && p.col < ColumnCount();
  if (IsItemSec(sec)) return p.col >= 0 && p.col < ItemCount(p.section, p.row);
  return false;
}

int CVyFormView::LastColumn(const std::string& section, int line) const {
  if (SecOf(section) == VySec::Text) return ColumnCount() - 1;
  return ItemCount(section, line) - 1;
}

bool CVyFormView::LineHasItems(const std::string& section, int line) const {
  return ItemCount(section, line) > 0;
}

void CVyFormView::AppendRowIfFilled() {
  if (!CanAppendRow() || !editable_ || cur_.section != "TEXT" ||
      !CanEditCell(cur_.row, cur_.col, cur_.section))
    return;
  bool filled = false;
  for (int c = 0; c < ColumnCount() && !filled; ++c) {
    VyCellInfo cell;
    GetCell(cur_.row, c, "TEXT", cell, false);
    if (MaskHas(cell.mask, "NUMBER")) {
      std::string plain;
      for (char ch : cell.text)
        if (ch != ',' && ch != ' ') plain += ch;
      filled = SignOf(ParseNumber(plain)) != 0;
    } else if (MaskHas(cell.mask, "STRING")) {  // "CLASSNOSTRING" holds "STRING" too
      filled = !cell.text.empty();
    }
  }
  if (!filled || !CanEditCell(cur_.row, cur_.col, cur_.section)) return;
  OnRowCountChanged(+1);
  ++nTextRows_;
  host_->ScrollSizesChanged();
}
