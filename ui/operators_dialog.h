#pragma once
// The Qt face of "操作员及其权限管理" (COperatorsDlg): the operator list, the rights list with a box per
// right, the add button, the hint line and the arrow between the lists. Every change is written at once.
#include "admin/operators_dlg.h"
#include "model_dialog.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class OperatorsDialog : public ModelDialog<COperatorsDlg> {
  Q_OBJECT

 public:
  explicit OperatorsDialog(CVyDataEnv& env, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Sync();
  void OnModify();
  void OnAdd();

  QListWidget *operatorList_, *rightsList_;
  QPushButton* addButton_;
  QPushButton* clearButton_;
  QLabel *hint_, *arrow_;
};
