#pragma once
// The parameter dialog of 按帐户录入 over CAccountEntryDlg. Enter moves from field to field and then to
// 确认.
#include <QDialog>

#include "entry/account_entry_dlg.h"

class MaskEdit;
class QPushButton;

class AccountEntryDialog : public QDialog {
  Q_OBJECT
 public:
  AccountEntryDialog(CAccountEntryDlg& model, QWidget* parent = nullptr);
  // Shows the dialog on a prefilled model; true when its parameters were accepted.
  static bool Ask(CAccountEntryDlg& model, QWidget* parent);

 private:
  void Take();
  void Show();
  CAccountEntryDlg& model_;
  MaskEdit *year_, *month_, *code_;
  QPushButton *browse_, *ok_;
};
