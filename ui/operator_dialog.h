#pragma once
// The Qt face of the add/modify operator dialog (COperatorDlg), and the runner the operators dialog uses.
#include <QDialog>

#include "admin/operators_dlg.h"

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

// Runs OperatorDialog modally over a parent window.
class QtOperatorDialogRunner : public OperatorDialogRunner {
 public:
  explicit QtOperatorDialogRunner(QWidget* parent) : parent_(parent) {}
  bool Run(COperatorDlg& dialog) override;

 private:
  QWidget* parent_;
};
