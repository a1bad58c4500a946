#pragma once
// The Qt face of the account dialog (CAccountDlg): code, name, auxiliary accounting and the column in a
// multi-column parent's ledger. 确认 closes it when the model has saved the account, or when the model says
// the parent takes no children.
#include <functional>

#include "accounts/account_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class AccountDialog : public ModelDialog<CAccountDlg&> {
  Q_OBJECT

 public:
  AccountDialog(CAccountDlg& model, QWidget* parent = nullptr);
  MaskEdit* CodeField() const { return code_; }
  MaskEdit* NameField() const { return name_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  void Sync();
  void OnOk();

  QLineEdit* prefix_;
  MaskEdit *code_, *name_, *unit_;
  QCheckBox *quantity_, *currency_, *multi_;
  QComboBox* currencies_;
  QRadioButton *debit_, *credit_;
  QSpinBox* width_;
  QPushButton *ok_, *cancel_;
};
