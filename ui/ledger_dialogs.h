#pragma once
// The two parameter dialogs of the ledgers: the period-and-type dialog of the three-column ledger and the
// auxiliary-accounting catalogue of the other ledgers. Each binds its widgets to the core model, which
// runs the checks; a refused 确认 leaves the dialog open with the focus on the field at fault.
#include <QDialog>
#include <string>

class CAuxCatalogueDlg;
class CLedgerPeriodDlg;
class QLineEdit;
class QListWidget;
class QRadioButton;

// A two-character month field, as the ledgers' and the books' dialogs show one.
QLineEdit* MonthEdit(const std::string& text);

class LedgerPeriodDialog : public QDialog {
 public:
  LedgerPeriodDialog(CLedgerPeriodDlg& model, QWidget* parent);
  void accept() override;

 private:
  CLedgerPeriodDlg& model_;
  QLineEdit *start_, *end_;
  QRadioButton *reached_, *unreached_;
};

class AuxCatalogueDialog : public QDialog {
 public:
  AuxCatalogueDialog(CAuxCatalogueDlg& model, QWidget* parent);
  void accept() override;

 private:
  CAuxCatalogueDlg& model_;
  QListWidget* list_;
  QLineEdit *start_, *end_;
};
