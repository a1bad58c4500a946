#include "form_view_widget.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QWheelEvent>

#include "base/platform.h"
#include "data/db_guard.h"
#include "gbk_qt.h"
#include "io/report_export.h"
#include "io/report_workbook.h"
#include "page_setup_dialog.h"

namespace {

std::optional<VyKey> KeyOf(int key) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VyKey::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VyKey::Enter;
    case Qt::Key_Left:
      return VyKey::Left;
    case Qt::Key_Right:
      return VyKey::Right;
    case Qt::Key_Up:
      return VyKey::Up;
    case Qt::Key_Down:
      return VyKey::Down;
    case Qt::Key_PageUp:
      return VyKey::PageUp;
    case Qt::Key_PageDown:
      return VyKey::PageDown;
    case Qt::Key_Home:
      return VyKey::Home;
    case Qt::Key_End:
      return VyKey::End;
    case Qt::Key_Backspace:
      return VyKey::Backspace;
    case Qt::Key_Delete:
      return VyKey::Delete;
    case Qt::Key_Shift:
      return VyKey::Shift;
    case Qt::Key_Control:
      return VyKey::Control;
    case Qt::Key_CapsLock:
      return VyKey::CapsLock;
    case Qt::Key_NumLock:
      return VyKey::NumLock;
    case Qt::Key_Escape:
      return VyKey::Escape;
    default:
      return std::nullopt;
  }
}

}  // namespace

FormViewWidget::FormViewWidget(std::unique_ptr<CVyFormView> view, QWidget* parent)
    : QAbstractScrollArea(parent),
      view_(std::move(view)),
      measure_(nullptr, this, false),
      printing_(*view_, this) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (!syncing_) view_->OnVScroll(VyScroll::Thumb, v);
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (!syncing_) view_->OnHScroll(VyScroll::Thumb, v);
  });
  blink_.setInterval(QApplication::cursorFlashTime() > 0 ? QApplication::cursorFlashTime() / 2 : 500);
  connect(&blink_, &QTimer::timeout, this, [this] {
    caretOn_ = !caretOn_;
    CVyFormView::Caret c = view_->CaretPlace();
    viewport()->update(c.x - 1, c.y - 1, 4, c.height + 2);
  });

  view_->SetHost(this);
  view_->SetScreenDC(&measure_);
  view_->InitForm();
  view_->OnSize(viewport()->width(), viewport()->height());
}

FormViewWidget::~FormViewWidget() {
  view_->ReleaseForm();
  view_->SetHost(nullptr);
  view_->SetScreenDC(nullptr);
}

// ---- VyViewHost

void FormViewWidget::Redraw() {
  viewport()->update();
}

void FormViewWidget::ScrollSizesChanged() {
  syncing_ = true;
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, view_->VScrollMax());
  v->setPageStep(std::max(1, view_->RowsPerPage(false)));
  v->setSingleStep(1);
  v->setValue(view_->FirstRow(false));
  QScrollBar* h = horizontalScrollBar();
  h->setRange(0, view_->HScrollMax());
  h->setPageStep(std::max(1, view_->HPageStep()));
  h->setSingleStep(std::max(1, view_->HLineStep()));
  h->setValue(view_->HScrollPos());
  syncing_ = false;
}

void FormViewWidget::CaretChanged() {
  // The status bar of the main window follows the current cell's legend, if it has one.
  std::string prompt = view_->CellPrompt();
  if (prompt != shownPrompt_) {
    if (auto* main = qobject_cast<QMainWindow*>(window())) {
      if (prompt.empty())
        main->statusBar()->clearMessage();
      else
        main->statusBar()->showMessage(Q(prompt));
      shownPrompt_ = prompt;
    }
  }
  caretOn_ = true;
  if (hasFocus()) blink_.start();
  viewport()->update();
  QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

int FormViewWidget::PrinterResolution() {
  return printing_.Resolution();
}

// ---- painting

void FormViewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), Qt::white);
  painter.translate(-view_->HScrollPos(), 0);
  QtDC dc(&painter, viewport(), false);
  view_->DrawPage(dc);
  painter.resetTransform();
  CVyFormView::Caret c = view_->CaretPlace();
  if (c.visible && hasFocus() && caretOn_) painter.fillRect(c.x, c.y, 2, c.height, Qt::black);
}

