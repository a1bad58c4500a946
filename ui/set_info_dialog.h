#pragma once
// The Qt face of "修改帐套信息" (CAccountInfoDlg).
#include <QDialog>

#include "admin/set_info_dlg.h"

class QComboBox;
class MaskEdit;

class AccountInfoDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AccountInfoDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  CAccountInfoDlg& Model() { return model_; }
  // False when the file could not be read; the dialog is not to be shown then.
  bool Ready() const { return ready_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnOk();

  CAccountInfoDlg model_;
  bool ready_ = false;
  MaskEdit *unitEdit_, *chiefEdit_;
  QComboBox *startBox_, *endBox_, *closingBox_;
};
