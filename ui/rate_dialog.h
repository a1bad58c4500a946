#pragma once
// The Qt face of "请设置、修改外币汇率" (CRateDlg), and the runner the rate list uses.
#include "accounts/rate_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QPushButton;

class RateDialog : public ModelDialog<CRateDlg&> {
  Q_OBJECT

 public:
  explicit RateDialog(CRateDlg& model, QWidget* parent = nullptr);
  MaskEdit* YearEdit() const { return year_; }
  MaskEdit* MonthEdit() const { return month_; }
  MaskEdit* DayEdit() const { return day_; }
  MaskEdit* ForeignEdit() const { return foreign_; }
  MaskEdit* BaseEdit() const { return base_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  void OnOk();

  MaskEdit *year_, *month_, *day_, *foreign_, *base_;
  QPushButton* ok_;
};
