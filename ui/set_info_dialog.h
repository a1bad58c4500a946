#pragma once
// The Qt face of "修改帐套信息" (CAccountInfoDlg).
#include "admin/set_info_dlg.h"
#include "model_dialog.h"

class QComboBox;
class MaskEdit;

class AccountInfoDialog : public ModelDialog<CAccountInfoDlg> {
  Q_OBJECT

 public:
  explicit AccountInfoDialog(CVyDataEnv& env, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnOk();

  MaskEdit *unitEdit_, *chiefEdit_;
  QComboBox *startBox_, *endBox_, *closingBox_;
};
