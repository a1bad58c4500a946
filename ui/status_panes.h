#pragma once
// The panes of the main window's status bar: the message pane (stretching, showing the prompt of the
// command under the pointer), the operator pane (five times the width of the NUM indicator) and the CAPS
// and NUM indicators, dark while the lock is on.
#include <QLabel>
#include <QObject>
#include <QStatusBar>

class StatusPanes : public QObject {
  Q_OBJECT
 public:
  explicit StatusPanes(QStatusBar* bar);

  void SetOperator(const QString& text);
  // The book's balance: "借贷不平 差额 …", or nothing (the pane hides) while it balances.
  void SetBalance(const QString& text);
  QString BalanceText() const { return balance_->text(); }
  QString OperatorText() const { return operator_->text(); }
  QString IdleText() const { return idle_->text(); }
  QLabel* OperatorPane() const { return operator_; }
  QLabel* CapsPane() const { return caps_; }
  QLabel* NumPane() const { return num_; }
  void SetLocks(bool caps, bool num);

 protected:
  // Follows the lock keys through the modifier state of every key event.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* idle_;
  QLabel* balance_;
  QLabel* operator_;
  QLabel* caps_;
  QLabel* num_;
};
