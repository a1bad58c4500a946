#pragma once
// The dialog of 打印全部帐页: the months, the kinds of pages, and where they go (a printer of the system, or
// a folder of PDF files). It binds the core's CYearBooksDlg, whose checks run on 确认.
#include <functional>

#include "form_printing.h"
#include "model_dialog.h"
#include "reports/year_books_dlg.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class BooksDialog : public ModelDialog<CYearBooksDlg&> {
 public:
  BooksDialog(CYearBooksDlg& model, QWidget* parent);

  void accept() override;
  // After 确认: the queue, or the combined file of the folder, and the folder ("" when printing).
  PrintTarget target;
  QString folder;
  // Asks for the PDF folder; tests replace it.
  std::function<QString()> askFolder;

  QComboBox* Destination() const { return destination_; }
  QComboBox* Paper() const { return paper_; }

 private:
  // The papers of the chosen queue, its default one chosen; PDF pages keep each form's own size.
  void ListPapers();

  QLineEdit *start_, *end_;
  QCheckBox *ledger_, *multi_, *quantity_, *currency_, *balance_;
  QComboBox* destination_;
  QComboBox* paper_;
  QList<QPageSize> papers_;  // of the chosen queue, in the order listed after the first entry
};

// Runs the dialog and the printing that follows, with its progress and 取消 (between accounts).
void RunBooksCommand(CVyDataEnv& env, QWidget* parent);
