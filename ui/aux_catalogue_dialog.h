#pragma once
// The auxiliary-accounting catalogue of the multi-column, quantity-amount and multi-currency ledgers, bound
// to CAuxCatalogueDlg, which runs the checks; a refused 确认 leaves the dialog open with the focus on the
// field at fault.
#include "model_dialog.h"

class CAuxCatalogueDlg;
class QLineEdit;
class QListWidget;

class AuxCatalogueDialog : public ModelDialog<CAuxCatalogueDlg&> {
 public:
  AuxCatalogueDialog(CAuxCatalogueDlg& model, QWidget* parent);
  void accept() override;

 private:
  QListWidget* list_;
  QLineEdit *start_, *end_;
};
