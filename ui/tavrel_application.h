#pragma once
// The Qt application of the program. A database error that escapes a dialog's or window's handler ends
// only what that handler was doing: its message is shown and the program goes on.
#include <QApplication>

class TavrelApplication : public QApplication {
  Q_OBJECT
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};
