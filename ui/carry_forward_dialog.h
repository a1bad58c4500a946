#pragma once
// The Qt face of "年度帐务数据结转" (CCarryForwardDlg).
#include "admin/carry_forward_dlg.h"
#include "model_dialog.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class CarryForwardDialog : public ModelDialog<CCarryForwardDlg> {
  Q_OBJECT

 public:
  explicit CarryForwardDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  void reject() override;

 private:
  void OnOk();
  void Sync();

  QCheckBox* items_[CCarryForwardDlg::kItems];
  QLabel *status_, *percent_;
  QProgressBar* progress_;
  QPushButton *okButton_, *cancelButton_;
  QTimer* timer_;
};
