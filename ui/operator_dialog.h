#pragma once
// The Qt face of the add/modify operator dialog (COperatorDlg), and the runner the operators dialog uses.
#include <QDialog>
#include <functional>

#include "admin/operator_dlg.h"

class MaskEdit;

class OperatorDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OperatorDialog(COperatorDlg& model, QWidget* parent = nullptr);

 private:
  void OnOk();

  COperatorDlg& model_;
  MaskEdit *codeEdit_, *nameEdit_;
};
