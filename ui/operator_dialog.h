#pragma once
// The Qt face of the add/modify operator dialog (COperatorDlg), and the runner the operators dialog uses.
#include <QDialog>
#include <functional>

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

// Runs OperatorDialog modally over a parent window, which listChanged brings up to date between two.
class QtOperatorDialogRunner : public OperatorDialogRunner {
 public:
  explicit QtOperatorDialogRunner(QWidget* parent, std::function<void()> listChanged = {})
      : parent_(parent), listChanged_(std::move(listChanged)) {}
  bool Run(COperatorDlg& dialog) override;
  void ListChanged() override {
    if (listChanged_) listChanged_();
  }

 private:
  QWidget* parent_;
  std::function<void()> listChanged_;
};
