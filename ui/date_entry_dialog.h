#pragma once
// The parameter dialog of 按日期录入 over CDateEntryDlg. Enter moves from field to field and then to 确认.
#include "entry/date_entry_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QPushButton;

class DateEntryDialog : public ModelDialog<CDateEntryDlg&> {
  Q_OBJECT
 public:
  DateEntryDialog(CDateEntryDlg& model, QWidget* parent = nullptr);
  static bool Ask(CDateEntryDlg& model, QWidget* parent);

 private:
  MaskEdit *year_, *month_, *day_;
  QPushButton* ok_;
};
