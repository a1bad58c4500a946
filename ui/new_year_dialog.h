#pragma once
// The Qt face of "建立新年度数据文件" (CNewYearDlg).
#include "admin/new_year_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QListWidget;
class QPushButton;

class NewYearDialog : public ModelDialog<CNewYearDlg> {
  Q_OBJECT

 public:
  explicit NewYearDialog(CVyDataEnv& env, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Sync();

  MaskEdit* yearEdit_;
  QListWidget* yearList_;
  QPushButton *createButton_, *cancelButton_;
};
