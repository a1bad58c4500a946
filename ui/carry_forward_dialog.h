#pragma once
// The Qt face of "年度帐务数据结转" (CCarryForwardDlg).
#include <QDialog>

#include "admin/carry_forward_dlg.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class CarryForwardDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CarryForwardDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  CCarryForwardDlg& Model() { return model_; }
  // False when there is nothing to carry from (the message was shown); the dialog is not to be shown then.
  bool Ready() const { return ready_; }
  void reject() override;

 private:
  void OnOk();
  void Sync();

  CCarryForwardDlg model_;
  bool ready_ = false;
  QCheckBox* items_[CCarryForwardDlg::kItems];
  QLabel *status_, *percent_;
  QProgressBar* progress_;
  QPushButton *okButton_, *cancelButton_;
  QTimer* timer_;
};
