#pragma once
// The parameter dialog of 按帐户录入 over CAccountEntryDlg. Enter moves from field to field and then to
// 确认.
#include "entry/account_entry_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QPushButton;

class AccountEntryDialog : public ModelDialog<CAccountEntryDlg&> {
  Q_OBJECT
 public:
  AccountEntryDialog(CAccountEntryDlg& model, QWidget* parent = nullptr);
  // Shows the dialog on a prefilled model; true when its parameters were accepted.
  static bool Ask(CAccountEntryDlg& model, QWidget* parent);

 private:
  void Take();
  void Show();
  MaskEdit *year_, *month_, *code_;
  QPushButton *browse_, *ok_;
};