// ---- keys and text

// Every event of the window, keys and commands among them, and every event of its viewport (painting, the
// mouse) is a command boundary: a database error ends there with its message.
bool FormViewWidget::event(QEvent* e) {
  bool handled = false;
  RunCatchingDbErrors([&] { handled = HandleEvent(e); });
  return handled;
}

bool FormViewWidget::viewportEvent(QEvent* e) {
  bool handled = false;
  RunCatchingDbErrors([&] { handled = QAbstractScrollArea::viewportEvent(e); });
  return handled;
}

bool FormViewWidget::HandleEvent(QEvent* e) {
  // Tab and Shift+Tab move between cells, not between widgets.
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
      keyPressEvent(k);
      return true;
    }
  }
  return QAbstractScrollArea::event(e);
}

void FormViewWidget::keyPressEvent(QKeyEvent* e) {
  static const std::pair<QKeySequence::StandardKey, int> shortcuts[] = {
      {QKeySequence::Copy, vycmd::kCopy},   {QKeySequence::Cut, vycmd::kCut},
      {QKeySequence::Paste, vycmd::kPaste}, {QKeySequence::Undo, vycmd::kUndo},
      {QKeySequence::Redo, vycmd::kRedo},   {QKeySequence::Save, vycmd::kSave},
      {QKeySequence::New, vycmd::kNew},     {QKeySequence::Print, vycmd::kPrint}};
  for (auto [seq, command] : shortcuts)
    if (e->matches(seq)) {
      RunCommand(command);
      return;
    }
  if (e->matches(QKeySequence::SelectAll)) {
    view_->SelectCellText();
    return;
  }
  bool shift = e->modifiers() & Qt::ShiftModifier;
  bool ctrl = e->modifiers() & Qt::ControlModifier;
  // The menu key (or Shift+F10) opens the window's menu at the caret, for hands that stay on the keys.
  if (e->key() == Qt::Key_Menu || (e->key() == Qt::Key_F10 && shift && !ctrl)) {
    CVyFormView::Caret c = view_->CaretPlace();
    QPoint at(c.x, c.y + c.height);
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
    contextMenuEvent(&menu);
    return;
  }
  if (auto key = KeyOf(e->key())) {
    view_->OnKeyDown(*key, shift || e->key() == Qt::Key_Backtab, ctrl);
    return;
  }
  QString text = e->text();
  if (!ctrl && !text.isEmpty() && text[0].isPrint()) {
    if (auto g = G(text)) view_->OnChar(*g);
    return;
  }
  QAbstractScrollArea::keyPressEvent(e);
}

void FormViewWidget::inputMethodEvent(QInputMethodEvent* e) {
  if (!e->commitString().isEmpty()) {
    if (auto g = G(e->commitString())) view_->OnChar(*g);
  }
  e->accept();
}

QVariant FormViewWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle) {
    CVyFormView::Caret c = view_->CaretPlace();
    return QRect(c.x, c.y, 2, c.height);
  }
  if (query == Qt::ImEnabled) return true;
  return QAbstractScrollArea::inputMethodQuery(query);
}

// ---- the mouse

void FormViewWidget::SetCursorShape(VyCursor c) {
  static const Qt::CursorShape shapes[] = {Qt::ArrowCursor,  Qt::IBeamCursor,        Qt::SplitHCursor,
                                           Qt::SplitVCursor, Qt::PointingHandCursor, Qt::UpArrowCursor,
                                           Qt::CrossCursor};
  viewport()->setCursor(shapes[static_cast<int>(c)]);
}

void FormViewWidget::mousePressEvent(QMouseEvent* e) {
  setFocus(Qt::MouseFocusReason);
  QPoint p = e->position().toPoint();
  if (e->button() == Qt::RightButton) view_->OnRButtonDown(p.x(), p.y());
  if (e->button() != Qt::LeftButton) return;
  view_->OnLButtonDown(p.x(), p.y(), e->modifiers() & Qt::ShiftModifier);
}

