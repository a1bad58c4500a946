#pragma once
// The Qt face of 结转损益 (CClosingDlg): the month, the postings it would make, and 记帐.
#include "model_dialog.h"
#include "statements/pl_closing_dlg.h"

class QLabel;
class QLineEdit;
class QListWidget;

class ClosingDialog : public ModelDialog<CClosingDlg&> {
  Q_OBJECT
 public:
  explicit ClosingDialog(CClosingDlg& model, QWidget* parent = nullptr);

 private:
  void Replan();
  void Refresh();
  void OnOk();

  QLineEdit* month_;
  QListWidget* lines_;
  QLabel* note_;
};
