#pragma once
// The Qt face of "请增加、修改、外币币种" (CCurrencyDlg), and the runner the currency list uses.
#include "accounts/currency_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QLabel;
class QPushButton;

class CurrencyDialog : public ModelDialog<CCurrencyDlg&> {
  Q_OBJECT

 public:
  explicit CurrencyDialog(CCurrencyDlg& model, QWidget* parent = nullptr);
  MaskEdit* CodeEdit() const { return code_; }
  MaskEdit* NameEdit() const { return name_; }
  MaskEdit* AccountEdit() const { return account_; }
  QPushButton* OkButton() const { return ok_; }
  // Says why a typed character did not go into the code; hidden until one did not.
  QLabel* CodeHint() const { return hint_; }

 private:
  void Take();
  void OnOk();

  MaskEdit *code_, *name_, *account_;
  QPushButton *browse_, *ok_;
  QLabel* hint_;
};
