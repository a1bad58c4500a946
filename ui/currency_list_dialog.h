#pragma once
// The Qt face of "外币币种增加、修改、删除" (CCurrencyListDlg): the currency list under its column buttons,
// &A.增加, Enter or a double click to modify, Delete to delete.
#include "accounts/currency_list_dlg.h"
#include "list_edit_dialog.h"

class CurrencyListDialog : public ListEditDialog<CCurrencyListDlg> {
  Q_OBJECT

 public:
  explicit CurrencyListDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  QTreeWidget* List() const { return list_; }

 private:
  void Sync() override;

  QTreeWidget* list_;
};
