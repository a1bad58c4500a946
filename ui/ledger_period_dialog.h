#pragma once
// The period-and-type dialog of the three-column ledger, bound to CLedgerPeriodDlg, which runs the checks;
// a refused 确认 leaves the dialog open with the focus on the field at fault.
#include "model_dialog.h"

class CLedgerPeriodDlg;
class QLineEdit;
class QRadioButton;

class LedgerPeriodDialog : public ModelDialog<CLedgerPeriodDlg&> {
 public:
  LedgerPeriodDialog(CLedgerPeriodDlg& model, QWidget* parent);
  void accept() override;

 private:
  QLineEdit *start_, *end_;
  QRadioButton *reached_, *unreached_;
};
