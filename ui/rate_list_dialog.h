#pragma once
// The Qt face of the exchange-rate dialog (CRateListDlg): the currencies on the left, the selected one's
// rates on the right, each list under its column buttons and over its hint; &A.设置汇率, Enter or a double
// click on a rate to modify it, Delete to delete it.
#include "accounts/rate_list_dlg.h"
#include "model_dialog.h"

class QTreeWidget;
class QPushButton;

class RateListDialog : public ModelDialog<CRateListDlg> {
  Q_OBJECT

 public:
  explicit RateListDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  QTreeWidget* CurrencyList() const { return currencies_; }
  QTreeWidget* RateList() const { return rates_; }
  QPushButton* AddButton() const { return add_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Sync();
  void OnModify();

  QTreeWidget *currencies_, *rates_;
  QPushButton* add_;
};
