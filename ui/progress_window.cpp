#include "progress_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

#include "gbk_qt.h"
#include "reports/report_progress.h"

ProgressWindow::ProgressWindow(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
  clock = [] {
    static QElapsedTimer since = [] {
      QElapsedTimer t;
      t.start();
      return t;
    }();
    return static_cast<long long>(since.elapsed());
  };
  // Only shown: the keys stay with the window that computes.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowFlag(Qt::WindowDoesNotAcceptFocus);
  setStyleSheet("ProgressWindow { border: 1px solid #808080; background: #f0f0f0; }");
  text_ = new QLabel(Q(ProgressText(0)));
  text_->setMinimumWidth(48);
  bar_ = new QProgressBar;
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  bar_->setFixedWidth(180);
  auto* row = new QHBoxLayout(this);
  row->addWidget(new QLabel(Q("正在计算：")));
  row->addWidget(text_);
  row->addWidget(bar_);
  adjustSize();
}

void ProgressWindow::Show(int percent) {
  if (percent < 0) {
    hide();
    return;
  }
  text_->setText(Q(ProgressText(percent)));
  bar_->setValue(percent);
  if (!isVisible()) {
    if (QWidget* owner = parentWidget()) {
      QPoint centre = owner->mapToGlobal(owner->rect().center());
      move(centre - rect().center());
    }
    show();
  }
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::Install() {
  // The sink outlives the window (it goes with its main window, and a later one installs its own): a
  // report built after that must find nothing to draw rather than a window that is gone.
  SetProgressSink([window = QPointer<ProgressWindow>(this)](int percent) {
    if (window) window->Report(percent);
  });
}

void ProgressWindow::Report(int percent) {
  constexpr long long kQuietMs = 300, kRedrawMs = 100;
  if (percent < 0) {
    started_ = -1;
    Show(-1);
    return;
  }
  const long long now = clock();
  if (started_ < 0) started_ = now;
  if (now - started_ < kQuietMs || (isVisible() && now - drawn_ < kRedrawMs)) return;
  drawn_ = now;
  Show(percent);
}