void FormViewWidget::mouseMoveEvent(QMouseEvent* e) {
  QPoint p = e->position().toPoint();
  if (view_->IsCapturing())
    view_->OnMouseMove(p.x(), p.y(), e->buttons() & Qt::LeftButton);
  else
    SetCursorShape(view_->CursorAt(p.x(), p.y()));
}

void FormViewWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  QPoint p = e->position().toPoint();
  view_->OnLButtonUp(p.x(), p.y());
}

void FormViewWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  QPoint p = e->position().toPoint();
  view_->OnLButtonDblClk(p.x(), p.y());
}

void FormViewWidget::wheelEvent(QWheelEvent* e) {
  int steps = e->angleDelta().y() / 40;  // three rows a notch
  for (int i = 0; i < std::abs(steps); ++i)
    view_->OnVScroll(steps > 0 ? VyScroll::LineUp : VyScroll::LineDown);
  e->accept();
}

void FormViewWidget::contextMenuEvent(QContextMenuEvent* e) {
  QMenu menu(this);
  for (const VyMenuItem& item : view_->ContextMenu()) {
    if (item.text.empty()) {
      menu.addSeparator();
      continue;
    }
    QAction* a = menu.addAction(Q(item.text));
    a->setEnabled(item.enabled);
    a->setData(item.command);
  }
  if (QAction* chosen = menu.exec(e->globalPos())) RunCommand(chosen->data().toInt());
}

void FormViewWidget::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  view_->OnSize(viewport()->width(), viewport()->height());
}

void FormViewWidget::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  caretOn_ = true;
  blink_.start();
  viewport()->update();
}

void FormViewWidget::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  blink_.stop();
  viewport()->update();
}

// ---- commands

bool FormViewWidget::RunCommand(int command) {
  if (view_->OnCommand(command)) return true;
  switch (command) {
    case vycmd::kExport:
      Export();
      return true;
    case vycmd::kPrint:
      Print();
      return true;
    case vycmd::kPrintPreview:
      PrintPreview();
      return true;
    case vycmd::kPrintSetup:
      PrintSetup();
      return true;
    case vycmd::kPageSetup:
      PageSetup();
      return true;
    default:
      return false;
  }
}

bool FormViewWidget::IsCommandEnabled(int command) {
  if (command == vycmd::kExport) return dynamic_cast<CVyReportView*>(view_.get()) != nullptr;
  return view_->IsCommandEnabled(command);
}

// A report's rows as CSV or as an Excel workbook, or its printed pages as PDF, chosen by the file's extension.
// The core asks before an existing file is replaced, so the file dialog does not ask too.
void FormViewWidget::Export() {
  auto* report = dynamic_cast<CVyReportView*>(view_.get());
  if (!report) return;
  QString filter;
  QString path = askExportFile ? askExportFile()
                               : QFileDialog::getSaveFileName(this, Q("导出"), QString(),
                                                              Q("CSV 文件 (*.csv);;Excel 工作簿 (*.xlsx);;PDF 文件 (*.pdf)"),
                                                              &filter, QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return;
  // A name without an extension takes the chosen type's (CSV when none was chosen).
  if (!QFileInfo(path).fileName().contains('.'))
    path += filter.contains("*.xlsx") ? ".xlsx" : filter.contains("*.pdf") ? ".pdf" : ".csv";
  auto gbkPath = G(path);
  if (!gbkPath) {
    ShowMessage("文件名含有 GBK 不能表示的字符。", MsgIcon::Stop);
    return;
  }
  ExportReport(*report, *gbkPath, [this](const std::string& native) {
    return printing_.PrintToPdf(QString::fromStdString(native));
  });
}

void FormViewWidget::Print() {
  printing_.Print();
}
void FormViewWidget::PrintPreview() {
  printing_.Preview();
}
void FormViewWidget::PrintSetup() {
  printing_.Setup();
}

void FormViewWidget::PageSetup() {
  PageSettings copy = view_->Page();
  copy.widths = view_->ColumnWidths();
  CVyPageSetupDlg model(copy, view_->FormFlag(), view_->FieldMode());
  PageSetupDialog dialog(model, this);
  if (dialog.exec() != QDialog::Accepted) return;
  view_->ApplyPageSettings(model.settings);
  CaretChanged();
}
