#pragma once
// The Qt face of "Tavrel软件(利息计算)" (CInterestDlg).
#include <QDialog>

#include "interest/interest_dlg.h"

class DateFieldsEdit;
class MaskEdit;
class QRadioButton;

class InterestDialog : public QDialog {
  Q_OBJECT
 public:
  // The model comes filled (defaults or an earlier calculation's fields).
  explicit InterestDialog(CInterestDlg& model, QWidget* parent = nullptr);

 private:
  void OnOk();
  void Store();

  CInterestDlg& model_;
  DateFieldsEdit *start_, *end_;
  MaskEdit *code_, *rate_;
  QRadioButton *equal_, *actual_, *debit_, *credit_;
};
