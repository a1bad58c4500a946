#pragma once
// The Qt face of the add/modify operator dialog (COperatorDlg), and the runner the operators dialog uses.
#include <functional>

#include "admin/operator_dlg.h"
#include "model_dialog.h"

class MaskEdit;

class OperatorDialog : public ModelDialog<COperatorDlg&> {
  Q_OBJECT

 public:
  explicit OperatorDialog(COperatorDlg& model, QWidget* parent = nullptr);

 private:
  void OnOk();

  MaskEdit *codeEdit_, *nameEdit_;
};
