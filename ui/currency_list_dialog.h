#pragma once
// The Qt face of "外币币种增加、修改、删除" (CCurrencyListDlg): the currency list under its column buttons,
// &A.增加, Enter or a double click to modify, Delete to delete.
#include "accounts/currency_list_dlg.h"
#include "model_dialog.h"

class QTreeWidget;
class QPushButton;

class CurrencyListDialog : public ModelDialog<CCurrencyListDlg> {
  Q_OBJECT

 public:
  explicit CurrencyListDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  QTreeWidget* List() const { return list_; }
  QPushButton* AddButton() const { return add_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Sync();
  void OnModify();

  QTreeWidget* list_;
  QPushButton* add_;
};
