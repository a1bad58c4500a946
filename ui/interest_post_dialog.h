#pragma once
// The Qt face of "Tavrel软件(利息)" (CInterestPostDlg), asked by 记帐 of the interest list.
#include "interest/interest_post_dlg.h"
#include "model_dialog.h"

class DateFieldsEdit;
class MaskEdit;

class InterestPostDialog : public ModelDialog<CInterestPostDlg&> {
  Q_OBJECT
 public:
  explicit InterestPostDialog(CInterestPostDlg& model, QWidget* parent = nullptr);

 private:
  void OnOk();

  DateFieldsEdit* date_;
  MaskEdit* summary_;
  MaskEdit* counter_;
};
