#pragma once
// Enter in a dialog's field moves on to the next field of the dialog's order and, from the last one,
// presses the dialog's confirming button, as the user of a bookkeeping program expects: the hands stay on
// the keys from the first field to 确认. Fields disabled or hidden at the moment are passed over.
#include <QObject>
#include <vector>

class QPushButton;
class QWidget;

class EnterOrder : public QObject {
  Q_OBJECT
 public:
  // Watches every field of order; the object belongs to dialog.
  EnterOrder(QWidget* dialog, std::vector<QWidget*> order, QPushButton* ok);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<QWidget*> order_;
  QPushButton* ok_;
};
