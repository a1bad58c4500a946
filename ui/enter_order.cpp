#include "enter_order.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

EnterOrder::EnterOrder(QWidget* dialog, std::vector<QWidget*> order, QPushButton* ok)
    : QObject(dialog), order_(std::move(order)), ok_(ok) {
  for (QWidget* w : order_) w->installEventFilter(this);
}

bool EnterOrder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  for (size_t i = 0; i < order_.size(); ++i) {
    if (order_[i] != watched) continue;
    for (size_t j = i + 1; j < order_.size(); ++j) {
      QWidget* next = order_[j];
      if (!next->isEnabled() || !next->isVisible()) continue;
      next->setFocus(Qt::TabFocusReason);
      if (auto* edit = qobject_cast<QLineEdit*>(next)) edit->selectAll();
      return true;
    }
    if (ok_->isEnabled()) ok_->click();
    return true;
  }
  return false;
}
