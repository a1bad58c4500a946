#pragma once
// The print dialog's window over its model CVyPrintDlg: printer list, its port, its properties, the paper
// the form's pages go on, the page range and the copies; in set-up mode only the printer and its paper.
#include <QPageLayout>
#include <functional>
#include <optional>

#include "formview/print_dlg.h"
#include "model_dialog.h"

class QComboBox;
class QPageSetupDialog;
class QLabel;
class QRadioButton;
class MaskEdit;

class PrintDialog : public ModelDialog<CVyPrintDlg&> {
  Q_OBJECT
 public:
  // page: the form printed, whose paper the dialog names and offers in "属性...".
  PrintDialog(CVyPrintDlg& model, QWidget* parent = nullptr, std::optional<PageSettings> page = {});
  // The paper chosen with "属性..." when it is not the one the form takes anyway.
  const std::optional<QPageLayout>& Layout() const { return layout_; }
  // Runs the printer's page set-up dialog; true when confirmed. Tests replace it.
  std::function<bool(QPageSetupDialog&)> runPageSetup;
  void accept() override;

  QComboBox* printerList() const { return printers_; }
  QPushButton* propertiesButton() const { return properties_; }
  QLabel* paperLabel() const { return paper_; }
  QRadioButton* allButton() const { return all_; }
  QRadioButton* rangeButton() const { return range_; }
  MaskEdit* fromField() const { return from_; }
  MaskEdit* toField() const { return to_; }
  MaskEdit* copiesField() const { return copies_; }

 private:
  void PrinterChosen(int index);
  void Properties();
  void ShowPaper();

  QComboBox* printers_;
  QLabel* port_;
  QLabel* paper_;
  std::optional<PageSettings> page_;
  std::optional<QPageLayout> formPaper_;  // the paper the form takes on the chosen printer
  QRadioButton *all_ = nullptr, *range_ = nullptr;
  MaskEdit *from_ = nullptr, *to_ = nullptr, *copies_ = nullptr;
  QPushButton* properties_;
  std::optional<QPageLayout> layout_;
};
