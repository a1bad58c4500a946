#pragma once
// The Qt face of "Tavrel软件(余额调节)" (CReconcileDlg).
#include <QDialog>

#include "interest/reconcile_dlg.h"

class DateFieldsEdit;
class MaskEdit;

class ReconcileDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ReconcileDialog(CReconcileDlg& model, QWidget* parent = nullptr);

 private:
  void OnOk();
  void Store();

  CReconcileDlg& model_;
  DateFieldsEdit *start_, *end_;
  MaskEdit *code_, *balance_;
};
