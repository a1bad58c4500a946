#pragma once
// The period-and-type dialog of the three-column ledger, bound to CLedgerPeriodDlg, which runs the checks;
// a refused 确认 leaves the dialog open with the focus on the field at fault.
#include <QDialog>

class CLedgerPeriodDlg;
class QLineEdit;
class QRadioButton;

class LedgerPeriodDialog : public QDialog {
 public:
  LedgerPeriodDialog(CLedgerPeriodDlg& model, QWidget* parent);
  void accept() override;

 private:
  CLedgerPeriodDlg& model_;
  QLineEdit *start_, *end_;
  QRadioButton *reached_, *unreached_;
};
