#pragma once
// The Qt face of "Tavrel软件(利息计算)" (CInterestDlg).
#include "interest/interest_dlg.h"
#include "model_dialog.h"

class DateFieldsEdit;
class MaskEdit;
class QRadioButton;

class InterestDialog : public ModelDialog<CInterestDlg&> {
  Q_OBJECT
 public:
  // The model comes filled (defaults or an earlier calculation's fields).
  explicit InterestDialog(CInterestDlg& model, QWidget* parent = nullptr);

 private:
  void OnOk();
  void Store();

  DateFieldsEdit *start_, *end_;
  MaskEdit *code_, *rate_;
  QRadioButton *equal_, *actual_, *debit_, *credit_;
};
