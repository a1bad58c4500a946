#pragma once
// The Qt face of the exchange-rate dialog (CRateListDlg): the currencies on the left, the selected one's
// rates on the right, each list under its column buttons and over its hint; &A.设置汇率, Enter or a double
// click on a rate to modify it, Delete to delete it.
#include <QDialog>

#include "accounts/rate_list_dlg.h"

class QTreeWidget;
class QPushButton;

class RateListDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RateListDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  CRateListDlg& Model() { return model_; }
  // False when there is no currency: the message was shown, and the dialog is not to be shown.
  bool Ready() const { return ready_; }
  QTreeWidget* CurrencyList() const { return currencies_; }
  QTreeWidget* RateList() const { return rates_; }
  QPushButton* AddButton() const { return add_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Sync();
  void OnModify();

  CRateListDlg model_;
  bool ready_ = false;
  QTreeWidget *currencies_, *rates_;
  QPushButton* add_;
};
