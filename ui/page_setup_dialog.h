#pragma once
// The page set-up window over its model CVyPageSetupDlg: the font list with the font and colour choosers,
// the rule and frame colours, the millimetre fields with their spin buttons, defaults, copying from
// another data file, and the checks of "确认".
#include <functional>

#include "formview/page_setup_dlg.h"
#include "model_dialog.h"

class QLabel;
class QTreeWidget;
class MaskEdit;

class PageSetupDialog : public ModelDialog<CVyPageSetupDlg&> {
  Q_OBJECT
 public:
  PageSetupDialog(CVyPageSetupDlg& model, QWidget* parent = nullptr);
  void accept() override;

  MaskEdit* Field(CVyPageSetupDlg::Field f) const { return fields_[f]; }
  QTreeWidget* FontList() const { return fonts_; }

  // The file chosen for "拷贝"; tests replace the file dialog.
  std::function<QString()> askCopyFile;

 private:
  void Refresh();
  void FieldsToModel();
  void ChooseFont(int ord);
  void ChooseColour(uint32_t& colour);
  void Step(CVyPageSetupDlg::Field f, int direction);
  void CopyFromFile();

  QTreeWidget* fonts_;
  QLabel *ruleSwatch_, *frameSwatch_;
  MaskEdit* fields_[CVyPageSetupDlg::kFieldCount];
};
