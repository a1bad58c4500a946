#pragma once
// The Qt face of an account's opening balance (COpeningEditDlg): the side and the amount, and for
// quantity-amount and foreign-currency accounts the quantity and the price, which fill the amount (or the
// amount the price) as they are typed. Enter moves from field to field and on to "&S.确认".
#include "accounts/opening_edit_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QLabel;
class QPushButton;
class QRadioButton;

class OpeningEditDialog : public ModelDialog<COpeningEditDlg&> {
  Q_OBJECT

 public:
  explicit OpeningEditDialog(COpeningEditDlg& model, QWidget* parent = nullptr);
  MaskEdit* AmountField() const { return amount_; }
  MaskEdit* QuantityField() const { return quantity_; }
  MaskEdit* PriceField() const { return price_; }
  QLabel* AmountEcho() const { return echo_; }
  QRadioButton* DebitButton() const { return debit_; }
  QRadioButton* CreditButton() const { return credit_; }
  QPushButton* OkButton() const { return ok_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Take();
  void Show();
  void OnOk();

  QRadioButton *debit_, *credit_;
  MaskEdit* amount_;
  MaskEdit* quantity_ = nullptr;
  MaskEdit* price_ = nullptr;
  QLabel* echo_;
  QPushButton *ok_, *cancel_;
  bool showing_ = false;
};
