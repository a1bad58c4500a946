#pragma once
// The Qt face of "科目目录操纵" (CChartSetupDlg): the accounts of one level in a list, the current account
// above it with the selector of its level, the buttons and the sub-account menu beside it, and the status
// line below. The arrow keys walk down and up, Delete deletes the selected account.
#include "accounts/chart_setup_dlg.h"
#include "model_dialog.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

class ChartSetupDialog : public ModelDialog<CChartSetupDlg> {
  Q_OBJECT

 public:
  explicit ChartSetupDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  QListWidget* List() const { return list_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* ModifyButton() const { return modify_; }
  QPushButton* UpButton() const { return up_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs one of the model's actions and shows what it left.
  void Act(const std::function<void()>& action);
  void Sync();

  QLabel *heading_, *status_;
  QComboBox* level_;
  QListWidget* list_;
  QPushButton *up_, *add_, *modify_, *children_, *close_;
};
