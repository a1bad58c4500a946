#pragma once
// FormViewWidget: the window of one form view (the widget of an MDI child). It paints the view through a
// QPainter device context, turns Qt's keys, input-method text, mouse and wheel into the view's input,
// keeps the scroll bars, the caret and the cursor shape in step, and carries out the view's commands —
// the clipboard ones in the view itself, printing, preview, printer set-up and page set-up here.
#include <QAbstractScrollArea>
#include <QTimer>
#include <memory>

#include "app/view_command_target.h"
#include "form_printing.h"
#include "formview/form_view.h"
#include "formview/report_view.h"
#include "qt_dc.h"

class FormViewWidget : public QAbstractScrollArea, public ViewCommandTarget, private VyViewHost {
  Q_OBJECT
 public:
  // Takes the view, set up with its data environment or database; runs its InitForm.
  explicit FormViewWidget(std::unique_ptr<CVyFormView> view, QWidget* parent = nullptr);
  ~FormViewWidget() override;

  CVyFormView& View() { return *view_; }
  FormPrinting& Printing() { return printing_; }

  // The main window routes the active view's commands here (numbers of view_input.h).
  bool RunCommand(int command) override;
  bool IsCommandEnabled(int command);
  bool TakesCommand(int command) const override { return view_->IsCommandEnabled(command); }

 public slots:
  void Save() { RunCommand(vycmd::kSave); }
  void New() { RunCommand(vycmd::kNew); }
  void DeleteSelection() { RunCommand(vycmd::kDeleteSelection); }
  void Copy() { RunCommand(vycmd::kCopy); }
  void Cut() { RunCommand(vycmd::kCut); }
  void Paste() { RunCommand(vycmd::kPaste); }
  void Undo() { RunCommand(vycmd::kUndo); }
  void Redo() { RunCommand(vycmd::kRedo); }
  void Print();
  void PrintPreview();
  void PrintSetup();
  void PageSetup();
  void Calculator() { RunCommand(vycmd::kCalculator); }
  // 导出 of a report: its rows as CSV or an Excel workbook, or its pages as PDF.
  void Export();

 public:
  // Asks the file 导出 writes (a save-file dialog); tests replace it.
  std::function<QString()> askExportFile;

 protected:
  bool event(QEvent* e) override;
  bool viewportEvent(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void scrollContentsBy(int, int) override {}

 private:
  // VyViewHost
  void Redraw() override;
  void ScrollSizesChanged() override;
  void CaretChanged() override;
  int PrinterResolution() override;

  void SetCursorShape(VyCursor c);
  bool HandleEvent(QEvent* e);

  std::unique_ptr<CVyFormView> view_;
  std::string shownPrompt_;  // the legend last put into the status bar
  QtDC measure_;
  FormPrinting printing_;
  QTimer blink_;
  bool caretOn_ = true;
  bool syncing_ = false;
};
