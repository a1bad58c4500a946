#pragma once
// The Qt face of the exchange-rate dialog (CRateListDlg): the currencies on the left, the selected one's
// rates on the right, each list under its column buttons and over its hint; &A.设置汇率, Enter or a double
// click on a rate to modify it, Delete to delete it.
#include "accounts/rate_list_dlg.h"
#include "list_edit_dialog.h"

class RateListDialog : public ListEditDialog<CRateListDlg> {
  Q_OBJECT

 public:
  explicit RateListDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  QTreeWidget* CurrencyList() const { return currencies_; }
  QTreeWidget* RateList() const { return rates_; }

 private:
  void Sync() override;

  QTreeWidget *currencies_, *rates_;
};
