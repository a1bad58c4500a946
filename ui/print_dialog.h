#pragma once
// The print dialog's window over its model CVyPrintDlg: printer list, its port, its properties, the page
// range and the copies; in set-up mode only the printer.
#include <QDialog>
#include <QPageLayout>
#include <optional>

#include "formview/print_dlg.h"

class QComboBox;
class QLabel;
class QRadioButton;
class MaskEdit;

class PrintDialog : public QDialog {
  Q_OBJECT
 public:
  PrintDialog(CVyPrintDlg& model, QWidget* parent = nullptr);
  // The page layout chosen with "属性...", if any.
  const std::optional<QPageLayout>& Layout() const { return layout_; }
  void accept() override;

  QComboBox* printerList() const { return printers_; }
  QRadioButton* allButton() const { return all_; }
  QRadioButton* rangeButton() const { return range_; }
  MaskEdit* fromField() const { return from_; }
  MaskEdit* toField() const { return to_; }
  MaskEdit* copiesField() const { return copies_; }

 private:
  void PrinterChosen(int index);
  void Properties();

  CVyPrintDlg& model_;
  QComboBox* printers_;
  QLabel* port_;
  QRadioButton *all_ = nullptr, *range_ = nullptr;
  MaskEdit *from_ = nullptr, *to_ = nullptr, *copies_ = nullptr;
  QPushButton* properties_;
  std::optional<QPageLayout> layout_;
};
