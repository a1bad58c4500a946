#pragma once
// The parameter dialog of 按日期录入 over CDateEntryDlg. Enter moves from field to field and then to 确认.
#include <QDialog>

#include "entry/date_entry_dlg.h"

class MaskEdit;
class QPushButton;

class DateEntryDialog : public QDialog {
  Q_OBJECT
 public:
  DateEntryDialog(CDateEntryDlg& model, QWidget* parent = nullptr);
  static bool Ask(CDateEntryDlg& model, QWidget* parent);

 private:
  CDateEntryDlg& model_;
  MaskEdit *year_, *month_, *day_;
  QPushButton* ok_;
};
