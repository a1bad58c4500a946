#pragma once
// The Qt face of "科目期初余额调整" (COpeningBrowserDlg): the accounts of one level with their opening
// balances and the level's totals. Enter (or a double click) opens an account's sub-accounts or edits its
// opening balance; Esc goes back up, and closes the dialog at the top level.
#include "accounts/opening_browser_dlg.h"
#include "model_dialog.h"

class QLabel;
class QLineEdit;
class QTableWidget;

class OpeningBalanceDialog : public ModelDialog<COpeningBrowserDlg> {
  Q_OBJECT

 public:
  explicit OpeningBalanceDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  QTableWidget* Table() const { return table_; }

  // Enter on the selected account, and Esc, as the keys do.
  void Open();
  void Back();
  // However it closes (Esc at the top, the title bar's close), the openings' balance is said first.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Fill();
  void Edit(const std::string& code);

  CVyDataEnv& env_;
  QLabel* level_;
  QTableWidget* table_;
  QLineEdit *debit_, *credit_, *difference_;
};
