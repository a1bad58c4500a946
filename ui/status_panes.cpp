#include "status_panes.h"

#include <QApplication>
#include <QKeyEvent>

#include "gbk_qt.h"

namespace {
// The lock bits of the window system's modifier state (X11 and Wayland alike).
constexpr quint32 kCapsLockBit = 0x02;
constexpr quint32 kNumLockBit = 0x10;

QLabel* Pane(QStatusBar* bar, const QString& text) {
  auto* label = new QLabel(text, bar);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  label->setContentsMargins(4, 0, 4, 0);
  return label;
}
}  // namespace

StatusPanes::StatusPanes(QStatusBar* bar) : QObject(bar) {
  idle_ = new QLabel(Q("就绪"), bar);
  idle_->setContentsMargins(2, 0, 2, 0);
  bar->addWidget(idle_, 1);
  operator_ = Pane(bar, QString());
  operator_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  caps_ = Pane(bar, Q("大写"));
  num_ = Pane(bar, Q("数字"));
  int numWidth = num_->sizeHint().width() + 8;
  caps_->setFixedWidth(numWidth);
  num_->setFixedWidth(numWidth);
  operator_->setFixedWidth(5 * numWidth);
  balance_ = Pane(bar, QString());
  balance_->setStyleSheet("color: #b00000;");
  balance_->hide();
  bar->addPermanentWidget(balance_);
  bar->addPermanentWidget(operator_);
  bar->addPermanentWidget(caps_);
  bar->addPermanentWidget(num_);
  SetLocks(false, false);
  qApp->installEventFilter(this);
}

void StatusPanes::SetOperator(const QString& text) {
  operator_->setText(text);
}

void StatusPanes::SetBalance(const QString& text) {
  balance_->setText(text);
  balance_->setVisible(!text.isEmpty());
}

void StatusPanes::SetLocks(bool caps, bool num) {
  caps_->setEnabled(caps);
  num_->setEnabled(num);
}

bool StatusPanes::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease || event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->nativeModifiers() != 0 || key->nativeScanCode() != 0)
      SetLocks(key->nativeModifiers() & kCapsLockBit, key->nativeModifiers() & kNumLockBit);
  }
  return QObject::eventFilter(watched, event);
}
