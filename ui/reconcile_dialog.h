#pragma once
// The Qt face of "Tavrel软件(余额调节)" (CReconcileDlg).
#include "interest/reconcile_dlg.h"
#include "model_dialog.h"

class DateFieldsEdit;
class MaskEdit;

class ReconcileDialog : public ModelDialog<CReconcileDlg&> {
  Q_OBJECT
 public:
  explicit ReconcileDialog(CReconcileDlg& model, QWidget* parent = nullptr);

 private:
  void OnOk();
  void Store();

  DateFieldsEdit *start_, *end_;
  MaskEdit *code_, *balance_;
};
